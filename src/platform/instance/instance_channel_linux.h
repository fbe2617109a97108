// The instance channel on Linux: requests go over the user's local socket
// (single_instance_linux.h). A later start that finds the instance gone takes its place, so that
// a request is neither lost nor run twice.
#pragma once

#include <optional>

#include "core/instance/instance_channel.h"
#include "platform/instance/single_instance_linux.h"

namespace zr4 {

// How long a later start waits for a running instance that says nothing. An instance that is
// closing is waited for as long as its process runs, whatever these say.
struct InstanceWaitLimits {
  // For an answer: a forwarded command line is answered only once it has run, and it may wait
  // for the component.
  int replyMs = 10000;
  // For an instance that holds the lock but does not listen yet: it is still starting.
  int startingMs = 5000;
};

class LinuxInstanceChannel : public InstanceChannel {
 public:
  // Without an address there is no single instance, and no instance to reach. `lock` is this
  // start's hold on the instance lock, which a hand-over may take.
  LinuxInstanceChannel(const std::optional<InstanceAddress>& address,
                       std::optional<InstanceLock>& lock, const InstanceWaitLimits& limits)
      : address_(address), lock_(lock), limits_(limits) {}

  // The socket carries every request of the protocol.
  bool Carries(InstanceVerb) const override { return true; }
  Reply Ask(const InstanceRequest& request) override;
  // Sends `request` until the instance answers or this start holds the lock (BecameInstance).
  // A request is sent again only when the instance did not run it: it was not listening, or it
  // closed the connection unanswered (it closes its socket as soon as it begins to close) before
  // saying it runs the request. While the instance is closing, it is waited for as long as its
  // process runs.
  Reply HandOver(const InstanceRequest& request) override;

 private:
  const std::optional<InstanceAddress>& address_;
  std::optional<InstanceLock>& lock_;
  InstanceWaitLimits limits_;
};

}  // namespace zr4
