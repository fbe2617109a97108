#include "core/app/power_save.h"

namespace zr4 {

void TPowerSave::Start(int minutes) {
  active_ = true;
  endTick_ = clock_.TickCount() + std::int64_t{minutes} * 60'000;
}

}  // namespace zr4
