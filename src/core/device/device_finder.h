// Discovery port: finds the component and hands back the request operation of its back-end.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zr4 {

// One 32-byte exchange: `in` true reads the status report into `buffer`, false sends it.
// Returns true when the back-end reports success.
using RequestFn = std::function<bool(bool in, std::uint8_t* buffer)>;

struct FoundDevice {
  std::string path;   // the device path (interface path, bus path, or a simulator name)
  RequestFn request;  // the back-end's request operation bound to that device
};

class DeviceFinder {
 public:
  virtual ~DeviceFinder() = default;

  // Walks the back-ends in their order of trial and returns the first match, logging each step.
  virtual std::optional<FoundDevice> FindDevice() = 0;
};

}  // namespace zr4
