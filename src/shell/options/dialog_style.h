// What the program's dialogs share: their texts, their font, and staying inside the desktop's
// work area.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace zr4 {

// The program's texts are UTF-8.
inline QString Text(const char* text) {
  return QString::fromUtf8(text);
}
inline QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// The dialogs' font: the desktop's Japanese UI font at 12 pixels ("MS PGothic" on Windows).
void SetDialogFont(QWidget& dialog);

// Moves the window up and then left so that it ends inside the work area of its screen.
void KeepDialogInWorkArea(QWidget& dialog);

}  // namespace zr4
