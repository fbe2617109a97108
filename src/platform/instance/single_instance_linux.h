// One controller per user session on Linux. The first start holds the instance lock for its
// whole life and listens on a local socket in a folder only its user can enter; a later start
// finds the lock taken and sends its request over the socket instead (see
// core/instance/instance_protocol.h). Plain Unix sockets: Qt's own local socket classes would
// bring the whole network library and its dependencies into memory.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "core/instance/instance_protocol.h"

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
  // Takes the instance from a lock file that another process holds but whose closing mark names
  // a process that is not the instance (ClosingMark::Stale): a new lock file is put in its
  // place, so that the old one's holder no longer keeps anyone out.
  struct ReplaceStale {};
  InstanceLock(const std::string& path, ReplaceStale);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when this process got the lock: it is the first instance.
  bool Held() const { return fd_ >= 0; }
  // True when another process holds it: another instance runs.
  bool HeldElsewhere() const { return heldElsewhere_; }
  // Neither: the lock file could not be opened (the reason is in `Error()`).
  const std::string& Error() const { return error_; }

  // The instance has begun to close (it saves its settings on its way out): says so in the lock
  // file, with this process's id, for later starts to read (InstanceIsClosing).
  void MarkClosing();

 private:
  int fd_ = -1;
  bool heldElsewhere_ = false;
  std::string error_;
};

// What the lock file at `lockPath` says of its instance's close.
enum class ClosingMark {
  None,     // no mark, an unreadable one, or the marked instance is stopped or gone
  Closing,  // the marked process holds the instance and runs: it is still saving on its way out
  Stale,    // the marked process runs but holds neither the lock file nor (with `pid`) the
            // socket: the mark was edited or left behind, and no instance is closing
};
// `pid`, when given, is the process a connection to the socket leads to: when it is the marked
// one, it holds the instance's socket.
ClosingMark ReadClosingMark(const std::string& lockPath, pid_t pid = 0);

// True when the instance holding the lock at `lockPath` has marked itself closing and its process
// (`pid` when given: the one a connection leads to) is alive and not stopped: it is still saving
// on its way out, and a later start waits for it rather than give up.
inline bool InstanceIsClosing(const std::string& lockPath, pid_t pid = 0) {
  return ReadClosingMark(lockPath, pid) == ClosingMark::Closing;
}

// The running instance's listening socket. Connections from other users are dropped.
class InstanceListener {
 public:
  InstanceListener() = default;
  // Closes the socket and removes its file.
  ~InstanceListener();
  InstanceListener(const InstanceListener&) = delete;
  InstanceListener& operator=(const InstanceListener&) = delete;

  // Listens at `socketPath`, replacing a socket file left by an instance that died; the caller
  // holds the instance lock, so no live instance can own it. Never blocks.
  bool Listen(const std::string& socketPath, std::string& error);
  // The descriptor to watch for waiting connections; -1 before Listen succeeded.
  int Fd() const { return fd_; }

  // The next waiting connection of this user (non-blocking), or -1 when none waits or when this
  // process has no descriptor left to take it (then OutOfDescriptors() is true).
  int Accept();
  bool OutOfDescriptors() const { return outOfDescriptors_; }

 private:
  int fd_ = -1;
  bool outOfDescriptors_ = false;
  std::string socketPath_;
};

// One accepted connection on the instance's side: collects the request, answers it once.
class InstanceConnection {
 public:
  explicit InstanceConnection(int fd) : fd_(fd) {}
  ~InstanceConnection();
  InstanceConnection(const InstanceConnection&) = delete;
  InstanceConnection& operator=(const InstanceConnection&) = delete;

  int Fd() const { return fd_; }

  // Reads what has arrived. Returns false when the peer is gone before its request was whole.
  bool Receive();
  // True when the sender has closed its end: it gave up waiting and told its user so, and its
  // request must not run any more.
  bool SenderGone() const;
  // What has arrived so far.
  const std::string& Received() const { return received_; }
  // Sends the reply line (a newline is added), waiting at most `timeoutMs` for room.
  bool Reply(const std::string& line, int timeoutMs);

 private:
  int fd_;
  std::string received_;
};

// What became of a request sent to the running instance.
struct InstanceReply {
  enum class Outcome {
    NotListening,  // no instance took the connection: the request was not run
    Closed,        // the instance closed the connection without an answer: it was not run,
                   // unless `taken`
    TimedOut,      // no answer within the time, or its queue stayed full: the instance is
                   // stopped or hung
    Answered,
  };
  Outcome outcome = Outcome::NotListening;
  std::string line;  // the reply line without its newline, when Answered
  // The instance said it began to run the request ("RUNNING"): whatever came after, it was
  // handed over and must not be sent again.
  bool taken = false;
};

// A later start's end: sends `request` and waits for the reply, giving up after `timeoutMs`
// without a word from the instance, unless the instance is closing and alive (it answers once
// its save is done). A full connection queue is tried again for as long.
InstanceReply SendInstanceRequest(const InstanceAddress& address, const InstanceRequest& request,
                                  int timeoutMs);

}  // namespace zr4
