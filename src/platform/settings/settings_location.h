// The settings file's place on this system: the choice of core/settings/settings_path.h made with
// the real file system. The user's configuration folder is $XDG_CONFIG_HOME/zr4pcctrl (default
// ~/.config/zr4pcctrl) on Linux and %APPDATA%\zr4pcctrl on Windows.
#pragma once

#include <string>

#include "core/settings/settings_path.h"

namespace zr4 {

// The file system as the settings path choice sees it.
SettingsFolderProbe SystemSettingsFolderProbe();

// The choice for a given program folder on this system.
inline std::string ChooseSettingsPath(const std::string& programFolder, bool forced,
                                      const std::string& fileName) {
  return ChooseSettingsPath(programFolder, forced, fileName, SystemSettingsFolderProbe());
}

// The settings file's full path for this run.
std::string SettingsFilePath();

}  // namespace zr4
