// The controller window's logic, where its parts are put together: it creates the parts, hands
// each the collaborators it uses and connects them; what each part decides lives in that part.
// The window itself (drawing, input) lives in the shell and forwards everything to the
// operations here; no part is handed out to be changed.
#pragma once

#include <string>
#include <vector>

#include "core/app/controller_views.h"
#include "core/commands/action_list.h"
#include "core/commands/commands.h"
#include "core/commands/keyboard.h"
#include "core/commands/media_controls.h"
#include "core/commands/param_executor.h"
#include "core/device/device_notice.h"
#include "core/device/sim_finder.h"
#include "core/device/zr4ctrl.h"
#include "core/gestures/gesture_detector.h"
#include "core/gestures/pc_command_dispatcher.h"
#include "core/gestures/power_events.h"
#include "core/instance/instance_requests.h"
#include "core/instance/sim_remote.h"
#include "core/menu/popup_menu_model.h"
#include "core/menu/shortcuts.h"
#include "core/menu/station_names.h"
#include "core/options/about_command.h"
#include "core/options/option_dialog_command.h"
#include "core/options/settings_files.h"
#include "core/panel/app_title.h"
#include "core/panel/audio_device_menu.h"
#include "core/panel/status_display.h"
#include "core/panel/volume_control.h"
#include "core/panel/window_drag.h"
#include "core/panel/window_timers.h"
#include "core/ports/audio_outputs.h"
#include "core/ports/clock.h"
#include "core/ports/pc_commands.h"
#include "core/settings/settings.h"
#include "core/skin/skin_control.h"
#include "core/timers/clock_tick.h"
#include "core/timers/power_save.h"
#include "core/timers/sleep_timer.h"
#include "core/tray/task_tray.h"

