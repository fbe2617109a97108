#include "platform/instance/single_instance_linux.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "core/base/file_path.h"
#include "core/ports/log.h"

namespace zr4 {

namespace {
constexpr const char* kDefaultInstanceName = "ZR4PC_CTRL";
constexpr int kListenBacklog = 8;
// What the lock file holds while its instance closes, before the process id.
constexpr std::string_view kClosingMark = "closing ";
// How often a full connection queue is tried again.
constexpr int kConnectRetryMs = 50;

std::string InstanceName() {
  const char* name = std::getenv("ZR4PC_INSTANCE_NAME");
  if (name == nullptr || *name == '\0' || std::strchr(name, '/') != nullptr ||
      std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
    return kDefaultInstanceName;
  return name;
}

// A real folder (not a link), owned by this user, that no one else may enter or change.
bool IsPrivateFolder(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
         (st.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// The process at the other end of a connection, when it is this user's.
std::optional<pid_t> PeerOfThisUser(int fd) {
  struct ucred cred {};
  socklen_t size = sizeof cred;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0 || cred.uid != geteuid())
    return std::nullopt;
  return cred.pid;
}

bool PeerIsThisUser(int fd) {
  return PeerOfThisUser(fd).has_value();
}

// Alive and running: not stopped (SIGSTOP, a debugger), not ended and waiting to be reaped.
bool ProcessRuns(pid_t pid) {
  const int fd = open(("/proc/" + std::to_string(pid) + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char text[512];
  const ssize_t size = read(fd, text, sizeof text - 1);
  close(fd);
  if (size <= 0) return false;
  // "pid (name) state ...": the name may hold anything, the state follows its last ')'.
  const std::string_view stat(text, static_cast<std::size_t>(size));
  const std::size_t nameEnd = stat.rfind(')');
  if (nameEnd == std::string_view::npos || nameEnd + 2 >= stat.size()) return false;
  const char state = stat[nameEnd + 2];
  return state != 'T' && state != 't' && state != 'Z' && state != 'X';
}

// Connects without waiting. A full queue (the instance takes no connections: stopped or hung) is
// tried again until `timeoutMs` have passed; then `queueFull` is set.
int Connect(const sockaddr_un& address, int timeoutMs, bool& queueFull) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
    queueFull = errno == EAGAIN;
    close(fd);
    if (!queueFull || std::chrono::steady_clock::now() >= giveUp) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(kConnectRetryMs));
  }
}

std::optional<sockaddr_un> SocketAddress(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return std::nullopt;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

// Sends all of `bytes`, waiting at most `timeoutMs` for room each time.
bool SendAll(int fd, const std::string& bytes, int timeoutMs) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    pollfd ready{fd, POLLOUT, 0};
    if (n < 0 && errno == EAGAIN && poll(&ready, 1, timeoutMs) == 1) continue;
    return false;
  }
  return true;
}
}  // namespace

std::optional<InstanceAddress> ResolveInstanceAddress(std::string& error) {
  std::string folder;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
      runtime != nullptr && runtime[0] == '/' && IsPrivateFolder(runtime)) {
    folder = runtime;
  } else {
    folder = "/tmp/zr4pcctrl-" + std::to_string(geteuid());
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
      error = "cannot create " + folder + ": " + std::strerror(errno);
      return std::nullopt;
    }
    if (!IsPrivateFolder(folder)) {
      error = folder + " is not a folder private to this user";
      return std::nullopt;
    }
  }
  const std::string base = JoinWithSlash(folder, InstanceName());
  if (!SocketAddress(base)) {
    error = base + " is too long for a socket";
    return std::nullopt;
  }
  return InstanceAddress{base, base + ".lock"};
}

InstanceLock::InstanceLock(const std::string& path) {
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) {
    error_ = path + ": " + std::strerror(errno);
  } else if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    heldElsewhere_ = errno == EWOULDBLOCK;
    if (!heldElsewhere_) error_ = path + ": " + std::strerror(errno);
    close(fd_);
    fd_ = -1;
  } else if (ftruncate(fd_, 0) != 0) {
    // The mark of the instance before (see MarkClosing) must not speak for this one.
    LogText("Single instance: cannot clear " + path);
  }
}

void InstanceLock::MarkClosing() {
  if (fd_ < 0) return;
  const std::string mark = std::string(kClosingMark) + std::to_string(getpid()) + "\n";
  if (pwrite(fd_, mark.data(), mark.size(), 0) != static_cast<ssize_t>(mark.size()))
    LogText("Single instance: cannot mark the lock file as closing");
}

namespace {
// Whether process `pid` has the file `info` describes open. Unknown (another user's process, as
// pid 1 is) counts as no.
bool HoldsFile(pid_t pid, const struct stat& info) {
  const std::string folder = "/proc/" + std::to_string(pid) + "/fd";
  DIR* fds = opendir(folder.c_str());
  if (fds == nullptr) return false;
  bool holds = false;
  while (const dirent* entry = readdir(fds)) {
    struct stat opened {};
    if (entry->d_name[0] != '.' &&
        stat(JoinWithSlash(folder, entry->d_name).c_str(), &opened) == 0 &&
        opened.st_dev == info.st_dev && opened.st_ino == info.st_ino) {
      holds = true;
      break;
    }
  }
  closedir(fds);
  return holds;
}
}  // namespace

