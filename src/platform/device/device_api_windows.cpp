// clang-format off
#include <windows.h>
#include <setupapi.h>
#include <winusb.h>
// clang-format on

#include <cstddef>
#include <cstring>

#include "platform/device/device_api_windows.h"

namespace zr4 {

static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == kDetailHeaderSize);
static_assert(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) == kDetailPathOffset);
static_assert(DIGCF_PRESENT == kDigcfPresent && DIGCF_DEVICEINTERFACE == kDigcfDeviceInterface);
static_assert(GENERIC_READ == kGenericRead && GENERIC_WRITE == kGenericWrite);
static_assert(FILE_SHARE_READ == kFileShareRead && FILE_SHARE_WRITE == kFileShareWrite);
static_assert(OPEN_EXISTING == kOpenExisting && FILE_ATTRIBUTE_NORMAL == kFileAttributeNormal);
static_assert(FILE_FLAG_OVERLAPPED == kFileFlagOverlapped);
static_assert(SEM_NOOPENFILEERRORBOX == kSemNoOpenFileErrorBox);
static_assert(ERROR_INSUFFICIENT_BUFFER == kErrorInsufficientBuffer);

namespace {

using WinUsbInitializeFn = BOOL(WINAPI*)(HANDLE, PWINUSB_INTERFACE_HANDLE);
using WinUsbControlTransferFn = BOOL(WINAPI*)(WINUSB_INTERFACE_HANDLE, WINUSB_SETUP_PACKET, PUCHAR,
                                              ULONG, PULONG, LPOVERLAPPED);
using WinUsbFreeFn = BOOL(WINAPI*)(WINUSB_INTERFACE_HANDLE);

GUID ToGuid(const Guid& guid) {
  GUID result;
  result.Data1 = guid.data1;
  result.Data2 = guid.data2;
  result.Data3 = guid.data3;
  std::memcpy(result.Data4, guid.data4, sizeof result.Data4);
  return result;
}

Guid FromGuid(const GUID& guid) {
  Guid result;
  result.data1 = guid.Data1;
  result.data2 = guid.Data2;
  result.data3 = guid.Data3;
  std::memcpy(result.data4, guid.Data4, sizeof result.data4);
  return result;
}

SP_DEVICE_INTERFACE_DATA ToInterfaceData(const DeviceInterfaceData& data) {
  SP_DEVICE_INTERFACE_DATA result{};
  result.cbSize = sizeof result;
  result.InterfaceClassGuid = ToGuid(data.interfaceClass);
  result.Flags = data.flags;
  result.Reserved = data.reserved;
  return result;
}

HANDLE AsHandle(std::uintptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

// Entry points arrive as plain addresses; the cast restores their published signature.
template <typename Fn>
Fn AsEntry(std::uintptr_t entry) {
  return reinterpret_cast<Fn>(entry);
}

class SystemApi final : public Win32Api {
 public:
  std::uintptr_t SetupDiGetClassDevsA(const Guid& interfaceClass, std::uint32_t flags) override {
    const GUID guid = ToGuid(interfaceClass);
    return reinterpret_cast<std::uintptr_t>(::SetupDiGetClassDevsA(&guid, nullptr, nullptr, flags));
  }

  bool SetupDiEnumDeviceInterfaces(std::uintptr_t set, const Guid& interfaceClass,
                                   std::uint32_t index, DeviceInterfaceData& data) override {
    const GUID guid = ToGuid(interfaceClass);
    SP_DEVICE_INTERFACE_DATA found{};
    found.cbSize = sizeof found;
    if (!::SetupDiEnumDeviceInterfaces(AsHandle(set), nullptr, &guid, index, &found)) return false;
    data.interfaceClass = FromGuid(found.InterfaceClassGuid);
    data.flags = found.Flags;
    data.reserved = found.Reserved;
    return true;
  }

  bool SetupDiGetDeviceInterfaceDetailA(std::uintptr_t set, DeviceInterfaceData& data,
                                        std::vector<std::uint8_t>& detail,
                                        std::uint32_t& requiredSize) override {
    SP_DEVICE_INTERFACE_DATA interfaceData = ToInterfaceData(data);
    auto* record = detail.empty()
                       ? nullptr
                       : reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(detail.data());
    DWORD required = 0;
    const BOOL ok =
        ::SetupDiGetDeviceInterfaceDetailA(AsHandle(set), &interfaceData, record,
                                           static_cast<DWORD>(detail.size()), &required, nullptr);
    requiredSize = required;
    return ok != FALSE;
  }

  bool SetupDiDestroyDeviceInfoList(std::uintptr_t set) override {
    return ::SetupDiDestroyDeviceInfoList(AsHandle(set)) != FALSE;
  }

  std::uintptr_t CreateFileA(const std::string& path, std::uint32_t access, std::uint32_t share,
                             std::uint32_t creation, std::uint32_t flags) override {
    return reinterpret_cast<std::uintptr_t>(
        ::CreateFileA(path.c_str(), access, share, nullptr, creation, flags, nullptr));
  }

  bool DeviceIoControl(std::uintptr_t handle, std::uint32_t code,
                       const std::vector<std::uint8_t>& input, std::vector<std::uint8_t>& output,
                       std::uint32_t& returned) override {
    DWORD bytes = 0;
    const BOOL ok = ::DeviceIoControl(
        AsHandle(handle), code, const_cast<std::uint8_t*>(input.data()),
        static_cast<DWORD>(input.size()), output.empty() ? nullptr : output.data(),
        static_cast<DWORD>(output.size()), &bytes, nullptr);
    returned = bytes;
    return ok != FALSE;
  }

  bool CloseHandle(std::uintptr_t handle) override { return ::CloseHandle(AsHandle(handle)); }

  std::uint32_t GetLastError() override { return ::GetLastError(); }

  std::string FormatMessageA(std::uint32_t code, std::uint32_t bufferSize) override {
    std::string text(bufferSize, '\0');
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text.data(), bufferSize, nullptr);
    text.resize(length);
    return text;
  }

  std::uint32_t SetErrorMode(std::uint32_t mode) override { return ::SetErrorMode(mode); }

  std::uintptr_t LoadLibraryA(const std::string& name) override {
    return reinterpret_cast<std::uintptr_t>(::LoadLibraryA(name.c_str()));
  }

  std::uintptr_t GetProcAddress(std::uintptr_t module, const std::string& name) override {
    return reinterpret_cast<std::uintptr_t>(
        ::GetProcAddress(reinterpret_cast<HMODULE>(module), name.c_str()));
  }

  bool FreeLibrary(std::uintptr_t module) override {
    return ::FreeLibrary(reinterpret_cast<HMODULE>(module)) != FALSE;
  }

  bool WinUsb_Initialize(std::uintptr_t entry, std::uintptr_t file,
                         std::uintptr_t& interfaceHandle) override {
    WINUSB_INTERFACE_HANDLE handle = nullptr;
    const BOOL ok = AsEntry<WinUsbInitializeFn>(entry)(AsHandle(file), &handle);
    interfaceHandle = reinterpret_cast<std::uintptr_t>(handle);
    return ok != FALSE;
  }

  bool WinUsb_ControlTransfer(std::uintptr_t entry, std::uintptr_t interfaceHandle,
                              const WinUsbSetupPacket& setup, std::uint8_t* buffer,
                              std::uint32_t length, std::uint32_t& transferred) override {
    WINUSB_SETUP_PACKET packet{};
    packet.RequestType = setup.requestType;
    packet.Request = setup.request;
    packet.Value = setup.value;
    packet.Index = setup.index;
    packet.Length = setup.length;
    ULONG bytes = 0;
    const BOOL ok = AsEntry<WinUsbControlTransferFn>(entry)(
        reinterpret_cast<WINUSB_INTERFACE_HANDLE>(interfaceHandle), packet, buffer, length, &bytes,
        nullptr);
    transferred = bytes;
    return ok != FALSE;
  }

  bool WinUsb_Free(std::uintptr_t entry, std::uintptr_t interfaceHandle) override {
    return AsEntry<WinUsbFreeFn>(entry)(
               reinterpret_cast<WINUSB_INTERFACE_HANDLE>(interfaceHandle)) != FALSE;
  }
};

}  // namespace

Win32Api& SystemWin32Api() {
  static SystemApi api;
  return api;
}

}  // namespace zr4
