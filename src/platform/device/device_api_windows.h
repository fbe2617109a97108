// The Win32 calls the Windows device back-ends make, behind an interface with portable types,
// so that request formats, control codes, trial order and log lines are the same code on every
// platform and can be checked against a recording fake. The system implementation lives in
// device_api_windows.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zr4 {

// A device interface class identifier, laid out like the system's GUID.
struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::uint8_t data4[8] = {};

  bool operator==(const Guid&) const = default;
};

// One enumerated device interface, mirroring SP_DEVICE_INTERFACE_DATA.
struct DeviceInterfaceData {
  Guid interfaceClass;
  std::uint32_t flags = 0;
  std::uintptr_t reserved = 0;
};

// The setup packet of a WinUSB control transfer, mirroring WINUSB_SETUP_PACKET.
struct WinUsbSetupPacket {
  std::uint8_t requestType = 0;
  std::uint8_t request = 0;
  std::uint16_t value = 0;
  std::uint16_t index = 0;
  std::uint16_t length = 0;
};

// Values of the Win32 ABI the back-ends pass through the interface.
constexpr std::uintptr_t kInvalidHandleValue = ~std::uintptr_t{0};  // INVALID_HANDLE_VALUE
constexpr std::uint32_t kDigcfPresent = 0x02;
constexpr std::uint32_t kDigcfDeviceInterface = 0x10;
constexpr std::uint32_t kGenericRead = 0x80000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kFileShareRead = 0x01;
constexpr std::uint32_t kFileShareWrite = 0x02;
constexpr std::uint32_t kOpenExisting = 3;
constexpr std::uint32_t kFileAttributeNormal = 0x80;
constexpr std::uint32_t kFileFlagOverlapped = 0x40000000;
constexpr std::uint32_t kSemNoOpenFileErrorBox = 0x8000;
constexpr std::uint32_t kErrorInsufficientBuffer = 122;
constexpr std::uint32_t kErrorInvalidUserBuffer = 1784;

// SP_DEVICE_INTERFACE_DETAIL_DATA_A: a 32-bit size field followed by the zero-terminated path.
// The size field must hold the size of the fixed part as this build's compiler lays it out:
// packed to 5 bytes in 32-bit builds, padded to 8 in 64-bit builds.
constexpr std::uint32_t kDetailPathOffset = 4;
constexpr std::uint32_t kDetailHeaderSize = sizeof(void*) == 8 ? 8 : 5;

class Win32Api {
 public:
  virtual ~Win32Api() = default;

  // Device installation services. A device information set is kInvalidHandleValue on failure.
  virtual std::uintptr_t SetupDiGetClassDevsA(const Guid& interfaceClass, std::uint32_t flags) = 0;
  virtual bool SetupDiEnumDeviceInterfaces(std::uintptr_t set, const Guid& interfaceClass,
                                           std::uint32_t index, DeviceInterfaceData& data) = 0;
  // `detail` is the raw detail record (empty to ask for the size); `requiredSize` receives the
  // size the record needs.
  virtual bool SetupDiGetDeviceInterfaceDetailA(std::uintptr_t set, DeviceInterfaceData& data,
                                                std::vector<std::uint8_t>& detail,
                                                std::uint32_t& requiredSize) = 0;
  virtual bool SetupDiDestroyDeviceInfoList(std::uintptr_t set) = 0;

  // Files and I/O control. A file handle is kInvalidHandleValue on failure.
  virtual std::uintptr_t CreateFileA(const std::string& path, std::uint32_t access,
                                     std::uint32_t share, std::uint32_t creation,
                                     std::uint32_t flags) = 0;
  // `output` is sized by the caller; `returned` receives the number of bytes written to it.
  virtual bool DeviceIoControl(std::uintptr_t handle, std::uint32_t code,
                               const std::vector<std::uint8_t>& input,
                               std::vector<std::uint8_t>& output, std::uint32_t& returned) = 0;
  virtual bool CloseHandle(std::uintptr_t handle) = 0;
  virtual std::uint32_t GetLastError() = 0;
  // The system's message text for an error code in the user's default language, read into a
  // buffer of `bufferSize` bytes; empty when the system has none.
  virtual std::string FormatMessageA(std::uint32_t code, std::uint32_t bufferSize) = 0;

  // Run-time libraries. A module or entry point is 0 when it cannot be had.
  virtual std::uint32_t SetErrorMode(std::uint32_t mode) = 0;
  virtual std::uintptr_t LoadLibraryA(const std::string& name) = 0;
  virtual std::uintptr_t GetProcAddress(std::uintptr_t module, const std::string& name) = 0;
  virtual bool FreeLibrary(std::uintptr_t module) = 0;

  // WinUSB, called through the entry points GetProcAddress returned.
  virtual bool WinUsb_Initialize(std::uintptr_t entry, std::uintptr_t file,
                                 std::uintptr_t& interfaceHandle) = 0;
  virtual bool WinUsb_ControlTransfer(std::uintptr_t entry, std::uintptr_t interfaceHandle,
                                      const WinUsbSetupPacket& setup, std::uint8_t* buffer,
                                      std::uint32_t length, std::uint32_t& transferred) = 0;
  virtual bool WinUsb_Free(std::uintptr_t entry, std::uintptr_t interfaceHandle) = 0;
};

// The process-wide system implementation.
Win32Api& SystemWin32Api();

}  // namespace zr4
