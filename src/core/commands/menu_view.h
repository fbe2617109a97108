// The window's right-click menu and its keyboard shortcuts, as the window offers them.
#pragma once

#include <vector>

namespace zr4 {

struct TShortcutBinding;

class MenuView {
 public:
  virtual ~MenuView() = default;

  // The keyboard shortcuts were read: bind them to the window's keys. A view without a
  // keyboard has nothing to do.
  virtual void ShortcutsChanged(const std::vector<TShortcutBinding>&) {}
  // Opens the right-click menu at the mouse pointer, aligned by its right edge.
  virtual void PopupMenuAtCursor() {}
};

}  // namespace zr4
