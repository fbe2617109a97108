// The text codec of this operating system: iconv on Linux, the Win32 code-page functions on
// Windows.
#pragma once

#include "core/ports/text_codec.h"

namespace zr4 {

class SystemTextCodec : public TextCodec {
 public:
  std::string LegacyToUtf8(std::string_view bytes) override;
};

}  // namespace zr4
