// The tray icon: when it is in the notification area, its tip, what the six click kinds run,
// and the window going to the tray when the application is minimised and coming back on restore.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "core/tray/tray_action_mgr.h"
#include "core/tray/tray_clicks.h"

namespace zr4 {

class Clock;
class MenuView;
class TrayView;
class WindowView;
class TActionList;
class TStatusDisplay;
struct TMenuItem;
struct TSettings;

class TTaskTray {
 public:
  // The tray runs `actions`, takes the tip from `display`, keeps its click names in
  // `settings`. `menuItem` finds an entry of the right-click menu by name (the menu is built
  // after the tray); `refresh` reads the status and shows it.
  struct Uses {
    TActionList& actions;
    Clock& clock;
    TSettings& settings;
    TStatusDisplay& display;
    MenuView& menuView;
    TrayView& trayView;
    WindowView& window;
    std::function<TMenuItem*(std::string_view name)> menuItem;
    std::function<void()> refresh;
  };
  explicit TTaskTray(Uses uses);

  // The desktop's double-click time, read once at start.
  void SetDoubleClickTime(int ms) { clicks_.SetDoubleClickTime(ms); }
  // Entries 1 to 8 of the action manager, bound to the window's actions.
  void RegisterTrayActions();
  // The click kinds from the names the settings hold, and the names from the click kinds; an
  // unknown or empty name binds none and is saved back empty.
  void LoadClickNames();
  void StoreClickNames();

  TTaskTrayActionMgr& Actions() { return actions_; }
  TTrayClicks& Clicks() { return clicks_; }

  bool Shown() const { return shown_; }
  bool Minimized() const { return minimized_; }
  void AddTrayIcon();
  void RemoveTrayIcon();
  // The tip is rebuilt once after every change of the panel.
  void StatusChanged();
  void UpdateTrayTip();
  // The application title changed; a title other than the program's name shows a countdown.
  void TitleChanged(const std::string& title);
  // The icon image changed (the about box's choice).
  void UpdateTrayIcon();

  // End of start-up: minimised with MinimizeOnRun, otherwise shown (with the icon when ShowIcon
  // is set).
  void ShowAtStart();
  // The application was minimised or restored, by whatever means. Each runs once per change.
  void ApplicationMinimize();
  void ApplicationRestore();
  // The options were confirmed: ShowIcon takes effect while the window is visible.
  void OptionsApplied();
  // The notification area was re-created: a shown icon is added again.
  void TaskbarCreated();
  // The window closes.
  void FormClose();

  // The tray's window actions.
  void actPopupMenuExecute();
  void actMinimizeRestoreExecute();
  void actSetForegroundExecute();
  // "Tas&kTray": restores when ticked, minimises otherwise.
  void TaskTray1Click();

 private:
  std::string Tip() const;
  void SetMenuForTray(bool minimized);

  Uses u_;
  TTaskTrayActionMgr actions_;
  TTrayClicks clicks_;
  bool shown_ = false;
  bool minimized_ = false;
  std::string countdownTitle_;
};

}  // namespace zr4
