// What a folder holds: the skin menu lists the skins folders, and skin files are found there
// regardless of case.
#pragma once

#include <string>
#include <vector>

namespace zr4 {

struct TFolderEntry {
  std::string Name;  // UTF-8
  bool IsFolder = false;
};

class FolderList {
 public:
  virtual ~FolderList() = default;
  // The entries of `folder` in the order the system lists them, without "." and ".."; empty
  // when the folder is missing or cannot be read.
  virtual std::vector<TFolderEntry> List(const std::string& folder) = 0;
};

}  // namespace zr4
