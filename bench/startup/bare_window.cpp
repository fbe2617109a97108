// The yardstick for the controller's start-up: a bare Qt Widgets window of the same size that
// does what `zr4pcctrl --screenshot FILE` does once it shows (grab, save, exit).
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3 || QString(argv[1]) != "--screenshot") {
    std::fprintf(stderr, "Usage: zr4_bare_window --screenshot FILE\n");
    return 2;
  }
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.setFixedSize(360, 112);
  window.show();
  QTimer::singleShot(0, &window, [&] {
    const bool saved = window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG");
    QCoreApplication::exit(saved ? 0 : 1);
  });
  return app.exec();
}
