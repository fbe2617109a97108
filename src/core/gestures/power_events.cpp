#include "core/gestures/power_events.h"

#include <cstdio>

#include "core/device/zr4ctrl.h"
#include "core/panel/window_timers.h"
#include "core/ports/clock.h"
#include "core/ports/log.h"
#include "core/settings/option_data.h"

namespace zr4 {

namespace {
constexpr int kAutomaticResumeWaitMs = 8000;
}  // namespace

void TPowerEvents::PowerBroadcast(int event) {
  char line[48];
  std::snprintf(line, sizeof line, "WMPowerBroadcast: %.2X", static_cast<unsigned>(event));
  LogText(line);
  switch (event) {
    case kPowerSuspend:
      timers_.EnablePolling(false);
      if (options_.SuspendOff) link_.SendCommand(cmdPowerOff);
      break;
    case kPowerResumeSuspend:
      if (resumeCounter_ == 1) {
        ResumeActions();
      } else {
        ++resumeCounter_;
      }
      break;
    case kPowerResumeAutomatic:
      if (resumeCounter_ == 1) {
        WaitWithMessages(clock_, kAutomaticResumeWaitMs);
        ResumeActions();
      } else {
        ++resumeCounter_;
      }
      break;
    default:
      break;
  }
}

void TPowerEvents::Resumed() {
  LogText("Resumed");
  ResumeActions();
}

void TPowerEvents::ResumeActions() {
  if (options_.SuspendOn) link_.SendCommand(cmdPowerOn);
  timers_.EnablePolling(true);
  resumeCounter_ = 0;
}

}  // namespace zr4
