// The controller window's right-click menu and keyboard shortcuts, drawn from the core's menu
// model: clicks and shortcut keys go back to the core.
#pragma once

#include <vector>

class QMenu;

namespace zr4 {

class MainWindow;
struct TShortcutBinding;

// Makes `menu` the window's right-click menu: it is filled now when the window has its
// controller, and filled afresh each time it opens, so that check marks and captions are current.
void BuildPopupMenu(QMenu& menu, MainWindow& window);

// Fills `menu` from the controller's menu model, replacing what it held.
void FillPopupMenu(QMenu& menu, MainWindow& window);

// Binds the shortcuts to keys of the window (while it has the focus), replacing
// earlier bindings. A shortcut on an action runs it through the action list; one on a menu entry
// runs the entry as a click would.
void InstallShortcuts(MainWindow& window, const std::vector<TShortcutBinding>& shortcuts);

}  // namespace zr4
