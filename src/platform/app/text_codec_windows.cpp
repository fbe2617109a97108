#include <windows.h>

#include <string>

#include "platform/app/text_codec_system.h"

namespace zr4 {

namespace {
constexpr UINT kShiftJis = 932;
}  // namespace

// Code page 932 to UTF-16 to UTF-8; bytes that do not convert become U+FFFD (the default of
// MultiByteToWideChar without MB_ERR_INVALID_CHARS).
std::string SystemTextCodec::LegacyToUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int wideLength = MultiByteToWideChar(kShiftJis, 0, bytes.data(), size, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(kShiftJis, 0, bytes.data(), size, wide.data(), wideLength);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace zr4
