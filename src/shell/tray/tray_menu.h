// The tray icon's menu for a desktop that shows it itself (a StatusNotifier host, to which Qt
// exports it over D-Bus): the window's right-click menu with its current marks, each submenu
// one list, without the window's shortcut texts.
#pragma once

#include <QMenu>
#include <QObject>
#include <string>
#include <vector>

namespace zr4 {

class TController;
struct TMenuItem;

class TrayMenu : public QObject {
 public:
  TrayMenu();

  // The controller whose menu model the entries show and run.
  void SetController(TController* controller) { controller_ = controller; }

  QMenu* Menu() { return &menu_; }
  // Brings the entries up to date once the event that changed them is over.
  void Refresh();

 private:
  // The entries stay the same objects while the menu keeps its shape (its captions and
  // submenus): a host holds their numbers and clicks them by number.
  void Sync();
  void Build(QMenu& menu, const TMenuItem& parent, const std::vector<int>& path);
  void Update(QMenu& menu, const TMenuItem& parent);
  // Runs the entry at `path` once the click's D-Bus call has been answered, if the menu still
  // holds it there.
  void Click(const std::vector<int>& path, const std::string& caption);

  TController* controller_ = nullptr;
  QMenu menu_;
  std::string shape_;
  bool refreshPending_ = false;
};

}  // namespace zr4
