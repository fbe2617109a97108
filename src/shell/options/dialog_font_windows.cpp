#include <QFont>
#include <QWidget>

#include "shell/options/dialog_style.h"

namespace zr4 {

void SetDialogFont(QWidget& dialog) {
  QFont font = dialog.font();
  font.setFamily("MS PGothic");
  font.setPixelSize(12);
  dialog.setFont(font);
}

}  // namespace zr4
