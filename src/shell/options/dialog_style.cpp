#include "shell/options/dialog_style.h"

#include <QScreen>
#include <QWidget>

#include "core/panel/snapping.h"

namespace zr4 {

void KeepDialogInWorkArea(QWidget& dialog) {
  const QScreen* screen = dialog.screen();
  if (!screen) return;
  const QRect frame = dialog.frameGeometry();
  const QRect area = screen->availableGeometry();
  const TRect kept = KeepInWorkArea(
      {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()},
      TRect{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()});
  if (kept.left != frame.left() || kept.top != frame.top()) dialog.move(kept.left, kept.top);
}

}  // namespace zr4
