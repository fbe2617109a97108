// The yardstick for the controller: a bare Qt Widgets window of the same size (the default
// skin's 440x198) that does what `zr4pcctrl --screenshot FILE` does once it shows (grab, save,
// exit), or, with --idle, what an idle controller cannot do with less: show and keep a 200 ms
// timer that does nothing.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool screenshot = argc == 3 && QString(argv[1]) == "--screenshot";
  const bool idle = argc == 2 && QString(argv[1]) == "--idle";
  if (!screenshot && !idle) {
    std::fprintf(stderr, "Usage: zr4_bare_window --screenshot FILE | --idle\n");
    return 2;
  }
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.setFixedSize(440, 198);
  window.show();
  QTimer poll;
  if (idle) {
    QObject::connect(&poll, &QTimer::timeout, [] {});
    poll.start(200);
  } else {
    QTimer::singleShot(0, &window, [&] {
      const bool saved = window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG");
      QCoreApplication::exit(saved ? 0 : 1);
    });
  }
  return app.exec();
}
