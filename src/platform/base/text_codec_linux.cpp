#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <string>

#include "platform/base/text_codec_system.h"

namespace zr4 {

namespace {
constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// glibc knows the Windows variant as "CP932"; "SHIFT_JIS" is the fallback for other C libraries.
iconv_t OpenDecoder() {
  iconv_t decoder = iconv_open("UTF-8", "CP932");
  if (decoder == reinterpret_cast<iconv_t>(-1)) decoder = iconv_open("UTF-8", "SHIFT_JIS");
  return decoder;
}
}  // namespace

std::string SystemTextCodec::LegacyToUtf8(std::string_view bytes) {
  // Code page 932 keeps ASCII as it is. Member names and INI texts are mostly ASCII, and opening a
  // converter costs more than reading a skin's names.
  if (std::all_of(bytes.begin(), bytes.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(bytes);
  iconv_t decoder = OpenDecoder();
  if (decoder == reinterpret_cast<iconv_t>(-1)) {
    // Without a converter ASCII still reads; every other byte is marked as unreadable.
    std::string text;
    for (char c : bytes)
      text += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : kReplacement;
    return text;
  }
  std::string text;
  std::string input(bytes);
  char* in = input.data();
  std::size_t inLeft = input.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t done = iconv(decoder, &in, &inLeft, &out, &outLeft);
    text.append(buffer, static_cast<std::size_t>(out - buffer));
    if (done != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // An invalid or cut-off sequence: mark one byte and go on after it.
    text += kReplacement;
    ++in;
    --inLeft;
    iconv(decoder, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(decoder);
  return text;
}

}  // namespace zr4
