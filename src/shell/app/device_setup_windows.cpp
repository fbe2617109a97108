// Windows: the component's driver classes are searched once at start (WINUSB.DLL loaded before
// any window exists); the simulated component stands in when nothing answers.
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/app/controller.h"
#include "shell/app/device_setup.h"

namespace zr4 {

namespace {
DeviceFinder* StartDevices(bool simulate, std::optional<WindowsDevices>& devices) {
  if (simulate) return nullptr;
  return &devices.emplace(ShowSystemMessage).Finder();
}
}  // namespace

DeviceSetup::DeviceSetup(Clock& clock, bool simulate)
    : clock_(clock),
      simulate_(simulate),
      simulator_(clock),
      simulatorFinder_(simulator_),
      finder_(StartDevices(simulate, windows_), simulatorFinder_) {
  const char* tracePath = std::getenv("ZR4PC_SIM_TRACE");
  if (tracePath == nullptr || *tracePath == '\0') return;
  trace_.reset(std::fopen(tracePath, "a"));
  if (!trace_) {
    std::fprintf(stderr, "zr4pcctrl: cannot open %s: %s\n", tracePath, std::strerror(errno));
    return;
  }
  simulator_.SetTrace([file = trace_.get()](const std::string& line) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fflush(file);
  });
}

std::string DeviceSetup::NotFoundMessage(const std::string&) {
  return ComponentMissing() ? kNoDeviceMessage : std::string();
}

// The system opens the component for any user: there is no permission to ask for.
std::string DeviceSetup::AccessDeniedMessage(const std::string&) {
  return {};
}

void DeviceSetup::WatchBus(QObject*, std::function<void()>) {}

}  // namespace zr4
