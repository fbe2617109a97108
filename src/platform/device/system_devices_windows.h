// The device back-ends of this platform as the program uses them: WINUSB.DLL loaded once at
// start, before any window exists, and discovery over the system's own calls.
#pragma once

#include <string>

#include "platform/device/discovery_windows.h"
#include "platform/device/winusb_library_windows.h"

namespace zr4 {

class WindowsDevices {
 public:
  // Loads the WinUSB library; a missing library is told through `showMessage` and the other
  // back-ends still work.
  explicit WindowsDevices(WinUsbLibrary::MessageFn showMessage);
  WindowsDevices(const WindowsDevices&) = delete;
  WindowsDevices& operator=(const WindowsDevices&) = delete;

  DeviceFinder& Finder() { return finder_; }

 private:
  WinUsbLibrary winusb_;
  WindowsDeviceFinder finder_;
};

// Puts a text (UTF-8) in front of the user in the system's message box, owned by no window, and
// waits until it is closed.
void ShowSystemMessage(const std::string& text);

}  // namespace zr4
