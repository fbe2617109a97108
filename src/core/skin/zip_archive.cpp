#include "core/skin/zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "core/base/le_bytes.h"
#include "core/base/same_text.h"
#include "core/ports/file_store.h"
#include "core/ports/text_codec.h"

namespace zr4 {

namespace {

constexpr std::uint32_t kEndSignature = 0x06054B50;
constexpr std::uint32_t kCentralSignature = 0x02014B50;
constexpr char kLocalSignature[] = {'P', 'K', 3, 4};
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralRecordSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kSearchWindow = 512;
constexpr std::size_t kSearchLimit = 65536;
constexpr std::size_t kScanBlock = 1024;
constexpr std::uint16_t kUtf8NameFlag = 0x0800;

bool HasZipExtension(const std::string& path) {
  return path.size() >= 4 && SameText(std::string_view(path).substr(path.size() - 4), ".zip");
}

// A read cursor over bytes that refuses to step outside them.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  std::size_t Position() const { return pos_; }
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  void Seek(std::size_t pos) { pos_ = std::min(pos, bytes_.size()); }
  std::string_view Take(std::size_t n) {
    if (n > bytes_.size() - pos_) throw EZipError("Stream read error");
    const std::string_view part = bytes_.substr(pos_, n);
    pos_ += n;
    return part;
  }
  void Skip(std::size_t n) { Take(n); }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

void Inflate(std::string_view data, std::uint32_t size, std::string& out) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) throw EZipError("Decompression error");
  const std::size_t start = out.size();
  out.resize(start + size);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(std::min<std::size_t>(data.size(), UINT32_MAX));
  z.next_out = reinterpret_cast<Bytef*>(out.data() + start);
  z.avail_out = size;
  int rc = inflate(&z, Z_FINISH);
  // A stream that still has output to give when the declared size is full is longer than
  // declared: the member is damaged.
  bool overrun = false;
  if (rc != Z_STREAM_END && z.avail_out == 0) {
    unsigned char probe;
    z.next_out = &probe;
    z.avail_out = 1;
    rc = inflate(&z, Z_FINISH);
    overrun = z.avail_out == 0;
    z.avail_out = 0;
  }
  const bool complete = z.avail_out == 0 && rc != Z_DATA_ERROR && rc != Z_MEM_ERROR;
  inflateEnd(&z);
  if (overrun || !complete) {
    out.resize(start);
    throw EZipError(overrun ? "Decompression error: the member is longer than its declared size"
                            : "Decompression error");
  }
}

// The fields a central record and a local header share, in the same order from the flags on.
TFileInfo MemberFields(const char* flags) {
  TFileInfo info;
  info.Flags = ReadLe16(flags);
  info.Method = ReadLe16(flags + 2);
  info.FileTime = ReadLe16(flags + 4);
  info.FileDate = ReadLe16(flags + 6);
  info.Crc32 = ReadLe32(flags + 8);
  info.CompressedSize = ReadLe32(flags + 12);
  info.UncompressedSize = ReadLe32(flags + 16);
  return info;
}

}  // namespace

void TZipArchive::SetName(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\:");
  folder_ = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
  archiveName_ = cut == std::string::npos ? path : path.substr(cut + 1);
}

bool TZipArchive::Load(FileStore& files, const std::string& path) {
  if (!HasZipExtension(path)) return false;
  FileRead read = files.ReadFile(path);
  if (read.result == FileRead::Result::Missing) return false;
  if (read.result == FileRead::Result::Failed) throw EZipError("Cannot open file \"" + path + "\"");
  SetName(path);
  bytes_ = std::make_shared<const std::string>(std::move(read.bytes));
  return true;
}

void TZipArchive::Open(FileStore& files, const std::string& path) {
  Clear();
  if (Load(files, path)) ReadCentralDirectory();
}

void TZipArchive::OpenByScan(FileStore& files, const std::string& path) {
  if (Load(files, path)) ScanLocalHeaders();
}

void TZipArchive::OpenBytes(const std::string& name, std::string bytes) {
  Clear();
  SetName(name);
  bytes_ = std::make_shared<const std::string>(std::move(bytes));
  ReadCentralDirectory();
}

void TZipArchive::OpenBytesByScan(const std::string& name, std::string bytes) {
  SetName(name);
  bytes_ = std::make_shared<const std::string>(std::move(bytes));
  ScanLocalHeaders();
}

