// Finding the ZR4PC among the device interfaces Windows reports, under the three driver
// interface classes in their order of trial.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/device/device_finder.h"
#include "platform/device/device_api_windows.h"
#include "platform/device/winusb_library_windows.h"

namespace zr4 {

// The interface classes: the component's own driver, UUSBD, WinUSB.
constexpr Guid kOrgDriverClass{
    0x7B1E4C20, 0x5A93, 0x4D6E, {0x8F, 0x12, 0x3C, 0x9A, 0x0B, 0x7D, 0x5E, 0x41}};
constexpr Guid kUusbdClass{
    0x69910468, 0x8802, 0x11D3, {0xAB, 0xC7, 0xA7, 0x56, 0xB2, 0xFD, 0xFB, 0x29}};
constexpr Guid kWinUsbClass{
    0x2F6D9A14, 0xC38B, 0x4E57, {0x9A, 0x0C, 0x6B, 0x1E, 0x8D, 0x4F, 0x3A, 0x92}};

// Interfaces beyond this many per class are not looked at.
constexpr std::uint32_t kInterfaceSlots = 10;

// The device path of the present interface with that index in the class, or empty. The whole
// path is taken, however long the system reports it.
std::string GetInterfacePath(Win32Api& api, const Guid& interfaceClass, std::uint32_t index);

// True when an interface path names the ZR4PC ("VID_" and "PID_" with its ids), in any case.
bool IsComponentPath(const std::string& path);

class WindowsDeviceFinder : public DeviceFinder {
 public:
  WindowsDeviceFinder(Win32Api& api, const WinUsbLibrary& winusb) : api_(api), winusb_(winusb) {}

  // Tries the own driver, UUSBD and WinUSB classes in that order; the first class holding the
  // component decides the back-end.
  std::optional<FoundDevice> FindDevice() override;

  // The path found last; kept when a later discovery finds nothing.
  const std::string& DevicePath() const { return devicePath_; }

 private:
  // Walks indexes 0..9 of one class; an empty slot ends the walk.
  bool FindInClass(const Guid& interfaceClass);

  Win32Api& api_;
  const WinUsbLibrary& winusb_;
  std::string devicePath_;
};

}  // namespace zr4
