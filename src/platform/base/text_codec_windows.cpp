#include <windows.h>

#include <string>

#include "platform/base/text_codec_system.h"

namespace zr4 {

namespace {
constexpr UINT kShiftJis = 932;

// Code page 932 to UTF-16. Bytes that do not convert become U+FFFD, one for the byte where the
// conversion failed, and it goes on after that byte, as on Linux. (Without MB_ERR_INVALID_CHARS
// the system would put its own default character there, which cannot be told from text.)
std::wstring WidenShiftJis(std::string_view bytes) {
  const int size = static_cast<int>(bytes.size());
  const int length =
      MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  std::wstring wide;
  if (length > 0) {
    wide.resize(static_cast<std::size_t>(length));
    MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return wide;
  }
  for (std::size_t i = 0; i < bytes.size();) {
    const bool lead = IsDBCSLeadByteEx(kShiftJis, static_cast<BYTE>(bytes[i])) != 0;
    const int piece = lead && i + 1 < bytes.size() ? 2 : 1;
    wchar_t character[2];
    const int got =
        MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data() + i, piece, character, 2);
    if (got > 0) {
      wide.append(character, static_cast<std::size_t>(got));
      i += static_cast<std::size_t>(piece);
    } else {
      wide += L'\xFFFD';
      ++i;
    }
  }
  return wide;
}
}  // namespace

std::string SystemTextCodec::LegacyToUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  const std::wstring wide = WidenShiftJis(bytes);
  const int wideLength = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace zr4
