#include <libusb.h>

#include <climits>
#include <cstring>
#include <string>

#include "platform/device/error_text_linux.h"

namespace zr4 {

// libusb reports its failures as negative codes and success as 0; positive codes are errno values
// from the system calls beneath it.
std::string ErrorText(long long code) {
  const char* message = "Unknown error";
  if (code >= INT_MIN && code <= 0) {
    message = libusb_strerror(static_cast<int>(code));
  } else if (code > 0 && code <= INT_MAX) {
    message = std::strerror(static_cast<int>(code));
  }
  return "ERRORCODE: " + std::to_string(code) + ". " + message;
}

}  // namespace zr4
