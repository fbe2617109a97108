// The dialogs' spin box: text that is not a whole number (an emptied box, a lone sign) counts as
// the range's minimum when the box is left, Enter is pressed or the dialog is confirmed, instead
// of going back to the value it had before.
#pragma once

#include <QSpinBox>

namespace zr4 {

class DialogSpinBox : public QSpinBox {
  Q_OBJECT

 public:
  using QSpinBox::QSpinBox;

 protected:
  void fixup(QString& input) const override;
};

}  // namespace zr4
