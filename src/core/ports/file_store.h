// Whole-file reading and crash-safe replacing of files (the settings file and the other INI
// files beside the program).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zr4 {

// No file of the program's comes near this size; reading one without bound (a link to a device
// that never ends) would exhaust the memory. Writing keeps to it too, so that every file the
// program writes reads back.
constexpr std::size_t kFileReadLimit = 16u << 20;

struct FileRead {
  enum class Result { Ok, Missing, Failed };
  Result result = Result::Missing;
  std::string bytes;  // the whole file when result is Ok
};

enum class FileWrite {
  Written,
  KeptReadOnly,  // the file is read-only: left as it is on purpose, and the user is told once
  KeptTooLarge,  // the new contents are larger than kFileReadLimit and would never be read back:
                 // the file is left as it is, and the user is told once
  Failed,        // nothing was changed
};

class FileStore {
 public:
  virtual ~FileStore() = default;

  // The whole file. Missing: there is no such file; Failed: it exists but could not be read, or
  // it was refused without waiting: not a regular file (a FIFO, a device), or larger than
  // kFileReadLimit. A refused file is named once to the user (NoticeText).
  virtual FileRead ReadFile(const std::string& path) = 0;

  // Replaces the file with `bytes` so that a crash or power loss at any moment leaves either the
  // old file or the new one whole: a temporary file beside the target is written, flushed to the
  // disk and renamed over the target. A symbolic link stays a link: its target is replaced. A
  // read-only file is kept. Where the folder takes no temporary file but the file itself is
  // writable, the file is rewritten in place and synced (not crash-safe, but a save that always
  // failed would be worse). Contents larger than kFileReadLimit are not written at all. On failure
  // the target is unchanged and the temporary file is gone.
  virtual FileWrite WriteFileAtomic(const std::string& path, std::string_view bytes) = 0;

  // Whether WriteFileAtomic would keep the file as it is because it is read-only: what goes with
  // a rewrite (a backup of the old bytes) is then left undone too.
  virtual bool KeptReadOnly(const std::string& path) = 0;
};

}  // namespace zr4
