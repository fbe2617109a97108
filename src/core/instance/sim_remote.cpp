#include "core/instance/sim_remote.h"

#include "core/device/sim_finder.h"
#include "core/instance/instance_protocol.h"

namespace zr4 {

std::string TSimRemote::Press(std::string_view name) {
  const std::optional<TSimComponent::RemoteKey> key = RemoteKeyByName(name);
  if (!key) return "unknown remote key \"" + std::string(name) + "\" (up, down, mute, power)";
  if (component_ == nullptr || !DrivesSimulator(link_))
    return "the running instance drives a real ZR4PC: press the key on its remote";
  component_->PressRemoteKey(*key);
  return std::string(kInstanceReplyOk);
}

}  // namespace zr4
