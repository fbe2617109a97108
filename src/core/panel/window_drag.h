// Dragging the window by its face: each step of the mouse moves the window, snapped to the work
// area and the program's other windows. A window that cannot learn where it is is left to the
// desktop: snapping needs its place, and moving it would only make one up.
#pragma once

#include <vector>

#include "core/base/rect.h"
#include "core/panel/snapping.h"

namespace zr4 {

class PlacementView;

class TWindowDrag {
 public:
  explicit TWindowDrag(PlacementView& placement) : placement_(placement) {}

  // The left button went down on the face.
  void Start();
  // The mouse moved by (dx, dy) with the button held; `others` are the program's other visible
  // windows, in form order.
  void Step(int dx, int dy, const std::vector<TRect>& others);

 private:
  PlacementView& placement_;
  TMoveSnapper snapper_;
};

}  // namespace zr4
