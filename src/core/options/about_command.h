// "About...": the about box's texts, and the program icon chosen from its icon menu.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zr4 {

class DialogView;
class MessageView;
class TrayView;
class TTaskTray;
struct TSettings;

constexpr const char* kAboutVersion = "Version 0.20Dbg (｀・ω・´)";

// One entry of the icon menu: "Default" (the built-in icon) or an icon file of the "icons"
// folder, shown by its name without the extension.
struct TIconMenuItem {
  std::string Caption;
  std::string FileName;  // within the icons folder; empty for "Default"
  bool Break = false;    // starts a new column: every tenth entry

  bool operator==(const TIconMenuItem&) const = default;
};

// "Default", then each name ending in ".ico" (in any case) in the order given.
std::vector<TIconMenuItem> IconMenuItems(const std::vector<std::string>& fileNames);

// What the about box shows, and its way back for the icon choice.
class TAboutModel {
 public:
  std::string Version;
  std::string Author;  // "Author: " and the skin's author
  std::string Description;
  // A line saying the simulated component is in use; empty while a real ZR4PC is driven.
  std::string Simulated;
  std::vector<std::string> Thanks;
  std::function<void(const TIconMenuItem&)> ChooseIcon;
};

class TAboutCommand {
 public:
  // `settings` remembers the chosen icon; `tray` shows it.
  TAboutCommand(DialogView& dialogs, TrayView& trayView, MessageView& messages, TSettings& settings,
                TTaskTray& tray)
      : dialogs_(dialogs),
        trayView_(trayView),
        messages_(messages),
        settings_(settings),
        tray_(tray) {}

  // The skin's author and description; unset, both are empty.
  std::function<std::pair<std::string, std::string>()> SkinCredits;
  // Whether the simulated component stands in; unset, a real ZR4PC is taken to be driven.
  std::function<bool()> Simulated;

  TAboutModel Load();
  void Execute();
  // Makes the item's icon the application's (and the tray's) and remembers it in the settings.
  void ChooseIcon(const TIconMenuItem& item);
  // Start-up: the icon named by the settings, when IconChange is set.
  void LoadStartupIcon();

 private:
  DialogView& dialogs_;
  TrayView& trayView_;
  MessageView& messages_;
  TSettings& settings_;
  TTaskTray& tray_;
};

}  // namespace zr4
