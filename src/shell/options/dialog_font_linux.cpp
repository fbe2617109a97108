#include <QFont>
#include <QWidget>

#include "shell/options/dialog_style.h"

namespace zr4 {

// The desktop's own UI font, at the size the dialogs are laid out for.
void SetDialogFont(QWidget& dialog) {
  QFont font = dialog.font();
  font.setPixelSize(12);
  dialog.setFont(font);
}

}  // namespace zr4
