#include "platform/device/winusb_library_windows.h"

#include <utility>

namespace zr4 {

WinUsbLibrary::WinUsbLibrary(Win32Api& api, MessageFn showMessage)
    : api_(api), showMessage_(std::move(showMessage)) {}

WinUsbLibrary::~WinUsbLibrary() {
  if (module_ != 0) api_.FreeLibrary(module_);
}

void WinUsbLibrary::Load() {
  if (module_ != 0) return;
  const std::uint32_t previousMode = api_.SetErrorMode(kSemNoOpenFileErrorBox);
  module_ = api_.LoadLibraryA(kWinUsbLibraryName);
  api_.SetErrorMode(previousMode);
  if (module_ == 0) {
    if (showMessage_) showMessage_(kWinUsbLoadError);
    return;
  }
  initialize_ = api_.GetProcAddress(module_, "WinUsb_Initialize");
  controlTransfer_ = api_.GetProcAddress(module_, "WinUsb_ControlTransfer");
  free_ = api_.GetProcAddress(module_, "WinUsb_Free");
}

}  // namespace zr4
