// "Option...": loads the options dialog from the window's settings, lists and tray bindings,
// shows it, and on OK takes everything back and applies it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/app/option_form_model.h"

namespace zr4 {

class TController;

class TOptionDialogCommand {
 public:
  explicit TOptionDialogCommand(TController& controller) : c_(controller) {}

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
  TController& c_;
  TOptionSortFlags sortFlags_;
};

}  // namespace zr4
