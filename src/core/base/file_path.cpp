#include "core/base/file_path.h"

namespace zr4 {

std::string JoinFolderName(std::string_view folder, std::string_view name, char separator,
                           std::string_view folderEnds) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  if (!folder.empty() && folderEnds.find(folder.back()) == std::string_view::npos)
    path += separator;
  path.append(name);
  return path;
}

}  // namespace zr4
