// An entry of the window's right-click menu as data: its caption, what it does when clicked, its
// marks and its submenu. The menu builds these; the tray and the shortcuts find and mark them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zr4 {

// What an entry does when clicked.
enum class TMenuCommand {
  None,          // a submenu, a separator, or an entry whose feature is not offered yet
  Action,        // runs TMenuItem::Action through the action list
  VolumePreset,  // Number is the volume
  Sleep,         // Number is the minutes, 0 for "OFF"
  TunerDirect,   // Number is the preset
  CdDirect,      // Number is the track
  DeviceKey,     // a TAPE or MD key: DeviceCommand
  AlwaysOnTop,
  AutoOn,
  AutoOff,
  AudioDevice,  // Number is the output's index
  TaskTray,     // "Tas&kTray": to the tray and back
  Skin,         // Number is the skin's index in the Skin menu
  BorderLess,
  Exit,
};

struct TMenuItem {
  static constexpr const char* kSeparator = "-";

  std::string Caption{};  // "&" marks the access key; kSeparator draws a line
  std::string Name{};     // the entry's name where other parts of the window refer to it
  TMenuCommand Command = TMenuCommand::None;
  std::string Action{};
  int Number = 0;
  std::uint32_t DeviceCommand = 0;
  bool Enabled = true;
  bool Visible = true;
  bool Checked = false;    // for entries whose mark is not a setting (see TPopupMenuModel::Checked)
  bool RadioItem = false;  // one of a group of which exactly one is checked
  int GroupIndex = 0;
  bool Break = false;  // starts a new column of its submenu
  std::vector<TMenuItem> Items{};

  bool IsSeparator() const { return Caption == kSeparator; }
};

}  // namespace zr4
