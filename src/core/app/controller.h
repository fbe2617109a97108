// The controller window's logic. It owns the parts (display, timers, settings, commands, menu,
// shortcuts, power save) and wires them together in the order window creation runs; what each
// part decides lives in that part. The window itself (drawing, input) lives in the shell and
// forwards everything here.
#pragma once

#include <string>
#include <vector>

#include "core/app/about_command.h"
#include "core/app/action_list.h"
#include "core/app/clock_tick.h"
#include "core/app/commands.h"
#include "core/app/gesture_detector.h"
#include "core/app/media_controls.h"
#include "core/app/option_dialog_command.h"
#include "core/app/param_executor.h"
#include "core/app/popup_menu_model.h"
#include "core/app/shortcuts.h"
#include "core/app/skin_control.h"
#include "core/app/station_names.h"
#include "core/app/task_tray.h"
#include "core/automation/pc_command_dispatcher.h"
#include "core/automation/power_save.h"
#include "core/automation/sim_remote.h"
#include "core/automation/sleep_timer.h"
#include "core/automation/window_timers.h"
#include "core/device/device_notice.h"
#include "core/device/zr4ctrl.h"
#include "core/panel/audio_device_menu.h"
#include "core/panel/controller_view.h"
#include "core/panel/status_display.h"
#include "core/panel/volume_control.h"
#include "core/ports/audio_outputs.h"
#include "core/ports/clock.h"
#include "core/ports/pc_commands.h"
#include "core/settings/settings.h"

namespace zr4 {

// Power events as the controller handles them (Windows numbers them the same way); each
// platform translates its own notifications to these.
constexpr int kPowerSuspend = 4;
constexpr int kPowerResumeSuspend = 7;
constexpr int kPowerResumeAutomatic = 18;

// What window creation is handed: the program's own parameters and what looking for the
// component found.
struct TStartup {
  std::vector<std::string> params;
  TDiscoveryOutcome discovery;
  std::string program;         // the running executable, named in the permission notice
  int doubleClickMs = 500;     // the desktop's double-click time, for the tray icon's clicks
  TTrayHostClicks trayClicks;  // the double clicks the notification area reports
  // The simulated component the link falls back to, whose remote `--sim-remote` presses;
  // nullptr when there is none.
  TSimComponent* simulator = nullptr;
};

// What the PC offers the controller beyond the component; a missing port offers nothing.
struct TPcPorts {
  AudioOutputs* audio = nullptr;
  // Runs numbered PC commands; without one the controller's own dispatcher runs them over
  // `actions`.
  PcCommandRunner* pcCommands = nullptr;
  TPcActionPorts actions = {};
  const TSkinPorts* skins = nullptr;
};

class TController {
 public:
  // Without `storage` there is no settings file: the controller keeps the settings it holds and
  // saves nothing.
  TController(Clock& clock, TZR4Ctrl& link, ControllerView& view,
              const SettingsStorage* storage = nullptr, TPcPorts ports = {});

  // Window creation after the device link exists.
  void FormCreate(const TStartup& startup = {});
  // The link looked for the component again (it arrived, left or became accessible): tell the
  // user what there is to tell, then show the status.
  void DeviceRediscovered(const TDiscoveryOutcome& discovery);

  // The display model: labels and the volume slider follow the record.
  void ShowStatus(const TDeviceStatus& status);
  // ReadStatus, then ShowStatus with the link's record.
  void Refresh();

  // Timer ticks, driven by the shell's timers as the view was told.
  void Timer1Timer();
  void Timer2Timer();

  // Runs a command line (start parameters, forwarded text, timers).
  void ExecuteParams(const std::string& text) { executor_.ExecuteParams(text); }

  // A power event (kPower*).
  void PowerBroadcast(int event);
  // The session is ending: returns whether it may end.
  bool QueryEndSession();
  // The window is closing (close button, Exit, Esc, SIGTERM).
  void FormClose();

  // Runs when the volume slider's position really changed.
  void VolumeChange();
  // The slider as the window draws it.
  TVolumeSlider VolumeSlider() const;

  // The application title ("ZR4PCCtrl", or with a countdown): the window's and the tray tip's.
  void SetTitle(const std::string& title);

