#include "core/pcactions/gesture_entry.h"

#include <vector>

#include "core/base/comma_text.h"

namespace zr4 {

std::string GestureToText(const TGestureEntry& entry) {
  return EncodeCommaText({entry.Sequence, entry.Command, entry.Enabled ? "1" : "0"});
}

TGestureEntry GestureFromText(const std::string& line) {
  std::vector<std::string> items = DecodeCommaText(line);
  items.resize(3);
  return {items[0], items[1], items[2] == "1"};
}

}  // namespace zr4
