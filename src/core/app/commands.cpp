#include "core/app/commands.h"

#include <array>

#include "core/app/controller.h"

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
  if (c_.Options().APS) c_.PowerSave().Start(c_.Options().APSMin);
}

void TCommands::PauseAndRefresh() {
  ShortPause(c_.GetClock());
  c_.Refresh();
}

void TCommands::actPlayExecute() {
  TZR4Ctrl& link = c_.Link();
  if (link.Status.Source == kInputMD) {
    link.SendCommand(cmdMdPlay);
    ShortPause(c_.GetClock());
  } else {
    link.SendCommand(cmdCdPlay);
    ShortPause(c_.GetClock());
    c_.Display().ShowPlayTime();
  }
  c_.Refresh();
}

void TCommands::actStopExecute() {
  TZR4Ctrl& link = c_.Link();
  const int source = link.Status.Source;
  if (source == kInputCD || source == kInputMD) {
    link.SendCommand(source == kInputCD ? cmdCdStop : cmdMdStop);
    ShortPause(c_.GetClock());
  }
  c_.Refresh();
}

void TCommands::actNextExecute() {
  TZR4Ctrl& link = c_.Link();
  const int source = link.Status.Source;
  if (IsTuner(source)) link.SendCommand(cmdPresetUp);
  if (source == kInputCD) link.SendCommand(cmdCdNext);
  if (source == kInputMD) link.SendCommand(cmdMdSkipUp);
  PauseAndRefresh();
}

void TCommands::actPreviousExecute() {
  TZR4Ctrl& link = c_.Link();
  const int source = link.Status.Source;
  if (IsTuner(source)) link.SendCommand(cmdPresetDown);
  if (source == kInputCD) link.SendCommand(cmdCdPrevious);
  if (source == kInputMD) link.SendCommand(cmdMdSkipDown);
  PauseAndRefresh();
}

void TCommands::actForwardExecute() {
  TZR4Ctrl& link = c_.Link();
  if (link.Status.Source == kInputCD) link.SendCommand(cmdCdForward);
  if (link.Status.Source == kInputMD) link.SendCommand(cmdMdFF);
  PauseAndRefresh();
}

void TCommands::actRewindExecute() {
  TZR4Ctrl& link = c_.Link();
  if (link.Status.Source == kInputCD) link.SendCommand(cmdCdRewind);
  if (link.Status.Source == kInputMD) link.SendCommand(cmdMdFB);
  PauseAndRefresh();
}

void TCommands::actRepeatExecute() {
  TZR4Ctrl& link = c_.Link();
  if (link.Status.Source == kInputCD) link.SendCommand(cmdCdRepeat);
  if (link.Status.Source == kInputMD) link.SendCommand(cmdMdRepeat);
  PauseAndRefresh();
}

// The display is left alone: the next poll shows the new state.
void TCommands::actPowerExecute() {
  TZR4Ctrl& link = c_.Link();
  link.ReadStatus();
  if (link.Status.Standby == 1) link.SendCommand(cmdPowerOn);
  if (link.Status.Standby == 0) link.SendCommand(cmdPowerOff);
}

void TCommands::SelectInput(std::uint32_t command, int target) {
  TZR4Ctrl& link = c_.Link();
  link.SendCommand(command);
  ShortPause(c_.GetClock());
  // The record still holds the input from before the command.
  AutoVolume(link.Status.Source, target);
  c_.Refresh();
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
  c_.Display().HideUnit();
  // Poll faster at once so that the play time keeps up.
  if (!c_.Options().RemoConEnable) c_.Timers().SetPollInterval(kPollCdMs);
  c_.Display().ShowPlayTime();
}

void TCommands::actVolumeChangeExecute() {
  c_.VolumeChange();
}

void TCommands::actEjectExecute() {
  TZR4Ctrl& link = c_.Link();
  if (link.Status.Source == kInputCD) {
    link.SendCommand(cmdCdStop);
    ShortPause(c_.GetClock());
  }
  link.SendCommand(cmdEject);
  PauseAndRefresh();
}

