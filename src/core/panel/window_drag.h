// Dragging the window by its face: each step of the mouse moves the window, snapped to the work
// area and the program's other windows. A window that cannot learn where it is is left to the
// desktop: snapping needs its place, and moving it would only make one up.
#pragma once

#include <vector>

#include "core/base/rect.h"
#include "core/panel/snapping.h"

namespace zr4 {

class ControllerView;

class TWindowDrag {
 public:
  explicit TWindowDrag(ControllerView& view) : view_(view) {}

  // The left button went down on the face.
  void Start();
  // The mouse moved by (dx, dy) with the button held; `others` are the program's other visible
  // windows, in form order.
  void Step(int dx, int dy, const std::vector<TRect>& others);

 private:
  ControllerView& view_;
  TMoveSnapper snapper_;
};

}  // namespace zr4
