// The controller's parts as tests reach them: a test sets a part up or looks into it where the
// controller's own operations do not go. The program itself reaches the parts only through the
// controller's operations.
#pragma once

#include "core/app/controller.h"

namespace zr4 {

class TControllerParts {
 public:
  explicit TControllerParts(TController& controller) : c_(controller) {}

  TZR4Ctrl& Link() { return c_.link_; }
  TSettingsFiles& SettingsFiles() { return c_.settingsFiles_; }
  TSettings& Settings() { return c_.settings_; }
  TOptionData& Options() { return c_.settings_.Options; }
  TCommands& Commands() { return c_.commands_; }
  TActionList& Actions() { return c_.actions_; }
  TPopupMenuModel& PopupMenu1() { return c_.popupMenu_; }
  TMediaControls& Media() { return c_.media_; }
  TPcCommandDispatcher& PcDispatcher() { return c_.pcDispatcher_; }
  PcCommandRunner& PcCommands() { return c_.pcCommands_; }
  TStatusDisplay& Display() { return c_.display_; }
  TVolumeControl& ScrollBar1() { return c_.scrollBar1_; }
  TWindowTimers& Timers() { return c_.timers_; }
  TPowerSave& PowerSave() { return c_.powerSave_; }
  TSleepTimer& SleepTimer() { return c_.sleepTimer_; }
  TGestureDetector& Gestures() { return c_.gestures_; }
  TStationNames& Stations() { return c_.stations_; }
  TSimRemote& SimRemote() { return c_.simRemote_; }
  TSkinControl& Skins() { return c_.skins_; }
  const std::vector<TShortcutBinding>& Shortcuts() { return c_.shortcuts_; }
  TTaskTray& Tray() { return c_.tray_; }
  TOptionDialogCommand& OptionDialog() { return c_.optionDialog_; }
  TAboutCommand& About() { return c_.about_; }

 private:
  TController& c_;
};

inline TControllerParts Parts(TController& controller) {
  return TControllerParts(controller);
}

}  // namespace zr4
