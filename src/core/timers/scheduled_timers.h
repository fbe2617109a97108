// The weekly timers: each enabled timer runs its command line once in its minute on its weekday
// (or every day), by the local wall clock.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/pcactions/data_list.h"
#include "core/ports/clock.h"

namespace zr4 {

class TScheduledTimers {
 public:
  using Run = std::function<void(const std::string& command)>;

  // Checks every timer of `list` in order against the local time now and hands the command of
  // each one due to `run`. A timer runs on the first check in its minute; its Fired latch is
  // set before the command runs and cleared by a check in the same hour at another minute.
  // Beyond the latch, a timer runs at most once per calendar day: on the day the clocks go back,
  // a timer in the repeated hour does not run a second time. Missed minutes are not caught up.
  void CheckTimers(TDataList& list, Clock& clock, const Run& run);

 private:
  struct TLastRun {
    TMyTimerData timer;  // the timer as it was when it ran
    int year = 0;
    int month = 0;
    int day = 0;
  };
  bool RanToday(int index, const TMyTimerData& timer, const TLocalTime& now) const;

  std::vector<std::optional<TLastRun>> lastRuns_;  // by list position
};

}  // namespace zr4
