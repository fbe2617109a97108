#include "core/timers/clock_tick.h"

#include "core/device/zr4ctrl.h"
#include "core/panel/app_title.h"
#include "core/panel/panel_labels.h"
#include "core/panel/window_timers.h"
#include "core/settings/settings.h"
#include "core/timers/power_save.h"
#include "core/timers/sleep_timer.h"

namespace zr4 {

std::string TimeLeftText(std::int64_t endTick, std::int64_t now) {
  const std::int64_t minutes = endTick > now ? (endTick - now) / 60'000 : 0;
  return std::to_string(minutes / 60) + ":" + TwoDigits(static_cast<int>(minutes % 60));
}

void TClockTick::Timer1Timer() {
  const TTickGuard tick = u_.timers.Timer1Tick();
  if (tick.Entered()) Tick();
}

void TClockTick::Tick() {
  Clock& clock = u_.clock;
  TSleepTimer& sleep = u_.sleep;
  if (sleep.Active()) {
    u_.setTitle(std::string(kAppTitle) + " - Sleep " +
                TimeLeftText(sleep.EndTick(), clock.TickCount()));
    if (clock.TickCount() > sleep.EndTick()) {
      u_.stop();
      u_.link.SendCommand(cmdPowerOff);
      sleep.Ended();
      u_.setTitle(kAppTitle);
    }
  }
  TPowerSave& aps = u_.powerSave;
  if (aps.Active()) {
    u_.setTitle(std::string(kAppTitle) + " - A.P.S. " +
                TimeLeftText(aps.EndTick(), clock.TickCount()));
    if (clock.TickCount() > aps.EndTick()) {
      u_.link.SendCommand(cmdPowerOff);
      aps.Stop();
      u_.setTitle(kAppTitle);
    }
  }
  if (!u_.settings.Options.TimerOff)
    scheduled_.CheckTimers(u_.settings.TimerList, clock,
                           [this](const std::string& command) { u_.executeParams(command); });
}

}  // namespace zr4
