#include "core/timers/scheduled_timers.h"

namespace zr4 {

namespace {
constexpr int kEveryDay = 8;

bool SameTimer(const TMyTimerData& a, const TMyTimerData& b) {
  return a.WeekDay == b.WeekDay && a.Hour == b.Hour && a.Minute == b.Minute &&
         a.Command == b.Command;
}
}  // namespace

bool TScheduledTimers::RanToday(int index, const TMyTimerData& timer, const TLocalTime& now) const {
  const auto at = static_cast<std::size_t>(index);
  if (at >= lastRuns_.size() || !lastRuns_[at]) return false;
  const TLastRun& last = *lastRuns_[at];
  return SameTimer(last.timer, timer) && last.year == now.Year && last.month == now.Month &&
         last.day == now.Day;
}

void TScheduledTimers::CheckTimers(TDataList& list, Clock& clock, const Run& run) {
  // Counted afresh each time round: a command may run window messages while it waits.
  for (int i = 0; i < list.Count(); ++i) {
    TMyTimerData timer = list.GetItem(i);
    if (!timer.Enabled) continue;
    const TLocalTime now = clock.LocalTime();
    if (timer.WeekDay != now.WeekDay && timer.WeekDay != kEveryDay) continue;
    if (timer.Hour != now.Hour) continue;
    if (timer.Minute == now.Minute) {
      if (timer.Fired || RanToday(i, timer, now)) continue;
      timer.Fired = true;
      list.SetItem(i, timer);
      if (lastRuns_.size() <= static_cast<std::size_t>(i)) lastRuns_.resize(i + 1);
      lastRuns_[static_cast<std::size_t>(i)] = TLastRun{timer, now.Year, now.Month, now.Day};
      run(timer.Command);
    } else if (timer.Fired) {
      timer.Fired = false;
      list.SetItem(i, timer);
    }
  }
}

}  // namespace zr4
