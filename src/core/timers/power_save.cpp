#include "core/timers/power_save.h"

namespace zr4 {

bool TPowerSave::Start(int minutes) {
  if (minutes < 0 || minutes > kApsMinutesMax) return false;
  active_ = true;
  endTick_ = clock_.TickCount() + std::int64_t{minutes} * 60'000;
  return true;
}

}  // namespace zr4
