// The ZR4PC on the USB bus: its identity, and the vendor control transfer on the default pipe,
// addressed to the component's interface, that carries every 32-byte exchange. Every back-end
// (libusb on Linux, the three Windows drivers) and the udev rule take their numbers from here.
#pragma once

#include <cstdint>
#include <string>

namespace zr4 {

constexpr std::uint16_t kZr4VendorId = 0x5D1E;
constexpr std::uint16_t kZr4ProductId = 0x1001;

// The setup of the transfer: request, value and index are 0 in both directions; the length is
// the frame size.
constexpr std::uint8_t kRequestTypeIn = 0xC1;   // device-to-host, vendor, interface
constexpr std::uint8_t kRequestTypeOut = 0x41;  // host-to-device, vendor, interface
constexpr std::uint8_t kVendorRequest = 0;
constexpr std::uint16_t kVendorRequestValue = 0;
constexpr std::uint16_t kVendorRequestIndex = 0;

constexpr std::uint8_t RequestType(bool in) {
  return in ? kRequestTypeIn : kRequestTypeOut;
}

// The identifiers as Windows spells them in device paths, e.g. "VID_5D1E" and "PID_1001".
std::string VendorIdText(std::uint16_t vendor);
std::string ProductIdText(std::uint16_t product);

}  // namespace zr4
