#include "core/options/about_command.h"

#include "core/base/same_text.h"
#include "core/options/dialog_view.h"
#include "core/panel/message_view.h"
#include "core/settings/settings.h"
#include "core/tray/task_tray.h"
#include "core/tray/tray_view.h"

namespace zr4 {

namespace {
constexpr const char* kIconExtension = ".ico";
constexpr std::size_t kIconColumn = 10;
constexpr const char* kIconLoadFailed = "アイコンの読込に失敗しました。";
constexpr const char* kSimulatedInUse = "ZR4PCのシミュレーターで動作中です。";

bool EndsWithIco(const std::string& name) {
  const std::string_view ext = kIconExtension;
  return name.size() > ext.size() && SameText(std::string_view(name).substr(name.size() - 4), ext);
}
}  // namespace

std::vector<TIconMenuItem> IconMenuItems(const std::vector<std::string>& fileNames) {
  std::vector<TIconMenuItem> items{{"Default", "", false}};
  for (const std::string& name : fileNames) {
    if (!EndsWithIco(name)) continue;
    const bool column = items.size() % kIconColumn == 0;
    items.push_back({name.substr(0, name.size() - 4), name, column});
  }
  return items;
}

TAboutModel TAboutCommand::Load() {
  TAboutModel about;
  about.Version = kAboutVersion;
  const auto [author, description] =
      SkinCredits ? SkinCredits() : std::pair<std::string, std::string>{};
  about.Author = "Author: " + author;
  about.Description = description;
  if (Simulated && Simulated()) about.Simulated = kSimulatedInUse;
  about.Thanks = {"Qt 6 - The Qt Company and the Qt Project",
                  "zlib - Jean-loup Gailly and Mark Adler"};
  about.ChooseIcon = [this](const TIconMenuItem& item) { ChooseIcon(item); };
  return about;
}

void TAboutCommand::Execute() {
  TAboutModel about = Load();
  dialogs_.RunAboutBox(about);
}

void TAboutCommand::ChooseIcon(const TIconMenuItem& item) {
  if (!trayView_.SetApplicationIcon(item.FileName)) {
    messages_.ShowMessage(kIconLoadFailed);
    return;
  }
  settings_.IconChange = !item.FileName.empty();
  // The file's own name: on a case-sensitive file system "A.ICO" is not "A.ico".
  settings_.IconName = item.FileName;
  if (tray_.Minimized() || tray_.Shown()) tray_.UpdateTrayIcon();
}

void TAboutCommand::LoadStartupIcon() {
  if (settings_.IconChange && !trayView_.SetApplicationIcon(settings_.IconName))
    messages_.ShowMessage(kIconLoadFailed);
}

}  // namespace zr4
