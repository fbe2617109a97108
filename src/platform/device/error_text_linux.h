// Diagnostic text for an error code of the operating system or of the USB library.
#pragma once

#include <string>

namespace zr4 {

// "ERRORCODE: " + the code in decimal + ". " + the message text the system (or, on Linux, libusb
// for its own negative codes) gives for it.
std::string ErrorText(long long code);

}  // namespace zr4
