#include "core/app/controller.h"

#include <cstdio>

#include "core/base/ini_file.h"
#include "core/instance/forwarding.h"
#include "core/panel/status_report.h"
#include "core/ports/log.h"
#include "core/settings/settings_backup.h"

namespace zr4 {

namespace {
constexpr int kNoiseBlankerWaitMs = 1000;
}  // namespace

TController::TController(Clock& clock, TZR4Ctrl& link, TControllerViews views,
                         const SettingsStorage* storage, TPcPorts ports)
    : clock_(clock), link_(link), views_(views), storage_(storage), ports_(ports) {
  actions_.SetHandler("actPopupMenu", [this] { tray_.actPopupMenuExecute(); });
  actions_.SetHandler("actMinimizeRestore", [this] { tray_.actMinimizeRestoreExecute(); });
  actions_.SetHandler("actSetForeground", [this] { tray_.actSetForegroundExecute(); });
  actions_.SetHandler("actOptionDialog", [this] { optionDialog_.Execute(); });
  actions_.SetHandler("actAbout", [this] { about_.Execute(); });
  optionDialog_.LoadSkinFile = [this] { skins_.LoadChosenSkin(); };
  about_.Simulated = [this] { return Simulated(); };
  about_.SkinCredits = [this] {
    const TExInfo& info = skins_.Look().Info.ExInfo;
    return std::pair{info.Author, info.Description};
  };
}

void TController::FormCreate(const TStartup& startup) {
  power_.Reset();
  program_ = startup.program;
  atLogin_ = startup.atLogin;
  simRemote_.Attach(startup.simulator);
  ShowDiscoveryNotice(startup.discovery);
  ShowSimulatedMark();

  timers_.Set({false, kTimer1IntervalMs}, {false, kPollCdMs});
  SetTitle(kAppTitle);
  tray_.SetDoubleClickTime(startup.doubleClickMs);
  tray_.Clicks().SetHostClicks(startup.trayClicks);
  gestures_.ClearCollecting();

  tray_.RegisterTrayActions();
  link_.ReadStatus();
  settingsFiles_.LoadSettings();
  tray_.LoadClickNames();
  if (!startup.params.empty()) ExecuteParams(EncodeOwnParams(startup.params));
  settingsFiles_.LoadShortcuts(shortcuts_);

  if (settings_.Options.AutoOn) link_.SendCommand(cmdPowerOn);
  stations_.LoadStations(storage_);

  skins_.ScanSkins();
  popupMenu_.FillSkins(skins_);
  skins_.LoadStartupSkin(settings_.Options.SkinIniName);
  about_.LoadStartupIcon();
  tray_.ShowAtStart();

  if (settings_.Options.NBCut) ResetNoiseBlanker();

  ShowStatus(link_.Status);

  // The first poll comes soon whatever the input; the rule for the inputs applies from the
  // first tick on.
  timers_.SetPollInterval(settings_.Options.RemoConEnable ? kPollGestureMs : kPollCdMs);

  SetUpVolumeSlider();

  timers_.Set({true, kTimer1IntervalMs}, {true, timers_.Timer2().Interval});

  if (settings_.Options.APS) powerSave_.Start(settings_.Options.APSMin);

  settingsFiles_.LoadAppCommandSets(appCommandSets_);
}

void TController::ShowDiscoveryNotice(TDiscoveryOutcome discovery) {
  // A link without a device is a missing component, whatever the platform reported.
  discovery.componentMissing = discovery.componentMissing || !link_.Found;
  const std::string notice = DiscoveryNotice(discovery, program_);
  if (notice.empty()) return;
  // At login a box would hold the session's start until someone clicks it, with the component
  // merely switched off; the notification says the same and goes away by itself.
  if (atLogin_)
    views_.messages.ShowNotification(kAppTitle, notice);
  else
    views_.messages.ShowMessage(notice);
}

void TController::DeviceRediscovered(const TDiscoveryOutcome& discovery) {
  // Only a refused open is news here: the user heard at start that no component answered.
  if (!discovery.deniedPath.empty())
    views_.messages.ShowMessage(DiscoveryNotice(discovery, program_));
  // A ZR4PC plugged in replaces the simulated component: the window stops saying it is one.
  ShowSimulatedMark();
  Refresh();
}

void TController::ShowSimulatedMark() {
  views_.panel.SimulatedMarkChanged(Simulated() ? kSimulatedMark : "");
}

// Set the slider up before its change event is attached, so that this sends nothing.
void TController::SetUpVolumeSlider() {
  scrollBar1_.OnChange = nullptr;
  scrollBar1_.SmallChange = settings_.Options.VolLR;
  scrollBar1_.LargeChange = settings_.Options.VolUD;
  scrollBar1_.SetMax(settings_.Options.VolMax);
  scrollBar1_.SetPosition(link_.Status.Volume);
  views_.panel.VolumeSliderChanged(SliderOf(scrollBar1_));
  skins_.PlaceVolumeKnob(scrollBar1_.Position());
  scrollBar1_.OnChange = [this] { VolumeChange(); };
}

// The tone mode steps TONE, N.B.1, N.B.2, TONE: both paths end at TONE.
void TController::ResetNoiseBlanker() {
  TDeviceStatus& status = link_.Status;
  if (!settings_.Options.NB2Cut && status.ToneMode == 2) {
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

void TController::ShowStatus(const TDeviceStatus& status) {
  const TDeviceStatus previous = display_.LastStatus();
  if (display_.Show(status)) {
    tray_.StatusChanged();
    const bool tuner = status.Source == kInputFM || status.Source == kInputAM;
    if (tuner && settings_.Options.ShowRadioName) stations_.ShowStationName();
    // Setting the slider echoes the volume back to the component; above VolMax it pulls the
    // component down to the limit.
    scrollBar1_.SetPosition(status.Volume);
    // Any change of the component's state counts as activity for the power save.
    if (powerSave_.Active()) powerSave_.Start(settings_.Options.APSMin);
  }
  // Every record, changed or not: a gesture ends by a pause without change.
  if (settings_.Options.RemoConEnable) gestures_.DetectGesture(status, previous);
  media_.Observe(status, clock_.TickCount());
  views_.panel.StatusShown();
}

void TController::Refresh() {
  link_.ReadStatus();
  ShowStatus(link_.Status);
}

void TController::VolumeChange() {
  const int position = scrollBar1_.Position();
  link_.SetVolume(position);
  display_.ShowVolume(position);
  if (settings_.Options.APS) powerSave_.Start(settings_.Options.APSMin);
  views_.panel.VolumeSliderChanged(SliderOf(scrollBar1_));
  skins_.PlaceVolumeKnob(position);
}

void TController::Timer1Timer() {
  clockTick_.Timer1Timer();
}

void TController::Timer2Timer() {
  const TTickGuard tick = timers_.Timer2Tick();
  if (!tick.Entered()) return;
  timers_.SetPollInterval(NextPollInterval(settings_.Options.RemoConEnable, link_.Status.Source));
  Refresh();
}

bool TController::QueryEndSession() {
  settingsFiles_.SaveSettings();
  if (settings_.Options.AutoOff) link_.SendCommand(cmdPowerOff);
  return true;
}

void TController::FormClose() {
  settingsFiles_.SaveSettings();
  tray_.FormClose();
  if (settings_.Options.AutoOff) link_.SendCommand(cmdPowerOff);
}

void TController::SetTitle(const std::string& title) {
  title_ = title;
  views_.panel.TitleChanged(title);
  tray_.TitleChanged(title);
}

}  // namespace zr4
