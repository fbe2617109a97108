// Whole numbers typed into hand-edited files and messages: decimal, or hexadecimal after "$" or
// "0x". Each kind of file then takes what it accepts of the result (blanks, hexadecimal, range).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zr4 {

struct IntegerText {
  std::int32_t value = 0;
  bool hexadecimal = false;
};

// An optional "-" or "+", then either decimal digits within the signed 32-bit range, or "$",
// "0x" or "0X" and up to 32 bits of hexadecimal digits, taken as the bits of a signed value
// ("$FFFFFFFF" is -1, "-$10" is -16). Nothing else is accepted, not even blanks.
std::optional<IntegerText> ParseIntegerText(std::string_view text);

}  // namespace zr4
