// Zip archives for tests: the writer the skins are made with, and a way to damage what it wrote.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/le_bytes.h"
#include "core/skin/zip_writer.h"

namespace zr4::test {

struct ZipMember {
  std::string name;
  std::string data;
  bool deflate = false;
  std::uint16_t flags = 0;
  std::int64_t declaredSize = -1;  // the uncompressed size written, when not the real one
};

// A whole archive with `comment`; a member's declared size, when set, replaces the real one in
// its local header and its directory entry.
inline std::string BuildZip(const std::vector<ZipMember>& members,
                            const std::string& comment = {}) {
  std::vector<TZipMemberData> data;
  for (const ZipMember& m : members) data.push_back({m.name, m.data, m.deflate, m.flags});
  std::string zip = WriteZip(data, 0, comment);
  auto overwrite = [&zip](std::size_t at, std::uint32_t value) {
    std::string bytes;
    AppendLe32(bytes, value);
    zip.replace(at, 4, bytes);
  };
  // Local headers follow one another from the start; the directory starts where the end record
  // (the last 22 bytes before the comment) says.
  std::size_t local = 0;
  std::size_t central = ReadLe32(zip.data() + zip.size() - comment.size() - 22 + 16);
  for (const ZipMember& m : members) {
    const std::uint32_t packed = ReadLe32(zip.data() + local + 18);
    if (m.declaredSize >= 0) {
      overwrite(local + 22, static_cast<std::uint32_t>(m.declaredSize));
      overwrite(central + 24, static_cast<std::uint32_t>(m.declaredSize));
    }
    local += 30 + m.name.size() + packed;
    central += 46 + m.name.size();
  }
  return zip;
}

}  // namespace zr4::test
