// Window snapping while moving and sizing, and keeping the window in the work area, as pure
// functions of rectangles. The shell feeds them the window's proposed rectangle while it is
// dragged.
#pragma once

#include <optional>
#include <vector>

#include "core/base/rect.h"

namespace zr4 {

constexpr int kSnapDistance = 10;

// Where the window opens when the settings file does not say otherwise.
constexpr int kDesignLeft = 379;
constexpr int kDesignTop = 304;

// Follows the mouse across one move: the raw position runs unsnapped, so the window leaves a
// snapped edge once the mouse is more than the snapping distance away from it.
class TMoveSnapper {
 public:
  // The drag starts with the window at (left, top).
  void EnterSizeMove(int left, int top);

  // The proposed rectangle of one move step; returns where the window goes. `workArea` is empty
  // when it cannot be read; `others` are the program's other visible windows, in form order.
  TRect Moving(TRect proposed, const std::optional<TRect>& workArea,
               const std::vector<TRect>& others);

 private:
  int rawLeft_ = 0, rawTop_ = 0;
  int snappedLeft_ = 0, snappedTop_ = 0;
};

// Which edges a sizing drag moves.
struct TSizingEdges {
  bool left = false, top = false, right = false, bottom = false;
};

// Snaps the dragged edges of `proposed` to the work area and the other windows.
TRect Sizing(const TRect& proposed, TSizingEdges edges, const std::optional<TRect>& workArea,
             const std::vector<TRect>& others);

// Moves the window up so that its bottom meets the work area's bottom, then left so that the
// right edges meet, when it lies beyond them. Top and left edges are not checked.
TRect KeepInWorkArea(const TRect& window, const std::optional<TRect>& workArea);

}  // namespace zr4
