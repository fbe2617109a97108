// Which back-end the device link runs on: with --simulate the simulated component; otherwise
// the attached ZR4PC, and the simulated component when none answers, so that the program still
// shows itself working (the user is told that no component was found).
#pragma once

#include <QObject>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/device/device_notice.h"
#include "core/device/fallback_finder.h"
#include "core/device/sim_component.h"
#include "core/device/sim_finder.h"

namespace zr4 {

class DeviceSetup {
 public:
  // With ZR4PC_SIM_TRACE=FILE every transfer of the simulated component is appended to FILE.
  DeviceSetup(Clock& clock, bool simulate);

  DeviceFinder& Finder() { return finder_; }
  // The simulated component that stands in when no ZR4PC answers (or with --simulate).
  TSimComponent& Simulator() { return simulator_; }

  // The component was asked for but not found, and the simulated one stands in for it.
  bool ComponentMissing() const { return !simulate_ && finder_.UsedFallback(); }

  // What the last discovery found, for the controller to tell the user. A refused open is
  // reported once per run.
  TDiscoveryOutcome Discovery();

  // Watches the bus from `owner`'s event loop for the component arriving or leaving and runs
  // `onChange` then; the owner runs discovery again. Nothing to watch with --simulate. Linux
  // follows hot-plug events (or rescans while the component is absent); Windows opens the
  // component anew for each request, so it only searches again, every 5 s, while the simulated
  // component stands in.
  void WatchBus(QObject* owner, std::function<void()> onChange);

 private:
  // The system's own devices and what watches them, one kind per platform
  // (device_setup_linux.cpp, device_setup_windows.cpp).
  struct System;
  struct DeleteSystem {
    void operator()(System* system) const;
  };

  // The system's own finder, or none with --simulate.
  DeviceFinder* StartSystemFinder(bool simulate);
  // With ZR4PC_SIM_TRACE=FILE, appends one line per transfer of the simulated component to FILE.
  void OpenTrace();

  struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  Clock& clock_;
  bool simulate_;
  TSimComponent simulator_;
  SimDeviceFinder simulatorFinder_;
  std::unique_ptr<System, DeleteSystem> system_;
  FallbackFinder finder_;
  std::unique_ptr<std::FILE, CloseFile> trace_;
};

}  // namespace zr4
