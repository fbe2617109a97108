#include "shell/options/dialog_spin_box.h"

namespace zr4 {

void DialogSpinBox::fixup(QString& input) const {
  bool number = false;
  input.trimmed().toInt(&number);
  if (!number) input = textFromValue(minimum());
  QSpinBox::fixup(input);
}

}  // namespace zr4
