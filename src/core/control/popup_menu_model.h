// The window's right-click menu as data: entries in their order with their captions, separators,
// submenus, check marks and what each entry does. The shell draws it and forwards clicks here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zr4 {

class WindowView;
class TActionList;
class TAudioDeviceMenu;
class TCommands;
class TSkinControl;
class TSleepTimer;
class TTaskTray;
struct TSettings;
struct TShortcutBinding;

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

class TPopupMenuModel {
 public:
  // What the entries show and run. `settings` holds the toggles, `shortcuts` the texts beside
  // the entries; `audio` is read the first time it is needed; `setTitle` shows the application
  // title.
  struct Uses {
    TSettings& settings;
    TAudioDeviceMenu& audio;
    TSleepTimer& sleep;
    TSkinControl& skins;
    const std::vector<TShortcutBinding>& shortcuts;
    TCommands& commands;
    TActionList& actions;
    TTaskTray& tray;
    WindowView& window;
    std::function<void(const std::string&)> setTitle;
  };
  // Builds the menu.
  explicit TPopupMenuModel(Uses uses);

  // The top level of the menu.
  TMenuItem Items;

  // The entry at a path of captions, e.g. {"&CD", "Next"}; nullptr when there is none.
  TMenuItem* Find(const std::vector<std::string>& path);
  // The entry with that name anywhere in the menu; nullptr when there is none.
  TMenuItem* FindByName(std::string_view name);

  // Whether the entry shows a check mark. The toggles of settings show the setting itself, so
  // the mark cannot disagree with what is stored.
  bool Checked(const TMenuItem& item) const;
  // Whether the entry carries a check mark at all: the toggles of settings, the radio groups
  // and entries checked by their own state.
  bool Checkable(const TMenuItem& item) const;
  // The shortcut text shown beside the entry ("Ctrl+P"): its own shortcut, or that of the action
  // it runs; "" when it has none.
  std::string ShortcutText(const TMenuItem& item);

  // Completes what is read only when the menu is first shown (the audio outputs); the view
  // calls it before it shows the menu.
  void PrepareToShow();
  // The "AudioDevice" menu, its outputs read and listed the first time it is needed (the menu
  // shown, "-DEVICE") rather than at start: asking the sound system loads its libraries and may
  // wait for it.
  TAudioDeviceMenu& AudioDevices();
  // Lists the PC's audio outputs under "AudioDevice" (disabled when there are none).
  void FillAudioDevices(const TAudioDeviceMenu& outputs);
  // Lists the skins found under "&Skin" (disabled when there are none).
  void FillSkins(const TSkinControl& skins);

  // Runs the entry as a click does; a disabled or hidden-and-disabled entry does nothing.
  void Click(const TMenuItem& item);

 private:
  Uses u_;
  bool audioRead_ = false;
};

}  // namespace zr4
