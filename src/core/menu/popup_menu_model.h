// The window's right-click menu as data: entries in their order with their captions, separators,
// submenus, check marks and what each entry does. The shell draws it and forwards clicks here.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/commands/menu_item.h"

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
struct TShortcutName;

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

  // The entry a shortcut's name targets; nullptr for names of actions.
  TMenuItem* FindShortcutEntry(const TShortcutName& target);
  // Runs the target of a shortcut: an action through the action list (so it counts as
  // activity), a menu entry as a click on it would.
  void RunShortcut(const TShortcutName& target);

 private:
  Uses u_;
  bool audioRead_ = false;
};

}  // namespace zr4
