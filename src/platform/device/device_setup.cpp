#include "platform/device/device_setup.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zr4 {

// StartSystemFinder fills members declared before `finder_`: they exist by the time the
// fallback finder takes the system's finder.
DeviceSetup::DeviceSetup(Clock& clock, bool simulate)
    : clock_(clock),
      simulate_(simulate),
      simulator_(clock),
      simulatorFinder_(simulator_),
      finder_(StartSystemFinder(simulate), simulatorFinder_) {
  OpenTrace();
}

void DeviceSetup::OpenTrace() {
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

}  // namespace zr4
