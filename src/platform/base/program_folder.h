// Where the program keeps its files: the settings file, "ShortCut.ini", "Radio.ini",
// "DoraZozArar.ini", "skins" and "icons".
#pragma once

#include <string>
#include <vector>

namespace zr4 {

// The folder named by ZR4PC_HOME when it is set, otherwise the executable's folder. No
// trailing separator.
std::string ProgramFolder();

// The executable's full path.
std::string ExecutablePath();

// Where the program's shipped data (the "skins" folder) may lie, in the order to look: the
// program folder, then for an installed copy the user's data folder
// ($XDG_DATA_HOME/zr4pcctrl, default ~/.local/share/zr4pcctrl) and the installed data folder
// (the executable's ../share/zr4pcctrl), then, when ZR4PC_HOME names another program folder,
// the executable's own folder. Windows: the program folder and the executable's folder.
std::vector<std::string> DataFolders();

// Joins a folder and a name with the platform's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace zr4
