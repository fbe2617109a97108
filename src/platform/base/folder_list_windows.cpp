#include <windows.h>

#include "core/base/file_path.h"
#include "platform/base/folder_list_system.h"
#include "platform/base/utf8_windows.h"

namespace zr4 {

std::vector<TFolderEntry> SystemFolderList::List(const std::string& folder) {
  std::vector<TFolderEntry> entries;
  const std::string pattern = JoinWithBackslash(folder, "*");
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Widen(pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = NarrowToUtf8(data.cFileName);
    if (name == "." || name == "..") continue;
    entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return entries;
}

}  // namespace zr4
