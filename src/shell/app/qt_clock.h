// The clock port on Qt's event loop.
#pragma once

#include <QElapsedTimer>

#include "core/ports/clock.h"

namespace zr4 {

class QtClock : public Clock {
 public:
  QtClock();

  std::int64_t TickCount() override;
  TLocalTime LocalTime() override;
  void Pause(int ms) override;
  // Runs the event loop until `ms` have passed. Instead of polling every `sleepMs`, it sleeps
  // in the event loop until an event or the deadline comes: handlers run as soon as their event
  // arrives, and an idle wait costs no processor time.
  void WaitProcessingMessages(int ms, int sleepMs) override;

 private:
  QElapsedTimer elapsed_;
};

}  // namespace zr4
