// The running instance's end of the single-instance socket
// (platform/instance/single_instance_linux.h) on the Qt event loop: requests are answered one
// connection at a time as they arrive.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "core/instance/instance_protocol.h"
#include "platform/instance/single_instance_linux.h"

namespace zr4 {

class InstanceServer : public QObject {
  Q_OBJECT

 public:
  // Returns the reply line for a request (without its newline), or nothing: the connection
  // then closes unanswered, as when the instance is gone.
  using Handler = std::function<std::optional<std::string>(const InstanceRequest&)>;

  explicit InstanceServer(Handler handler, QObject* parent = nullptr);
  ~InstanceServer() override;

  // Listens at `socketPath` (see InstanceListener::Listen).
  bool Listen(const std::string& socketPath, std::string& error);

  // The instance is closing: the socket goes, and connections whose request has not begun to
  // run are closed unanswered, so that their senders try again and find the next instance.
  void Stop();

 private:
  class Connection;

  void Accept();

  Handler handler_;
  std::unique_ptr<InstanceListener> listener_;
  QSocketNotifier* acceptNotifier_ = nullptr;
  std::set<Connection*> connections_;
};

}  // namespace zr4
