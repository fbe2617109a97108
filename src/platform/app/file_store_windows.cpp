#include <windows.h>

#include <string>

#include "platform/app/file_store_system.h"
#include "platform/app/utf8_windows.h"

namespace zr4 {

namespace {
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
    return read;
  }
  read.result = FileRead::Result::Ok;
  char buffer[8192];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      read.result = FileRead::Result::Failed;
      read.bytes.clear();
      break;
    }
    if (got == 0) break;
    read.bytes.append(buffer, got);
  }
  CloseHandle(file);
  return read;
}

bool SystemFileStore::WriteFileAtomic(const std::string& path, std::string_view bytes) {
  const std::wstring target = Widen(path);
  const std::wstring temp = target + L".tmp";
  const HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
  const bool closed = CloseHandle(file) != 0;
  if (!written || !closed ||
      !MoveFileExW(temp.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace zr4
