#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/app/program_folder.h"

namespace zr4 {

std::string ExecutablePath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

std::string ProgramFolder() {
  if (const char* home = std::getenv("ZR4PC_HOME"); home != nullptr && *home != '\0') {
    std::string folder = home;
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
  }
  const std::string exe = ExecutablePath();
  const std::size_t slash = exe.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
  return folder + "\\" + name;
}

}  // namespace zr4
