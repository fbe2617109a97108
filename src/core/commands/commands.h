// What every operation command does: which frames go to the component, where the component gets
// its 200 ms to act, and when the window reads the status back. Buttons, the right-click menu,
// keys, the wheel, shortcuts, tray clicks, timers and forwarded parameters all end here.
// No command checks whether the component is on; only the power toggle looks at Standby.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace zr4 {

class Clock;
class WindowView;
class TPowerSave;
class TStatusDisplay;
class TVolumeControl;
class TWindowTimers;
class TZR4Ctrl;
struct TSettings;

class TCommands {
 public:
  // What the commands act on. `refresh` reads the status and shows it; `volumeChanged` runs
  // what a moved slider runs.
  struct Uses {
    TZR4Ctrl& link;
    Clock& clock;
    WindowView& window;
    TSettings& settings;
    TStatusDisplay& display;
    TWindowTimers& timers;
    TPowerSave& powerSave;
    TVolumeControl& slider;
    std::function<void()> refresh;
    std::function<void()> volumeChanged;
  };
  explicit TCommands(Uses uses) : u_(std::move(uses)) {}

  // Runs before every action started through the action list: any use of the window restarts
  // the automatic power save while it is on.
  void ActionList1Execute();

  // The actions' handlers.
  void actPlayExecute();
  void actStopExecute();
  void actNextExecute();
  void actPreviousExecute();
  void actForwardExecute();
  void actRewindExecute();
  void actPowerExecute();
  void actSelectUSBExecute();
  void actSelectCDExecute();
  void actSelectAUXExecute();
  void actSelectMDExecute();
  void actSelectBANDExecute();
  void actSelectTUNERExecute();
  void actVolumeChangeExecute();
  void actEjectExecute();
  void actRepeatExecute();
  void actMuteExecute();
  void actToneExecute();
  void actAutoManuExecute();
  void actRandomExecute();
  void actMinimizeExecute();
  void actExitExecute();
  void actInputLevelUpExecute();
  void actInputLevelDnExecute();
  void actVolumeUpExecute();
  void actVolumeDnExecute();
  void actVolumeUpBExecute();
  void actVolumeDownBExecute();
  void actModeChangeExecute();

  // Menu handlers.
  // "Vol. &10" … "Vol. &50": sets the component's volume past the slider, so VolMax does not
  // hold it back; the refresh then pulls the slider (and with it the component) to the limit.
  void VolumePresetClick(int volume);
  // TUNER "Direct" n: calls the preset (the link selects the tuner first).
  void TunerDirectClick(int preset);
  // CD "Direct" n: plays track n whatever the input.
  void CdDirectClick(int track);
  // A TAPE or MD key: sent whatever the input.
  void DeviceKeyClick(std::uint32_t command);
  void AlwaysOnTopClick();
  void AutoOnClick();
  void AutoOffClick();

  // The input the mode button goes to from `source` (0 when there is none), by the ModeBtn flags.
  int NextModeInput(int source) const;

  // Keeps the loudness when the input changes: each input's offset against the tuner.
  void AutoVolume(int from, int to);

 private:
  void SelectInput(std::uint32_t command, int target);
  void PauseAndRefresh();

  Uses u_;
};

}  // namespace zr4
