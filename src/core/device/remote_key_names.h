// The names of the remote's keys as `--sim-remote` takes them.
#pragma once

#include <optional>
#include <string_view>

#include "core/device/sim_component.h"

namespace zr4 {

// "up", "down", "mute" and "power", in lower case.
std::optional<TSimComponent::RemoteKey> RemoteKeyByName(std::string_view name);

}  // namespace zr4
