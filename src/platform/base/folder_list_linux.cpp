#include <dirent.h>
#include <sys/stat.h>

#include "core/base/file_path.h"
#include "platform/base/folder_list_system.h"

namespace zr4 {

std::vector<TFolderEntry> SystemFolderList::List(const std::string& folder) {
  std::vector<TFolderEntry> entries;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return entries;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool isFolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      // Links count as what they point to.
      struct stat info {};
      isFolder = stat(JoinWithSlash(folder, name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    entries.push_back({name, isFolder});
  }
  closedir(dir);
  return entries;
}

}  // namespace zr4
