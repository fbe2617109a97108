// The 5-second clock tick (Timer1): the sleep timer, the automatic power save and the weekly
// timers, and the application title that shows a running countdown's time left.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "core/timers/scheduled_timers.h"

namespace zr4 {

class Clock;
class TPowerSave;
class TSleepTimer;
class TWindowTimers;
class TZR4Ctrl;
struct TSettings;

// The time left until `endTick` as "h:nn" (hours without a leading zero, seconds cut off);
// "0:00" once it has passed.
std::string TimeLeftText(std::int64_t endTick, std::int64_t now);

class TClockTick {
 public:
  // What a tick looks at and acts on. `stop` is the Stop key, pressed before the sleep timer
  // powers the component off; `setTitle` shows the application title; `executeParams` runs a
  // weekly timer's command line.
  struct Uses {
    TWindowTimers& timers;
    Clock& clock;
    TSleepTimer& sleep;
    TPowerSave& powerSave;
    TZR4Ctrl& link;
    std::function<void()> stop;
    TSettings& settings;
    std::function<void(const std::string&)> setTitle;
    std::function<void(const std::string&)> executeParams;
  };
  explicit TClockTick(Uses uses) : u_(std::move(uses)) {}

  // One tick. A tick that starts inside another (a command waiting while window messages run)
  // does nothing.
  void Timer1Timer();

 private:
  void Tick();

  Uses u_;
  TScheduledTimers scheduled_;
};

}  // namespace zr4
