#include "core/panel/window_drag.h"

#include "core/panel/placement_view.h"

namespace zr4 {

void TWindowDrag::Start() {
  const TRect window = placement_.WindowRect();
  snapper_.EnterSizeMove(window.left, window.top);
}

void TWindowDrag::Step(int dx, int dy, const std::vector<TRect>& others) {
  if (!placement_.KnowsWindowPosition()) return;
  const TRect window = placement_.WindowRect();
  const TRect proposed{window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
  const TRect moved = snapper_.Moving(proposed, placement_.WorkArea(), others);
  placement_.MoveWindow(moved.left, moved.top);
}

}  // namespace zr4
