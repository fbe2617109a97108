#include "platform/device/backends_windows.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "core/device/usb_transfer.h"
#include "core/device/zr4defs.h"
#include "core/ports/log.h"

namespace zr4 {

namespace {

constexpr std::uint32_t kMessageBufferSize = 512;
constexpr std::uint16_t kVendorInterfaceFunction = 0x0018;

void PutLe(std::uint8_t* at, std::uint32_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

const char* TrueFalse(bool value) {
  return value ? "True" : "False";
}

std::uintptr_t OpenDevice(Win32Api& api, const std::string& path, std::uint32_t flags) {
  return api.CreateFileA(path, kGenericRead | kGenericWrite, kFileShareRead | kFileShareWrite,
                         kOpenExisting, flags);
}

std::string HandleText(std::uintptr_t handle) {
  return std::to_string(static_cast<std::intptr_t>(handle));
}

}  // namespace

std::array<std::uint8_t, kOrgHeaderSize> BuildOrgHeader(bool in) {
  std::array<std::uint8_t, kOrgHeaderSize> header{};
  PutLe(&header[0], 0x5342, 2);
  PutLe(&header[2], 0, 4);
  PutLe(&header[6], kVendorInterfaceFunction, 2);
  PutLe(&header[8], in ? 1 : 0, 4);
  header[12] = kVendorRequest;
  PutLe(&header[13], kVendorRequestValue, 2);
  PutLe(&header[15], kVendorRequestIndex, 2);
  PutLe(&header[17], kFrameSize, 2);  // length
  return header;
}

std::array<std::uint8_t, kUusbdHeaderSize> BuildUusbdHeader(bool in) {
  std::array<std::uint8_t, kUusbdHeaderSize> header{};
  PutLe(&header[0], kVendorInterfaceFunction, 2);
  PutLe(&header[2], in ? 2 : 0, 4);  // transfer flags: 2 reads from the device
  PutLe(&header[6], 0, 4);
  header[10] = 0;
  header[11] = kVendorRequest;
  PutLe(&header[12], kVendorRequestValue, 2);
  PutLe(&header[14], kVendorRequestIndex, 2);
  return header;
}

std::string ErrorText(Win32Api& api, std::uint32_t code) {
  std::string message = api.FormatMessageA(code, kMessageBufferSize);
  if (message.size() > kMessageBufferSize - 1) message.resize(kMessageBufferSize - 1);
  while (!message.empty() &&
         (message.back() == '\r' || message.back() == '\n' || message.back() == ' ')) {
    message.pop_back();
  }
  return "ERRORCODE: " + std::to_string(code) + ". " + message;
}

bool DeviceRequestOrg(Win32Api& api, const std::string& path, bool in, std::uint8_t* buffer) {
  std::uintptr_t handle = kInvalidHandleValue;
  try {
    handle = OpenDevice(api, path, kFileAttributeNormal);
    LogText("DEVICE HANDLE = " + HandleText(handle));
    if (handle == kInvalidHandleValue) {
      LogText("ORG CreatFile  INVALID_HANDLE_VALUE");
      return false;
    }
    const auto header = BuildOrgHeader(in);
    std::vector<std::uint8_t> input(header.begin(), header.end());
    std::uint32_t returned = 0;
    bool ok = false;
    if (in) {
      std::vector<std::uint8_t> output(kOrgInReplySize, 0);
      ok = api.DeviceIoControl(handle, kIoctlOrgRequest, input, output, returned);
      LogText(std::string("ORG IN  STATUS: ") + TrueFalse(ok));
      LogText("ORG IN: " + ErrorText(api, api.GetLastError()));
      output.resize(kOrgInReplySize, 0);  // the seam must not shrink the reply
      std::copy_n(output.begin() + kOrgInDataOffset, kFrameSize, buffer);
      LogText(HexDump(buffer, kFrameSize));
    } else {
      input.resize(header.size() + kFrameSize);
      std::copy_n(buffer, kFrameSize, input.begin() + header.size());
      std::vector<std::uint8_t> output(kOrgOutReplySize, 0);
      ok = api.DeviceIoControl(handle, kIoctlOrgRequest, input, output, returned);
      LogText(std::string("ORG OUT  STATUS: ") + TrueFalse(ok));
      LogText("ORG OUT  " + ErrorText(api, api.GetLastError()));
      LogText(HexDump(buffer, kFrameSize));
    }
    api.CloseHandle(handle);
    return ok;
  } catch (const std::exception&) {
    LogText("Exception DeviceRequestOrg");
    if (handle != kInvalidHandleValue) api.CloseHandle(handle);
    return false;
  }
}

bool DeviceRequestUusbd(Win32Api& api, const std::string& path, bool in, std::uint8_t* buffer) {
  const std::uintptr_t handle = OpenDevice(api, path, kFileAttributeNormal);
  LogText("DEVICE HANDLE = " + HandleText(handle));
  if (handle == kInvalidHandleValue) {
    LogText("UUSBD CreatFile INVALID_HANDLE_VALUE");
    return false;
  }
  const auto header = BuildUusbdHeader(in);
  std::vector<std::uint8_t> input(header.begin(), header.end());
  std::uint32_t returned = 0;
  bool ok = false;
  if (in) {
    std::vector<std::uint8_t> output(kFrameSize, 0);
    ok = api.DeviceIoControl(handle, kIoctlUusbdIn, input, output, returned);
    LogText(std::string("UUSBD IN  STATUS: ") + TrueFalse(ok));
    LogText("UUSBD IN: " + ErrorText(api, api.GetLastError()));
    output.resize(kFrameSize, 0);
    std::copy_n(output.begin(), kFrameSize, buffer);
  } else {
    input.resize(header.size() + kFrameSize);
    std::copy_n(buffer, kFrameSize, input.begin() + header.size());
    std::vector<std::uint8_t> noOutput;
    ok = api.DeviceIoControl(handle, kIoctlUusbdOut, input, noOutput, returned);
    LogText(std::string("UUSBD OUT  STATUS: ") + TrueFalse(ok));
    LogText("UUSBD OUT: " + ErrorText(api, api.GetLastError()));
  }
  LogText(HexDump(buffer, kFrameSize));
  api.CloseHandle(handle);
  return ok;
}

bool DeviceRequestWinUsb(Win32Api& api, const WinUsbLibrary& winusb, const std::string& path,
                         bool in, std::uint8_t* buffer) {
  if (!winusb.Usable()) return false;  // told to the user when the library failed to load
  const std::uintptr_t file = OpenDevice(api, path, kFileAttributeNormal | kFileFlagOverlapped);
  if (file == kInvalidHandleValue) {
    LogText("WinUSB  CreateFile INVALID_HANDLE_VALUE");
    return false;
  }
  std::uintptr_t interfaceHandle = 0;
  const bool initialized = api.WinUsb_Initialize(winusb.Initialize(), file, interfaceHandle);
  if (!initialized || interfaceHandle == kInvalidHandleValue) {
    LogText("WinUSB InterfaceHandle = " + HandleText(interfaceHandle));
    api.CloseHandle(file);
    return false;
  }

  std::array<std::uint8_t, kFrameSize> work{};
  std::copy_n(buffer, kFrameSize, work.begin());
  WinUsbSetupPacket setup;
  setup.requestType = RequestType(in);
  setup.request = kVendorRequest;
  setup.value = kVendorRequestValue;
  setup.index = kVendorRequestIndex;
  setup.length = static_cast<std::uint16_t>(kFrameSize);
  std::uint32_t transferred = 0;
  const bool transferOk = api.WinUsb_ControlTransfer(winusb.ControlTransfer(), interfaceHandle,
                                                     setup, work.data(), kFrameSize, transferred);
  if (!transferOk) {
    LogText("WinUsb_ControlTransfer : False");
    LogText(ErrorText(api, api.GetLastError()));
  }
  // A short status read would be decoded as if the missing bytes were zero.
  const bool ok = transferOk && (!in || transferred == kFrameSize);
  if (in) std::copy(work.begin(), work.end(), buffer);
  LogText(std::string("WinUSB Status: ") + TrueFalse(ok) + "  direction: " + (in ? "-1" : "0"));
  LogText(HexDump(buffer, kFrameSize));

  api.WinUsb_Free(winusb.Free(), interfaceHandle);
  api.CloseHandle(file);
  return ok;
}

}  // namespace zr4
