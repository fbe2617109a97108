#include "platform/device/system_devices_windows.h"

#include <windows.h>

#include <utility>

#include "platform/device/device_api_windows.h"

namespace zr4 {

WindowsDevices::WindowsDevices(WinUsbLibrary::MessageFn showMessage)
    : winusb_(SystemWin32Api(), std::move(showMessage)), finder_(SystemWin32Api(), winusb_) {
  winusb_.Load();
}

void ShowSystemMessage(const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(length > 0 ? length : 1, L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), length);
  MessageBoxW(nullptr, wide.c_str(), L"ZR4PCCtrl", MB_OK);
}

}  // namespace zr4
