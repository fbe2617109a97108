#include "core/device/device_notice.h"

#include "core/device/usb_access.h"

namespace zr4 {

std::string DiscoveryNotice(const TDiscoveryOutcome& outcome, std::string_view program) {
  if (!outcome.deniedPath.empty()) return UsbAccessDeniedMessage(outcome.deniedPath, program);
  if (outcome.componentMissing) return kNoDeviceMessage;
  return {};
}

}  // namespace zr4
