// The file store of this operating system.
#pragma once

#include "core/ports/file_store.h"

namespace zr4 {

class SystemFileStore : public FileStore {
 public:
  FileRead ReadFile(const std::string& path) override;
  bool WriteFileAtomic(const std::string& path, std::string_view bytes) override;
};

}  // namespace zr4
