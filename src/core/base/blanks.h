// Blanks around the values of hand-edited files: which bytes count as blanks, and trimming them.
#pragma once

#include <string_view>

namespace zr4 {

// The space and the control characters below it (codes 0 to 32).
constexpr bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

constexpr bool IsSpace(char c) {
  return c == ' ';
}

// The text without the characters `blank` takes at either end.
constexpr std::string_view Trim(std::string_view text, bool (*blank)(char) = IsBlank) {
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace zr4
