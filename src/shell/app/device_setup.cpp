#include "shell/app/device_setup.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/app/controller.h"
#include "core/device/usb_access.h"

namespace zr4 {

namespace {
LibusbDeviceFinder* StartUsb(bool simulate, std::optional<LibusbContext>& usb,
                             std::optional<LibusbDeviceFinder>& finder) {
  if (simulate) return nullptr;
  usb.emplace();
  return &finder.emplace(*usb);
}
}  // namespace

DeviceSetup::DeviceSetup(Clock& clock, bool simulate)
    : simulate_(simulate),
      simulator_(clock),
      simulatorFinder_(simulator_),
      finder_(StartUsb(simulate, usb_, usbFinder_), simulatorFinder_) {
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

std::string DeviceSetup::NotFoundMessage(const std::string& program) {
  if (!ComponentMissing()) return {};
  if (usbFinder_ && usbFinder_->TakeAccessDeniedNotice())
    return UsbAccessDeniedMessage(usbFinder_->DeniedPath(), program);
  return kNoDeviceMessage;
}

}  // namespace zr4
