// Writes small zip archives byte by byte, so that tests can also damage them.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/le_bytes.h"

namespace zr4::test {

inline std::string RawDeflate(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

struct ZipMember {
  std::string name;
  std::string data;
  bool deflate = false;
  std::uint16_t flags = 0;
  std::int64_t declaredSize = -1;  // the uncompressed size written, when not the real one
};

// A whole archive: local headers with data, central directory, end record with `comment`.
inline std::string BuildZip(const std::vector<ZipMember>& members,
                            const std::string& comment = {}) {
  std::string zip, directory;
  for (const ZipMember& m : members) {
    const std::string stored = m.deflate ? RawDeflate(m.data) : m.data;
    const std::uint32_t size =
        m.declaredSize >= 0 ? static_cast<std::uint32_t>(m.declaredSize) : m.data.size();
    const std::uint32_t offset = zip.size();
    auto common = [&](std::string& s) {
      AppendLe16(s, m.flags);
      AppendLe16(s, m.deflate ? 8 : 0);
      AppendLe32(s, 0);  // time and date
      AppendLe32(s, crc32(0, reinterpret_cast<const Bytef*>(m.data.data()), m.data.size()));
      AppendLe32(s, stored.size());
      AppendLe32(s, size);
      AppendLe16(s, m.name.size());
    };
    AppendLe32(zip, 0x04034B50);
    AppendLe16(zip, 20);
    common(zip);
    AppendLe16(zip, 0);
    zip += m.name + stored;
    AppendLe32(directory, 0x02014B50);
    AppendLe16(directory, 20);
    AppendLe16(directory, 20);
    common(directory);
    AppendLe16(directory, 0);  // extra
    AppendLe16(directory, 0);  // comment
    AppendLe32(directory, 0);  // disk, internal attributes
    AppendLe32(directory, 0);
    AppendLe32(directory, offset);
    directory += m.name;
  }
  const std::uint32_t directoryOffset = zip.size();
  zip += directory;
  AppendLe32(zip, 0x06054B50);
  AppendLe32(zip, 0);
  AppendLe16(zip, members.size());
  AppendLe16(zip, members.size());
  AppendLe32(zip, directory.size());
  AppendLe32(zip, directoryOffset);
  AppendLe16(zip, comment.size());
  return zip + comment;
}

}  // namespace zr4::test
