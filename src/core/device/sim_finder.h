// Discovery that always finds the simulated component.
#pragma once

#include "core/device/device_finder.h"
#include "core/device/sim_component.h"
#include "core/ports/log.h"

namespace zr4 {

class SimDeviceFinder : public DeviceFinder {
 public:
  static constexpr const char* kPath = "SIMULATED ZR4PC";

  explicit SimDeviceFinder(TSimComponent& component) : component_(component) {}

  std::optional<FoundDevice> FindDevice() override {
    LogText("CONTROL: SIMULATOR");
    LogText(kPath);
    return FoundDevice{kPath, [this](bool in, std::uint8_t* buffer) {
                         return component_.Request(in, buffer);
                       }};
  }

 private:
  TSimComponent& component_;
};

}  // namespace zr4
