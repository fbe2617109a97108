// Any bytes as a timer list stream and as a timer line: reading fails only with EReadError, and
// what was read writes and reads back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/pcactions/data_list.h"
#include "core/pcactions/timer_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zr4::TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  zr4::TDataList list;
  try {
    list.LoadFromStream(stream);
  } catch (const zr4::EReadError&) {
    // The records read before the damage stay and must copy like any others.
  }
  zr4::TMemoryStream copy;
  list.SaveToStream(copy);
  copy.Seek(0);
  zr4::TDataList back;
  back.LoadFromStream(copy);
  if (!(back == list) || copy.Remaining() != 0) __builtin_trap();

  const std::string line(reinterpret_cast<const char*>(data), size);
  if (const auto timer = zr4::TimerFromText(line, 3)) {
    if (zr4::TimerFromText(zr4::TimerToText(*timer), 3) != timer) __builtin_trap();
  }
  return 0;
}
