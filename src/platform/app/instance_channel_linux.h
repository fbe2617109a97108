// The instance channel on Linux: requests go over the user's local socket
// (single_instance_linux.h); a later start that finds the instance gone takes over its lock
// (instance_handover_linux.h).
#pragma once

#include <optional>

#include "core/automation/instance_channel.h"
#include "platform/app/instance_handover_linux.h"
#include "platform/app/single_instance_linux.h"

namespace zr4 {

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
  Reply HandOver(const InstanceRequest& request) override;

 private:
  const std::optional<InstanceAddress>& address_;
  std::optional<InstanceLock>& lock_;
  InstanceWaitLimits limits_;
};

}  // namespace zr4
