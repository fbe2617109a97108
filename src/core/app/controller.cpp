#include "core/app/controller.h"

#include <cstdio>

#include "core/automation/forwarding.h"
#include "core/base/ini_file.h"
#include "core/ports/log.h"
#include "core/settings/settings_backup.h"

namespace zr4 {

namespace {
constexpr int kNoiseBlankerWaitMs = 1000;
constexpr int kAutomaticResumeWaitMs = 8000;
}  // namespace

TController::TController(Clock& clock, TZR4Ctrl& link, ControllerView& view,
                         const SettingsStorage* storage, TPcPorts ports)
    : clock_(clock), link_(link), view_(view), storage_(storage), ports_(ports) {
  if (ports_.pcCommands == nullptr) ports_.pcCommands = &pcDispatcher_;
  actions_.SetHandler("actPopupMenu", [this] { tray_.actPopupMenuExecute(); });
  actions_.SetHandler("actMinimizeRestore", [this] { tray_.actMinimizeRestoreExecute(); });
  actions_.SetHandler("actSetForeground", [this] { tray_.actSetForegroundExecute(); });
  actions_.SetHandler("actOptionDialog", [this] { optionDialog_.Execute(); });
  actions_.SetHandler("actAbout", [this] { about_.Execute(); });
  optionDialog_.LoadSkinFile = [this] { skins_.LoadChosenSkin(); };
  about_.SkinCredits = [this] {
    const TExInfo& info = skins_.Look().Info.ExInfo;
    return std::pair{info.Author, info.Description};
  };
}

void TController::FormCreate(const TStartup& startup) {
  resumeCounter_ = 0;
  program_ = startup.program;
  simRemote_.Attach(startup.simulator);
  ShowDiscoveryNotice(startup.discovery);

  timers_.Set({false, kTimer1IntervalMs}, {false, kPollCdMs});
  SetTitle(kAppTitle);
  tray_.SetDoubleClickTime(startup.doubleClickMs);
  tray_.Clicks().SetHostClicks(startup.trayClicks);
  gestures_.ClearCollecting();

  tray_.RegisterTrayActions();
  link_.ReadStatus();
  LoadSettings();
  tray_.LoadClickNames();
  if (!startup.params.empty()) ExecuteParams(EncodeOwnParams(startup.params));
  LoadShortcuts();

  if (Options().AutoOn) link_.SendCommand(cmdPowerOn);
  stations_.LoadStations(storage_);

  skins_.ScanSkins();
  popupMenu_.FillSkins(skins_);
  skins_.LoadStartupSkin(Options().SkinIniName);
  about_.LoadStartupIcon();
  tray_.ShowAtStart();

  if (Options().NBCut) ResetNoiseBlanker();

  ShowStatus(link_.Status);

  // The first poll comes soon whatever the input; the rule for the inputs applies from the
  // first tick on.
  timers_.SetPollInterval(Options().RemoConEnable ? kPollGestureMs : kPollCdMs);

  SetUpVolumeSlider();

  timers_.Set({true, kTimer1IntervalMs}, {true, timers_.Timer2().Interval});

  if (Options().APS) powerSave_.Start(Options().APSMin);

  LoadAppCommandSets();
}

TAudioDeviceMenu& TController::AudioDevices() {
  if (!audioDevicesRead_) {
    audioDevicesRead_ = true;
    audioDevices_.Build();
    popupMenu_.FillAudioDevices(audioDevices_);
  }
  return audioDevices_;
}

void TController::ShowDiscoveryNotice(TDiscoveryOutcome discovery) {
  // A link without a device is a missing component, whatever the platform reported.
  discovery.componentMissing = discovery.componentMissing || !link_.Found;
  if (const std::string notice = DiscoveryNotice(discovery, program_); !notice.empty())
    view_.ShowMessage(notice);
}

void TController::DeviceRediscovered(const TDiscoveryOutcome& discovery) {
  // Only a refused open is news here: the user heard at start that no component answered.
  if (!discovery.deniedPath.empty()) view_.ShowMessage(DiscoveryNotice(discovery, program_));
  Refresh();
}

// Set the slider up before its change event is attached, so that this sends nothing.
void TController::SetUpVolumeSlider() {
  scrollBar1_.OnChange = nullptr;
  scrollBar1_.SmallChange = Options().VolLR;
  scrollBar1_.LargeChange = Options().VolUD;
  scrollBar1_.SetMax(Options().VolMax);
  scrollBar1_.SetPosition(link_.Status.Volume);
  view_.VolumeSliderChanged(VolumeSlider());
  skins_.PlaceVolumeKnob(scrollBar1_.Position());
  scrollBar1_.OnChange = [this] { VolumeChange(); };
}

// The tone mode steps TONE, N.B.1, N.B.2, TONE: both paths end at TONE.
void TController::ResetNoiseBlanker() {
  TDeviceStatus& status = link_.Status;
  if (!Options().NB2Cut && status.ToneMode == 2) {
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
    if (tuner && Options().ShowRadioName) stations_.ShowStationName();
    // Setting the slider echoes the volume back to the component; above VolMax it pulls the
    // component down to the limit.
    scrollBar1_.SetPosition(status.Volume);
    // Any change of the component's state counts as activity for the power save.
    if (powerSave_.Active()) powerSave_.Start(Options().APSMin);
  }
  // Every record, changed or not: a gesture ends by a pause without change.
  if (Options().RemoConEnable) gestures_.DetectGesture(status, previous);
  media_.Observe(status, clock_.TickCount());
  view_.StatusShown();
}

void TController::Refresh() {
  link_.ReadStatus();
  ShowStatus(link_.Status);
}

void TController::VolumeChange() {
  const int position = scrollBar1_.Position();
  link_.SetVolume(position);
  display_.ShowVolume(position);
  if (Options().APS) powerSave_.Start(Options().APSMin);
  view_.VolumeSliderChanged(VolumeSlider());
  skins_.PlaceVolumeKnob(position);
}

TVolumeSlider TController::VolumeSlider() const {
  return {scrollBar1_.Position(), scrollBar1_.Max(), scrollBar1_.SmallChange,
          scrollBar1_.LargeChange};
}

void TController::Timer1Timer() {
  clockTick_.Timer1Timer();
}

void TController::Timer2Timer() {
  const TTickGuard tick = timers_.Timer2Tick();
  if (!tick.Entered()) return;
  timers_.SetPollInterval(NextPollInterval(Options().RemoConEnable, link_.Status.Source));
  Refresh();
}

void TController::PowerBroadcast(int event) {
  char line[48];
  std::snprintf(line, sizeof line, "WMPowerBroadcast: %.2X", static_cast<unsigned>(event));
  LogText(line);
  switch (event) {
    case kPowerSuspend:
      timers_.EnablePolling(false);
      if (Options().SuspendOff) link_.SendCommand(cmdPowerOff);
      break;
    case kPowerResumeSuspend:
      if (resumeCounter_ == 1) {
        ResumeActions();
      } else {
        ++resumeCounter_;
      }
      break;
    case kPowerResumeAutomatic:
      if (resumeCounter_ == 1) {
        WaitWithMessages(clock_, kAutomaticResumeWaitMs);
        ResumeActions();
      } else {
        ++resumeCounter_;
      }
      break;
    default:
      break;
  }
}

void TController::ResumeActions() {
  if (Options().SuspendOn) link_.SendCommand(cmdPowerOn);
  timers_.EnablePolling(true);
  resumeCounter_ = 0;
}

bool TController::QueryEndSession() {
  SaveSettings();
  if (Options().AutoOff) link_.SendCommand(cmdPowerOff);
  return true;
}

void TController::FormClose() {
  SaveSettings();
  tray_.FormClose();
  if (Options().AutoOff) link_.SendCommand(cmdPowerOff);
}

void TController::SetTitle(const std::string& title) {
  title_ = title;
  view_.TitleChanged(title);
  tray_.TitleChanged(title);
}

void TController::LoadSettings() {
  if (storage_ == nullptr) return;
  TIniFile ini;
  if (LoadIniFile(storage_->Files, storage_->Codec, storage_->Path, ini) ==
      FileRead::Result::Failed)
    LogText("LoadSettings: cannot read " + storage_->Path);

  const TRect window = view_.WindowRect();
  const int optionPage = Options().OptionPage;  // not stored: kept for the run
  settings_ = ReadSettings(ini, window.left, window.top);
  settings_.Options.OptionPage = optionPage;
  view_.MoveWindow(settings_.WindowLeft, settings_.WindowTop);
}

void TController::SaveSettings() {
  if (storage_ == nullptr) return;
  const std::string failed = storage_->Path + kWriteFailedSuffix;

  // Keys of the file that the program does not know survive the save. A file that exists but
  // cannot be read is not replaced.
  const FileRead before = storage_->Files.ReadFile(storage_->Path);
  if (before.result == FileRead::Result::Failed) {
    view_.ShowMessage(failed);
    return;
  }
  TIniFile ini;
  if (before.result == FileRead::Result::Ok)
    ini = TIniFile::Parse(DecodeIniText(before.bytes, storage_->Codec));

  const TRect window = view_.WindowRect();
  settings_.WindowLeft = window.left;
  settings_.WindowTop = window.top;
  WriteSettings(settings_, ini);

  const std::string text = ini.Serialize();
  if (before.result == FileRead::Result::Ok && before.bytes == text) return;
  // A read-only file is kept as it is, so its bytes need no backup either.
  const bool mayRewrite =
      before.result != FileRead::Result::Ok || storage_->Files.KeptReadOnly(storage_->Path) ||
      KeepUndecodableSettings(storage_->Files, storage_->Codec, storage_->Path, before.bytes);
  if (!mayRewrite || storage_->Files.WriteFileAtomic(storage_->Path, text) == FileWrite::Failed)
    view_.ShowMessage(failed);
}

void TController::LoadShortcuts() {
  shortcuts_.clear();
  if (storage_ == nullptr) return;
  TIniFile ini;
  LoadIniFile(storage_->Files, storage_->Codec, ShortcutFilePath(storage_->Path), ini);
  shortcuts_ =
      ReadShortcuts([&ini](std::string_view name) { return ini.ReadString("ShortCut", name, ""); });
  view_.ShortcutsChanged(shortcuts_);
}

void TController::LoadAppCommandSets() {
  appCommandSets_.Apps.clear();
  if (storage_ == nullptr) return;
  const std::string path = AppCommandFilePath(storage_->Path);
  const FileRead read = storage_->Files.ReadFile(path);
  if (read.result == FileRead::Result::Missing) return;
  if (read.result == FileRead::Result::Failed) {
    LogText("LoadAppCommandSets: cannot read " + path);
    view_.ShowMessage(kAppCommandReadFailed);
    return;
  }
  const TIniFile ini = TIniFile::Parse(DecodeIniText(read.bytes, storage_->Codec));
  for (const std::string& section : appCommandSets_.Load(ini))
    view_.ShowCaptionedMessage(kAppCommandErrorCaption, AppSectionFaultText(section));
}

}  // namespace zr4
