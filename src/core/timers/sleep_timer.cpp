#include "core/timers/sleep_timer.h"

namespace zr4 {

void TSleepTimer::Choose(int minutes) {
  const bool off = minutes <= 0;
  tickedMinutes_ = off ? 0 : minutes;
  active_ = !off;
  endTick_ = clock_.TickCount() + (off ? 0 : std::int64_t{minutes} * 60'000);
}

}  // namespace zr4
