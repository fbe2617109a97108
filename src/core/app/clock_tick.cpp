#include "core/app/clock_tick.h"

#include "core/app/controller.h"
#include "core/panel/panel_labels.h"

namespace zr4 {

std::string TimeLeftText(std::int64_t endTick, std::int64_t now) {
  const std::int64_t minutes = endTick > now ? (endTick - now) / 60'000 : 0;
  return std::to_string(minutes / 60) + ":" + TwoDigits(static_cast<int>(minutes % 60));
}

void TClockTick::Timer1Timer() {
  const TTickGuard tick = c_.Timers().Timer1Tick();
  if (tick.Entered()) Tick();
}

void TClockTick::Tick() {
  Clock& clock = c_.GetClock();
  TSleepTimer& sleep = c_.SleepTimer();
  if (sleep.Active()) {
    c_.SetTitle(std::string(kAppTitle) + " - Sleep " +
                TimeLeftText(sleep.EndTick(), clock.TickCount()));
    if (clock.TickCount() > sleep.EndTick()) {
      c_.Commands().actStopExecute();
      c_.Link().SendCommand(cmdPowerOff);
      sleep.Ended();
      c_.SetTitle(kAppTitle);
    }
  }
  TPowerSave& aps = c_.PowerSave();
  if (aps.Active()) {
    c_.SetTitle(std::string(kAppTitle) + " - A.P.S. " +
                TimeLeftText(aps.EndTick(), clock.TickCount()));
    if (clock.TickCount() > aps.EndTick()) {
      c_.Link().SendCommand(cmdPowerOff);
      aps.Stop();
      c_.SetTitle(kAppTitle);
    }
  }
  if (!c_.Options().TimerOff)
    scheduled_.CheckTimers(c_.Settings().TimerList, clock,
                           [this](const std::string& command) { c_.ExecuteParams(command); });
}

}  // namespace zr4
