#include "core/commands/param_executor.h"

#include "core/settings/settings.h"
#include "fakes/command_harness.h"
#include "fakes/controller_parts.h"

namespace zr4::test {
namespace {

// Frames as "send <command byte> <argument byte>", written from the command table: power on
// 06 81, power off 06 80, select tuner 00 91, select PC USB 00 93, mute 00 9C, tone 01 4B,
// auto/manual 01 18, call preset 4C n, set volume 4D n, play track 44 n. The component starts
// on FM, volume 22, TONE, automatic tuning.
struct LineCase {
  const char* line;
  Log expected;
  int toneMode = 1;           // 1 TONE, 2 N.B.1, 3 N.B.2
  bool manualTuning = false;  // the component's tuning mode before the line
};

const LineCase kLines[] = {
    {"-on", {"send 06 81", "wait 1000"}},
    {"-PCALL 5 -VOL 20", {"send 00 91", "pause 100", "send 4C 05", "pause 100", "send 4D 14"}},
    {"-PCALL -ON", {"send 00 91", "pause 100", "send 4C 00", "send 06 81", "wait 1000"}},
    {"-VOL", {}},
    {"-VOL loud", {"pause 100", "send 4D 05"}},
    {"-OFF -VOL", {"send 06 80"}},
    {"-PCALL", {}},
    {"-DEVICE", {}},
    {"-NB 0", {"read", "send 01 4B", "send 01 4B"}, 2},
    {"-NB 0", {"read"}, 1},
    {"-NB 2", {"read", "send 01 4B"}, 2},
    {"-NB 3", {"read"}, 2},
    {"-ST 1", {"read", "send 01 18"}, 1, true},
    {"-ST 1", {"read"}},
    {"-ST 0", {"read", "send 01 18"}},
    {"-INPUT 4", {"send 00 93", "pause 200", "read"}},
    {"-INPUT 7", {}},
    {"-INPUT x", {}},  // default 5: no input
    {"-VOLP 3", {"read", "pause 100", "send 4D 19"}},
    {"-VOLM 30", {"read", "pause 100", "send 4D 00"}},
    {"-VOLP 2147483647", {"read", "pause 100", "send 4D 50"}},  // no overflow: the top volume
    {"-VOLM -2147483648", {"read", "pause 100", "send 4D 50"}},
    {"-TRACK 3 -MUTE", {"send 44 03", "send 00 9C"}},
    {"hello 5 -On", {"send 06 81", "wait 1000"}},
    {R"("-OFF",,-MUTE)", {"send 06 80", "send 00 9C"}},
};

TEST_F(CommandTest, CommandLinesSendTheirFrames) {
  for (const LineCase& c : kLines) {
    SCOPED_TRACE(c.line);
    sim.SetVolume(22);
    sim.SetToneMode(c.toneMode);
    if (sim.manualTuning() != c.manualTuning) link.SendCommand(cmdAutoManual);
    Take();
    controller.ExecuteParams(c.line);
    EXPECT_EQ(Take(), c.expected);
    sim.SetStandby(false);
  }
}

TEST_F(CommandTest, InputOptionRunsTheSelectionWithAutoVolume) {
  Parts(controller).Options().AutoVolChange = true;  // PC USB sits 10 above the tuner
  controller.ExecuteParams("-INPUT 4");
  EXPECT_EQ(Take(), (Log{"send 00 93", "pause 200", "pause 100", "send 4D 20", "read"}));
  EXPECT_EQ(controller.Labels().lbInput, "PC USB");
  EXPECT_FALSE(Parts(controller).PowerSave().Active());  // not run through the action list
}

TEST_F(CommandTest, ApsOptionSetsTheSettingOrClearsIt) {
  controller.ExecuteParams("-APS 30");
  EXPECT_TRUE(Parts(controller).Options().APS);
  ASSERT_TRUE(Parts(controller).PowerSave().Active());
  EXPECT_EQ(Parts(controller).PowerSave().EndTick(), clock.now + 30 * 60'000);
  const std::int64_t end = Parts(controller).PowerSave().EndTick();

  controller.ExecuteParams("-APS 2000 -MUTE");  // minutes the countdown cannot take
  EXPECT_FALSE(Parts(controller).Options().APS);
  EXPECT_EQ(Parts(controller).PowerSave().EndTick(), end);  // left as it was
  EXPECT_EQ(Take(), Log{"send 00 9C"});                     // the line goes on

  Parts(controller).Options().APS = true;
  controller.ExecuteParams("-APS");
  EXPECT_FALSE(Parts(controller).Options().APS);
  EXPECT_TRUE(Parts(controller).PowerSave().Active());
}

// "-APS 3" means three minutes after the last activity, not only until the first one; the
// setting holds at the next start as well.
TEST_F(CommandTest, ApsMinutesHoldAfterTheNextActivityAndAreSaved) {
  Parts(controller).Options().APSMin = 30;
  controller.ExecuteParams("-APS 3");
  EXPECT_EQ(Parts(controller).PowerSave().EndTick(), clock.now + 3 * 60'000);
  clock.now += 60'000;
  commands.actVolumeUpExecute();
  EXPECT_EQ(Parts(controller).PowerSave().EndTick(), clock.now + 3 * 60'000);
  TIniFile saved;
  WriteSettings(Parts(controller).Settings(), saved);
  EXPECT_EQ(saved.ReadString("Setting", "A.P.S.Min", ""), "3");
  EXPECT_EQ(saved.ReadString("Setting", "A.P.S.", ""), "1");

  // Minutes the countdown cannot take change nothing but clear the setting.
  controller.ExecuteParams("-APS 2000");
  EXPECT_EQ(Parts(controller).Options().APSMin, 3);
  controller.ExecuteParams("-APS x");  // not a number: 0 minutes
  EXPECT_EQ(Parts(controller).Options().APSMin, 0);
}

TEST_F(CommandTest, ExitClosesTheWindowAndTheLineGoesOn) {
  controller.ExecuteParams("-EXIT -OFF");
  EXPECT_EQ(view.closeRequests, 1);
  EXPECT_EQ(Take(), Log{"send 06 80"});
}

// Polls, clock ticks and further forwarded lines run inside "-ON"'s wait: each runs once, and
// the line that waited carries on where it was.
TEST_F(CommandTest, WhatRunsDuringThePowerOnWaitRunsOnce) {
  clock.SetLocalTime(2026, 12, 8, 7, 30, 0);
  Parts(controller).Options().TimerOff = false;
  Parts(controller).Settings().TimerList.Add({8, 7, 30, "-ON -VOL 30", 0, false, true});
  int nested = 0;
  clock.onMessages = [&] {
    if (nested++ > 0) return;
    controller.Timer1Timer();  // a clock tick inside the tick that waits: nothing
    controller.Timer2Timer();  // a poll
    controller.ExecuteParams("-MUTE -ON");
  };
  controller.Timer1Timer();
  EXPECT_EQ(Take(), (Log{"send 06 81", "wait 1000", "read", "send 00 9C", "send 06 81", "wait 1000",
                         "pause 100", "send 4D 1E"}));
  EXPECT_TRUE(Parts(controller).Settings().TimerList.GetItem(0).Fired);
  EXPECT_TRUE(Parts(controller).Timers().Timer1().Enabled);

  clock.now += 5000;  // the next tick in the same minute runs nothing
  controller.Timer1Timer();
  EXPECT_EQ(Take(), Log{});
}

}  // namespace
}  // namespace zr4::test
