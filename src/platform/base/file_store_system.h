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
  bool KeptReadOnly(const std::string& path) override;

  // Writes a file the user named (a window picture) the way WriteFileAtomic writes the settings:
  // a temporary file beside the target renamed over it, a link followed to its target; but not
  // waited for until the disk holds it (a picture can be taken again). Stricter where a save of the
  // user's own file must not pass for one made: only a regular file or a new one is replaced (a
  // FIFO or a device is refused at once, never waited on), a read-only file is refused, and the
  // file is never rewritten in place, so a failure leaves no partial file. Returns false with
  // `error` saying why in a few words.
  bool WriteUserFile(const std::string& path, std::string_view bytes, std::string& error);

  // Removes the temporary files that saves of `path` killed halfway left beside it (only names
  // the store itself gives them). Run at start by the one instance that saves the file.
  void RemoveStaleTemporaries(const std::string& path);

 private:
  // Tells the user once per file why it is not read or not written.
  void NoticeOnce(const std::string& path, const std::string& why);

  std::set<std::string> noticed_;
};

}  // namespace zr4
