#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/base/program_folder.h"
#include "platform/base/utf8_windows.h"
#include "platform/settings/settings_location.h"

namespace zr4 {

namespace {
constexpr const char* kFolderName = "zr4pcctrl";

bool Exists(const std::string& path) {
  return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Folder permissions on Windows are access lists, so the only sure test is to create a file.
bool CanWriteIn(const std::string& folder) {
  const std::string probe = JoinPath(folder, "zr4pcctrl-write-test.tmp");
  const HANDLE file = CreateFileW(Widen(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// %APPDATA%\zr4pcctrl; empty when APPDATA is not set.
std::string UserConfigFolder() {
  const std::string base = EnvUtf8("APPDATA");
  if (base.empty()) return {};
  const std::string folder = JoinPath(base, kFolderName);
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  return folder;
}
}  // namespace

SettingsFolderProbe SystemSettingsFolderProbe() {
  return {Exists, CanWriteIn, UserConfigFolder, JoinPath};
}

std::string SettingsFilePath() {
  return ChooseSettingsPath(ProgramFolder(), !EnvUtf8("ZR4PC_HOME").empty(),
                            SettingsFileName(ExecutablePath()));
}

}  // namespace zr4
