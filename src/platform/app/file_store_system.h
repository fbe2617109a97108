// The file store of this operating system.
#pragma once

#include <set>
#include <string>

#include "core/ports/file_store.h"

namespace zr4 {

class SystemFileStore : public FileStore {
 public:
  FileRead ReadFile(const std::string& path) override;
  FileWrite WriteFileAtomic(const std::string& path, std::string_view bytes) override;

  // Removes the temporary files that saves of `path` killed halfway left beside it (only names
  // the store itself gives them). Run at start by the one instance that saves the file.
  void RemoveStaleTemporaries(const std::string& path);

 private:
  // Tells the user once per file why it is not read or not written.
  void NoticeOnce(const std::string& path, const std::string& why);

  std::set<std::string> noticed_;
};

}  // namespace zr4
