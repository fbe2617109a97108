#include "core/settings/settings_path.h"

namespace zr4 {

namespace {
constexpr const char* kProgramName = "zr4pcctrl";
}

std::string SettingsFileName(const std::string& executablePath) {
  const std::size_t slash = executablePath.find_last_of("/\\");
  std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
  return (name.empty() ? std::string(kProgramName) : name) + ".ini";
}

std::string InstalledDataFolder(const std::string& programFolder) {
  std::string folder = programFolder;
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  const std::size_t slash = folder.find_last_of("/\\");
  if (slash == std::string::npos || folder.substr(slash + 1) != "bin") return {};
  const char separator = folder[slash];
  return folder.substr(0, slash + 1) + "share" + separator + kProgramName;
}

std::string FileBesideSettings(const std::string& settingsPath, const std::string& name) {
  const std::size_t separator = settingsPath.find_last_of("/\\");
  const std::string folder =
      separator == std::string::npos ? std::string() : settingsPath.substr(0, separator + 1);
  return folder + name;
}

std::string ChooseSettingsPath(const std::string& programFolder, bool forced,
                               const std::string& fileName, const SettingsFolderProbe& probe) {
  const std::string beside = probe.join(programFolder, fileName);
  const std::string data = InstalledDataFolder(programFolder);
  const bool installed = !data.empty() && probe.exists(data);
  if (forced || (!installed && (probe.exists(beside) || probe.canWriteIn(programFolder))))
    return beside;
  const std::string folder = probe.userConfigFolder();
  return folder.empty() ? beside : probe.join(folder, fileName);
}

}  // namespace zr4
