#include "shell/app/single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/ports/log.h"

namespace zr4 {

namespace {
constexpr const char* kDefaultInstanceName = "ZR4PC_CTRL";
// A connection that has not sent a whole request by then is dropped.
constexpr int kRequestTimeoutMs = 5000;
constexpr int kListenBacklog = 8;

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

bool PeerIsThisUser(int fd) {
  struct ucred cred {};
  socklen_t size = sizeof cred;
  return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0 && cred.uid == geteuid();
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

// One accepted connection: collects the request, answers it once and closes.
class Connection : public QObject {
 public:
  Connection(int fd, const InstanceServer::Handler& handler, QObject* parent)
      : QObject(parent), fd_(fd), handler_(handler), notifier_(fd, QSocketNotifier::Read) {
    connect(&notifier_, &QSocketNotifier::activated, this, &Connection::Read);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &Connection::Finish);
    deadline_.start(kRequestTimeoutMs);
  }
  ~Connection() override { close(fd_); }

 private:
  void Read() {
    char chunk[512];
    const ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0) return Finish();  // gone before its request was complete
    received_.append(chunk, static_cast<std::size_t>(n));
    const InstanceDecode decoded = DecodeInstanceRequest(received_);
    if (decoded.state == InstanceDecode::State::NeedMore) return;
    if (decoded.state == InstanceDecode::State::Invalid) {
      LogText("Single instance: dropped a malformed request");
      return Finish();
    }
    // The handler may run the event loop (a forwarded command waits for the component):
    // nothing of this connection may run meanwhile.
    notifier_.setEnabled(false);
    deadline_.stop();
    SendAll(fd_, handler_(decoded.request) + "\n", kRequestTimeoutMs);
    Finish();
  }

  void Finish() {
    notifier_.setEnabled(false);
    deadline_.stop();
    deleteLater();
  }

  int fd_;
  const InstanceServer::Handler& handler_;
  QSocketNotifier notifier_;
  QTimer deadline_;
  std::string received_;
};
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
  const std::string base = folder + "/" + InstanceName();
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
  }
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);
}

InstanceServer::InstanceServer(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

InstanceServer::~InstanceServer() {
  if (listenFd_ < 0) return;
  close(listenFd_);
  unlink(socketPath_.c_str());
}

bool InstanceServer::Listen(const std::string& socketPath, std::string& error) {
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
  listenFd_ = fd;
  socketPath_ = socketPath;
  auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, &InstanceServer::Accept);
  LogText("Single instance: listening on " + socketPath);
  return true;
}

void InstanceServer::Accept() {
  for (;;) {
    const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    if (!PeerIsThisUser(fd)) {
      LogText("Single instance: refused a connection from another user");
      close(fd);
      continue;
    }
    new Connection(fd, handler_, this);
  }
}

std::optional<std::string> SendInstanceRequest(const std::string& socketPath,
                                               const InstanceRequest& request, int timeoutMs) {
  const std::optional<sockaddr_un> address = SocketAddress(socketPath);
  if (!address) return std::nullopt;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return std::nullopt;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
      !PeerIsThisUser(fd)) {
    close(fd);
    return std::nullopt;
  }
  std::string reply;
  if (SendAll(fd, EncodeInstanceRequest(request), timeoutMs)) {
    char chunk[512];
    pollfd ready{fd, POLLIN, 0};
    while (reply.find('\n') == std::string::npos && reply.size() < kInstanceReplyMax &&
           poll(&ready, 1, timeoutMs) == 1) {
      const ssize_t n = recv(fd, chunk, sizeof chunk, 0);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      reply.append(chunk, static_cast<std::size_t>(n));
    }
  }
  close(fd);
  const std::size_t end = reply.find('\n');
  return end == std::string::npos ? std::string() : reply.substr(0, end);
}

}  // namespace zr4
