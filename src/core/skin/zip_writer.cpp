#include "core/skin/zip_writer.h"

#include <zlib.h>

#include "core/base/le_bytes.h"

namespace zr4 {

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034B50;
constexpr std::uint32_t kCentralHeader = 0x02014B50;
constexpr std::uint32_t kEndRecord = 0x06054B50;
constexpr std::uint16_t kVersion = 20;  // 2.0: deflate
constexpr std::uint16_t kStored = 0, kDeflated = 8;

// Raw deflate (no zlib header), as zip members hold it.
std::string Deflate(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

}  // namespace

std::string WriteZip(const std::vector<TZipMemberData>& members, std::uint16_t dosDate,
                     std::string_view comment) {
  std::string zip, directory;
  for (const TZipMemberData& m : members) {
    const std::string packed = m.deflate ? Deflate(m.data) : m.data;
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(m.data.data()), static_cast<uInt>(m.data.size())));
    // What the local header and the directory entry share, from the flags to the name's length.
    auto common = [&](std::string& s) {
      AppendLe16(s, m.flags);
      AppendLe16(s, m.deflate ? kDeflated : kStored);
      AppendLe16(s, 0);  // time
      AppendLe16(s, dosDate);
      AppendLe32(s, crc);
      AppendLe32(s, static_cast<std::uint32_t>(packed.size()));
      AppendLe32(s, static_cast<std::uint32_t>(m.data.size()));
      AppendLe16(s, static_cast<std::uint16_t>(m.name.size()));
      AppendLe16(s, 0);  // extra field
    };
    const auto offset = static_cast<std::uint32_t>(zip.size());
    AppendLe32(zip, kLocalHeader);
    AppendLe16(zip, kVersion);
    common(zip);
    zip += m.name + packed;
    AppendLe32(directory, kCentralHeader);
    AppendLe16(directory, kVersion);  // made by
    AppendLe16(directory, kVersion);  // needed
    common(directory);
    AppendLe16(directory, 0);  // comment
    AppendLe16(directory, 0);  // disk
    AppendLe16(directory, 0);  // internal attributes
    AppendLe32(directory, 0);  // external attributes
    AppendLe32(directory, offset);
    directory += m.name;
  }
  const auto directoryOffset = static_cast<std::uint32_t>(zip.size());
  zip += directory;
  AppendLe32(zip, kEndRecord);
  AppendLe32(zip, 0);  // this disk, the directory's disk
  AppendLe16(zip, static_cast<std::uint16_t>(members.size()));
  AppendLe16(zip, static_cast<std::uint16_t>(members.size()));
  AppendLe32(zip, static_cast<std::uint32_t>(directory.size()));
  AppendLe32(zip, directoryOffset);
  AppendLe16(zip, static_cast<std::uint16_t>(comment.size()));
  zip += comment;
  return zip;
}

}  // namespace zr4
