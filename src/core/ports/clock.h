// Time and waiting, as the operating system and the event loop provide them.
#pragma once

#include <cstdint>

namespace zr4 {

// The local date and time of day, as the user's wall clock shows it.
struct TLocalTime {
  int Year = 1970;
  int Month = 1;    // 1 … 12
  int Day = 1;      // 1 … 31
  int WeekDay = 5;  // 1 Sunday … 7 Saturday
  int Hour = 0;
  int Minute = 0;
  int Second = 0;

  bool operator==(const TLocalTime&) const = default;
};

class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds since an arbitrary start, never going backwards.
  virtual std::int64_t TickCount() = 0;

  // The local wall-clock time now. It jumps with daylight saving and clock corrections, so
  // durations are measured on TickCount; this is only for what happens at a time of day.
  virtual TLocalTime LocalTime() = 0;

  // A plain blocking pause: nothing else runs meanwhile, the window does not repaint.
  virtual void Pause(int ms) = 0;

  // Waits while pending window messages (timers, input, forwarded command lines) are processed;
  // between checks it sleeps `sleepMs`. Handlers may run inside this call.
  virtual void WaitProcessingMessages(int ms, int sleepMs) = 0;
};

// Waits `ms` by the tick count, processing window messages and yielding between checks.
inline void WaitTicks(Clock& clock, int ms) {
  clock.WaitProcessingMessages(ms, 0);
}

// Waits `ms` by the wall clock, processing window messages and sleeping 40 ms between checks.
inline void WaitWithMessages(Clock& clock, int ms) {
  clock.WaitProcessingMessages(ms, 40);
}

// The 200 ms a command gives the component before its status is read back.
constexpr int kShortPauseMs = 200;
inline void ShortPause(Clock& clock) {
  clock.Pause(kShortPauseMs);
}

}  // namespace zr4
