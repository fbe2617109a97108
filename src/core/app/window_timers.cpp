#include "core/app/window_timers.h"

#include "core/app/controller_view.h"

namespace zr4 {

int NextPollInterval(bool gesturesEnabled, int source) {
  if (gesturesEnabled) return kPollGestureMs;
  if (source == kInputCD) return kPollCdMs;
  return kPollIdleMs;
}

void TWindowTimers::Set(TimerState timer1, TimerState timer2) {
  timer1_ = timer1;
  timer2_ = timer2;
  Changed();
}

void TWindowTimers::EnableTimer1(bool enabled) {
  timer1_.Enabled = enabled;
  Changed();
}

void TWindowTimers::EnablePolling(bool enabled) {
  timer2_.Enabled = enabled;
  Changed();
}

void TWindowTimers::SetPollInterval(int ms) {
  timer2_.Interval = ms;
  Changed();
}

void TWindowTimers::Changed() {
  view_.TimersChanged(timer1_, timer2_);
}

}  // namespace zr4
