#include "core/base/integer_text.h"

namespace zr4 {

namespace {

// The digits of `base` as one number no greater than `limit`; checked after every digit, so
// that the sum cannot wrap.
std::optional<std::uint64_t> ParseDigits(std::string_view digits, unsigned base,
                                         std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<IntegerText> ParseIntegerText(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool hexadecimal = false;
  if (!text.empty() && text.front() == '$') {
    hexadecimal = true;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hexadecimal = true;
    text.remove_prefix(2);
  }
  if (hexadecimal) {
    const auto magnitude = ParseDigits(text, 16, 0xFFFFFFFFu);
    if (!magnitude) return std::nullopt;
    std::uint32_t bits = static_cast<std::uint32_t>(*magnitude);
    if (negative) bits = 0u - bits;
    return IntegerText{static_cast<std::int32_t>(bits), true};
  }
  const auto magnitude = ParseDigits(text, 10, negative ? 2147483648u : 2147483647u);
  if (!magnitude) return std::nullopt;
  const std::int64_t signedValue =
      negative ? -static_cast<std::int64_t>(*magnitude) : static_cast<std::int64_t>(*magnitude);
  return IntegerText{static_cast<std::int32_t>(signedValue), false};
}

}  // namespace zr4
