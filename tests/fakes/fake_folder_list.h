// Lists the folders of a FakeFileStore: a folder exists where some file lies below it.
#pragma once

#include <set>

#include "core/ports/folder_list.h"
#include "fakes/fake_file_store.h"

namespace zr4::test {

class FakeFolderList : public FolderList {
 public:
  explicit FakeFolderList(const FakeFileStore& files) : files_(files) {}
  std::vector<TFolderEntry> List(const std::string& folder) override {
    std::vector<TFolderEntry> entries;
    std::set<std::string> seen;
    const std::string prefix = folder + "/";
    for (const auto& [path, bytes] : files_.files) {
      if (path.rfind(prefix, 0) != 0) continue;
      const std::string rest = path.substr(prefix.size());
      const std::size_t slash = rest.find('/');
      const std::string name = rest.substr(0, slash);
      if (seen.insert(name).second) entries.push_back({name, slash != std::string::npos});
    }
    return entries;
  }

 private:
  const FakeFileStore& files_;
};

}  // namespace zr4::test
