#include "core/commands/commands.h"

#include <array>

#include "core/device/zr4ctrl.h"
#include "core/panel/status_display.h"
#include "core/panel/volume_control.h"
#include "core/panel/window_timers.h"
#include "core/panel/window_view.h"
#include "core/ports/clock.h"
#include "core/settings/settings.h"
#include "core/timers/power_save.h"

namespace zr4 {

namespace {

bool IsTuner(int source) {
  return source == kInputFM || source == kInputAM;
}

// Inputs in the order the mode button steps through them; the tuner stands for FM and AM.
constexpr std::array<int, 5> kModeCycle = {kInputFM, kInputCD, kInputMD, kInputAUX, kInputUSB};

int ModeCycleIndex(int source) {
  switch (source) {
    case kInputFM:
    case kInputAM:
      return 0;
    case kInputCD:
      return 1;
    case kInputMD:
      return 2;
    case kInputAUX:
      return 3;
    case kInputUSB:
      return 4;
    default:
      return -1;
  }
}

std::uint32_t SelectCommand(int input) {
  switch (input) {
    case kInputCD:
      return cmdSelectCD;
    case kInputMD:
      return cmdSelectMD;
    case kInputAUX:
      return cmdSelectAUX;
    case kInputUSB:
      return cmdSelectUSB;
    default:
      return cmdSelectTuner;
  }
}

}  // namespace

void TCommands::ActionList1Execute() {
  if (u_.settings.Options.APS) u_.powerSave.Start(u_.settings.Options.APSMin);
}

void TCommands::PauseAndRefresh() {
  ShortPause(u_.clock);
  u_.refresh();
}

void TCommands::actPlayExecute() {
  TZR4Ctrl& link = u_.link;
  if (link.Status.Source == kInputMD) {
    link.SendCommand(cmdMdPlay);
    ShortPause(u_.clock);
  } else {
    link.SendCommand(cmdCdPlay);
    ShortPause(u_.clock);
    u_.display.ShowPlayTime();
  }
  u_.refresh();
}

void TCommands::actStopExecute() {
  TZR4Ctrl& link = u_.link;
  const int source = link.Status.Source;
  if (source == kInputCD || source == kInputMD) {
    link.SendCommand(source == kInputCD ? cmdCdStop : cmdMdStop);
    ShortPause(u_.clock);
  }
  u_.refresh();
}

void TCommands::actNextExecute() {
  TZR4Ctrl& link = u_.link;
  const int source = link.Status.Source;
  if (IsTuner(source)) link.SendCommand(cmdPresetUp);
  if (source == kInputCD) link.SendCommand(cmdCdNext);
  if (source == kInputMD) link.SendCommand(cmdMdSkipUp);
  PauseAndRefresh();
}

void TCommands::actPreviousExecute() {
  TZR4Ctrl& link = u_.link;
  const int source = link.Status.Source;
  if (IsTuner(source)) link.SendCommand(cmdPresetDown);
  if (source == kInputCD) link.SendCommand(cmdCdPrevious);
  if (source == kInputMD) link.SendCommand(cmdMdSkipDown);
  PauseAndRefresh();
}

void TCommands::actForwardExecute() {
  TZR4Ctrl& link = u_.link;
  if (link.Status.Source == kInputCD) link.SendCommand(cmdCdForward);
  if (link.Status.Source == kInputMD) link.SendCommand(cmdMdFF);
  PauseAndRefresh();
}

void TCommands::actRewindExecute() {
  TZR4Ctrl& link = u_.link;
  if (link.Status.Source == kInputCD) link.SendCommand(cmdCdRewind);
  if (link.Status.Source == kInputMD) link.SendCommand(cmdMdFB);
  PauseAndRefresh();
}

void TCommands::actRepeatExecute() {
  TZR4Ctrl& link = u_.link;
  if (link.Status.Source == kInputCD) link.SendCommand(cmdCdRepeat);
  if (link.Status.Source == kInputMD) link.SendCommand(cmdMdRepeat);
  PauseAndRefresh();
}

// The display is left alone: the next poll shows the new state.
void TCommands::actPowerExecute() {
  TZR4Ctrl& link = u_.link;
  link.ReadStatus();
  if (link.Status.Standby == 1) link.SendCommand(cmdPowerOn);
  if (link.Status.Standby == 0) link.SendCommand(cmdPowerOff);
}

void TCommands::SelectInput(std::uint32_t command, int target) {
  TZR4Ctrl& link = u_.link;
  link.SendCommand(command);
  ShortPause(u_.clock);
  // The record still holds the input from before the command.
  AutoVolume(link.Status.Source, target);
  u_.refresh();
}

void TCommands::actSelectUSBExecute() {
  SelectInput(cmdSelectUSB, kInputUSB);
}
void TCommands::actSelectAUXExecute() {
  SelectInput(cmdSelectAUX, kInputAUX);
}
void TCommands::actSelectMDExecute() {
  SelectInput(cmdSelectMD, kInputMD);
}
void TCommands::actSelectBANDExecute() {
  SelectInput(cmdSelectBand, kInputFM);
}
void TCommands::actSelectTUNERExecute() {
  SelectInput(cmdSelectTuner, kInputFM);
}

void TCommands::actSelectCDExecute() {
  SelectInput(cmdSelectCD, kInputCD);
  u_.display.HideUnit();
  // Poll faster at once so that the play time keeps up.
  if (!u_.settings.Options.RemoConEnable) u_.timers.SetPollInterval(kPollCdMs);
  u_.display.ShowPlayTime();
}

void TCommands::actVolumeChangeExecute() {
  u_.volumeChanged();
}

void TCommands::actEjectExecute() {
  TZR4Ctrl& link = u_.link;
  if (link.Status.Source == kInputCD) {
    link.SendCommand(cmdCdStop);
    ShortPause(u_.clock);
  }
  link.SendCommand(cmdEject);
  PauseAndRefresh();
}

void TCommands::actMuteExecute() {
  u_.link.SendCommand(cmdMute);
  PauseAndRefresh();
}

// The component steps TONE, N.B.1, N.B.2 and back to TONE.
void TCommands::actToneExecute() {
  u_.link.SendCommand(cmdTone);
  PauseAndRefresh();
}

void TCommands::actAutoManuExecute() {
  if (!IsTuner(u_.link.Status.Source)) return;
  u_.link.SendCommand(cmdAutoManual);
  PauseAndRefresh();
}

void TCommands::actRandomExecute() {
  u_.link.SendCommand(cmdRandom);
  PauseAndRefresh();
}

void TCommands::actMinimizeExecute() {
  u_.window.Minimize();
}
void TCommands::actExitExecute() {
  u_.window.CloseWindow();
}

void TCommands::actInputLevelUpExecute() {
  u_.link.SendCommand(cmdInputLevelUp);
}
void TCommands::actInputLevelDnExecute() {
  u_.link.SendCommand(cmdInputLevelDn);
}

void TCommands::actVolumeUpExecute() {
  u_.slider.Step(u_.settings.Options.VolLR);
}
void TCommands::actVolumeDnExecute() {
  u_.slider.Step(-u_.settings.Options.VolLR);
}
void TCommands::actVolumeUpBExecute() {
  u_.slider.Step(u_.settings.Options.VolUD);
}
void TCommands::actVolumeDownBExecute() {
  u_.slider.Step(-u_.settings.Options.VolUD);
}

int TCommands::NextModeInput(int source) const {
  const int at = ModeCycleIndex(source);
  if (at < 0) return kInputNone;
  const TOptionData& o = u_.settings.Options;
  const std::array<bool, 5> visits = {o.ModeTuner, o.ModeCD, o.ModeMD, o.ModeAUX, o.ModeUSB};
  // The current input's own flag is never consulted.
  for (std::size_t step = 1; step < kModeCycle.size(); ++step) {
    const std::size_t candidate = (at + step) % kModeCycle.size();
    if (visits[candidate]) return kModeCycle[candidate];
  }
  return kModeCycle[(at + 1) % kModeCycle.size()];
}

void TCommands::actModeChangeExecute() {
  TZR4Ctrl& link = u_.link;
  const int source = link.Status.Source;
  const int next = NextModeInput(source);
  if (next == kInputNone) return;
  link.SendCommand(SelectCommand(next));
  ShortPause(u_.clock);
  AutoVolume(source, next);
  u_.refresh();
}

void TCommands::AutoVolume(int from, int to) {
  const TOptionData& o = u_.settings.Options;
  if (!o.AutoVolChange || from == to || from == kInputNone) return;
  auto offset = [&o](int input) {
    switch (input) {
      case kInputCD:
        return o.VolCD;
      case kInputMD:
        return o.VolMD;
      case kInputAUX:
        return o.VolAUX;
      case kInputUSB:
        return o.VolUSB;
      default:
        return 0;  // the tuner is the reference level
    }
  };
  u_.slider.Step(offset(to) - offset(from));
}

void TCommands::VolumePresetClick(int volume) {
  u_.link.SetVolume(volume);
  u_.refresh();
}

void TCommands::TunerDirectClick(int preset) {
  TZR4Ctrl& link = u_.link;
  link.CallPreset(preset);
  ShortPause(u_.clock);
  AutoVolume(link.Status.Source, kInputFM);
  u_.refresh();
}

void TCommands::CdDirectClick(int track) {
  u_.link.PlayTrack(track);
  PauseAndRefresh();
}

void TCommands::DeviceKeyClick(std::uint32_t command) {
  u_.link.SendCommand(command);
  PauseAndRefresh();
}

void TCommands::AlwaysOnTopClick() {
  bool& onTop = u_.settings.OnTop;
  onTop = !onTop;
  u_.window.SetTopmost(onTop);
}

void TCommands::AutoOnClick() {
  u_.settings.Options.AutoOn = !u_.settings.Options.AutoOn;
}
void TCommands::AutoOffClick() {
  u_.settings.Options.AutoOff = !u_.settings.Options.AutoOff;
}

}  // namespace zr4
