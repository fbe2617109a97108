// A clock whose time moves only when the code under test pauses or waits, or when a test moves
// it. Local time runs with the tick count at a settable offset, so a test can put the wall clock
// anywhere and shift it as daylight saving does.
#pragma once

#include <cstdint>
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
  TLocalTime LocalTime() override { return FromLocalMs(now + localOffsetMs); }
  void Pause(int ms) override {
    waits.push_back({false, ms});
    now += ms;
  }
  void WaitProcessingMessages(int ms, int /*sleepMs*/) override {
    waits.push_back({true, ms});
    if (onMessages) onMessages();
    now += ms;
  }

  // Puts the local wall clock at that date and time now.
  void SetLocalTime(int year, int month, int day, int hour, int minute, int second = 0) {
    localOffsetMs = ((DaysFromCivil(year, month, day) * 24 + hour) * 60 + minute) * 60'000 +
                    second * 1000 - now;
  }
  // Moves the wall clock without the tick count (daylight saving, a clock correction).
  void ShiftLocalTime(std::int64_t ms) { localOffsetMs += ms; }

  std::int64_t now = 1000000;
  std::int64_t localOffsetMs = 0;
  std::vector<Wait> waits;
  std::function<void()> onMessages;  // what the event loop runs during a wait

 private:
  // Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
  static std::int64_t DaysFromCivil(int year, int month, int day) {
    const int y = year - (month <= 2);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return std::int64_t{era} * 146097 + dayOfEra - 719468;
  }

  static TLocalTime FromLocalMs(std::int64_t ms) {
    const std::int64_t dayMs = 86'400'000;
    std::int64_t days = ms / dayMs;
    std::int64_t rest = ms % dayMs;
    if (rest < 0) {
      rest += dayMs;
      --days;
    }
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
    // 1970-01-01 was a Thursday (5).
    const int weekDay = static_cast<int>(((days + 4) % 7 + 7) % 7) + 1;
    const int seconds = static_cast<int>(rest / 1000);
    return {year, month, day, weekDay, seconds / 3600, seconds / 60 % 60, seconds % 60};
  }
};

}  // namespace zr4::test
