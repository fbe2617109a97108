// Key codes as Windows numbers its virtual keys. The shell translates its own key events to
// them; the window's key table and the keyboard shortcuts use them.
#pragma once

namespace zr4 {

enum VirtualKey : int {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkReturn = 0x0D,
  kVkPause = 0x13,
  kVkCapital = 0x14,
  kVkEscape = 0x1B,
  kVkSpace = 0x20,
  kVkPrior = 0x21,  // Page Up
  kVkNext = 0x22,   // Page Down
  kVkEnd = 0x23,
  kVkHome = 0x24,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkInsert = 0x2D,
  kVkDelete = 0x2E,
  kVk0 = 0x30,        // to 0x39 for '9'
  kVkA = 0x41,        // to 0x5A for 'Z'
  kVkNumpad0 = 0x60,  // to 0x69 for Num 9
  kVkMultiply = 0x6A,
  kVkAdd = 0x6B,
  kVkSubtract = 0x6D,
  kVkDecimal = 0x6E,
  kVkDivide = 0x6F,
  kVkF1 = 0x70,  // to 0x87 for F24
  kVkF24 = 0x87,
  kVkNumLock = 0x90,
  kVkScroll = 0x91,
  kVkOem1 = 0xBA,       // ;
  kVkOemPlus = 0xBB,    // =
  kVkOemComma = 0xBC,   // ,
  kVkOemMinus = 0xBD,   // -
  kVkOemPeriod = 0xBE,  // .
  kVkOem2 = 0xBF,       // /
  kVkOem3 = 0xC0,       // `
  kVkOem4 = 0xDB,       // [
  kVkOem5 = 0xDC,       // backslash
  kVkOem6 = 0xDD,       // ]
  kVkOem7 = 0xDE,       // '
};

}  // namespace zr4
