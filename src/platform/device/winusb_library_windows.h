// The WinUSB library, loaded at run time so that the program also starts where it is missing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/device/device_api_windows.h"

namespace zr4 {

constexpr const char* kWinUsbLibraryName = "WINUSB.DLL";
constexpr const char* kWinUsbLoadError = "Error: WINUSB.DLL could not be loaded !!";

class WinUsbLibrary {
 public:
  // `showMessage` puts a text in front of the user (a message box in the program).
  using MessageFn = std::function<void(const std::string& text)>;

  WinUsbLibrary(Win32Api& api, MessageFn showMessage);
  ~WinUsbLibrary();
  WinUsbLibrary(const WinUsbLibrary&) = delete;
  WinUsbLibrary& operator=(const WinUsbLibrary&) = delete;

  // Loads the library once, with the system's "cannot open file" box suppressed, and resolves
  // the entry points the requests use. A missing library is told to the user and leaves the
  // WinUSB back-end unable to transfer; the program goes on.
  void Load();

  // True when the library is loaded and every entry point the requests use was found.
  bool Usable() const { return initialize_ != 0 && controlTransfer_ != 0 && free_ != 0; }

  std::uintptr_t Initialize() const { return initialize_; }
  std::uintptr_t ControlTransfer() const { return controlTransfer_; }
  std::uintptr_t Free() const { return free_; }

 private:
  Win32Api& api_;
  MessageFn showMessage_;
  std::uintptr_t module_ = 0;
  std::uintptr_t initialize_ = 0;
  std::uintptr_t controlTransfer_ = 0;
  std::uintptr_t free_ = 0;
};

}  // namespace zr4
