#include "core/timers/clock_tick.h"

#include "fakes/command_harness.h"
#include "fakes/controller_parts.h"

namespace zr4::test {
namespace {

constexpr std::int64_t kMinute = 60'000;

class ClockTickTest : public CommandTest {
 protected:
  // Clock ticks every 5 s for `ms`.
  void Run(std::int64_t ms) {
    for (std::int64_t t = 0; t < ms; t += 5000) {
      clock.now += 5000;
      controller.Timer1Timer();
    }
  }
  void ChooseSleep(const std::string& caption) {
    TPopupMenuModel& menu = Parts(controller).PopupMenu1();
    menu.Click(*menu.Find({"&Sleep", caption}));
  }
  bool Ticked(const std::string& caption) {
    TPopupMenuModel& menu = Parts(controller).PopupMenu1();
    return menu.Checked(*menu.Find({"&Sleep", caption}));
  }
};

TEST_F(ClockTickTest, SleepShowsTheTimeLeftThenStopsTheCdAndSwitchesOff) {
  Select(cmdSelectCD);
  clock.SetLocalTime(2026, 12, 8, 21, 0, 0);
  ChooseSleep("90");
  EXPECT_TRUE(Ticked("90"));
  EXPECT_FALSE(Ticked("OFF"));
  EXPECT_EQ(view.title, "ZR4PCCtrl");  // from the next tick on
  Run(5000);
  EXPECT_EQ(view.title, "ZR4PCCtrl - Sleep 1:29");
  // The wall clock going back an hour (daylight saving) does not stretch the countdown.
  clock.ShiftLocalTime(-60 * kMinute);
  Run(90 * kMinute - 5000);
  EXPECT_EQ(view.title, "ZR4PCCtrl - Sleep 0:00");
  EXPECT_EQ(Take(), Log{});
  Run(5000);
  EXPECT_EQ(Take(), (Log{"send 00 C9", "pause 200", "read", "send 06 80"}));
  EXPECT_EQ(view.title, "ZR4PCCtrl");
  EXPECT_TRUE(Ticked("OFF"));
  EXPECT_FALSE(Parts(controller).SleepTimer().Active());
}

TEST_F(ClockTickTest, SleepOffEndsItAtOnceAndAnotherEntryRestartsIt) {
  ChooseSleep("10 min");
  Run(5 * kMinute);
  ChooseSleep("20");  // from now
  Run(5000);
  EXPECT_EQ(view.title, "ZR4PCCtrl - Sleep 0:19");
  ChooseSleep("OFF");
  EXPECT_EQ(view.title, "ZR4PCCtrl");
  Run(30 * kMinute);
  EXPECT_EQ(Take(), Log{});
  EXPECT_EQ(view.title, "ZR4PCCtrl");
}

TEST_F(ClockTickTest, PowerSaveCountsFromTheLastActivityAndItsTitleWins) {
  Parts(controller).Options().APS = true;
  Parts(controller).Options().APSMin = 30;
  ChooseSleep("120");
  Parts(controller).Actions().Execute("actTone");  // activity: the countdown starts
  Take();
  Run(20 * kMinute);
  EXPECT_EQ(view.title, "ZR4PCCtrl - A.P.S. 0:10");  // written after the sleep title
  Parts(controller).Actions().Execute("actTone");
  Take();
  Run(30 * kMinute);
  EXPECT_EQ(Take(), Log{});  // it ends 30 minutes after the last use: not yet past
  Run(5000);
  EXPECT_EQ(Take(), Log{"send 06 80"});
  EXPECT_FALSE(Parts(controller).PowerSave().Active());
  Run(5000);
  EXPECT_EQ(view.title, "ZR4PCCtrl - Sleep 1:09");

  Parts(controller).Options().APSMin = 0;  // fires at the first tick after any action
  Parts(controller).Actions().Execute("actMute");
  Take();
  Run(5000);
  EXPECT_EQ(Take(), Log{"send 06 80"});
}

struct Timer {
  int weekDay, hour, minute;
};

struct DaysCase {
  const char* name;
  std::vector<Timer> timers;
  int year, month, day, hour, minute;  // where the run starts
  std::int64_t duration;
  std::int64_t shiftAt;  // when the wall clock moves (0: never) and by how much
  std::int64_t shift;
  std::vector<std::string> expected;  // the local times of the runs, "YYYY-MM-DD hh:mm"
};

// 2026-12-05 and 2026-12-12 are Saturdays.
const DaysCase kDays[] = {
    {"Saturday 23:59, over eight days",
     {{7, 23, 59}},
     2026,
     12,
     5,
     0,
     0,
     8 * 24 * 60 * kMinute,
     0,
     0,
     {"2026-12-05 23:59", "2026-12-12 23:59"}},
    {"every day 07:30",
     {{8, 7, 30}},
     2026,
     12,
     7,
     0,
     0,
     3 * 24 * 60 * kMinute,
     0,
     0,
     {"2026-12-07 07:30", "2026-12-08 07:30", "2026-12-09 07:30"}},
    {"two timers in one minute both run",
     {{2, 7, 30}, {8, 7, 30}},
     2026,
     12,
     7,
     7,
     0,
     60 * kMinute,
     0,
     0,
     {"2026-12-07 07:30", "2026-12-07 07:30"}},
    {"clocks go back at 03:00: the repeated 02:30 runs once, and again the next day",
     {{8, 2, 30}},
     2026,
     10,
     25,
     2,
     0,
     26 * 60 * kMinute,
     60 * kMinute,
     -60 * kMinute,
     {"2026-10-25 02:30", "2026-10-26 02:30"}},
    {"clocks go forward at 02:00: the missing 02:30 is missed",
     {{8, 2, 30}},
     2026,
     3,
     29,
     1,
     0,
     26 * 60 * kMinute,
     60 * kMinute,
     60 * kMinute,
     {"2026-03-30 02:30"}},
};

TEST_F(ClockTickTest, WeeklyTimersRunOnceInTheirMinuteOverSimulatedDays) {
  Parts(controller).Options().TimerOff = false;
  for (const DaysCase& c : kDays) {
    SCOPED_TRACE(c.name);
    TDataList& list = Parts(controller).Settings().TimerList;
    list.Clear();
    for (const Timer& t : c.timers)
      list.Add({t.weekDay, t.hour, t.minute, "-MUTE", 0, false, true});
    clock.SetLocalTime(c.year, c.month, c.day, c.hour, c.minute);
    Take();
    std::vector<std::string> runs;
    for (std::int64_t t = 0; t < c.duration; t += 5000) {
      if (c.shiftAt != 0 && t == c.shiftAt) clock.ShiftLocalTime(c.shift);
      clock.now += 5000;
      controller.Timer1Timer();
      for (const std::string& line : Take()) {
        EXPECT_EQ(line, "send 00 9C");
        const TLocalTime now = clock.LocalTime();
        char at[32];
        std::snprintf(at, sizeof at, "%04d-%02d-%02d %02d:%02d", now.Year, now.Month, now.Day,
                      now.Hour, now.Minute);
        runs.push_back(at);
      }
    }
    EXPECT_EQ(runs, c.expected);
  }
}

TEST_F(ClockTickTest, TimersRestWhileTimerIsSet) {
  Parts(controller).Settings().TimerList.Add({8, 7, 30, "-MUTE", 0, false, true});
  Parts(controller).Settings().TimerList.Add({8, 7, 31, "-OFF", 1, false, false});
  clock.SetLocalTime(2026, 12, 7, 7, 29);
  Run(5 * kMinute);  // TimerOff, as a missing settings file gives
  Parts(controller).Options().TimerOff = false;
  clock.SetLocalTime(2026, 12, 8, 7, 29);
  Run(5 * kMinute);  // the disabled timer never runs
  EXPECT_EQ(Take(), Log{"send 00 9C"});
}

}  // namespace
}  // namespace zr4::test
