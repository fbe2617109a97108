// The controller window's logic. It owns the parts (display, timers, settings, commands, menu,
// shortcuts, power save) and wires them together in the order window creation runs; what each
// part decides lives in that part. The window itself (drawing, input) lives in the shell and
// forwards everything here.
#pragma once

#include <string>
#include <vector>

#include "core/app/action_list.h"
#include "core/app/audio_device_menu.h"
#include "core/app/commands.h"
#include "core/app/controller_view.h"
#include "core/app/device_notice.h"
#include "core/app/media_controls.h"
#include "core/app/popup_menu_model.h"
#include "core/app/power_save.h"
#include "core/app/settings.h"
#include "core/app/shortcuts.h"
#include "core/app/status_display.h"
#include "core/app/volume_control.h"
#include "core/app/window_timers.h"
#include "core/device/zr4ctrl.h"
#include "core/ports/audio_outputs.h"
#include "core/ports/clock.h"
#include "core/ports/pc_commands.h"

namespace zr4 {

constexpr const char* kAppTitle = "ZR4PCCtrl";

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
  std::string program;  // the running executable, named in the permission notice
};

// What the PC offers the controller beyond the component; a missing port offers nothing.
struct TPcPorts {
  AudioOutputs* audio = nullptr;
  PcCommandRunner* pcCommands = nullptr;
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
  void ExecuteParams(const std::string& text);

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

  // Reads the settings file (window position, options, lists, tray click names).
  void LoadSettings();
  // Writes all of it back; a failed write shows a message and changes nothing.
  void SaveSettings();
  // Reads "ShortCut.ini" from the settings file's folder: once, at start. A missing or
  // unreadable file gives no shortcuts and no message; the file is never written.
  void LoadShortcuts();

  // The parts.
  TZR4Ctrl& Link() { return link_; }
  Clock& GetClock() { return clock_; }
  ControllerView& View() { return view_; }
  TCommands& Commands() { return commands_; }
  TActionList& Actions() { return actions_; }
  TPopupMenuModel& PopupMenu1() { return popupMenu_; }
  TAudioDeviceMenu& AudioDevices() { return audioDevices_; }
  TMediaControls& Media() { return media_; }
  TStatusDisplay& Display() { return display_; }
  const TPanelLabels& Labels() const { return display_.Labels(); }
  TVolumeControl& ScrollBar1() { return scrollBar1_; }
  TWindowTimers& Timers() { return timers_; }
  TPowerSave& PowerSave() { return powerSave_; }
  TSettings& Settings() { return settings_; }
  TOptionData& Options() { return settings_.Options; }
  const TOptionData& Options() const { return settings_.Options; }
  const std::vector<TShortcutBinding>& Shortcuts() const { return shortcuts_; }

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
  TCommands commands_{*this};
  TActionList actions_{commands_};
  TPopupMenuModel popupMenu_{*this};
  TAudioDeviceMenu audioDevices_{ports_.audio ? *ports_.audio : noAudio_};
  std::vector<TShortcutBinding> shortcuts_;
  TMediaControls media_{*this};
  int resumeCounter_ = 0;
};

}  // namespace zr4
