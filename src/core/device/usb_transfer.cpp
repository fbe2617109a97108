#include "core/device/usb_transfer.h"

#include <cstdio>

namespace zr4 {

namespace {
std::string IdText(const char* prefix, std::uint16_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "%s_%04X", prefix, static_cast<unsigned>(id));
  return text;
}
}  // namespace

std::string VendorIdText(std::uint16_t vendor) {
  return IdText("VID", vendor);
}

std::string ProductIdText(std::uint16_t product) {
  return IdText("PID", product);
}

}  // namespace zr4
