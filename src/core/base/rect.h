// A rectangle in screen or bitmap pixels, right and bottom exclusive: the window's place, a
// region's bands, a skin's bars.
#pragma once

namespace zr4 {

struct TRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const TRect&) const = default;
};

}  // namespace zr4
