#include "core/settings/settings_backup.h"

#include "core/base/ini_file.h"
#include "core/ports/log.h"

namespace zr4 {

std::string SettingsBackupPath(const std::string& settingsPath) {
  return settingsPath + ".bak";
}

bool KeepUndecodableSettings(FileStore& files, TextCodec& codec, const std::string& settingsPath,
                             std::string_view bytes) {
  if (IniTextDecodes(bytes, codec)) return true;
  const std::string backup = SettingsBackupPath(settingsPath);
  const FileRead earlier = files.ReadFile(backup);
  if (earlier.result == FileRead::Result::Ok && earlier.bytes == bytes) return true;
  // An earlier backup holds another file's original: neither is given up.
  if (earlier.result != FileRead::Result::Missing) {
    NoticeText(settingsPath + " does not decode as text, and " + backup +
               " is in the way of keeping it: the settings are not saved");
    return false;
  }
  if (files.WriteFileAtomic(backup, bytes) != FileWrite::Written) return false;
  NoticeText(settingsPath + " does not decode as text; its original bytes are kept as " + backup);
  return true;
}

}  // namespace zr4
