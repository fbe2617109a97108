// The dialogs' spin box: text that is not a whole number (an emptied box, a lone sign) counts as
// the range's minimum, instead of going back to the value it had before. The text is read when
// the box loses the focus (a click on OK takes it) and when Enter is pressed in it (which then
// presses OK).
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
