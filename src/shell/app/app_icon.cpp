#include "shell/app/app_icon.h"

#include <QFont>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include "platform/app/program_folder.h"

namespace zr4 {

// A dark front panel with a display-tube green "ZR", as on the controller window.
QIcon BuiltInIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x7f, 0xe3, 0xff));
    painter.setBrush(QColor(0x1c, 0x20, 0x26));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);
    QFont font("Sans");
    font.setPixelSize(size / 2);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, "ZR");
    painter.end();
    icon.addPixmap(pixmap);
  }
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
