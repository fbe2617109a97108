#include "platform/device/libusb_context_linux.h"

#include <libusb.h>

#include "core/ports/log.h"
#include "platform/device/error_text_linux.h"

namespace zr4 {

LibusbContext::LibusbContext() {
  const int rc = libusb_init(&context_);
  if (rc != LIBUSB_SUCCESS) {
    LogText("LIBUSB INIT: " + ErrorText(rc));
    context_ = nullptr;
  }
}

LibusbContext::~LibusbContext() {
  if (context_ != nullptr) libusb_exit(context_);
}

}  // namespace zr4