namespace zr4 {

// What window creation is handed: the program's own parameters and what looking for the
// component found.
struct TStartup {
  std::vector<std::string> params;
  TDiscoveryOutcome discovery;
  std::string program;         // the running executable, named in the permission notice
  int doubleClickMs = 500;     // the desktop's double-click time, for the tray icon's clicks
  TTrayHostClicks trayClicks;  // the clicks the notification area reports
  // The simulated component the link falls back to, whose remote `--sim-remote` presses;
  // nullptr when there is none.
  TSimComponent* simulator = nullptr;
  // Started with the session (--at-login): no one may be at the screen yet to click a box away.
  bool atLogin = false;
};

class LoginStart;

// What the PC offers the controller beyond the component; a missing port offers nothing.
struct TPcPorts {
  AudioOutputs* audio = nullptr;
  // Runs numbered PC commands; without one the controller's own dispatcher runs them over
  // `actions`.
  PcCommandRunner* pcCommands = nullptr;
  TPcActionPorts actions = {};
  const TSkinPorts* skins = nullptr;
  LoginStart* loginStart = nullptr;
};

class TController : public InstanceTarget {
 public:
  // Without `storage` there is no settings file: the controller keeps the settings it holds and
  // saves nothing.
  TController(Clock& clock, TZR4Ctrl& link, TControllerViews views,
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
  void ExecuteParams(const std::string& text) override { executor_.ExecuteParams(text); }

  // A power event (kPower*).
  void PowerBroadcast(int event) { power_.PowerBroadcast(event); }
  // The machine has resumed, told once (logind).
  void Resumed() { power_.Resumed(); }
  // The session is ending: returns whether it may end.
  bool QueryEndSession();
  // The window is closing (close button, Exit, Esc, SIGTERM).
  void FormClose();

  // Runs when the volume slider's position really changed.
  void VolumeChange();

  // Key-down of the window or of its volume slider; whether the key was the window's own.
  bool KeyDown(int key, TShiftState shift) { return keyboard_.FormKeyDown(key, shift); }
  // One wheel notch over the window.
  void MouseWheel(bool up) { keyboard_.FormMouseWheel(up); }
  // A shortcut's target runs as its action or its menu entry would.
  void RunShortcut(const TShortcutName& target) { popupMenu_.RunShortcut(target); }

  // What the window forwards: its skinned buttons, the volume knob dragged, a press on its face,
  // its own volume slider moved.
  void SkinButtonClick(int index) { skins_.ButtonClick(index); }
  void VolumeKnobDrag(bool leftButtonOnly, int x, int y) {
    skins_.VolBarMouseMove(leftButtonOnly, x, y);
  }
  void FaceMouseDown(int x, int y) { skins_.FormMouseDown(x, y); }
  // The window dragged by its face: the press, then each move by (dx, dy) with the button held;
  // `others` are the program's other visible windows, in form order.
  void WindowDragStarted() { drag_.Start(); }
  void WindowDragged(int dx, int dy, const std::vector<TRect>& others) {
    drag_.Step(dx, dy, others);
  }
  void MoveVolumeSlider(int position) { scrollBar1_.SetPosition(position); }
  // The right-click menu: read to be drawn, completed before it shows, its entries clicked.
  const TPopupMenuModel& Menu() const { return popupMenu_; }
  void PrepareMenu() { popupMenu_.PrepareToShow(); }
  void MenuClick(const TMenuItem& item) { popupMenu_.Click(item); }
  std::string MenuShortcutText(const TMenuItem& item) { return popupMenu_.ShortcutText(item); }
  // The one-entry menu of the frequency and station-name labels.
  bool LabelMenuPops() const { return stations_.LabelMenuPops(); }
  void LabelMenuClick() { stations_.LabelMenuClick(); }
  // The application was minimised or restored, by whatever means; the notification area was
  // re-created; the mouse on the tray icon.
  void ApplicationMinimize() { tray_.ApplicationMinimize(); }
  void ApplicationRestore() { tray_.ApplicationRestore(); }
  void TaskbarCreated() { tray_.TaskbarCreated(); }
  void TrayMouse(TTrayMouse event, TTrayButton button) { tray_.Clicks().Mouse(event, button); }
  // The component as a media player of the desktop: what it shows, its keys and volume.
  const TMediaState& MediaState() const { return media_.State(); }
  void MediaKey(TMediaKey key) { media_.Press(key); }
  void SetMediaVolume(double volume) { media_.SetVolume(volume); }

  // The application title ("ZR4PCCtrl", or with a countdown): the window's and the tray tip's.
  void SetTitle(const std::string& title);

  // What the panel shows, the application title as the taskbar shows it and the volume: for the
  // window and for a later start's status request.
  const TPanelLabels& Labels() const override { return display_.Labels(); }
  const std::string& Title() const override { return title_; }
  int Volume() const override { return scrollBar1_.Position(); }
  bool Simulated() const override { return DrivesSimulator(link_); }
  std::string PressSimRemote(const std::string& keys) override { return simRemote_.Press(keys); }
  // The window's actions, for their hints.
  const TActionList& Actions() const { return actions_; }

 private:
  // Tests set parts up and look into them through TControllerParts (tests/fakes).
  friend class TControllerParts;

  void ResetNoiseBlanker();
  void SetUpVolumeSlider();
  void ShowDiscoveryNotice(TDiscoveryOutcome discovery);
  void ShowSimulatedMark();

  Clock& clock_;
  TZR4Ctrl& link_;
  TControllerViews views_;
  const SettingsStorage* storage_;
  NoAudioOutputs noAudio_;
  TPcPorts ports_;
  std::string program_;
  bool atLogin_ = false;
  std::string title_ = kAppTitle;

  // The parts, each created after those it uses; a part that reaches one created after it, or
  // the controller's own steps, is handed a callback.
  TSettings settings_;
  TSettingsFiles settingsFiles_{storage_, views_.placement, views_.menu, views_.messages,
                                settings_};
  TStatusDisplay display_{views_.panel};
  TWindowDrag drag_{views_.placement};
  TVolumeControl scrollBar1_;
  TWindowTimers timers_{views_.panel};
  TPowerSave powerSave_{clock_};
  TSleepTimer sleepTimer_{clock_};
  TPowerEvents power_{clock_, link_, timers_, settings_.Options};
  TSimRemote simRemote_{link_};
  TAppCtrlList appCommandSets_;
  TPcCommandDispatcher pcDispatcher_{ports_.actions, settings_.Options, appCommandSets_};
  PcCommandRunner& pcCommands_{ports_.pcCommands ? *ports_.pcCommands : pcDispatcher_};
  TCommands commands_{{.link = link_,
                       .clock = clock_,
                       .window = views_.window,
                       .settings = settings_,
                       .display = display_,
                       .timers = timers_,
                       .powerSave = powerSave_,
                       .slider = scrollBar1_,
                       .refresh = [this] { Refresh(); },
                       .volumeChanged = [this] { VolumeChange(); }}};
  TActionList actions_{commands_};
  TAudioDeviceMenu audioDevices_{ports_.audio ? *ports_.audio : noAudio_};
  std::vector<TShortcutBinding> shortcuts_;
  TTaskTray tray_{
      {.actions = actions_,
       .clock = clock_,
       .settings = settings_,
       .display = display_,
       .menuView = views_.menu,
       .trayView = views_.tray,
       .window = views_.window,
       .menuItem = [this](std::string_view name) { return popupMenu_.FindByName(name); },
       .refresh = [this] { Refresh(); }}};
  TSkinControl skins_{{.messages = views_.messages,
                       .placement = views_.placement,
                       .skinView = views_.skin,
                       .window = views_.window,
                       .tray = tray_,
                       .slider = scrollBar1_,
                       .settings = settings_,
                       .actions = actions_,
                       .ports = ports_.skins}};
  TPopupMenuModel popupMenu_{{.settings = settings_,
                              .audio = audioDevices_,
                              .sleep = sleepTimer_,
                              .skins = skins_,
                              .shortcuts = shortcuts_,
                              .commands = commands_,
                              .actions = actions_,
                              .tray = tray_,
                              .window = views_.window,
                              .setTitle = [this](const std::string& t) { SetTitle(t); }}};
  TKeyboard keyboard_{views_.window, scrollBar1_, settings_.Options};
  TStationNames stations_{display_, link_, popupMenu_, settings_.Options};
  TGestureDetector gestures_{clock_, settings_, pcCommands_, link_, views_.messages};
  TMediaControls media_{{.options = settings_.Options,
                         .slider = scrollBar1_,
                         .link = link_,
                         .display = display_,
                         .actions = actions_,
                         .commands = commands_}};
  TParamExecutor executor_{
      {.link = link_,
       .clock = clock_,
       .window = views_.window,
       .options = settings_.Options,
       .powerSave = powerSave_,
       .commands = commands_,
       .chooseAudioDevice = [this](int index) { popupMenu_.AudioDevices().Click(index); }}};
  TClockTick clockTick_{{.timers = timers_,
                         .clock = clock_,
                         .sleep = sleepTimer_,
                         .powerSave = powerSave_,
                         .link = link_,
                         .stop = [this] { commands_.actStopExecute(); },
                         .settings = settings_,
                         .setTitle = [this](const std::string& t) { SetTitle(t); },
                         .executeParams = [this](const std::string& t) { ExecuteParams(t); }}};
  TOptionDialogCommand optionDialog_{{.settings = settings_,
                                      .tray = tray_,
                                      .pcDispatcher = pcDispatcher_,
                                      .dialogs = views_.dialogs,
                                      .messages = views_.messages,
                                      .panel = views_.panel,
                                      .display = display_,
                                      .timers = timers_,
                                      .stations = stations_,
                                      .powerSave = powerSave_,
                                      .slider = scrollBar1_,
                                      .setTitle = [this](const std::string& t) { SetTitle(t); },
                                      .saveSettings = [this] { settingsFiles_.SaveSettings(); },
                                      .loginStart = ports_.loginStart}};
  TAboutCommand about_{views_.dialogs, views_.tray, views_.messages, settings_, tray_};
};

}  // namespace zr4
