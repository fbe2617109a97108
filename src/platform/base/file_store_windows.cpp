#include <windows.h>

#include <string>

#include "core/ports/file_refusal.h"
#include "core/ports/log.h"
#include "platform/base/file_store_system.h"
#include "platform/base/utf8_windows.h"

namespace zr4 {

namespace {
constexpr const wchar_t* kTemporarySuffix = L".tmp";

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 1u << 20 ? 1u << 20 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}
}  // namespace

void SystemFileStore::NoticeOnce(const std::string& path, const std::string& why) {
  if (noticed_.insert(path).second) NoticeText(path + ": " + why);
}

FileRead SystemFileStore::ReadFile(const std::string& path) {
  FileRead read;
  const HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    read.result = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                      ? FileRead::Result::Missing
                      : FileRead::Result::Failed;
    if (read.result == FileRead::Result::Failed)
      NoticeOnce(path, "cannot be read (error " + std::to_string(error) + "); left as it is");
    return read;
  }
  // A pipe or a device in the file's place is not waited for.
  const bool regular = GetFileType(file) == FILE_TYPE_DISK;
  LARGE_INTEGER size{};
  const char* refused = ReadRefusal(
      regular, regular && GetFileSizeEx(file, &size)
                   ? std::optional<std::uint64_t>(static_cast<std::uint64_t>(size.QuadPart))
                   : std::nullopt);
  if (!refused) {
    read.result = FileRead::Result::Ok;
    char buffer[8192];
    while (read.bytes.size() <= kFileReadLimit) {
      DWORD got = 0;
      if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
        read.result = FileRead::Result::Failed;
        break;
      }
      if (got == 0) break;
      read.bytes.append(buffer, got);
    }
    refused = ReadRefusal(true, read.bytes.size());
  }
  CloseHandle(file);
  if (refused) {
    read.result = FileRead::Result::Failed;
    NoticeOnce(path, refused);
  }
  if (read.result != FileRead::Result::Ok) read.bytes.clear();
  return read;
}

bool SystemFileStore::KeptReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

FileWrite SystemFileStore::WriteFileAtomic(const std::string& path, std::string_view bytes) {
  // A file the next read would refuse must not replace one it takes.
  FileWrite kept = FileWrite::Failed;
  if (const char* why = WriteRefusal(bytes.size(), KeptReadOnly(path), kept)) {
    NoticeOnce(path, why);
    return kept;
  }
  const std::wstring target = Widen(path);
  const std::wstring temp = target + kTemporarySuffix;
  const HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileWrite::Failed;
  const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
  const bool closed = CloseHandle(file) != 0;
  if (!written || !closed ||
      !MoveFileExW(temp.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temp.c_str());
    return FileWrite::Failed;
  }
  return FileWrite::Written;
}

bool SystemFileStore::WriteUserFile(const std::string& path, std::string_view bytes,
                                    std::string& error) {
  const std::wstring target = Widen(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
      error = "not a regular file";
      return false;
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      error = "the file is read-only";
      return false;
    }
  }
  // A name of this process's own, so that no file of the user's is taken for the temporary one.
  const std::wstring temp =
      target + kTemporarySuffix + L"-" + std::to_wstring(GetCurrentProcessId());
  const HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = "error " + std::to_string(GetLastError());
    return false;
  }
  // A device name ("NUL", "COM1") opens the device, whatever follows it.
  const bool disk = GetFileType(file) == FILE_TYPE_DISK;
  // Not flushed to the disk: a picture can be taken again, and waiting for the disk would be
  // most of what it costs.
  const bool written = disk && WriteAll(file, bytes);
  DWORD code = written ? 0 : GetLastError();
  const bool closed = CloseHandle(file) != 0;
  if (written && closed && MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
    return true;
  if (code == 0) code = GetLastError();
  if (disk) DeleteFileW(temp.c_str());
  error = disk ? "error " + std::to_string(code) : "not a regular file";
  return false;
}

void SystemFileStore::RemoveStaleTemporaries(const std::string& path) {
  if (DeleteFileW((Widen(path) + kTemporarySuffix).c_str()))
    LogText("Removed " + path + ".tmp, left by a save that did not finish");
}

}  // namespace zr4
