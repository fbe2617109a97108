#include "core/instance/forwarding.h"

#include <cstring>

#include "core/base/comma_text.h"

namespace zr4 {

namespace {
// Cuts UTF-8 text to at most `max` bytes without splitting a character.
std::string CutUtf8(const std::string& text, std::size_t max) {
  if (text.size() <= max) return text;
  std::size_t end = max;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}
}  // namespace

std::string BuildForwardedText(const std::vector<std::string>& params) {
  std::string text;
  for (std::size_t i = 0; i < params.size(); ++i) {
    if (i > 0) text += ',';
    text += params[i];
  }
  return CutUtf8(text, kForwardedTextMax);
}

std::string EncodeOwnParams(const std::vector<std::string>& params) {
  return EncodeCommaText(params);
}

std::string ReceiveForwardedText(const char* data, std::size_t size) {
  if (data == nullptr) return {};
  const std::size_t limit = size < kForwardedTextMax ? size : kForwardedTextMax;
  const void* zero = std::memchr(data, 0, limit);
  const std::size_t length = zero ? static_cast<const char*>(zero) - data : limit;
  return std::string(data, length);
}

}  // namespace zr4
