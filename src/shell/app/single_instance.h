// One controller per user session. The first start holds the instance lock for its whole life
// and listens on a local socket in a folder only its user can enter; a later start finds the
// lock taken and sends its request over the socket instead (see core/app/instance_protocol.h).
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "core/app/instance_protocol.h"

namespace zr4 {

// The instance's name is "ZR4PC_CTRL"; ZR4PC_INSTANCE_NAME overrides it (tests running side by
// side, a second controller for a second component).
struct InstanceAddress {
  std::string socketPath;
  std::string lockPath;
};

// Resolves the folder: $XDG_RUNTIME_DIR when it belongs to the user and no one else may enter
// it, otherwise /tmp/zr4pcctrl-<uid>, created with mode 0700 and refused when someone else
// owns it or may enter it. Returns nullopt with `error` set when there is no such folder.
std::optional<InstanceAddress> ResolveInstanceAddress(std::string& error);

// Held by the running instance. The kernel releases it when the process ends, however it
// ends, so a crashed instance leaves nothing that blocks the next start.
class InstanceLock {
 public:
  explicit InstanceLock(const std::string& path);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when this process got the lock: it is the first instance.
  bool Held() const { return fd_ >= 0; }
  // True when another process holds it: another instance runs.
  bool HeldElsewhere() const { return heldElsewhere_; }
  // Neither: the lock file could not be opened (the reason is in `Error()`).
  const std::string& Error() const { return error_; }

 private:
  int fd_ = -1;
  bool heldElsewhere_ = false;
  std::string error_;
};

// The running instance's end of the socket, on the event loop. Connections from other users
// are dropped. (Plain Unix sockets: Qt's own local socket classes would bring the whole
// network library and its dependencies into memory.)
class InstanceServer : public QObject {
  Q_OBJECT

 public:
  // Returns the reply line for a request (without its newline).
  using Handler = std::function<std::string(const InstanceRequest&)>;

  explicit InstanceServer(Handler handler, QObject* parent = nullptr);
  ~InstanceServer() override;

  // Listens at `socketPath`, replacing a socket file left by an instance that died; the caller
  // holds the instance lock, so no live instance can own it.
  bool Listen(const std::string& socketPath, std::string& error);

 private:
  void Accept();
  void Serve(int fd);

  Handler handler_;
  int listenFd_ = -1;
  std::string socketPath_;
};

// A later start's end: sends `request` and returns the reply line, or nullopt when no instance
// accepted the connection. An instance that took the connection but gave no reply within
// `timeoutMs` yields an empty reply.
std::optional<std::string> SendInstanceRequest(const std::string& socketPath,
                                               const InstanceRequest& request, int timeoutMs);

}  // namespace zr4
