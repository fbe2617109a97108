// Turns the clicks the desktop reports on the tray icon into the six click kinds. A single click
// of a button whose double click may mean something else waits the double-click time first;
// a double click that arrives during that wait runs only the double-click kind.
#pragma once

#include <array>

#include "core/ports/clock.h"

namespace zr4 {

class TTaskTrayActionMgr;

enum class TTrayButton { Right = 0, Left = 1, Middle = 2 };

class TTrayClicks {
 public:
  // `doubleClickMs`: the desktop's double-click time, read once at start.
  TTrayClicks(Clock& clock, const TTaskTrayActionMgr& actions, int doubleClickMs)
      : clock_(clock), actions_(actions), doubleClickMs_(doubleClickMs) {}

  // A single click (the right button's press, the others' release). The left and right
  // buttons wait only while their double click has an action; the middle button always waits.
  // The wait processes window messages, so a double click is handled inside it.
  void Click(TTrayButton button);
  void SetDoubleClickTime(int ms) { doubleClickMs_ = ms; }

  // A double click. The desktop reports it after the click it ends and without a release of
  // its own, so it cancels only a single click that is still waiting.
  void DoubleClick(TTrayButton button);

 private:
  bool WaitsForDouble(TTrayButton button) const;

  Clock& clock_;
  const TTaskTrayActionMgr& actions_;
  int doubleClickMs_;
  std::array<int, 3> waiting_{};      // single clicks of the button in their wait
  std::array<bool, 3> doubleSeen_{};  // a double click came during the wait
};

}  // namespace zr4