ClosingMark ReadClosingMark(const std::string& lockPath, pid_t pid) {
  const int fd = open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return ClosingMark::None;
  char text[64];
  struct stat info {};
  const ssize_t size =
      fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? read(fd, text, sizeof text) : -1;
  close(fd);
  if (size <= 0) return ClosingMark::None;
  std::string_view mark(text, static_cast<std::size_t>(size));
  if (!mark.starts_with(kClosingMark)) return ClosingMark::None;
  mark.remove_prefix(kClosingMark.size());
  pid_t marked = 0;
  const auto [end, error] = std::from_chars(mark.data(), mark.data() + mark.size(), marked);
  if (error != std::errc() || end == mark.data() || end == mark.data() + mark.size() ||
      *end != '\n' || marked <= 0)
    return ClosingMark::None;
  if (pid != 0 && pid != marked) return ClosingMark::None;
  // A stopped or ended instance is waited for no longer, whatever it holds.
  if (!ProcessRuns(marked)) return ClosingMark::None;
  // The instance keeps its lock file open to its end; a connection to the marked process shows
  // it holds the socket.
  return pid == marked || HoldsFile(marked, info) ? ClosingMark::Closing : ClosingMark::Stale;
}

InstanceLock::InstanceLock(const std::string& path, ReplaceStale) {
  // Locked before it is renamed into place: no other start can take the new file first.
  std::string fresh = path + ".XXXXXX";
  fd_ = mkostemp(fresh.data(), O_CLOEXEC);
  if (fd_ < 0) {
    error_ = fresh + ": " + std::strerror(errno);
    return;
  }
  if (flock(fd_, LOCK_EX | LOCK_NB) != 0 || rename(fresh.c_str(), path.c_str()) != 0) {
    error_ = path + ": " + std::strerror(errno);
    unlink(fresh.c_str());
    close(fd_);
    fd_ = -1;
  }
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);
}

InstanceListener::~InstanceListener() {
  if (fd_ < 0) return;
  close(fd_);
  unlink(socketPath_.c_str());
}

bool InstanceListener::Listen(const std::string& socketPath, std::string& error) {
  const std::optional<sockaddr_un> address = SocketAddress(socketPath);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (!address || fd < 0) {
    error = address ? std::strerror(errno) : "path too long";
    if (fd >= 0) close(fd);
    return false;
  }
  unlink(socketPath.c_str());
  if (bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
      chmod(socketPath.c_str(), 0600) != 0 || listen(fd, kListenBacklog) != 0) {
    error = socketPath + ": " + std::strerror(errno);
    close(fd);
    return false;
  }
  fd_ = fd;
  socketPath_ = socketPath;
  LogText("Single instance: listening on " + socketPath);
  return true;
}

int InstanceListener::Accept() {
  for (;;) {
    const int fd = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    outOfDescriptors_ =
        fd < 0 && (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM);
    if (fd < 0) return -1;
    if (PeerIsThisUser(fd)) return fd;
    LogText("Single instance: refused a connection from another user");
    close(fd);
  }
}

InstanceConnection::~InstanceConnection() {
  close(fd_);
}

bool InstanceConnection::Receive() {
  char chunk[512];
  for (;;) {
    const ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
    if (n > 0) {
      received_.append(chunk, static_cast<std::size_t>(n));
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && errno == EAGAIN;
  }
}

bool InstanceConnection::SenderGone() const {
  pollfd state{fd_, POLLRDHUP, 0};
  return poll(&state, 1, 0) == 1 && (state.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

bool InstanceConnection::Reply(const std::string& line, int timeoutMs) {
  return SendAll(fd_, line + "\n", timeoutMs);
}

InstanceReply SendInstanceRequest(const InstanceAddress& address, const InstanceRequest& request,
                                  int timeoutMs) {
  using Outcome = InstanceReply::Outcome;
  const std::optional<sockaddr_un> socketAddress = SocketAddress(address.socketPath);
  if (!socketAddress) return {};
  bool queueFull = false;
  const int fd = Connect(*socketAddress, timeoutMs, queueFull);
  if (fd < 0) return {queueFull ? Outcome::TimedOut : Outcome::NotListening, {}};
  const std::optional<pid_t> instance = PeerOfThisUser(fd);
  if (!instance) {
    close(fd);
    return {};
  }
  InstanceReply reply{Outcome::TimedOut, {}};
  if (!SendAll(fd, EncodeInstanceRequest(request), timeoutMs)) {
    reply.outcome = errno == EAGAIN ? Outcome::TimedOut : Outcome::Closed;
    close(fd);
    return reply;
  }
  std::string received;
  for (;;) {
    if (const std::size_t end = received.find('\n'); end != std::string::npos) {
      const std::string line = received.substr(0, end);
      received.erase(0, end + 1);
      if (line == kInstanceReplyRunning && !reply.taken) {
        reply.taken = true;
        continue;
      }
      reply.outcome = Outcome::Answered;
      reply.line = line;
      break;
    }
    if (received.size() >= kInstanceReplyMax) break;  // not an answer of ours
    pollfd ready{fd, POLLIN, 0};
    const int polled = poll(&ready, 1, timeoutMs);
    if (polled < 0 && errno == EINTR) continue;
    // Silent for the whole time: an instance that is saving on its way out answers once it is
    // done (a forwarded "-EXIT" is answered after the save); any other is stopped or hung.
    if (polled == 0 && InstanceIsClosing(address.lockPath, *instance)) continue;
    if (polled <= 0) break;
    char chunk[512];
    const ssize_t n = recv(fd, chunk, sizeof chunk, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      reply.outcome = Outcome::Closed;
      break;
    }
    received.append(chunk, static_cast<std::size_t>(n));
  }
  close(fd);
  return reply;
}

}  // namespace zr4
