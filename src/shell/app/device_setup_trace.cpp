#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "shell/app/device_setup.h"

namespace zr4 {

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
