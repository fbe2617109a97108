#include "core/panel/window_timers.h"

#include "core/panel/panel_view.h"

namespace zr4 {

int NextPollInterval(bool gesturesEnabled, int source) {
  if (gesturesEnabled) return kPollGestureMs;
  if (source == kInputCD) return kPollCdMs;
  return kPollIdleMs;
}

void TWindowTimers::Set(TimerState timer1, TimerState timer2) {
  Change(timer1, timer2);
}

void TWindowTimers::EnablePolling(bool enabled) {
  Change(timer1_, {enabled, timer2_.Interval});
}

void TWindowTimers::SetPollInterval(int ms) {
  Change(timer1_, {timer2_.Enabled, ms});
}

void TWindowTimers::Change(TimerState timer1, TimerState timer2) {
  if (timer1 == timer1_ && timer2 == timer2_) return;
  timer1_ = timer1;
  timer2_ = timer2;
  panel_.TimersChanged(timer1_, timer2_);
}

}  // namespace zr4
