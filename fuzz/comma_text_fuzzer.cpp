// Any text as comma text: decoding never fails, and the items it gives encode and decode back to
// themselves.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/base/comma_text.h"
#include "core/pcactions/gesture_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> items = zr4::DecodeCommaText(text);
  if (zr4::DecodeCommaText(zr4::EncodeCommaText(items)) != items) __builtin_trap();

  const zr4::TGestureEntry entry = zr4::GestureFromText(std::string(text));
  if (zr4::GestureFromText(zr4::GestureToText(entry)) != entry) __builtin_trap();
  return 0;
}
