#include "shell/menu/key_map.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <array>

namespace zr4 {

namespace {

struct KeyPair {
  int vk;
  Qt::Key qt;
  bool keypad;
};

// Keys other than letters, digits and function keys. The keypad's keys are the same Qt keys as
// the main block's, told apart by the keypad modifier.
constexpr std::array<KeyPair, 36> kKeys = {{
    {kVkBack, Qt::Key_Backspace, false},    {kVkTab, Qt::Key_Tab, false},
    {kVkReturn, Qt::Key_Return, false},     {kVkReturn, Qt::Key_Enter, true},
    {kVkPause, Qt::Key_Pause, false},       {kVkCapital, Qt::Key_CapsLock, false},
    {kVkEscape, Qt::Key_Escape, false},     {kVkSpace, Qt::Key_Space, false},
    {kVkPrior, Qt::Key_PageUp, false},      {kVkNext, Qt::Key_PageDown, false},
    {kVkEnd, Qt::Key_End, false},           {kVkHome, Qt::Key_Home, false},
    {kVkLeft, Qt::Key_Left, false},         {kVkUp, Qt::Key_Up, false},
    {kVkRight, Qt::Key_Right, false},       {kVkDown, Qt::Key_Down, false},
    {kVkInsert, Qt::Key_Insert, false},     {kVkDelete, Qt::Key_Delete, false},
    {kVkMultiply, Qt::Key_Asterisk, true},  {kVkAdd, Qt::Key_Plus, true},
    {kVkSubtract, Qt::Key_Minus, true},     {kVkDecimal, Qt::Key_Period, true},
    {kVkDivide, Qt::Key_Slash, true},       {kVkNumLock, Qt::Key_NumLock, false},
    {kVkScroll, Qt::Key_ScrollLock, false}, {kVkOem1, Qt::Key_Semicolon, false},
    {kVkOemPlus, Qt::Key_Equal, false},     {kVkOemComma, Qt::Key_Comma, false},
    {kVkOemMinus, Qt::Key_Minus, false},    {kVkOemPeriod, Qt::Key_Period, false},
    {kVkOem2, Qt::Key_Slash, false},        {kVkOem3, Qt::Key_QuoteLeft, false},
    {kVkOem4, Qt::Key_BracketLeft, false},  {kVkOem5, Qt::Key_Backslash, false},
    {kVkOem6, Qt::Key_BracketRight, false}, {kVkOem7, Qt::Key_Apostrophe, false},
}};

}  // namespace

int VirtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = event.modifiers() & Qt::KeypadModifier;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return (keypad ? kVkNumpad0 : kVk0) + key - Qt::Key_0;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return kVkA + key - Qt::Key_A;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return kVkF1 + key - Qt::Key_F1;
  // The keypad's arrows, page keys and Del (Num Lock off) count as the main block's.
  for (const KeyPair& pair : kKeys)
    if (pair.qt == key && pair.keypad == keypad) return pair.vk;
  for (const KeyPair& pair : kKeys)
    if (pair.qt == key) return pair.vk;
  return 0;
}

TShiftState ShiftStateOf(const QKeyEvent& event) {
  TShiftState shift = 0;
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

QKeySequence KeySequenceOf(TShortCut shortcut) {
  const int vk = shortcut & kKeyMask;
  Qt::KeyboardModifiers modifiers;
  if (shortcut & scShift) modifiers |= Qt::ShiftModifier;
  if (shortcut & scCtrl) modifiers |= Qt::ControlModifier;
  if (shortcut & scAlt) modifiers |= Qt::AltModifier;
  int key = 0;
  if (vk >= kVk0 && vk <= kVk0 + 9) key = Qt::Key_0 + vk - kVk0;
  if (vk >= kVkNumpad0 && vk <= kVkNumpad0 + 9) {
    key = Qt::Key_0 + vk - kVkNumpad0;
    modifiers |= Qt::KeypadModifier;
  }
  if (vk >= kVkA && vk <= kVkA + 25) key = Qt::Key_A + vk - kVkA;
  if (vk >= kVkF1 && vk <= kVkF24) key = Qt::Key_F1 + vk - kVkF1;
  for (const KeyPair& pair : kKeys) {
    if (key != 0) break;
    if (pair.vk != vk) continue;
    key = pair.qt;
    if (pair.keypad) modifiers |= Qt::KeypadModifier;
  }
  if (key == 0) return {};
  return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

}  // namespace zr4
