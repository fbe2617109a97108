// A clock whose time moves only when the code under test pauses or waits.
#pragma once

#include <functional>
#include <vector>

#include "core/ports/clock.h"

namespace zr4::test {

class FakeClock : public Clock {
 public:
  struct Wait {
    bool processesMessages;
    int ms;
  };

  std::int64_t TickCount() override { return now; }
  void Pause(int ms) override {
    waits.push_back({false, ms});
    now += ms;
  }
  void WaitProcessingMessages(int ms, int /*sleepMs*/) override {
    waits.push_back({true, ms});
    if (onMessages) onMessages();
    now += ms;
  }

  std::int64_t now = 1000000;
  std::vector<Wait> waits;
  std::function<void()> onMessages;  // what the event loop runs during a wait
};

}  // namespace zr4::test
