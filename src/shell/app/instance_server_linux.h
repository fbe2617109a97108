// The running instance's end of the single-instance socket (platform/app/single_instance_linux.h)
// on the Qt event loop: requests are answered one connection at a time as they arrive.
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "core/app/instance_protocol.h"
#include "platform/app/single_instance_linux.h"

namespace zr4 {

class InstanceServer : public QObject {
  Q_OBJECT

 public:
  // Returns the reply line for a request (without its newline).
  using Handler = std::function<std::string(const InstanceRequest&)>;

  explicit InstanceServer(Handler handler, QObject* parent = nullptr);

  // Listens at `socketPath` (see InstanceListener::Listen).
  bool Listen(const std::string& socketPath, std::string& error);

 private:
  void Accept();

  Handler handler_;
  InstanceListener listener_;
};

}  // namespace zr4
