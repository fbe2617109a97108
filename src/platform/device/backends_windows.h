// The three Windows back-ends that carry one 32-byte exchange to the ZR4PC: the component's own
// kernel driver, the generic UUSBD driver and WinUSB. Each request opens the device path,
// performs one transfer, logs it and closes the handle again.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/device/device_api_windows.h"
#include "platform/device/winusb_library_windows.h"

namespace zr4 {

// The usual I/O control code rule: device type, access, function and transfer method.
constexpr std::uint32_t CtlCode(std::uint32_t deviceType, std::uint32_t function,
                                std::uint32_t method, std::uint32_t access) {
  return (deviceType << 16) | (access << 14) | (function << 2) | method;
}

constexpr std::uint32_t kIoctlOrgRequest = CtlCode(0x22, 0x804, 0, 0);  // both directions
constexpr std::uint32_t kIoctlUusbdIn = CtlCode(0x22, 3, 0, 0);
constexpr std::uint32_t kIoctlUusbdOut = CtlCode(0x22, 4, 0, 0);

constexpr std::size_t kOrgHeaderSize = 19;
constexpr std::size_t kOrgInReplySize = 40;  // 8 bytes the driver prepends, then the data
constexpr std::size_t kOrgInDataOffset = 8;
constexpr std::size_t kOrgOutReplySize = 8;
constexpr std::size_t kUusbdHeaderSize = 16;

// The own driver's vendor-request header (packed, little-endian).
std::array<std::uint8_t, kOrgHeaderSize> BuildOrgHeader(bool in);

// The UUSBD vendor-request header (packed, little-endian).
std::array<std::uint8_t, kUusbdHeaderSize> BuildUusbdHeader(bool in);

// "ERRORCODE: " + code + ". " + the system's message for it (at most 511 characters, without
// the line break the system ends it with, so that it stays one log line).
std::string ErrorText(Win32Api& api, std::uint32_t code);

// The back-ends. `in` true fills the 32 bytes of `buffer` from the component; false sends them.
bool DeviceRequestOrg(Win32Api& api, const std::string& path, bool in, std::uint8_t* buffer);
bool DeviceRequestUusbd(Win32Api& api, const std::string& path, bool in, std::uint8_t* buffer);
bool DeviceRequestWinUsb(Win32Api& api, const WinUsbLibrary& winusb, const std::string& path,
                         bool in, std::uint8_t* buffer);

}  // namespace zr4
