// The program folder and the folders in it that the window's parts read, as this system writes
// paths: handed to the shell as plain values, so that no part of it asks the system.
#pragma once

#include <string>

namespace zr4 {

struct ProgramFolders {
  std::string program;  // the settings file, "ShortCut.ini", the skins a setting names
  std::string icons;    // the icon files the about box offers
  std::string images;   // where the browse for a skin starts
};

// The folders of `program` (the program folder, no trailing separator).
ProgramFolders FoldersOf(const std::string& program);

}  // namespace zr4
