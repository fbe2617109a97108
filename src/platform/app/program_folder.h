// Where the program keeps its files: the settings file, "ShortCut.ini", "Radio.ini",
// "DoraZozArar.ini", "skins" and "icons".
#pragma once

#include <string>

namespace zr4 {

// The folder named by ZR4PC_HOME when it is set, otherwise the executable's folder. No
// trailing separator.
std::string ProgramFolder();

// The executable's full path.
std::string ExecutablePath();

// Joins a folder and a name with the platform's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace zr4
