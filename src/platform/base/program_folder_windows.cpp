#include <windows.h>

#include <cstdlib>
#include <string>

#include "core/base/file_path.h"
#include "platform/base/program_folder.h"
#include "platform/base/utf8_windows.h"

namespace zr4 {

// UTF-8, like every path in the program; a long path gets a larger buffer.
std::string ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return NarrowToUtf8(path);
    }
    path.resize(path.size() * 2);
  }
}

std::string ProgramFolder() {
  if (std::string folder = EnvUtf8("ZR4PC_HOME"); !folder.empty()) {
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
  }
  const std::string exe = ExecutablePath();
  const std::size_t slash = exe.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
}

std::vector<std::string> DataFolders() {
  std::vector<std::string> folders = {ProgramFolder()};
  // ZR4PC_HOME names a program folder of its own: the skins beside the executable still serve.
  const std::string exe = ExecutablePath();
  if (const std::size_t slash = exe.find_last_of("\\/"); slash != std::string::npos) {
    const std::string exeFolder = exe.substr(0, slash);
    if (exeFolder != folders.front()) folders.push_back(exeFolder);
  }
  return folders;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return JoinWithBackslash(folder, name);
}

}  // namespace zr4
