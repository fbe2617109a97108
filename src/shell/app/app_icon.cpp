#include "shell/app/app_icon.h"

#include <QImage>
#include <QImageReader>
#include <QPixmap>

#include "platform/base/program_folder.h"

namespace zr4 {

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