  // Reads the settings file (window position, options, lists, tray click names).
  void LoadSettings();
  // Writes all of it back; a failed write shows a message and changes nothing.
  void SaveSettings();
  // Reads "ShortCut.ini" from the settings file's folder: once, at start. A missing or
  // unreadable file gives no shortcuts and no message; the file is never written.
  void LoadShortcuts();
  // Reads the application command sets from "DoraZozArar.ini" in the settings file's folder:
  // once, at start. A missing file gives no sets; the user is told about a file that cannot be
  // read and about each section that cannot be read whole.
  void LoadAppCommandSets();

  // The parts.
  TZR4Ctrl& Link() { return link_; }
  Clock& GetClock() { return clock_; }
  ControllerView& View() { return view_; }
  TCommands& Commands() { return commands_; }
  TActionList& Actions() { return actions_; }
  TPopupMenuModel& PopupMenu1() { return popupMenu_; }
  // The "AudioDevice" menu, its outputs read and listed in the pop-up menu the first time it is
  // needed (the menu shown, "-DEVICE") rather than at start: asking the sound system loads its
  // libraries and may wait for it.
  TAudioDeviceMenu& AudioDevices();
  TMediaControls& Media() { return media_; }
  // The numbered PC commands, and the command items the options dialog offers.
  TPcCommandDispatcher& PcDispatcher() { return pcDispatcher_; }
  TStatusDisplay& Display() { return display_; }
  const TPanelLabels& Labels() const { return display_.Labels(); }
  TVolumeControl& ScrollBar1() { return scrollBar1_; }
  TWindowTimers& Timers() { return timers_; }
  TPowerSave& PowerSave() { return powerSave_; }
  TSleepTimer& SleepTimer() { return sleepTimer_; }
  TClockTick& ClockTick() { return clockTick_; }
  // The application title as the taskbar shows it.
  const std::string& Title() const { return title_; }
  TGestureDetector& Gestures() { return gestures_; }
  TStationNames& Stations() { return stations_; }
  TSimRemote& SimRemote() { return simRemote_; }
  PcCommandRunner& PcCommands() { return *ports_.pcCommands; }
  TSkinControl& Skins() { return skins_; }
  TSettings& Settings() { return settings_; }
  TOptionData& Options() { return settings_.Options; }
  const TOptionData& Options() const { return settings_.Options; }
  const std::vector<TShortcutBinding>& Shortcuts() const { return shortcuts_; }
  TTaskTray& Tray() { return tray_; }
  TOptionDialogCommand& OptionDialog() { return optionDialog_; }
  TAboutCommand& About() { return about_; }

 private:
  void ResetNoiseBlanker();
  void ResumeActions();
  void SetUpVolumeSlider();
  void ShowDiscoveryNotice(TDiscoveryOutcome discovery);

  Clock& clock_;
  TZR4Ctrl& link_;
  ControllerView& view_;
  const SettingsStorage* storage_;
  NoAudioOutputs noAudio_;
  TPcPorts ports_;
  std::string program_;

  TSettings settings_;
  TStatusDisplay display_{view_};
  TVolumeControl scrollBar1_;
  TWindowTimers timers_{view_};
  TPowerSave powerSave_{clock_};
  TSleepTimer sleepTimer_{clock_};
  TClockTick clockTick_{*this};
  TCommands commands_{*this};
  TActionList actions_{commands_};
  TPopupMenuModel popupMenu_{*this};
  TAudioDeviceMenu audioDevices_{ports_.audio ? *ports_.audio : noAudio_};
  bool audioDevicesRead_ = false;
  TParamExecutor executor_{*this};
  TGestureDetector gestures_{*this};
  TStationNames stations_{*this};
  TSimRemote simRemote_{link_};
  TSkinControl skins_{*this, ports_.skins};
  std::vector<TShortcutBinding> shortcuts_;
  TMediaControls media_{*this};
  TTaskTray tray_{*this};
  TOptionDialogCommand optionDialog_{*this};
  TAboutCommand about_{*this};
  TAppCtrlList appCommandSets_;
  TPcCommandDispatcher pcDispatcher_{ports_.actions, settings_.Options, appCommandSets_};
  int resumeCounter_ = 0;
  std::string title_ = kAppTitle;
};

}  // namespace zr4
