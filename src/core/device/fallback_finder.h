// Discovery that tries the attached hardware first and falls back to another finder (the
// simulated component) when nothing answers, so that the program still shows itself working.
// Once the hardware has been found the stand-in is never taken again: a component that is
// unplugged or switched off leaves the link without a device (the display keeps its last
// state) until it comes back, rather than turning into the simulator.
#pragma once

#include "core/device/device_finder.h"

namespace zr4 {

class FallbackFinder : public DeviceFinder {
 public:
  // `primary` may be null when this build has no hardware back-end.
  FallbackFinder(DeviceFinder* primary, DeviceFinder& fallback)
      : primary_(primary), fallback_(fallback) {}

  std::optional<FoundDevice> FindDevice() override {
    if (primary_ != nullptr) {
      if (auto device = primary_->FindDevice()) {
        usedFallback_ = false;
        hardwareSeen_ = true;
        return device;
      }
    }
    if (hardwareSeen_) return std::nullopt;
    usedFallback_ = true;
    return fallback_.FindDevice();
  }

  // Whether the last discovery found no hardware and took the fallback.
  bool UsedFallback() const { return usedFallback_; }

 private:
  DeviceFinder* primary_;
  DeviceFinder& fallback_;
  bool usedFallback_ = false;
  bool hardwareSeen_ = false;
};

}  // namespace zr4
