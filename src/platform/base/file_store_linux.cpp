#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "core/base/file_path.h"
#include "core/ports/file_refusal.h"
#include "core/ports/log.h"
#include "platform/base/file_store_system.h"

namespace zr4 {

namespace {
// mkstemp's six characters follow; nothing else the store writes has this form.
constexpr const char* kTemporaryInfix = ".tmp-";
constexpr std::size_t kTemporaryRandom = 6;
// As many links as the system itself follows.
constexpr int kMaxLinks = 40;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail the save.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// The file a save replaces: the end of a chain of symbolic links (also one that does not exist
// yet), so that the links stay links.
std::string FollowLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) return path;
    const std::string next(target, static_cast<std::size_t>(length));
    path = next.front() == '/' ? next : JoinWithSlash(FolderOf(path), next);
  }
  return path;
}

// Read-only by its permission bits (root, who could write anyway, respects them too) or by its
// file system.
bool IsReadOnly(const std::string& path, const struct stat& info) {
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
         (access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS));
}

enum class TemporaryWrite { Written, NoTemporary, Failed };

// Whether a write waits until the disk holds it: the settings must survive a power loss; a
// window picture can be taken again, and waiting for the disk would be most of its cost.
enum class Durability { Synced, Cached };

// Writes `bytes` to a new temporary file beside `target`, flushes it to the disk (when Synced)
// and renames it over `target`. On failure the temporary file is gone, `target` is unchanged
// and `error` holds the system's reason.
TemporaryWrite WriteThroughTemporary(const std::string& target, std::string_view bytes, mode_t mode,
                                     Durability durability, int& error) {
  std::string temp = target + kTemporaryInfix + std::string(kTemporaryRandom, 'X');
  const int fd = mkstemp(temp.data());
  if (fd < 0) {
    error = errno;
    return TemporaryWrite::NoTemporary;
  }
  bool written = fchmod(fd, mode) == 0 && WriteAll(fd, bytes) &&
                 (durability == Durability::Cached || fsync(fd) == 0);
  if (!written) error = errno;
  if (close(fd) != 0 && written) {
    error = errno;
    written = false;
  }
  if (written && rename(temp.c_str(), target.c_str()) != 0) {
    error = errno;
    written = false;
  }
  if (!written) {
    unlink(temp.c_str());
    return TemporaryWrite::Failed;
  }
  if (durability == Durability::Synced) SyncFolder(FolderOf(target));
  return TemporaryWrite::Written;
}

// The fallback when no temporary file can be made: the file itself, rewritten and synced.
bool RewriteInPlace(const std::string& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  const bool written = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && WriteAll(fd, bytes) &&
                       ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
  return close(fd) == 0 && written;
}
}  // namespace

void SystemFileStore::NoticeOnce(const std::string& path, const std::string& why) {
  if (noticed_.insert(path).second) NoticeText(path + ": " + why);
}

FileRead SystemFileStore::ReadFile(const std::string& path) {
  FileRead read;
  // Without blocking: a FIFO or a terminal in the file's place must not hold the program up.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    read.result =
        errno == ENOENT || errno == ENOTDIR ? FileRead::Result::Missing : FileRead::Result::Failed;
    if (read.result == FileRead::Result::Failed)
      NoticeOnce(path, std::string("cannot be read (") + std::strerror(errno) + "); left as it is");
    return read;
  }
  struct stat info {};
  const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  const char* refused = ReadRefusal(regular, static_cast<std::uint64_t>(info.st_size));
  if (!refused) {
    read.result = FileRead::Result::Ok;
    char buffer[8192];
    // A file that grows while it is read still stops at the limit.
    while (read.bytes.size() <= kFileReadLimit) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) read.result = FileRead::Result::Failed;
      if (got <= 0) break;
      read.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    refused = ReadRefusal(true, read.bytes.size());
  }
  close(fd);
  if (refused) {
    read.result = FileRead::Result::Failed;
    NoticeOnce(path, refused);
  }
  if (read.result != FileRead::Result::Ok) read.bytes.clear();
  return read;
}

FileWrite SystemFileStore::WriteFileAtomic(const std::string& path, std::string_view bytes) {
  const std::string target = FollowLinks(path);
  struct stat old {};
  const bool exists = stat(target.c_str(), &old) == 0;
  const bool regular = exists && S_ISREG(old.st_mode);
  // A file the next read would refuse must not replace one it takes.
  FileWrite kept = FileWrite::Failed;
  if (const char* why = WriteRefusal(bytes.size(), regular && IsReadOnly(target, old), kept)) {
    NoticeOnce(path, why);
    return kept;
  }
  if (exists && !regular) return FileWrite::Failed;  // a folder, FIFO or device
  // The new file keeps the old one's permissions; a first file is readable by everyone.
  int error = 0;
  switch (WriteThroughTemporary(target, bytes, exists ? (old.st_mode & 07777) : 0644,
                                Durability::Synced, error)) {
    case TemporaryWrite::Written:
      return FileWrite::Written;
    case TemporaryWrite::Failed:
      return FileWrite::Failed;
    case TemporaryWrite::NoTemporary:
      break;
  }
  if (!exists || !RewriteInPlace(target, bytes)) return FileWrite::Failed;
  LogText("WriteFileAtomic: " + FolderOf(target) + " takes no temporary file; rewrote " + target +
          " in place");
  return FileWrite::Written;
}

bool SystemFileStore::KeptReadOnly(const std::string& path) {
  const std::string target = FollowLinks(path);
  struct stat info {};
  return stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode) && IsReadOnly(target, info);
}

bool SystemFileStore::WriteUserFile(const std::string& path, std::string_view bytes,
                                    std::string& error) {
  const std::string target = FollowLinks(path);
  struct stat old {};
  const bool exists = stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) {
    error = "not a regular file";
    return false;
  }
  if (exists && IsReadOnly(target, old)) {
    error = "the file is read-only";
    return false;
  }
  int code = 0;
  if (WriteThroughTemporary(target, bytes, exists ? (old.st_mode & 07777) : 0644,
                            Durability::Cached, code) == TemporaryWrite::Written)
    return true;
  error = std::strerror(code);
  return false;
}

void SystemFileStore::RemoveStaleTemporaries(const std::string& path) {
  const std::string target = FollowLinks(path);
  const std::string prefix = NameOf(target) + kTemporaryInfix;
  const std::string folder = FolderOf(target);
  DIR* entries = opendir(folder.c_str());
  if (entries == nullptr) return;
  while (const dirent* entry = readdir(entries)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + kTemporaryRandom || !name.starts_with(prefix)) continue;
    const std::string leftover = JoinWithSlash(folder, name);
    struct stat info {};
    if (lstat(leftover.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        unlink(leftover.c_str()) == 0)
      LogText("Removed " + leftover + ", left by a save that did not finish");
  }
  closedir(entries);
}

}  // namespace zr4
