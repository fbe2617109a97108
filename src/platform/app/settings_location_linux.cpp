#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/app/program_folder.h"
#include "platform/app/settings_location.h"

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

std::string SettingsFileName(const std::string& executablePath) {
  std::string name = executablePath.substr(executablePath.rfind('/') + 1);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
  return (name.empty() ? std::string(kFolderName) : name) + ".ini";
}

std::string ChooseSettingsPath(const std::string& programFolder, bool forced,
                               const std::string& fileName) {
  const std::string beside = JoinPath(programFolder, fileName);
  if (forced || access(beside.c_str(), F_OK) == 0 || access(programFolder.c_str(), W_OK) == 0)
    return beside;
  const std::string folder = UserConfigFolder();
  return folder.empty() ? beside : JoinPath(folder, fileName);
}

std::string SettingsFilePath() {
  return ChooseSettingsPath(ProgramFolder(), !Env("ZR4PC_HOME").empty(),
                            SettingsFileName(ExecutablePath()));
}

}  // namespace zr4
