#include "core/device/remote_key_names.h"

namespace zr4 {

std::optional<TSimComponent::RemoteKey> RemoteKeyByName(std::string_view name) {
  using Key = TSimComponent::RemoteKey;
  if (name == "up") return Key::VolumeUp;
  if (name == "down") return Key::VolumeDown;
  if (name == "mute") return Key::Mute;
  if (name == "power") return Key::Power;
  return std::nullopt;
}

}  // namespace zr4
