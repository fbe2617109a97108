#include "shell/options/window_dialogs.h"

#include <utility>

#include "shell/options/about_box.h"
#include "shell/options/option_dialog.h"

namespace zr4 {

WindowDialogs::WindowDialogs(QWidget& window, ProgramFolders folders)
    : window_(window), folders_(std::move(folders)) {}

bool WindowDialogs::RunOptionDialog(TOptionFormModel& form) {
  OptionDialog dialog(form, folders_.program, folders_.images, &window_);
  return dialog.exec() == QDialog::Accepted;
}

void WindowDialogs::RunAboutBox(TAboutModel& about) {
  AboutBox box(about, QString::fromStdString(folders_.icons), &window_);
  box.exec();
}

}  // namespace zr4
