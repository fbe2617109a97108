#include "platform/device/discovery_windows.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "core/device/usb_transfer.h"
#include "core/ports/log.h"
#include "platform/device/backends_windows.h"

namespace zr4 {

namespace {

// Larger than any path the system can report; a bigger answer is taken as a failure.
constexpr std::uint32_t kMaxDetailSize = 64 * 1024;

std::string ReadDetailPath(Win32Api& api, std::uintptr_t set, DeviceInterfaceData& data) {
  std::vector<std::uint8_t> detail;
  std::uint32_t required = 0;
  if (!api.SetupDiGetDeviceInterfaceDetailA(set, data, detail, required) &&
      api.GetLastError() != kErrorInsufficientBuffer) {
    return {};
  }
  if (required <= kDetailPathOffset || required > kMaxDetailSize) return {};
  detail.assign(required, 0);
  const std::uint32_t headerSize = kDetailHeaderSize;
  std::memcpy(detail.data(), &headerSize, sizeof headerSize);
  if (!api.SetupDiGetDeviceInterfaceDetailA(set, data, detail, required)) return {};
  // The path runs to its zero byte, and never past the record.
  const auto* first = reinterpret_cast<const char*>(detail.data() + kDetailPathOffset);
  const std::size_t room = detail.size() - kDetailPathOffset;
  return std::string(first, std::find(first, first + room, '\0'));
}

}  // namespace

std::string GetInterfacePath(Win32Api& api, const Guid& interfaceClass, std::uint32_t index) {
  const std::uintptr_t set =
      api.SetupDiGetClassDevsA(interfaceClass, kDigcfPresent | kDigcfDeviceInterface);
  if (set == kInvalidHandleValue) return {};
  std::string path;
  DeviceInterfaceData data;
  if (api.SetupDiEnumDeviceInterfaces(set, interfaceClass, index, data)) {
    path = ReadDetailPath(api, set, data);
  }
  api.SetupDiDestroyDeviceInfoList(set);
  return path;
}

bool IsComponentPath(const std::string& path) {
  std::string upper = path;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper.find(VendorIdText(kZr4VendorId)) != std::string::npos &&
         upper.find(ProductIdText(kZr4ProductId)) != std::string::npos;
}

bool WindowsDeviceFinder::FindInClass(const Guid& interfaceClass) {
  for (std::uint32_t index = 0; index < kInterfaceSlots; ++index) {
    std::string path = GetInterfacePath(api_, interfaceClass, index);
    if (path.empty()) return false;
    LogText("index: " + std::to_string(index) + ";  " + devicePath_);
    if (IsComponentPath(path)) {
      devicePath_ = std::move(path);
      return true;
    }
  }
  return false;
}

std::optional<FoundDevice> WindowsDeviceFinder::FindDevice() {
  Win32Api& api = api_;
  if (FindInClass(kOrgDriverClass)) {
    LogText("CONTROL: ORIGINAL DRIVER");
    LogText(devicePath_);
    return FoundDevice{devicePath_, [&api, path = devicePath_](bool in, std::uint8_t* buffer) {
                         return DeviceRequestOrg(api, path, in, buffer);
                       }};
  }
  if (FindInClass(kUusbdClass)) {
    LogText("CONTROL: UUSBD");
    LogText(devicePath_);
    return FoundDevice{devicePath_, [&api, path = devicePath_](bool in, std::uint8_t* buffer) {
                         return DeviceRequestUusbd(api, path, in, buffer);
                       }};
  }
  if (FindInClass(kWinUsbClass)) {
    LogText("CONTROL: WINUSB DRIVER");
    LogText(devicePath_);
    const WinUsbLibrary& winusb = winusb_;
    return FoundDevice{devicePath_,
                       [&api, &winusb, path = devicePath_](bool in, std::uint8_t* buffer) {
                         return DeviceRequestWinUsb(api, winusb, path, in, buffer);
                       }};
  }
  return std::nullopt;
}

}  // namespace zr4
