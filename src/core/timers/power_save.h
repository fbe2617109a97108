// The automatic power save's countdown: it ends a set number of minutes after the last use of
// the window or the last change of the component's state. It runs on the tick count, so
// daylight saving and clock corrections neither shorten nor stretch it.
#pragma once

#include <cstdint>

#include "core/ports/clock.h"

namespace zr4 {

// The longest countdown: it must stay within one day.
constexpr int kApsMinutesMax = 1439;

class TPowerSave {
 public:
  explicit TPowerSave(Clock& clock) : clock_(clock) {}

  // (Re)starts the countdown so that it ends `minutes` from now. Minutes outside
  // 0 … kApsMinutesMax are refused: false, and the countdown stays as it was.
  bool Start(int minutes);
  void Stop() { active_ = false; }
  bool Active() const { return active_; }
  std::int64_t EndTick() const { return endTick_; }

 private:
  Clock& clock_;
  bool active_ = false;
  std::int64_t endTick_ = 0;
};

}  // namespace zr4
