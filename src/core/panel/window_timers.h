// The controller window's two timers: Timer1, the 5-second clock of the countdowns and scheduled
// timers, and Timer2, the status poll. The shell runs them as the view is told.
#pragma once

#include "core/device/zr4defs.h"
#include "core/panel/panel_view.h"

namespace zr4 {

constexpr int kTimer1IntervalMs = 5000;
// Poll intervals: fast enough to catch remote gestures, to keep the CD's play time current, or
// to follow inputs whose display rarely changes.
constexpr int kPollGestureMs = 200;
constexpr int kPollCdMs = 1000;
constexpr int kPollIdleMs = 5000;

// The interval the next poll waits, from the input the record holds.
int NextPollInterval(bool gesturesEnabled, int source);

// A timer's tick in progress. The shell's timer goes on running during a tick; a tick that
// comes while another of the same timer runs (a wait inside the first one processes window
// messages) is to do nothing, so ticks never nest.
class TTickGuard {
 public:
  explicit TTickGuard(bool& running) : running_(running), entered_(!running) { running_ = true; }
  ~TTickGuard() {
    if (entered_) running_ = false;
  }
  TTickGuard(const TTickGuard&) = delete;
  TTickGuard& operator=(const TTickGuard&) = delete;

  // False for a tick inside a tick: it must return at once.
  bool Entered() const { return entered_; }

 private:
  bool& running_;
  bool entered_;
};

// The two timers' settings. The view hears of a change only when a setting actually changed,
// so that an ordinary tick costs the shell nothing.
class TWindowTimers {
 public:
  explicit TWindowTimers(PanelView& panel) : panel_(panel) {}

  const TimerState& Timer1() const { return timer1_; }
  const TimerState& Timer2() const { return timer2_; }

  // Both timers at once, as window creation sets them up.
  void Set(TimerState timer1, TimerState timer2);
  void EnablePolling(bool enabled);
  void SetPollInterval(int ms);

  // Marks a tick of Timer1 or Timer2 as running for the guard's life.
  [[nodiscard]] TTickGuard Timer1Tick() { return TTickGuard(timer1Ticking_); }
  [[nodiscard]] TTickGuard Timer2Tick() { return TTickGuard(timer2Ticking_); }

 private:
  void Change(TimerState timer1, TimerState timer2);

  PanelView& panel_;
  TimerState timer1_;
  TimerState timer2_;
  bool timer1Ticking_ = false;
  bool timer2Ticking_ = false;
};

}  // namespace zr4
