// Discovery that always finds the simulated component.
#pragma once

#include "core/device/device_finder.h"
#include "core/device/sim_component.h"
#include "core/device/zr4ctrl.h"
#include "core/ports/log.h"

namespace zr4 {

class SimDeviceFinder : public DeviceFinder {
 public:
  static constexpr const char* kPath = "SIMULATED ZR4PC";

  explicit SimDeviceFinder(TSimComponent& component) : component_(component) {}

  std::optional<FoundDevice> FindDevice() override {
    LogText("CONTROL: SIMULATOR");
    LogText(kPath);
    return FoundDevice{
        kPath, [this](bool in, std::uint8_t* buffer) { return component_.Request(in, buffer); }};
  }

 private:
  TSimComponent& component_;
};

// Whether the link drives the simulated component now: a real ZR4PC that took over, or one that
// left (the link then has no device), is not the simulator.
inline bool DrivesSimulator(const TZR4Ctrl& link) {
  return link.Found && link.DevicePath == SimDeviceFinder::kPath;
}

}  // namespace zr4
