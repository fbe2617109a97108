#include <unistd.h>

#include <cstdlib>
#include <string>

#include "core/base/file_path.h"
#include "platform/base/program_folder.h"

namespace zr4 {

std::string ExecutablePath() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0) return {};
  path.resize(static_cast<std::size_t>(length));
  return path;
}

std::string ProgramFolder() {
  if (const char* home = std::getenv("ZR4PC_HOME"); home != nullptr && *home != '\0') {
    std::string folder = home;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
  }
  const std::string exe = ExecutablePath();
  const std::size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
}

std::vector<std::string> DataFolders() {
  std::vector<std::string> folders = {ProgramFolder()};
  std::string dataHome;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/')
    dataHome = xdg;
  else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    dataHome = JoinPath(home, ".local/share");
  if (!dataHome.empty()) folders.push_back(JoinPath(dataHome, "zr4pcctrl"));
  const std::string exe = ExecutablePath();
  if (const std::size_t slash = exe.rfind('/'); slash != std::string::npos) {
    const std::string exeFolder = exe.substr(0, slash);
    folders.push_back(exeFolder + "/../share/zr4pcctrl");
    // ZR4PC_HOME names a program folder of its own: the skins beside the executable still serve.
    if (exeFolder != folders.front()) folders.push_back(exeFolder);
  }
  return folders;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return JoinWithSlash(folder, name);
}

}  // namespace zr4
