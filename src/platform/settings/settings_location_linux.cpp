#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/base/program_folder.h"
#include "platform/settings/settings_location.h"

namespace zr4 {

namespace {
constexpr const char* kFolderName = "zr4pcctrl";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// $XDG_CONFIG_HOME/zr4pcctrl, or ~/.config/zr4pcctrl; empty when neither can be known.
std::string UserConfigFolder() {
  std::string base = Env("XDG_CONFIG_HOME");
  if (base.empty() || base.front() != '/') {
    const std::string home = Env("HOME");
    if (home.empty()) return {};
    base = JoinPath(home, ".config");
  }
  mkdir(base.c_str(), 0700);
  const std::string folder = JoinPath(base, kFolderName);
  mkdir(folder.c_str(), 0700);
  return folder;
}
}  // namespace

SettingsFolderProbe SystemSettingsFolderProbe() {
  return {[](const std::string& path) { return access(path.c_str(), F_OK) == 0; },
          [](const std::string& folder) { return access(folder.c_str(), W_OK) == 0; },
          UserConfigFolder, JoinPath};
}

std::string SettingsFilePath() {
  return ChooseSettingsPath(ProgramFolder(), !Env("ZR4PC_HOME").empty(),
                            SettingsFileName(ExecutablePath()));
}

}  // namespace zr4
