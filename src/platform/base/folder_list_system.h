// The folder listing of this operating system.
#pragma once

#include "core/ports/folder_list.h"

namespace zr4 {

class SystemFolderList : public FolderList {
 public:
  std::vector<TFolderEntry> List(const std::string& folder) override;
};

}  // namespace zr4
