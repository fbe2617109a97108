// Diagnostic text for an error code of libusb or of the system beneath it (Linux).
#pragma once

#include <string>

namespace zr4 {

// "ERRORCODE: " + the code in decimal + ". " + libusb's message for its own codes (0 and
// below), or the system's message for an errno value (above 0).
std::string ErrorText(long long code);

}  // namespace zr4
