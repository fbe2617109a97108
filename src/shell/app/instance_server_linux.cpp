#include "shell/app/instance_server_linux.h"

#include <QSocketNotifier>
#include <QTimer>

#include "core/ports/log.h"

namespace zr4 {

namespace {
// A connection that has not sent a whole request by then is dropped.
constexpr int kRequestTimeoutMs = 5000;

// One accepted connection: collects the request, answers it once and closes.
class Connection : public QObject {
 public:
  Connection(int fd, const InstanceServer::Handler& handler, QObject* parent)
      : QObject(parent), connection_(fd), handler_(handler), notifier_(fd, QSocketNotifier::Read) {
    connect(&notifier_, &QSocketNotifier::activated, this, &Connection::Read);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &Connection::Finish);
    deadline_.start(kRequestTimeoutMs);
  }

 private:
  void Read() {
    if (!connection_.Receive()) return Finish();  // gone before its request was complete
    const InstanceDecode decoded = DecodeInstanceRequest(connection_.Received());
    if (decoded.state == InstanceDecode::State::NeedMore) return;
    if (decoded.state == InstanceDecode::State::Invalid) {
      LogText("Single instance: dropped a malformed request");
      return Finish();
    }
    // The handler may run the event loop (a forwarded command waits for the component):
    // nothing of this connection may run meanwhile.
    notifier_.setEnabled(false);
    deadline_.stop();
    connection_.Reply(handler_(decoded.request), kRequestTimeoutMs);
    Finish();
  }

  void Finish() {
    notifier_.setEnabled(false);
    deadline_.stop();
    deleteLater();
  }

  InstanceConnection connection_;
  const InstanceServer::Handler& handler_;
  QSocketNotifier notifier_;
  QTimer deadline_;
};
}  // namespace

InstanceServer::InstanceServer(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

bool InstanceServer::Listen(const std::string& socketPath, std::string& error) {
  if (!listener_.Listen(socketPath, error)) return false;
  auto* notifier = new QSocketNotifier(listener_.Fd(), QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, &InstanceServer::Accept);
  return true;
}

void InstanceServer::Accept() {
  for (int fd = listener_.Accept(); fd >= 0; fd = listener_.Accept())
    new Connection(fd, handler_, this);
}

}  // namespace zr4
