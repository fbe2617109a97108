// The controller window's two timers: Timer1, the 5-second clock of the countdowns and scheduled
// timers, and Timer2, the status poll. The shell runs them as the view is told.
#pragma once

#include "core/device/zr4defs.h"

namespace zr4 {

class ControllerView;

struct TimerState {
  bool Enabled = false;
  int Interval = 0;

  bool operator==(const TimerState&) const = default;
};

constexpr int kTimer1IntervalMs = 5000;
// Poll intervals: fast enough to catch remote gestures, to keep the CD's play time current, or
// to follow inputs whose display rarely changes.
constexpr int kPollGestureMs = 200;
constexpr int kPollCdMs = 1000;
constexpr int kPollIdleMs = 5000;

// The interval the next poll waits, from the input the record holds.
int NextPollInterval(bool gesturesEnabled, int source);

class TWindowTimers {
 public:
  explicit TWindowTimers(ControllerView& view) : view_(view) {}

  const TimerState& Timer1() const { return timer1_; }
  const TimerState& Timer2() const { return timer2_; }

  // Both timers at once, as window creation sets them up.
  void Set(TimerState timer1, TimerState timer2);
  void EnableTimer1(bool enabled);
  void EnablePolling(bool enabled);
  void SetPollInterval(int ms);

 private:
  void Changed();

  ControllerView& view_;
  TimerState timer1_;
  TimerState timer2_;
};

}  // namespace zr4
