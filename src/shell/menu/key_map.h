// Qt's keys in the terms of the core: Windows virtual key codes, held modifiers, shortcuts.
#pragma once

#include <QKeySequence>

#include "core/commands/keyboard.h"
#include "core/menu/shortcuts.h"

class QKeyEvent;

namespace zr4 {

// The virtual key of a key press, or 0 for a key the core has no code for.
int VirtualKeyOf(const QKeyEvent& event);

// Shift, Ctrl and Alt of the event and the mouse buttons held at that moment.
TShiftState ShiftStateOf(const QKeyEvent& event);

// The key sequence that matches a shortcut's key press; empty when Qt cannot express it.
QKeySequence KeySequenceOf(TShortCut shortcut);

}  // namespace zr4
