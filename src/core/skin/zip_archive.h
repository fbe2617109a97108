// Lists and extracts the members of a zip archive (skin archives). It only reads. Members are
// listed from the central directory, or, after a damaged directory, by scanning the file for
// local headers; they are found by file name alone, without folder, regardless of case.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zr4 {

class FileStore;
class TextCodec;

// A damaged archive, a member that cannot be delivered, or inflated data that is corrupt.
class EZipError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TFileInfo {
  std::uint16_t Flags = 0;
  std::uint16_t Method = 0;
  std::uint16_t FileTime = 0;
  std::uint16_t FileDate = 0;
  std::uint32_t Crc32 = 0;
  std::uint32_t CompressedSize = 0;
  std::uint32_t UncompressedSize = 0;
  std::uint32_t DataOffset = 0;
  std::string Path;  // folder part of the stored name with a trailing "\"; empty without one
};

class TZipArchive {
 public:
  // No member is ever delivered larger than this, whatever the archive claims.
  static constexpr std::uint32_t kMaxMemberSize = 64u << 20;

  // Names not flagged as UTF-8 are Shift-JIS and go through `codec`.
  explicit TZipArchive(TextCodec& codec) : codec_(&codec) {}

  // Clears the list, then lists the archive through its central directory. A path that does
  // not end in ".zip" or a file that is missing lists nothing, without error. A damaged
  // directory, or an end record cut short, throws EZipError (the caller may then try
  // OpenByScan).
  void Open(FileStore& files, const std::string& path);
  // Lists by scanning for local headers; does not clear the list first.
  void OpenByScan(FileStore& files, const std::string& path);
  // The same two on an archive already in memory (a skin compiled into the program);
  // `name` plays the part of the file name.
  void OpenBytes(const std::string& name, std::string bytes);
  void OpenBytesByScan(const std::string& name, std::string bytes);

  void Clear() { files_.clear(); }
  int Count() const { return static_cast<int>(files_.size()); }
  const std::string& ArchiveName() const { return archiveName_; }
  const std::string& Folder() const { return folder_; }
  // nullptr outside 0 .. Count() - 1.
  const TFileInfo* EntryAt(int index) const;
  // The member's file name (without folder) at index; empty outside the list.
  std::string NameAt(int index) const;
  // First member whose file name equals `name` regardless of ASCII case; -1 when none.
  int IndexOfName(std::string_view name) const;
  // 0 stored, 1 shrunk, 8 deflated, 255 anything else.
  int CompressionKind(int index) const;

  // Appends the member's bytes to `out`; nothing for an index outside the list. Throws
  // EZipError when the member cannot be delivered whole.
  void ExtractTo(int index, std::string& out) const;
  void ExtractFile(std::string_view name, std::string& out) const {
    ExtractTo(IndexOfName(name), out);
  }

 private:
  bool Load(FileStore& files, const std::string& path);
  void SetName(const std::string& path);
  bool ReadCentralDirectory();
  bool ScanLocalHeaders();
  void AddMember(std::string_view storedName, TFileInfo info);

  TextCodec* codec_;
  std::string folder_;
  std::string archiveName_;
  // The archive's bytes, shared so that copies of a listing stay cheap.
  std::shared_ptr<const std::string> bytes_;
  std::vector<std::pair<std::string, TFileInfo>> files_;
};

}  // namespace zr4
