// Turns the clicks the desktop reports on the tray icon into the six click kinds. A single click
// of a button whose double click may mean something else waits the double-click time first;
// a double click that arrives during that wait runs only the double-click kind. A double click
// the notification area never reports is never waited for.
#pragma once

#include <array>

#include "core/ports/clock.h"

namespace zr4 {

class TTaskTrayActionMgr;

enum class TTrayButton { Right = 0, Left = 1, Middle = 2 };

// A mouse event on the icon as the desktop reports it (see TTrayClicks' handlers).
enum class TTrayMouse { Click, DoubleClick, ButtonDown, ButtonUp, ButtonDoubleClick };

// Which clicks the desktop's notification area reports. Windows reports all six; an XEmbed tray
// the single clicks and the left double click; a StatusNotifier host sends activations, never a
// double click, and opens the icon's menu itself on a right click.
struct TTrayHostClicks {
  std::array<bool, 3> doubleClick{true, true, true};  // by TTrayButton
  // False where the host shows the icon's menu itself: a right click is no click of ours then,
  // even when the host also asks the program for its menu.
  bool rightClick = true;

  bool ReportsDouble(TTrayButton button) const {
    return doubleClick[static_cast<std::size_t>(button)];
  }
  // Click kinds 0 … 5 as reported.
  bool ReportsKind(int kind) const;
  bool operator==(const TTrayHostClicks&) const = default;
};

class TTrayClicks {
 public:
  // `doubleClickMs`: the desktop's double-click time, read once at start.
  TTrayClicks(Clock& clock, const TTaskTrayActionMgr& actions, int doubleClickMs)
      : clock_(clock), actions_(actions), doubleClickMs_(doubleClickMs) {}

  void SetDoubleClickTime(int ms) { doubleClickMs_ = ms; }
  void SetHostClicks(const TTrayHostClicks& host) { host_ = host; }
  const TTrayHostClicks& HostClicks() const { return host_; }

  // A notification area that reports clicks (Linux). A single click: the left and right
  // buttons wait only while their double click has an action; the middle button always waits;
  // neither waits when its double click is never reported. The wait processes window messages,
  // so a double click is handled inside it; a second click of the button during the wait is
  // that double click (some hosts report a double click as two clicks).
  void Click(TTrayButton button);
  // A double click. It comes after the click it ends and without a release of its own, so it
  // cancels only a single click that is still waiting.
  void DoubleClick(TTrayButton button);

  // A notification area that reports the mouse messages themselves (Windows): a press, a
  // release, and a double click, which takes the place of the second press and is followed by
  // the second release. The right button clicks on its press, the others on their release; the
  // release that ends a double click is no single click.
  void ButtonDown(TTrayButton button);
  void ButtonUp(TTrayButton button);
  void ButtonDoubleClick(TTrayButton button);
  // Runs the handler of `event`.
  void Mouse(TTrayMouse event, TTrayButton button);

 private:
  bool WaitsForDouble(TTrayButton button) const;

  Clock& clock_;
  const TTaskTrayActionMgr& actions_;
  int doubleClickMs_;
  TTrayHostClicks host_;
  std::array<int, 3> waiting_{};           // single clicks of the button in their wait
  std::array<bool, 3> doubleSeen_{};       // a double click came during the wait
  std::array<bool, 3> releaseOfDouble_{};  // the next release ends a double click
};

}  // namespace zr4
