// Conversion from the legacy Japanese code page (932, Shift-JIS) that Japanese Windows editors
// write. The program itself keeps all text in UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zr4 {

class TextCodec {
 public:
  virtual ~TextCodec() = default;

  // The bytes read as code page 932, returned as UTF-8. A byte sequence that is not valid there
  // becomes U+FFFD, so that the rest of the text still reads.
  virtual std::string LegacyToUtf8(std::string_view bytes) = 0;
};

}  // namespace zr4
