// Names typed by users (shortcut names, action names in the settings) match without regard to
// ASCII case.
#pragma once

#include <algorithm>
#include <string_view>

namespace zr4 {

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

inline bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace zr4
