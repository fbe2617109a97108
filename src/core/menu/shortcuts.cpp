#include "core/menu/shortcuts.h"

#include <array>
#include <cstdio>

#include "core/base/ini_file.h"
#include "core/base/same_text.h"
#include "core/commands/action_list.h"
#include "core/settings/settings_path.h"

namespace zr4 {

namespace {

struct NamedKey {
  int key;
  const char* name;
};

// Keys whose names are neither letters, digits nor function keys, named as Windows names them
// on a US keyboard (the numeric keypad's "." key is "Num Del" there).
constexpr std::array<NamedKey, 45> kNamedKeys = {{
    {kVkBack, "BkSp"},
    {kVkTab, "Tab"},
    {kVkReturn, "Enter"},
    {kVkPause, "Pause"},
    {kVkCapital, "Caps Lock"},
    {kVkEscape, "Esc"},
    {kVkSpace, "Space"},
    {kVkPrior, "PgUp"},
    {kVkNext, "PgDn"},
    {kVkEnd, "End"},
    {kVkHome, "Home"},
    {kVkLeft, "Left"},
    {kVkUp, "Up"},
    {kVkRight, "Right"},
    {kVkDown, "Down"},
    {kVkInsert, "Ins"},
    {kVkDelete, "Del"},
    {kVkNumpad0, "Num 0"},
    {kVkNumpad0 + 1, "Num 1"},
    {kVkNumpad0 + 2, "Num 2"},
    {kVkNumpad0 + 3, "Num 3"},
    {kVkNumpad0 + 4, "Num 4"},
    {kVkNumpad0 + 5, "Num 5"},
    {kVkNumpad0 + 6, "Num 6"},
    {kVkNumpad0 + 7, "Num 7"},
    {kVkNumpad0 + 8, "Num 8"},
    {kVkNumpad0 + 9, "Num 9"},
    {kVkMultiply, "Num *"},
    {kVkAdd, "Num +"},
    {kVkSubtract, "Num -"},
    {kVkDecimal, "Num Del"},
    {kVkDivide, "Num /"},
    {kVkNumLock, "Num Lock"},
    {kVkScroll, "Scroll Lock"},
    {kVkOem1, ";"},
    {kVkOemPlus, "="},
    {kVkOemComma, ","},
    {kVkOemMinus, "-"},
    {kVkOemPeriod, "."},
    {kVkOem2, "/"},
    {kVkOem3, "`"},
    {kVkOem4, "["},
    {kVkOem5, "\\"},
    {kVkOem6, "]"},
    {kVkOem7, "'"},
}};

constexpr int kFirstKey = 8;
constexpr int kLastKey = 255;

// Strips `prefix` from the front of `text` when it is there, ignoring case.
bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() < prefix.size() || !SameText(text.substr(0, prefix.size()), prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

std::vector<TShortcutName> BuildNames() {
  auto action = [](std::string name, std::string target) {
    return TShortcutName{std::move(name), std::move(target), {}, 0};
  };
  auto entry = [](std::string name, std::vector<std::string> path) {
    return TShortcutName{std::move(name), "", std::move(path), 0};
  };
  std::vector<TShortcutName> names = {
      action("POWERONOFF", "actPower"),
      action("SelectTUNER", "actSelectTUNER"),
      action("SelectCD", "actSelectCD"),
      action("SelectMD", "actSelectMD"),
      action("SelectTAPE", "actSelectAUX"),
      action("SelectUSB", "actSelectUSB"),
      action("SelectBAND", "actSelectBAND"),
      action("Mute", "actMute"),
      action("NB", "actTone"),
      action("CD_PLAY", "actPlay"),
      action("CD_STOP", "actStop"),
      entry("CD_TUNER_NEXT", {"&CD", "Next"}),
      entry("CD_TUNER_PREVIOUS", {"&CD", "Previous"}),
      entry("CD_FORWARD", {"&CD", "Forward"}),
      entry("CD_REWIND", {"&CD", "Rewind"}),
      entry("CD_REPEAT", {"&CD", "Repeat"}),
      entry("CD_RANDOM", {"&CD", "Random"}),
      entry("CD_EJECT", {"&CD", "Eject"}),
      // The name is spelt this way in every file users have written.
      entry("TunerAutoMamual", {"&TUNER", "Auto/Manu."}),
      entry("TunerPresetCall_UP", {"&TUNER", "Next"}),
      entry("TunerPresetCall_DN", {"&TUNER", "Previous"}),
  };
  for (const char* key : {"FWD", "STOP", "REV", "FF", "FB"})
    names.push_back(entry(std::string("TAPE_") + key, {"&Other", "TAPE", key}));
  const std::array<std::pair<const char*, const char*>, 14> md = {{{"PLAY", "PLAY"},
                                                                   {"STOP", "STOP"},
                                                                   {"PAUSE", "PAUSE"},
                                                                   {"REC", "REC"},
                                                                   {"OTE", "OTE"},
                                                                   {"SK_UP", "SK UP"},
                                                                   {"SK_DN", "SK DOWN"},
                                                                   {"FF", "FF"},
                                                                   {"FB", "FB"},
                                                                   {"DIVIDE", "DIVIDE"},
                                                                   {"COMBIN", "COMBIN"},
                                                                   {"REPEAT", "REPEAT"},
                                                                   {"RANDOM", "RANDOM"},
                                                                   {"EJECT", "EJECT"}}};
  for (const auto& [name, caption] : md)
    names.push_back(entry(std::string("MD_") + name, {"&Other", "MD", caption}));
  for (int volume = 10; volume <= 50; volume += 10)
    names.push_back(
        entry("Volume_" + std::to_string(volume), {"&Volume", "Vol. &" + std::to_string(volume)}));
  for (int minutes : {10, 20, 30, 40, 50, 60, 90, 120})
    names.push_back(entry("Sleep_" + std::to_string(minutes),
                          {"&Sleep", minutes == 10 ? "10 min" : std::to_string(minutes)}));
  names.push_back(entry("Sleep_Off", {"&Sleep", "OFF"}));
  for (int n = 1; n <= 20; ++n) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%.2d", n);
    TShortcutName direct = entry(std::string("TUNER_DIRECT_") + digits, {"&TUNER", "Direct"});
    direct.DirectNumber = n;
    names.push_back(std::move(direct));
  }
  names.push_back(entry("TaskTray", {"Tas&kTray"}));
  names.push_back(entry("AlwaysOnTop", {"Al&ways On Top"}));
  names.push_back(entry("AutoOn", {"&Other", "Auto On"}));
  names.push_back(entry("AutoOff", {"&Other", "Auto Off"}));
  names.push_back(action("Mode", "actModeChange"));
  names.push_back(action("About", "actAbout"));
  return names;
}

}  // namespace

std::string KeyName(int key) {
  if (key >= kVk0 && key <= kVk0 + 9) return std::string(1, static_cast<char>('0' + key - kVk0));
  if (key >= kVkA && key <= kVkA + 25) return std::string(1, static_cast<char>('A' + key - kVkA));
  if (key >= kVkF1 && key <= kVkF24) {
    std::string name = "F";
    name += std::to_string(key - kVkF1 + 1);
    return name;
  }
  for (const NamedKey& named : kNamedKeys)
    if (named.key == key) return named.name;
  return {};
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut modifiers = 0;
  for (;;) {
    if (TakePrefix(text, "Shift+")) {
      modifiers |= scShift;
    } else if (TakePrefix(text, "Ctrl+") || TakePrefix(text, "^")) {
      modifiers |= scCtrl;
    } else if (TakePrefix(text, "Alt+")) {
      modifiers |= scAlt;
    } else {
      break;
    }
  }
  if (text.empty()) return 0;
  for (int key = kFirstKey; key <= kLastKey; ++key) {
    const std::string name = KeyName(key);
    if (!name.empty() && SameText(name, text)) return static_cast<TShortCut>(modifiers | key);
  }
  return 0;
}

std::string ShortCutToText(TShortCut shortcut) {
  const std::string key = KeyName(shortcut & kKeyMask);
  if (key.empty()) return {};
  std::string text;
  if (shortcut & scShift) text += "Shift+";
  if (shortcut & scCtrl) text += "Ctrl+";
  if (shortcut & scAlt) text += "Alt+";
  return text + key;
}

const std::vector<TShortcutName>& ShortcutNames() {
  static const std::vector<TShortcutName> names = BuildNames();
  return names;
}

std::vector<TShortcutBinding> ReadShortcuts(
    const std::function<std::string(std::string_view name)>& valueOf) {
  std::vector<TShortcutBinding> bindings;
  for (const TShortcutName& name : ShortcutNames()) {
    const TShortCut shortcut = TextToShortCut(valueOf(name.Name));
    if (shortcut == 0) continue;
    bool taken = false;
    for (const TShortcutBinding& earlier : bindings) taken = taken || earlier.ShortCut == shortcut;
    if (!taken) bindings.push_back({shortcut, &name});
  }
  return bindings;
}

std::string ShortcutFilePath(const std::string& settingsPath) {
  return FileBesideSettings(settingsPath, "ShortCut.ini");
}

}  // namespace zr4
