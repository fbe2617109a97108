// The PC's sleep and wake as they reach the component and the polls, without a window.
#include "core/gestures/power_events.h"

#include <gtest/gtest.h>

#include "core/panel/window_timers.h"
#include "core/settings/option_data.h"
#include "fakes/fake_view.h"
#include "fakes/sim_link.h"

namespace zr4 {
namespace {

class PowerEventsTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  PowerEventsTest() { timers.Set({true, 5000}, {true, 1000}); }

  bool Polling() const { return timers.Timer2().Enabled; }
  std::vector<Frame> Sent() { return sim.ReceivedFrames(); }

  test::FakeView view;
  TWindowTimers timers{view};
  TOptionData options;
  TPowerEvents power{clock, link, timers, options};
};

TEST_F(PowerEventsTest, ASuspendStopsThePollsAndSwitchesOffOnlyWhenAsked) {
  power.PowerBroadcast(kPowerSuspend);
  EXPECT_FALSE(Polling());
  EXPECT_TRUE(Sent().empty());

  options.SuspendOff = true;
  power.PowerBroadcast(kPowerSuspend);
  EXPECT_EQ(Sent(), std::vector<Frame>{BuildFrame(0x06, 0x80)});
}

TEST_F(PowerEventsTest, AWakeWithoutSuspendOnResumesThePollsAndSendsNothing) {
  power.PowerBroadcast(kPowerSuspend);
  power.PowerBroadcast(kPowerResumeSuspend);
  EXPECT_FALSE(Polling());  // one half of the wake
  power.PowerBroadcast(kPowerResumeSuspend);
  EXPECT_TRUE(Polling());
  EXPECT_TRUE(Sent().empty());
  EXPECT_TRUE(clock.waits.empty());
}

TEST_F(PowerEventsTest, AHalfWakeSeenBeforeStartIsForgotten) {
  options.SuspendOn = true;
  power.PowerBroadcast(kPowerSuspend);
  power.PowerBroadcast(kPowerResumeSuspend);
  power.Reset();
  power.PowerBroadcast(kPowerResumeSuspend);
  EXPECT_FALSE(Polling());
  EXPECT_TRUE(Sent().empty());
  power.PowerBroadcast(kPowerResumeSuspend);
  EXPECT_TRUE(Polling());
  EXPECT_EQ(Sent(), std::vector<Frame>{BuildFrame(0x06, 0x81)});
}

TEST_F(PowerEventsTest, OtherEventsNeitherActNorCountAsHalfAWake) {
  options.SuspendOn = true;
  options.SuspendOff = true;
  power.PowerBroadcast(kPowerSuspend);
  for (int event : {0, 5, 10, 0x8013, -1}) power.PowerBroadcast(event);
  power.PowerBroadcast(kPowerResumeAutomatic);
  EXPECT_FALSE(Polling());
  EXPECT_EQ(Sent().size(), 1u);  // the suspend's power-off alone
  EXPECT_TRUE(clock.waits.empty());
}

}  // namespace
}  // namespace zr4
