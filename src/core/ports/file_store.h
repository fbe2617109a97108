// Whole-file reading and crash-safe replacing of files (the settings file and the other INI
// files beside the program).
#pragma once

#include <string>
#include <string_view>

namespace zr4 {

struct FileRead {
  enum class Result { Ok, Missing, Failed };
  Result result = Result::Missing;
  std::string bytes;  // the whole file when result is Ok
};

class FileStore {
 public:
  virtual ~FileStore() = default;

  // The whole file. Missing: there is no such file; Failed: it exists but could not be read.
  virtual FileRead ReadFile(const std::string& path) = 0;

  // Replaces the file with `bytes` so that a crash or power loss at any moment leaves either the
  // old file or the new one whole: a temporary file beside the target is written, flushed to the
  // disk and renamed over the target. Returns false when anything failed; the target is then
  // unchanged and the temporary file is gone.
  virtual bool WriteFileAtomic(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace zr4