// The end record is looked for in windows of 512 bytes from the end of the file backwards; each
// window overlaps the next by three bytes so that no signature across a border is missed. Within
// a window the first occurrence counts. The search gives up once the window's end lies 64 KiB or
// more before the end of the file.
bool TZipArchive::ReadCentralDirectory() {
  const std::string& data = *bytes_;
  const std::size_t size = data.size();
  char signature[4];
  for (int i = 0; i < 4; ++i) signature[i] = static_cast<char>((kEndSignature >> (8 * i)) & 0xFF);
  std::size_t windowEnd = size;
  std::size_t found = std::string::npos;
  for (;;) {
    const std::size_t windowStart = windowEnd > kSearchWindow ? windowEnd - kSearchWindow : 0;
    const std::string_view window(data.data() + windowStart, windowEnd - windowStart);
    if (const std::size_t at = window.find(std::string_view(signature, 4));
        at != std::string_view::npos) {
      found = windowStart + at;
      break;
    }
    if (windowStart == 0 || size - windowEnd >= kSearchLimit) return false;
    windowEnd = windowStart + 3;
  }

  // An end record cut short is a damaged archive (a read error, after which the skin loader
  // scans for local headers), not an empty one.
  Reader file(data);
  file.Seek(found);
  const std::string_view end = file.Take(kEndRecordSize);
  if (ReadLe32(end.data()) != kEndSignature) return false;
  const std::uint16_t records = ReadLe16(end.data() + 8);
  const std::uint32_t directorySize = ReadLe32(end.data() + 12);
  const std::uint32_t directoryOffset = ReadLe32(end.data() + 16);
  if (directoryOffset > size || directorySize > size - directoryOffset)
    throw EZipError("Stream read error");

  Reader directory(std::string_view(data).substr(directoryOffset, directorySize));
  for (int i = 0; i < records; ++i) {
    const std::string_view record = directory.Take(kCentralRecordSize);
    if (ReadLe32(record.data()) != kCentralSignature) continue;
    TFileInfo info = MemberFields(record.data() + 8);
    const std::uint16_t nameLength = ReadLe16(record.data() + 28);
    const std::uint16_t extraLength = ReadLe16(record.data() + 30);
    const std::uint16_t commentLength = ReadLe16(record.data() + 32);
    // The data follows the local header, whose extra field often differs in length from the
    // central one (the zip command writes more there): its own lengths count when it is there.
    const std::uint32_t localOffset = ReadLe32(record.data() + 42);
    std::uint64_t dataOffset =
        std::uint64_t{localOffset} + kLocalHeaderSize + nameLength + extraLength;
    if (localOffset <= size && size - localOffset >= kLocalHeaderSize &&
        ReadLe32(data.data() + localOffset) == 0x04034B50)
      dataOffset = std::uint64_t{localOffset} + kLocalHeaderSize +
                   ReadLe16(data.data() + localOffset + 26) +
                   ReadLe16(data.data() + localOffset + 28);
    info.DataOffset = static_cast<std::uint32_t>(std::min<std::uint64_t>(dataOffset, UINT32_MAX));
    const std::string_view name = directory.Take(nameLength);
    directory.Skip(extraLength);
    directory.Skip(commentLength);
    AddMember(name, std::move(info));
  }
  return true;
}

bool TZipArchive::ScanLocalHeaders() {
  const std::string& data = *bytes_;
  if (data.empty()) return false;
  Reader file(data);
  while (!file.AtEnd()) {
    const std::size_t blockStart = file.Position();
    const std::size_t blockLength = std::min(kScanBlock, data.size() - blockStart);
    const std::string_view block = file.Take(blockLength);
    const std::size_t at = block.find(std::string_view(kLocalSignature, 4));
    if (at == std::string_view::npos) continue;
    file.Seek(blockStart + at);
    const std::string_view header = file.Take(kLocalHeaderSize);
    TFileInfo info = MemberFields(header.data() + 6);
    const std::uint16_t nameLength = ReadLe16(header.data() + 26);
    const std::uint16_t extraLength = ReadLe16(header.data() + 28);
    const std::string_view name = file.Take(nameLength);
    info.DataOffset = static_cast<std::uint32_t>(file.Position() + extraLength);
    // Past the member's data; a size that runs beyond the file ends the scan there.
    file.Seek(file.Position() + std::size_t{extraLength} + info.CompressedSize);
    AddMember(name, std::move(info));
  }
  return true;
}

void TZipArchive::AddMember(std::string_view storedName, TFileInfo info) {
  std::string name = (info.Flags & kUtf8NameFlag) != 0 ? std::string(storedName)
                                                       : codec_->LegacyToUtf8(storedName);
  std::replace(name.begin(), name.end(), '/', '\\');
  const std::size_t cut = name.find_last_of("\\:");
  if (cut != std::string::npos) {
    info.Path = name.substr(0, cut + 1);
    name.erase(0, cut + 1);
  }
  files_.emplace_back(std::move(name), std::move(info));
}

const TFileInfo* TZipArchive::EntryAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &files_[static_cast<std::size_t>(index)].second;
}

std::string TZipArchive::NameAt(int index) const {
  if (index < 0 || index >= Count()) return {};
  return files_[static_cast<std::size_t>(index)].first;
}

int TZipArchive::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(files_[static_cast<std::size_t>(i)].first, name)) return i;
  return -1;
}

int TZipArchive::CompressionKind(int index) const {
  const TFileInfo* info = EntryAt(index);
  if (!info) return 255;
  switch (info->Method) {
    case 0:
    case 1:
    case 8:
      return info->Method;
    default:
      return 255;
  }
}

void TZipArchive::ExtractTo(int index, std::string& out) const {
  const TFileInfo* info = EntryAt(index);
  if (!info || info->UncompressedSize == 0) return;
  if (info->UncompressedSize > kMaxMemberSize)
    throw EZipError("The member " + NameAt(index) + " is larger than 64 MiB");
  const std::string& data = *bytes_;
  if (info->DataOffset > data.size()) throw EZipError("Stream read error");
  const std::string_view rest = std::string_view(data).substr(info->DataOffset);
  if (CompressionKind(index) == 0) {
    // A stored member larger than its stored data would deliver the bytes that follow it.
    if (rest.size() < info->UncompressedSize || info->CompressedSize < info->UncompressedSize)
      throw EZipError("Stream read error");
    out.append(rest.substr(0, info->UncompressedSize));
    return;
  }
  Inflate(rest, info->UncompressedSize, out);
}

}  // namespace zr4