void TCommands::actMuteExecute() {
  c_.Link().SendCommand(cmdMute);
  PauseAndRefresh();
}

// The component steps TONE, N.B.1, N.B.2 and back to TONE.
void TCommands::actToneExecute() {
  c_.Link().SendCommand(cmdTone);
  PauseAndRefresh();
}

void TCommands::actAutoManuExecute() {
  if (!IsTuner(c_.Link().Status.Source)) return;
  c_.Link().SendCommand(cmdAutoManual);
  PauseAndRefresh();
}

void TCommands::actRandomExecute() {
  c_.Link().SendCommand(cmdRandom);
  PauseAndRefresh();
}

void TCommands::actMinimizeExecute() {
  c_.View().Minimize();
}
void TCommands::actExitExecute() {
  c_.View().CloseWindow();
}

void TCommands::actInputLevelUpExecute() {
  c_.Link().SendCommand(cmdInputLevelUp);
}
void TCommands::actInputLevelDnExecute() {
  c_.Link().SendCommand(cmdInputLevelDn);
}

void TCommands::MoveVolume(int delta) {
  c_.ScrollBar1().SetPosition(c_.ScrollBar1().Position() + delta);
}

void TCommands::actVolumeUpExecute() {
  MoveVolume(c_.Options().VolLR);
}
void TCommands::actVolumeDnExecute() {
  MoveVolume(-c_.Options().VolLR);
}
void TCommands::actVolumeUpBExecute() {
  MoveVolume(c_.Options().VolUD);
}
void TCommands::actVolumeDownBExecute() {
  MoveVolume(-c_.Options().VolUD);
}

int TCommands::NextModeInput(int source) const {
  const int at = ModeCycleIndex(source);
  if (at < 0) return kInputNone;
  const TOptionData& o = c_.Options();
  const std::array<bool, 5> visits = {o.ModeTuner, o.ModeCD, o.ModeMD, o.ModeAUX, o.ModeUSB};
  // The current input's own flag is never consulted.
  for (std::size_t step = 1; step < kModeCycle.size(); ++step) {
    const std::size_t candidate = (at + step) % kModeCycle.size();
    if (visits[candidate]) return kModeCycle[candidate];
  }
  return kModeCycle[(at + 1) % kModeCycle.size()];
}

void TCommands::actModeChangeExecute() {
  TZR4Ctrl& link = c_.Link();
  const int source = link.Status.Source;
  const int next = NextModeInput(source);
  if (next == kInputNone) return;
  link.SendCommand(SelectCommand(next));
  ShortPause(c_.GetClock());
  AutoVolume(source, next);
  c_.Refresh();
}

void TCommands::AutoVolume(int from, int to) {
  const TOptionData& o = c_.Options();
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
  MoveVolume(offset(to) - offset(from));
}

void TCommands::VolumePresetClick(int volume) {
  c_.Link().SetVolume(volume);
  c_.Refresh();
}

void TCommands::TunerDirectClick(int preset) {
  TZR4Ctrl& link = c_.Link();
  link.CallPreset(preset);
  ShortPause(c_.GetClock());
  AutoVolume(link.Status.Source, kInputFM);
  c_.Refresh();
}

void TCommands::CdDirectClick(int track) {
  c_.Link().PlayTrack(track);
  PauseAndRefresh();
}

void TCommands::DeviceKeyClick(std::uint32_t command) {
  c_.Link().SendCommand(command);
  PauseAndRefresh();
}

void TCommands::AlwaysOnTopClick() {
  bool& onTop = c_.Settings().OnTop;
  onTop = !onTop;
  c_.View().SetTopmost(onTop);
}

void TCommands::AutoOnClick() {
  c_.Options().AutoOn = !c_.Options().AutoOn;
}
void TCommands::AutoOffClick() {
  c_.Options().AutoOff = !c_.Options().AutoOff;
}

}  // namespace zr4
