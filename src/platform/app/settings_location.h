// Where the settings file lives. Beside the program when that folder already holds the file or
// can be written (a portable copy keeps everything in one folder; ZR4PC_HOME names another folder
// to use instead); otherwise, for an installed copy, in the user's configuration folder:
// $XDG_CONFIG_HOME/zr4pcctrl (default ~/.config/zr4pcctrl) on Linux, %APPDATA%\zr4pcctrl on
// Windows.
#pragma once

#include <string>

namespace zr4 {

// The program's file name with its extension replaced by ".ini" ("zr4pcctrl" → "zr4pcctrl.ini",
// "zr4pcctrl.exe" → "zr4pcctrl.ini").
std::string SettingsFileName(const std::string& executablePath);

// The choice above for a given program folder. `forced`: the folder was named by ZR4PC_HOME and is
// used whatever it holds. The user's configuration folder is created when it is chosen.
std::string ChooseSettingsPath(const std::string& programFolder, bool forced,
                               const std::string& fileName);

// The settings file's full path for this run.
std::string SettingsFilePath();

}  // namespace zr4
