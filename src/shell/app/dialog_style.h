// What the program's dialogs share: their font, and staying inside the desktop's work area.
#pragma once

class QWidget;

namespace zr4 {

// The dialogs' font: the desktop's Japanese UI font at 12 pixels ("MS PGothic" on Windows).
void SetDialogFont(QWidget& dialog);

// Moves the window up and then left so that it ends inside the work area of its screen.
void KeepDialogInWorkArea(QWidget& dialog);

}  // namespace zr4
