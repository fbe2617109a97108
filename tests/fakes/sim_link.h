// The simulated component on a device link, as every controller and window test starts: the
// clock (a fake one, or one that also logs), the component, the finder that finds it and the link.
// Fixtures derive from it so that tests name `clock`, `sim` and `link` directly.
#pragma once

#include "core/device/sim_component.h"
#include "core/device/sim_finder.h"
#include "core/device/zr4ctrl.h"
#include "fakes/fake_clock.h"

namespace zr4::test {

// The component as the hardware back-end finds it while it is plugged in: a link on it drives a
// real ZR4PC as far as the program can tell.
class HardwareFinder : public DeviceFinder {
 public:
  explicit HardwareFinder(TSimComponent& component) : component_(component) {}
  std::optional<FoundDevice> FindDevice() override {
    if (!plugged) return std::nullopt;
    return FoundDevice{"/dev/bus/usb/001/004", [this](bool in, std::uint8_t* buffer) {
                         return component_.Request(in, buffer);
                       }};
  }
  bool plugged = true;

 private:
  TSimComponent& component_;
};

template <typename ClockType = FakeClock>
struct SimLink {
  // Finds nothing: a PC without the component.
  class NoDeviceFinder : public DeviceFinder {
    std::optional<FoundDevice> FindDevice() override { return std::nullopt; }
  };

  ClockType clock;
  TSimComponent sim{clock};
  SimDeviceFinder finder{sim};
  TZR4Ctrl link{clock, finder};
  NoDeviceFinder noDevice;
  TZR4Ctrl absentLink{clock, noDevice};
};

}  // namespace zr4::test
