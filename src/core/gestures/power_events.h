// What the PC's sleep and wake do to the component and the polls: a suspend stops the polls
// (and switches the component off with SuspendOff); the wake switches it on again (SuspendOn)
// and resumes the polls. The desktop reports one wake as two events, so the wake acts on the
// second of them.
#pragma once

namespace zr4 {

class Clock;
class TWindowTimers;
class TZR4Ctrl;
struct TOptionData;

// Power events as the controller handles them (Windows numbers them the same way); each
// platform translates its own notifications to these.
constexpr int kPowerSuspend = 4;
constexpr int kPowerResumeSuspend = 7;
constexpr int kPowerResumeAutomatic = 18;

class TPowerEvents {
 public:
  // `options` holds SuspendOff and SuspendOn; `timers` carries the polls.
  TPowerEvents(Clock& clock, TZR4Ctrl& link, TWindowTimers& timers, const TOptionData& options)
      : clock_(clock), link_(link), timers_(timers), options_(options) {}

  // Window creation starts with no wake half seen.
  void Reset() { resumeCounter_ = 0; }
  // A power event (kPower*); other numbers are logged and do nothing.
  void PowerBroadcast(int event);
  // The machine has resumed, told once (logind): the resume actions run at once, as they do on
  // the second of the two notifications Windows sends.
  void Resumed();

 private:
  void ResumeActions();

  Clock& clock_;
  TZR4Ctrl& link_;
  TWindowTimers& timers_;
  const TOptionData& options_;
  int resumeCounter_ = 0;
};

}  // namespace zr4
