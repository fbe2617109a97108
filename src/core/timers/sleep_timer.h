// The sleep timer: after the time chosen in the "&Sleep" menu the CD or MD stops and the
// component goes to standby. It runs on the tick count, so a wall clock that jumps (daylight
// saving, a correction) neither shortens nor stretches it.
#pragma once

#include <cstdint>

#include "core/ports/clock.h"

namespace zr4 {

class TSleepTimer {
 public:
  explicit TSleepTimer(Clock& clock) : clock_(clock) {}

  // A sleep menu entry: `minutes` from now, or 0 ("OFF") to end the timer. Choosing an entry
  // while the timer runs starts it again from now.
  void Choose(int minutes);
  // The countdown reached its end: "OFF" is ticked again.
  void Ended() { Choose(0); }

  bool Active() const { return active_; }
  std::int64_t EndTick() const { return endTick_; }
  // The minutes of the ticked entry of the sleep menu, 0 for "OFF".
  int TickedMinutes() const { return tickedMinutes_; }

 private:
  Clock& clock_;
  bool active_ = false;
  std::int64_t endTick_ = 0;
  int tickedMinutes_ = 0;
};

}  // namespace zr4
