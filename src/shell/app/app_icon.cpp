#include "shell/app/app_icon.h"

#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QResource>

#include "platform/app/program_folder.h"

namespace zr4 {

namespace {

// One size of the built-in icon, drawn at build time (src/icons) and compiled in as raw
// premultiplied RGBA: taken as it is, so that neither text nor a picture format is worked on at
// start. Null when the resource is missing or of another size.
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

QString IconsFolder() {
  return QString::fromStdString(JoinPath(ProgramFolder(), "icons"));
}

QIcon LoadIconFile(const QString& path) {
  QImageReader reader(path);
  const QImage image = reader.read();
  if (image.isNull()) return {};
  QIcon icon(path);
  return icon.availableSizes().isEmpty() ? QIcon(QPixmap::fromImage(image)) : icon;
}

}  // namespace zr4
