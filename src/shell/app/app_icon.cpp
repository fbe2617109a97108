#include "shell/app/app_icon.h"

#include <QImage>
#include <QImageReader>
#include <QPixmap>

namespace zr4 {

QIcon LoadIconFile(const QString& path) {
  QImageReader reader(path);
  const QImage image = reader.read();
  if (image.isNull()) return {};
  QIcon icon(path);
  return icon.availableSizes().isEmpty() ? QIcon(QPixmap::fromImage(image)) : icon;
}

}  // namespace zr4
