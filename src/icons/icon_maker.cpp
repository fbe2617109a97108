// Draws the program's built-in icon in the sizes the window, the taskbar and the tray use, and
// writes each as its raw pixels (zr16.rgba ... zr64.rgba: rows of premultiplied R, G, B, A
// bytes) for the program to embed: a start takes them as they are, without drawing text or
// decoding a picture (which would load every image format plugin).
// Usage: zr4_icon_maker -platform offscreen FOLDER   (minimal:enable_fonts on Windows)
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

// A dark front panel with a display-tube green "ZR", as on the controller window.
QImage DrawIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QColor(0x7f, 0xe3, 0xff));
  painter.setBrush(QColor(0x1c, 0x20, 0x26));
  painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);
  // "Sans" is fontconfig's name; where nothing answers to it (Windows, Wine) the first of the
  // others found, so that the letters stay sans-serif rather than the system's default face.
  QFont font(QStringList{"Sans", "DejaVu Sans", "Tahoma", "Arial"});
  font.setPixelSize(size / 2);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, "ZR");
  painter.end();
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: zr4_icon_maker [-platform NAME] FOLDER\n");
    return 2;
  }
  const QDir folder(args[1]);
  for (int size : {16, 24, 32, 48, 64}) {
    const QString path = folder.filePath(QString("zr%1.rgba").arg(size));
    const QImage pixels = DrawIcon(size).convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    QFile file(path);
    const qint64 bytes = static_cast<qint64>(size) * size * 4;
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(pixels.constBits()), bytes) != bytes) {
      std::fprintf(stderr, "zr4_icon_maker: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
