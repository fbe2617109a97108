// A gesture entry: one line of the gesture list, the comma text of the key sequence ("↑", "↓"
// and "OFF" tokens), the command item ("01,スタンバイ") and the flag ("1" active).
#pragma once

#include <string>

namespace zr4 {

struct TGestureEntry {
  std::string Sequence;
  std::string Command;
  bool Enabled = false;

  bool operator==(const TGestureEntry&) const = default;
};

std::string GestureToText(const TGestureEntry& entry);

// A hand-edited line with fewer than three items gives empty items (and not enabled) for the
// missing ones; items past the third are ignored.
TGestureEntry GestureFromText(const std::string& line);

}  // namespace zr4
