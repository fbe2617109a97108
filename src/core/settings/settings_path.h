// Where the settings file lives: beside the program when that folder already holds the file or
// can be written (a portable copy keeps everything in one folder; ZR4PC_HOME names another
// folder to use instead); otherwise, for an installed copy, in the user's configuration folder.
#pragma once

#include <functional>
#include <string>

namespace zr4 {

// What the choice asks of the file system.
struct SettingsFolderProbe {
  std::function<bool(const std::string& path)> exists;
  std::function<bool(const std::string& folder)> canWriteIn;
  // The user's configuration folder for this program, created when missing; empty when it
  // cannot be known.
  std::function<std::string()> userConfigFolder;
  std::function<std::string(const std::string& folder, const std::string& name)> join;
};

// The program's file name with its extension replaced by ".ini" ("zr4pcctrl" → "zr4pcctrl.ini",
// "zr4pcctrl.exe" → "zr4pcctrl.ini"); either separator ends the folder part.
std::string SettingsFileName(const std::string& executablePath);

// A file named `name` in the folder of the settings file at `settingsPath` (either separator
// ends the folder part).
std::string FileBesideSettings(const std::string& settingsPath, const std::string& name);

// The data folder of an installed copy: "share/zr4pcctrl" beside the "bin" folder that holds the
// program ("/usr/bin" → "/usr/share/zr4pcctrl"); empty when the program folder is not a "bin"
// folder. Whether it exists is for the caller to ask.
std::string InstalledDataFolder(const std::string& programFolder);

// The choice above for a given program folder. An installed copy (its data folder exists) keeps
// the file in the user's folder even where it could write beside itself (root, a staging folder).
// `forced`: the folder was named by ZR4PC_HOME and is used whatever it holds.
std::string ChooseSettingsPath(const std::string& programFolder, bool forced,
                               const std::string& fileName, const SettingsFolderProbe& probe);

}  // namespace zr4
