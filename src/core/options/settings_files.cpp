#include "core/options/settings_files.h"

#include "core/base/ini_file.h"
#include "core/commands/menu_view.h"
#include "core/panel/message_view.h"
#include "core/panel/placement_view.h"
#include "core/panel/snapping.h"
#include "core/pcactions/app_ctrl.h"
#include "core/ports/log.h"
#include "core/settings/settings_backup.h"
#include "core/settings/settings_path.h"

namespace zr4 {

void TSettingsFiles::LoadSettings() {
  if (storage_ == nullptr) return;
  TIniFile ini;
  if (LoadIniFile(storage_->Files, storage_->Codec, storage_->Path, ini) ==
      FileRead::Result::Failed)
    LogText("LoadSettings: cannot read " + storage_->Path);

  // A window that cannot learn its place is where the desktop put it: the place read is kept to
  // be written back as it was, and a file without one gets the design place rather than the
  // corner such a window reports.
  const bool placed = placement_.KnowsWindowPosition();
  const TRect window = placement_.WindowRect();
  const int optionPage = settings_.Options.OptionPage;  // not stored: kept for the run
  settings_ = placed ? ReadSettings(ini, window.left, window.top)
                     : ReadSettings(ini, kDesignLeft, kDesignTop);
  settings_.Options.OptionPage = optionPage;
  if (placed) placement_.MoveWindow(settings_.WindowLeft, settings_.WindowTop);
}

void TSettingsFiles::SaveSettings() {
  if (storage_ == nullptr) return;
  const std::string failed = storage_->Path + kWriteFailedSuffix;

  // Keys of the file that the program does not know survive the save. A file that exists but
  // cannot be read is not replaced.
  const FileRead before = storage_->Files.ReadFile(storage_->Path);
  if (before.result == FileRead::Result::Failed) {
    messages_.ShowMessage(failed);
    return;
  }
  TIniFile ini;
  if (before.result == FileRead::Result::Ok)
    ini = TIniFile::Parse(DecodeIniText(before.bytes, storage_->Codec));

  if (placement_.KnowsWindowPosition()) {
    const TRect window = placement_.WindowRect();
    settings_.WindowLeft = window.left;
    settings_.WindowTop = window.top;
  }
  WriteSettings(settings_, ini);

  const std::string text = ini.Serialize();
  if (before.result == FileRead::Result::Ok && before.bytes == text) return;
  // A read-only file is kept as it is, so its bytes need no backup either.
  const bool mayRewrite =
      before.result != FileRead::Result::Ok || storage_->Files.KeptReadOnly(storage_->Path) ||
      KeepUndecodableSettings(storage_->Files, storage_->Codec, storage_->Path, before.bytes);
  if (!mayRewrite) {
    messages_.ShowMessage(failed);
    return;
  }
  const FileWrite written = storage_->Files.WriteFileAtomic(storage_->Path, text);
  // A read-only file stays so at every save: the user learns once that nothing reaches it, not
  // at each options dialog and exit.
  if (written == FileWrite::Failed || (written == FileWrite::KeptReadOnly && !toldReadOnly_)) {
    toldReadOnly_ = toldReadOnly_ || written == FileWrite::KeptReadOnly;
    messages_.ShowMessage(failed);
  }
}

void TSettingsFiles::LoadShortcuts(std::vector<TShortcutBinding>& shortcuts) const {
  shortcuts.clear();
  if (storage_ == nullptr) return;
  TIniFile ini;
  LoadIniFile(storage_->Files, storage_->Codec, ShortcutFilePath(storage_->Path), ini);
  shortcuts =
      ReadShortcuts([&ini](std::string_view name) { return ini.ReadString("ShortCut", name, ""); });
  menuView_.ShortcutsChanged(shortcuts);
}

void TSettingsFiles::LoadAppCommandSets(TAppCtrlList& sets) const {
  sets.Apps.clear();
  if (storage_ == nullptr) return;
  const std::string path = FileBesideSettings(storage_->Path, kAppCommandFileName);
  const FileRead read = storage_->Files.ReadFile(path);
  if (read.result == FileRead::Result::Missing) return;
  if (read.result == FileRead::Result::Failed) {
    LogText("LoadAppCommandSets: cannot read " + path);
    messages_.ShowMessage(kAppCommandReadFailed);
    return;
  }
  const TIniFile ini = TIniFile::Parse(DecodeIniText(read.bytes, storage_->Codec));
  if (const std::vector<std::string> faults = sets.Load(ini); !faults.empty())
    messages_.ShowCaptionedMessage(kAppCommandErrorCaption, AppSectionFaultsText(faults));
}

}  // namespace zr4
