// The option dialog and the about box, each shown modally over the window.
#pragma once

#include "core/options/dialog_view.h"
#include "shell/app/program_folders.h"

class QWidget;

namespace zr4 {

class WindowDialogs : public DialogView {
 public:
  WindowDialogs(QWidget& window, ProgramFolders folders);

  bool RunOptionDialog(TOptionFormModel& form) override;
  void RunAboutBox(TAboutModel& about) override;

 private:
  QWidget& window_;
  ProgramFolders folders_;
};

}  // namespace zr4
