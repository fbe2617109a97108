// The instance channel on Windows: a later start finds the running instance's window by its
// class and sends it copy-data records (single_instance_windows.h). The records carry a command
// line, a restore and the status question; no picture request and no remote key.
#pragma once

#include "core/instance/instance_channel.h"

namespace zr4 {

class WindowsInstanceChannel : public InstanceChannel {
 public:
  bool Carries(InstanceVerb verb) const override;
  Reply Ask(const InstanceRequest& request) override;
  Reply HandOver(const InstanceRequest& request) override;
};

}  // namespace zr4
