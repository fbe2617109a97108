// The controller window's logic: start-up, polling, the display model, power events and close.
// The window itself (drawing, input) lives in the shell and forwards everything here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/app/action_list.h"
#include "core/app/commands.h"
#include "core/app/controller_view.h"
#include "core/app/option_data.h"
#include "core/app/panel_labels.h"
#include "core/app/popup_menu_model.h"
#include "core/app/settings.h"
#include "core/app/shortcuts.h"
#include "core/app/volume_control.h"
#include "core/device/zr4ctrl.h"
#include "core/pcactions/data_list.h"
#include "core/ports/clock.h"

namespace zr4 {

struct TimerState {
  bool Enabled = false;
  int Interval = 0;
};

constexpr const char* kAppTitle = "ZR4PCCtrl";
constexpr const char* kNoDeviceMessage = "該当するUSBデバイスが見つかりません。";

// Power broadcast events as Windows numbers them; other platforms translate to these.
constexpr int PBT_APMSUSPEND = 4;
constexpr int PBT_APMRESUMESUSPEND = 7;
constexpr int PBT_APMRESUMEAUTOMATIC = 18;

class TController {
 public:
  // Without `settings` there is no settings file: the controller keeps the settings it holds and
  // saves nothing.
  TController(Clock& clock, TZR4Ctrl& link, ControllerView& view,
              const SettingsStorage* settings = nullptr);

  // Window creation after the device link exists. `params` are the program's own parameters.
  void FormCreate(const std::vector<std::string>& params);

  // The display model: labels and the volume slider follow the record.
  void ShowStatus(const TDeviceStatus& status);
  // ReadStatus, then ShowStatus with the link's record.
  void Refresh();

  // Timer ticks, driven by the shell's timers as configured in Timer1 and Timer2.
  void Timer1Timer();
  void Timer2Timer();

  // Runs a command line (start parameters, forwarded text, timers).
  void ExecuteParams(const std::string& text);

  // A power broadcast event (PBT_*).
  void PowerBroadcast(int event);
  // The session is ending: returns whether it may end.
  bool QueryEndSession();
  // The window is closing (close button, Exit, Esc, SIGTERM).
  void FormClose();

  // Runs when the volume slider's position really changed.
  void VolumeChange();

  // The interval the polling timer takes next, from the record as it stands.
  int PollInterval() const;

  // Restarts the automatic power-save countdown so that it ends `minutes` from now.
  void StartAps(int minutes);
  bool ApsActive = false;
  std::int64_t ApsEndTick = 0;

  // The operation commands, the actions that run them by name, the right-click menu, and the
  // keyboard shortcuts read from "ShortCut.ini".
  TCommands Commands{*this};
  TActionList Actions{Commands};
  TPopupMenuModel PopupMenu1{*this};
  std::vector<TShortcutBinding> Shortcuts;
  // Reads "ShortCut.ini" from the settings file's folder into Shortcuts: once, at start. A
  // missing or unreadable file gives no shortcuts and no message; the file is never written.
  void LoadShortcuts();

  TOptionData Options;
  bool OnTop = false;  // "Al&ways On Top": kept beside the record, stored as OnTop
  // Reads the settings file into the window position, Options, OnTop, the icon, the gesture
  // list, the timer list and the tray click names.
  void LoadSettings();
  // Writes all of it back; a failed write shows a message and changes nothing.
  void SaveSettings();
  std::vector<std::string> GestureList;  // gesture entries in their text form
  TDataList TimerList;
  bool IconChange = false;  // use IconName from the "icons" folder as the application icon
  std::string IconName;
  TTrayClickNames TrayClickNames = DefaultTrayClickNames();
  TPanelLabels Labels;
  TDeviceStatus LastStatus;
  TVolumeControl ScrollBar1;
  TimerState Timer1;
  TimerState Timer2;
  int ResumeCounter = 0;
  bool TrayTipLatch = false;  // false: the tray tip is rebuilt at the next hover

  TZR4Ctrl& Link() { return link_; }
  Clock& GetClock() { return clock_; }
  ControllerView& View() { return view_; }

 private:
  void ResetNoiseBlanker();
  void ResumeActions();
  void SetTimer2(bool enabled);

  Clock& clock_;
  TZR4Ctrl& link_;
  ControllerView& view_;
  const SettingsStorage* settings_;
};

}  // namespace zr4
