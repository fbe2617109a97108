// The built-in icon on Linux: drawn at build time (src/icons) and compiled in as Qt resources.
#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QResource>

#include "shell/app/app_icon.h"

namespace zr4 {

namespace {

// One size of the built-in icon, compiled in as raw premultiplied RGBA: taken as it is, so that
// neither text nor a picture format is worked on at start. Null when the resource is missing or
// of another size.
QPixmap BuiltInIconPicture(int size) {
  const QResource resource(QString(":/icons/zr%1.rgba").arg(size));
  const QByteArray pixels = resource.uncompressedData();
  if (pixels.size() != static_cast<qsizetype>(size) * size * 4) return {};
  return QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(pixels.constData()), size, size,
                                   QImage::Format_RGBA8888_Premultiplied)
                                .copy());  // the pixels outlive the resource's data
}

}  // namespace

QIcon BuiltInIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(BuiltInIconPicture(size));
  return icon;
}

// The desktop's tray shows the program's icon.
QIcon BuiltInTrayIcon() {
  return BuiltInIcon();
}

}  // namespace zr4
