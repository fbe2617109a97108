// Time and waiting, as the operating system and the event loop provide them.
#pragma once

#include <cstdint>

namespace zr4 {

class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds since an arbitrary start, never going backwards.
  virtual std::int64_t TickCount() = 0;

  // A plain blocking pause: nothing else runs meanwhile, the window does not repaint.
  virtual void Pause(int ms) = 0;

  // Waits while pending window messages (timers, input, forwarded command lines) are processed;
  // between checks it sleeps `sleepMs`. Handlers may run inside this call.
  virtual void WaitProcessingMessages(int ms, int sleepMs) = 0;
};

// Waits `ms` by the tick count, processing window messages and yielding between checks.
inline void WaitTicks(Clock& clock, int ms) { clock.WaitProcessingMessages(ms, 0); }

// Waits `ms` by the wall clock, processing window messages and sleeping 40 ms between checks.
inline void WaitWithMessages(Clock& clock, int ms) { clock.WaitProcessingMessages(ms, 40); }

// The 200 ms a command gives the component before its status is read back.
constexpr int kShortPauseMs = 200;
inline void ShortPause(Clock& clock) { clock.Pause(kShortPauseMs); }

}  // namespace zr4
