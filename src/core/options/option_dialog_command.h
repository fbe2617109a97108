// "Option...": loads the options dialog from the window's settings, lists and tray bindings,
// shows it, and on OK takes everything back and applies it.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/options/option_form_model.h"

namespace zr4 {

class DialogView;
class MessageView;
class PanelView;
class LoginStart;
class TPcCommandDispatcher;
class TPowerSave;
class TStationNames;
class TStatusDisplay;
class TTaskTray;
class TVolumeControl;
class TWindowTimers;
struct TSettings;

class TOptionDialogCommand {
 public:
  // What the dialog edits and what follows its OK at once. `setTitle` shows the application
  // title; `saveSettings` writes the settings file; `loginStart` is the entry that starts the
  // program at login, nullptr where the system has none.
  struct Uses {
    TSettings& settings;
    TTaskTray& tray;
    const TPcCommandDispatcher& pcDispatcher;
    DialogView& dialogs;
    MessageView& messages;
    PanelView& panel;
    TStatusDisplay& display;
    TWindowTimers& timers;
    TStationNames& stations;
    TPowerSave& powerSave;
    TVolumeControl& slider;
    std::function<void(const std::string&)> setTitle;
    std::function<void()> saveSettings;
    LoginStart* loginStart = nullptr;
  };
  explicit TOptionDialogCommand(Uses uses) : u_(std::move(uses)) {}

  // What the features that fill parts of the dialog hand in; each may stay unset.
  // Loads the skin named by SkinIniName and pulls the window back into the work area.
  std::function<void()> LoadSkinFile;

  // The dialog as it opens.
  TOptionFormModel Load();
  // Opens the dialog; OK applies and saves, Cancel changes nothing.
  void Execute();
  // The steps after OK.
  void ApplyOptions(const TOptionFormModel& form);

 private:
  void ApplyLoginStart(const TOptionFormModel& form);

  Uses u_;
  TOptionSortFlags sortFlags_;
};

}  // namespace zr4
