#include "shell/app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/ports/log.h"

namespace zr4 {

namespace {
constexpr const char* kDefaultInstanceName = "ZR4PC_CTRL";
// A connection that has not sent a whole request by then is dropped.
constexpr int kRequestTimeoutMs = 5000;

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
  return InstanceAddress{base, base + ".lock"};
}

InstanceLock::InstanceLock(const std::string& path) {
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    close(fd_);
    fd_ = -1;
  }
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);
}

InstanceServer::InstanceServer(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &InstanceServer::Accept);
}

bool InstanceServer::Listen(const std::string& socketPath, std::string& error) {
  const QString path = QString::fromStdString(socketPath);
  QLocalServer::removeServer(path);
  if (!server_.listen(path)) {
    error = server_.errorString().toStdString();
    return false;
  }
  LogText("Single instance: listening on " + socketPath);
  return true;
}

void InstanceServer::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!PeerIsThisUser(static_cast<int>(socket->socketDescriptor()))) {
      LogText("Single instance: refused a connection from another user");
      socket->abort();
      continue;
    }
    auto* deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, socket, &QLocalSocket::abort);
    deadline->start(kRequestTimeoutMs);
    auto received = std::make_shared<std::string>();
    auto handled = std::make_shared<bool>(false);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, deadline, received, handled] {
      if (*handled) return;
      const QByteArray bytes = socket->readAll();
      received->append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
      const InstanceDecode decoded = DecodeInstanceRequest(*received);
      if (decoded.state == InstanceDecode::State::NeedMore) return;
      *handled = true;
      deadline->stop();
      if (decoded.state == InstanceDecode::State::Invalid) {
        LogText("Single instance: dropped a malformed request");
        socket->abort();
        return;
      }
      // The handler may run the event loop (a forwarded command waits for the component), in
      // which the client may go away.
      QPointer<QLocalSocket> alive(socket);
      const std::string reply = handler_(decoded.request) + "\n";
      if (!alive) return;
      socket->write(reply.data(), static_cast<qint64>(reply.size()));
      socket->disconnectFromServer();
    });
  }
}

std::optional<std::string> SendInstanceRequest(const std::string& socketPath,
                                               const InstanceRequest& request, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(QString::fromStdString(socketPath));
  if (!socket.waitForConnected(timeoutMs)) return std::nullopt;
  if (!PeerIsThisUser(static_cast<int>(socket.socketDescriptor()))) {
    LogText("Single instance: the socket belongs to another user");
    return std::nullopt;
  }
  const std::string bytes = EncodeInstanceRequest(request);
  socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
  socket.waitForBytesWritten(timeoutMs);

  QByteArray reply;
  while (!reply.contains('\n') && reply.size() < static_cast<qsizetype>(kInstanceReplyMax)) {
    if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(timeoutMs)) break;
    reply += socket.readAll();
  }
  const qsizetype end = reply.indexOf('\n');
  return (end < 0 ? QByteArray() : reply.left(end)).toStdString();
}

}  // namespace zr4
