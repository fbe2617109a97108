// Where the controller window is on the desktop, and moving it there.
#pragma once

#include <optional>

#include "core/base/rect.h"

namespace zr4 {

class PlacementView {
 public:
  virtual ~PlacementView() = default;

  // The desktop's work area; none when it cannot be read.
  virtual std::optional<TRect> WorkArea() { return std::nullopt; }
  // Whether the window can learn where it is on the desktop. A Wayland client cannot: the
  // compositor places it, WindowRect's corner then means nothing and MoveWindow does not place it.
  virtual bool KnowsWindowPosition() { return true; }
  // The controller window's frame on the desktop.
  virtual TRect WindowRect() = 0;
  // Moves the controller window's top-left corner there, keeping its size.
  virtual void MoveWindow(int left, int top) = 0;
};

}  // namespace zr4
