// Files kept in memory, with writes that can be made to fail.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>

#include "core/ports/file_store.h"
#include "core/ports/text_codec.h"

namespace zr4::test {

class FakeFileStore : public FileStore {
 public:
  FileRead ReadFile(const std::string& path) override {
    ++reads;
    if (unreadable) return {FileRead::Result::Failed, {}};
    const auto found = files.find(path);
    if (found == files.end()) return {FileRead::Result::Missing, {}};
    return {FileRead::Result::Ok, found->second};
  }
  FileWrite WriteFileAtomic(const std::string& path, std::string_view bytes) override {
    ++writes;
    if (onWrite) onWrite();
    if (failWrites) return FileWrite::Failed;
    if (readOnly.contains(path)) return FileWrite::KeptReadOnly;
    files[path] = std::string(bytes);
    return FileWrite::Written;
  }

  bool KeptReadOnly(const std::string& path) override { return readOnly.contains(path); }

  std::map<std::string, std::string> files;
  std::set<std::string> readOnly;
  bool failWrites = false;
  bool unreadable = false;
  int reads = 0;
  int writes = 0;
  std::function<void()> onWrite;  // runs at every write, before it succeeds or fails
};

// Stands in for the code page 932 converter: ASCII stays, every other byte becomes "?", so a
// test sees which text went through it.
class FakeTextCodec : public TextCodec {
 public:
  std::string LegacyToUtf8(std::string_view bytes) override {
    ++calls;
    std::string text;
    for (char c : bytes) text += static_cast<unsigned char>(c) < 0x80 ? c : '?';
    return text;
  }
  int calls = 0;
};

}  // namespace zr4::test
