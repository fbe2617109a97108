#include "core/panel/window_drag.h"

#include "core/panel/controller_view.h"

namespace zr4 {

void TWindowDrag::Start() {
  const TRect window = view_.WindowRect();
  snapper_.EnterSizeMove(window.left, window.top);
}

void TWindowDrag::Step(int dx, int dy, const std::vector<TRect>& others) {
  if (!view_.KnowsWindowPosition()) return;
  const TRect window = view_.WindowRect();
  const TRect proposed{window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
  const TRect moved = snapper_.Moving(proposed, view_.WorkArea(), others);
  view_.MoveWindow(moved.left, moved.top);
}

}  // namespace zr4
