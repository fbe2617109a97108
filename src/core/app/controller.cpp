#include "core/app/controller.h"

#include <cstdio>

#include "core/app/forwarding.h"
#include "core/ports/log.h"

namespace zr4 {

namespace {
constexpr int kTimer1IntervalMs = 5000;
constexpr int kPollGestureMs = 200;
constexpr int kPollCdMs = 1000;
constexpr int kPollIdleMs = 5000;
constexpr int kNoiseBlankerWaitMs = 1000;
constexpr int kAutomaticResumeWaitMs = 8000;

const char* ToneText(int mode) {
  switch (mode) {
    case 1:
      return "TONE";
    case 2:
      return "N.B.1";
    case 3:
      return "N.B.2";
    default:
      return "";
  }
}

const char* TuneText(int mode) {
  switch (mode) {
    case 1:
      return "Auto";
    case 2:
      return "Manual";
    default:
      return "";
  }
}

const char* PlayModeText(int mode) {
  switch (mode) {
    case 1:
      return "repeat";
    case 2:
      return "repAll";
    case 3:
      return "random";
    case 4:
      return "rep&&ran";
    default:
      return "";
  }
}

std::string Frequency(const TDeviceStatus& status, const char* format) {
  char text[32];
  std::snprintf(text, sizeof text, format, status.FreqHigh, status.FreqLow);
  return text;
}
}  // namespace

TController::TController(Clock& clock, TZR4Ctrl& link, ControllerView& view,
                         const SettingsStorage* settings)
    : clock_(clock), link_(link), view_(view), settings_(settings) {}

void TController::FormCreate(const std::vector<std::string>& params) {
  ResumeCounter = 0;
  if (!link_.Found) view_.ShowMessage(kNoDeviceMessage);

  Timer1 = {false, kTimer1IntervalMs};
  Timer2 = {false, kPollCdMs};
  view_.TimersChanged();
  view_.TitleChanged(kAppTitle);

  link_.ReadStatus();
  LoadSettings();
  if (!params.empty()) ExecuteParams(EncodeOwnParams(params));
  LoadShortcuts();

  if (Options.AutoOn) link_.SendCommand(cmdPowerOn);

  if (Options.NBCut) ResetNoiseBlanker();

  ShowStatus(link_.Status);

  Timer2.Interval = PollInterval();

  // Set the slider up before its change event is attached, so that this sends nothing.
  ScrollBar1.OnChange = nullptr;
  ScrollBar1.SmallChange = Options.VolLR;
  ScrollBar1.LargeChange = Options.VolUD;
  ScrollBar1.SetMax(Options.VolMax);
  ScrollBar1.SetPosition(link_.Status.Volume);
  view_.VolumePositionChanged(ScrollBar1.Position());
  ScrollBar1.OnChange = [this] { VolumeChange(); };

  Timer1.Enabled = true;
  Timer2.Enabled = true;
  view_.TimersChanged();

  if (Options.APS) StartAps(Options.APSMin);
}

// The tone mode steps TONE, N.B.1, N.B.2, TONE: both paths end at TONE.
void TController::ResetNoiseBlanker() {
  TDeviceStatus& status = link_.Status;
  if (!Options.NB2Cut && status.ToneMode == 2) {
    WaitTicks(clock_, kNoiseBlankerWaitMs);
    link_.SendCommand(cmdTone);
    link_.SendCommand(cmdTone);
    status.ToneMode = 1;
  }
  if (status.ToneMode == 3) {
    WaitTicks(clock_, kNoiseBlankerWaitMs);
    link_.SendCommand(cmdTone);
    status.ToneMode = 1;
  }
}

int TController::PollInterval() const {
  if (Options.RemoConEnable) return kPollGestureMs;
  if (link_.Status.Source == kInputCD) return kPollCdMs;
  return kPollIdleMs;
}

void TController::ShowStatus(const TDeviceStatus& status) {
  if (!(status == LastStatus)) {
    TPanelLabels& l = Labels;
    l.lbMute = status.Mute == 1 ? "Mute" : "";
    l.lbTone = ToneText(status.ToneMode);
    l.lbVol = TwoDigits(status.Volume);
    view_.LabelsChanged();
    ScrollBar1.SetPosition(status.Volume);

    switch (status.Source) {
      case kInputFM:
      case kInputAM: {
        const bool fm = status.Source == kInputFM;
        l.lbInput = fm ? "FM" : "AM";
        l.lbPresetNum = TwoDigits(status.Preset);
        l.lbRadioNum = Frequency(status, fm ? "%.2d.%.2d" : "%.2d%.2d");
        l.lbHz = fm ? "MHz" : "kHz";
        // Selecting the CD hides the unit; it comes back with the frequency unless a station
        // name stands in its place.
        if (!l.lbRadioNameVisible) l.lbHzVisible = true;
        l.lbAutoManu = TuneText(status.TuneMode);
        l.lbRepeat = "";
        break;
      }
      case kInputCD: {
        char time[32];
        std::snprintf(time, sizeof time, "%.2d:%.2d", status.CdMinute, status.CdSecond);
        l.lbInput = "CD";
        l.lbPresetNum = TwoDigits(status.CdTrack);
        l.lbRadioNum = time;
        l.lbHz = "";
        l.lbAutoManu = "";
        l.lbRepeat = PlayModeText(status.PlayMode);
        l.lbRadioName = "";
        l.lbRadioNumVisible = true;
        break;
      }
      case kInputMD:
      case kInputAUX:
      case kInputUSB:
        l.lbInput = status.Source == kInputMD    ? "MD"
                    : status.Source == kInputAUX ? "TAPE/AUX"
                    : status.UsbPlayback == 1    ? "PC USB PB"
                                                 : "PC USB";
        l.lbPresetNum = l.lbRadioNum = l.lbHz = l.lbAutoManu = l.lbRepeat = "";
        l.lbRadioName = "";
        l.lbRadioNameVisible = false;
        break;
      default:
        break;
    }
    view_.LabelsChanged();
    TrayTipLatch = false;
    // Any change of the component's state counts as activity for the power save.
    if (ApsActive) StartAps(Options.APSMin);
  }
  LastStatus = status;
}

void TController::Refresh() {
  link_.ReadStatus();
  ShowStatus(link_.Status);
}

void TController::VolumeChange() {
  const int position = ScrollBar1.Position();
  link_.SetVolume(position);
  Labels.lbVol = TwoDigits(position);
  view_.LabelsChanged();
  if (Options.APS) StartAps(Options.APSMin);
  view_.VolumePositionChanged(position);
}

void TController::StartAps(int minutes) {
  ApsActive = true;
  ApsEndTick = clock_.TickCount() + std::int64_t{minutes} * 60'000;
}

void TController::SetTimer2(bool enabled) {
  Timer2.Enabled = enabled;
  view_.TimersChanged();
}

// The 5-second clock tick. It drives the sleep timer, the automatic power-save countdown and the
// scheduled timers; until those exist it has nothing to do, but the timer runs from the end of
// window creation as it always will, so that adding them changes no start-up order.
void TController::Timer1Timer() {}

void TController::Timer2Timer() {
  SetTimer2(false);
  Timer2.Interval = PollInterval();
  Refresh();
  SetTimer2(true);
}

void TController::ExecuteParams(const std::string& text) {
  LogText("ExecuteParams: " + text);
}

void TController::PowerBroadcast(int event) {
  char line[48];
  std::snprintf(line, sizeof line, "WMPowerBroadcast: %.2X", static_cast<unsigned>(event));
  LogText(line);
  switch (event) {
    case PBT_APMSUSPEND:
      SetTimer2(false);
      if (Options.SuspendOff) link_.SendCommand(cmdPowerOff);
      break;
    case PBT_APMRESUMESUSPEND:
      if (ResumeCounter == 1) {
        ResumeActions();
      } else {
        ++ResumeCounter;
      }
      break;
    case PBT_APMRESUMEAUTOMATIC:
      if (ResumeCounter == 1) {
        WaitWithMessages(clock_, kAutomaticResumeWaitMs);
        ResumeActions();
      } else {
        ++ResumeCounter;
      }
      break;
    default:
      break;
  }
}

void TController::ResumeActions() {
  if (Options.SuspendOn) link_.SendCommand(cmdPowerOn);
  SetTimer2(true);
  ResumeCounter = 0;
}

bool TController::QueryEndSession() {
  SaveSettings();
  if (Options.AutoOff) link_.SendCommand(cmdPowerOff);
  return true;
}

void TController::FormClose() {
  SaveSettings();
  if (Options.AutoOff) link_.SendCommand(cmdPowerOff);
}

}  // namespace zr4
