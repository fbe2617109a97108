// Writes small zip archives byte by byte, so that tests can also damage them.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zr4::test {

inline void Put16(std::string& s, unsigned v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

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
      Put16(s, m.flags);
      Put16(s, m.deflate ? 8 : 0);
      Put32(s, 0);  // time and date
      Put32(s, crc32(0, reinterpret_cast<const Bytef*>(m.data.data()), m.data.size()));
      Put32(s, stored.size());
      Put32(s, size);
      Put16(s, m.name.size());
    };
    Put32(zip, 0x04034B50);
    Put16(zip, 20);
    common(zip);
    Put16(zip, 0);
    zip += m.name + stored;
    Put32(directory, 0x02014B50);
    Put16(directory, 20);
    Put16(directory, 20);
    common(directory);
    Put16(directory, 0);  // extra
    Put16(directory, 0);  // comment
    Put32(directory, 0);  // disk, internal attributes
    Put32(directory, 0);
    Put32(directory, offset);
    directory += m.name;
  }
  const std::uint32_t directoryOffset = zip.size();
  zip += directory;
  Put32(zip, 0x06054B50);
  Put32(zip, 0);
  Put16(zip, members.size());
  Put16(zip, members.size());
  Put32(zip, directory.size());
  Put32(zip, directoryOffset);
  Put16(zip, comment.size());
  return zip + comment;
}

}  // namespace zr4::test
