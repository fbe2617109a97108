#include "platform/instance/instance_server_linux.h"

#include <QSocketNotifier>
#include <QTimer>

#include "core/ports/log.h"

namespace zr4 {

namespace {
// A connection that has not sent a whole request by then is dropped.
constexpr int kRequestTimeoutMs = 5000;
// Out of descriptors, a waiting connection keeps the socket readable: accepting pauses this
// long instead of waking the loop without end, and goes on once descriptors are free again.
constexpr int kAcceptPauseMs = 250;
}  // namespace

// One accepted connection: collects the request, answers it once and closes.
class InstanceServer::Connection : public QObject {
 public:
  Connection(int fd, InstanceServer& server)
      : QObject(&server), server_(server), connection_(fd), notifier_(fd, QSocketNotifier::Read) {
    server_.connections_.insert(this);
    connect(&notifier_, &QSocketNotifier::activated, this, &Connection::Read);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &Connection::Finish);
    deadline_.start(kRequestTimeoutMs);
  }
  ~Connection() override { server_.connections_.erase(this); }

  // Its request runs (and may run the event loop): it must be answered, not dropped.
  bool Running() const { return running_; }

 private:
  void Read() {
    if (!connection_.Receive()) return Finish();  // gone before its request was complete
    const InstanceDecode decoded = DecodeInstanceRequest(connection_.Received());
    if (decoded.state == InstanceDecode::State::NeedMore) return;
    if (decoded.state == InstanceDecode::State::Invalid) {
      LogText("Single instance: dropped a malformed request");
      return Finish();
    }
    if (connection_.SenderGone()) {
      LogText("Single instance: dropped a request whose sender has given up");
      return Finish();
    }
    // The handler may run the event loop (a forwarded command waits for the component):
    // nothing of this connection may run meanwhile.
    notifier_.setEnabled(false);
    deadline_.stop();
    running_ = true;
    // A command line may run long (it may wait for the component, or close the window and
    // save): the sender learns at once that it was taken, so that it never calls it not handed
    // over.
    if (decoded.request.verb == InstanceVerb::Forward)
      connection_.Reply(std::string(kInstanceReplyRunning), kRequestTimeoutMs);
    if (const std::optional<std::string> reply = server_.handler_(decoded.request))
      connection_.Reply(*reply, kRequestTimeoutMs);
    Finish();
  }

  void Finish() {
    notifier_.setEnabled(false);
    deadline_.stop();
    deleteLater();
  }

  InstanceServer& server_;
  InstanceConnection connection_;
  QSocketNotifier notifier_;
  QTimer deadline_;
  bool running_ = false;
};

InstanceServer::InstanceServer(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

InstanceServer::~InstanceServer() {
  // The connections go first: they take themselves out of `connections_`.
  while (!connections_.empty()) delete *connections_.begin();
}

bool InstanceServer::Listen(const std::string& socketPath, std::string& error) {
  auto listener = std::make_unique<InstanceListener>();
  if (!listener->Listen(socketPath, error)) return false;
  listener_ = std::move(listener);
  acceptNotifier_ = new QSocketNotifier(listener_->Fd(), QSocketNotifier::Read, this);
  connect(acceptNotifier_, &QSocketNotifier::activated, this, &InstanceServer::Accept);
  return true;
}

void InstanceServer::Stop() {
  delete acceptNotifier_;
  acceptNotifier_ = nullptr;
  if (listener_) LogText("Single instance: closing, no more requests");
  listener_.reset();
  for (auto it = connections_.begin(); it != connections_.end();) {
    Connection* connection = *it++;
    if (!connection->Running()) delete connection;
  }
}

void InstanceServer::Accept() {
  for (int fd = listener_->Accept(); fd >= 0; fd = listener_->Accept()) new Connection(fd, *this);
  if (!listener_->OutOfDescriptors()) return;
  LogText("Single instance: out of file descriptors, accepting again shortly");
  acceptNotifier_->setEnabled(false);
  QTimer::singleShot(kAcceptPauseMs, acceptNotifier_,
                     [notifier = acceptNotifier_] { notifier->setEnabled(true); });
}

}  // namespace zr4
