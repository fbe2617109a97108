// Keyboard shortcuts the user gives the window's commands in "ShortCut.ini":
//
//   [ShortCut]
//   POWERONOFF=Ctrl+P
//   CD_PLAY=Shift+F5
//
// Each key is one of the fixed command names below; each value a shortcut text: any of the
// prefixes "Shift+", "Ctrl+" (or "^") and "Alt+", then one key name. Case does not matter.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/panel/virtual_keys.h"

namespace zr4 {

// A virtual key code in the low byte with the modifier bits above it; 0 is no shortcut.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut kKeyMask = 0x00FF;

// The name of a virtual key as shortcut texts spell it ("PgUp", "F5", "Num 7", ";"); "" for a
// key that has no name and cannot be part of a shortcut (modifier keys among them).
std::string KeyName(int key);

// Parses a shortcut text. Empty text, modifiers alone and an unknown key name give 0.
TShortCut TextToShortCut(std::string_view text);
// The text of a shortcut in the form the parser reads, e.g. "Shift+Ctrl+F5"; "" for 0.
std::string ShortCutToText(TShortCut shortcut);

// A command name of the file and what its shortcut is attached to: an action of the action list
// or an entry of the right-click menu, given by its path of captions.
struct TShortcutName {
  std::string Name;
  std::string Action;
  std::vector<std::string> MenuPath;
  // For the TUNER "Direct" entries: MenuPath leads to the submenu and this is the entry's number,
  // as station names change the entries' captions.
  int DirectNumber = 0;
};

// The 80 names in their fixed order.
const std::vector<TShortcutName>& ShortcutNames();

struct TShortcutBinding {
  TShortCut ShortCut = 0;
  const TShortcutName* Target = nullptr;
};

// Reads the value of every name, in table order, through `valueOf` ("" when the file lacks the
// name) and returns the shortcuts that parse. The file can give one shortcut to two names; the
// earlier name in table order keeps it and the later one gets none, so that every key press has
// exactly one meaning.
std::vector<TShortcutBinding> ReadShortcuts(
    const std::function<std::string(std::string_view name)>& valueOf);

// "ShortCut.ini" in the folder of the settings file at `settingsPath`.
std::string ShortcutFilePath(const std::string& settingsPath);

}  // namespace zr4
