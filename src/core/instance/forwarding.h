// The command-line texts that reach the executor: from a second start, and from the program's
// own parameters.
#pragma once

#include <string>
#include <vector>

namespace zr4 {

// The forwarded text holds at most this many characters (a 256-byte buffer with its zero).
constexpr std::size_t kForwardedTextMax = 255;

// A second start's parameters joined by "," without quoting, cut to 255 bytes (never inside a
// UTF-8 character), as the running instance receives them.
std::string BuildForwardedText(const std::vector<std::string>& params);

// The program's own parameters as comma text: a parameter holding a blank, a control character,
// a comma or a double quote is enclosed in double quotes with inner quotes doubled.
std::string EncodeOwnParams(const std::vector<std::string>& params);

// What the receiver takes from a forwarded buffer: the text up to the first zero byte, never
// more than 255 bytes and never past the received length.
std::string ReceiveForwardedText(const char* data, std::size_t size);

}  // namespace zr4
