// The 5-second clock tick (Timer1): the sleep timer, the automatic power save and the weekly
// timers, and the application title that shows a running countdown's time left.
#pragma once

#include <cstdint>
#include <string>

#include "core/automation/scheduled_timers.h"

namespace zr4 {

class TController;

constexpr const char* kAppTitle = "ZR4PCCtrl";

// The time left until `endTick` as "h:nn" (hours without a leading zero, seconds cut off);
// "0:00" once it has passed.
std::string TimeLeftText(std::int64_t endTick, std::int64_t now);

class TClockTick {
 public:
  explicit TClockTick(TController& controller) : c_(controller) {}

  // One tick. A tick that starts inside another (a command waiting while window messages run)
  // does nothing.
  void Timer1Timer();

 private:
  void Tick();

  TController& c_;
  TScheduledTimers scheduled_;
};

}  // namespace zr4
