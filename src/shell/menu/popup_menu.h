// The controller window's right-click menu and keyboard shortcuts, drawn from the core's menu
// model: clicks and shortcut keys go back to the core.
#pragma once

#include <QMenu>
#include <QPoint>
#include <vector>

#include "core/commands/menu_view.h"

class QWidget;

namespace zr4 {

class TController;
struct TShortcutBinding;

class PopupMenu : public MenuView {
 public:
  // The menu of `window`: filled afresh each time it opens, so that check marks and captions
  // are current. Shortcuts are bound to the window's keys.
  explicit PopupMenu(QWidget& window);

  // The controller whose menu model the menu shows; the menu is filled now.
  void SetController(TController* controller);

  // Binds the shortcuts to keys of the window (while it has the focus), replacing earlier
  // bindings. A shortcut on an action runs it through the action list; one on a menu entry runs
  // the entry as a click would.
  void ShortcutsChanged(const std::vector<TShortcutBinding>& shortcuts) override;
  void PopupMenuAtCursor() override;

  // The frequency and station-name labels carry their own one-entry menu; the core says whether
  // it pops up (elsewhere the right click is swallowed).
  void PopUpLabelMenu(QPoint globalPosition);

  QMenu& Menu() { return menu_; }

 private:
  // Fills the menu from the controller's menu model, replacing what it held.
  void Fill();

  QWidget& window_;
  TController* controller_ = nullptr;
  QMenu menu_;
};

}  // namespace zr4
