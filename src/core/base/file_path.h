// A file name inside a folder, written the way the system that reads the path expects.
#pragma once

#include <string>
#include <string_view>

namespace zr4 {

// `folder`, then `separator`, then `name`. No separator after an empty `folder` (the name alone)
// nor after a `folder` that already ends with one of `folderEnds`.
std::string JoinFolderName(std::string_view folder, std::string_view name, char separator,
                           std::string_view folderEnds);

// '/' between, none after a folder that ends with '/': POSIX paths ('\\' is a name character
// there), and the form the skin lookup writes on every system.
inline std::string JoinWithSlash(std::string_view folder, std::string_view name) {
  return JoinFolderName(folder, name, '/', "/");
}

// A Windows path: '\\' between, none after a folder that ends with either separator.
inline std::string JoinWithBackslash(std::string_view folder, std::string_view name) {
  return JoinFolderName(folder, name, '\\', "\\/");
}

}  // namespace zr4
