#include "platform/device/winusb_library.h"

#include <utility>

namespace zr4 {

WinUsbLibrary::WinUsbLibrary(Win32Api& api, MessageFn show_message)
    : api_(api), show_message_(std::move(show_message)) {}

WinUsbLibrary::~WinUsbLibrary() {
  if (module_ != 0) api_.FreeLibrary(module_);
}

void WinUsbLibrary::Load() {
  if (module_ != 0) return;
  const std::uint32_t previous_mode = api_.SetErrorMode(kSemNoOpenFileErrorBox);
  module_ = api_.LoadLibraryA(kWinUsbLibraryName);
  api_.SetErrorMode(previous_mode);
  if (module_ == 0) {
    if (show_message_) show_message_(kWinUsbLoadError);
    return;
  }
  initialize_ = api_.GetProcAddress(module_, "WinUsb_Initialize");
  control_transfer_ = api_.GetProcAddress(module_, "WinUsb_ControlTransfer");
  free_ = api_.GetProcAddress(module_, "WinUsb_Free");
}

}  // namespace zr4
