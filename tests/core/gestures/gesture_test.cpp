#include "core/gestures/gesture_detector.h"

#include "fakes/command_harness.h"
#include "fakes/controller_parts.h"

namespace zr4::test {
namespace {

using Key = TSimComponent::RemoteKey;

// Keys pressed on the component's own remote reach the window only through the 200 ms polls.
class GestureTest : public CommandTest {
 protected:
  GestureTest() {
    Parts(controller).Options().RemoConEnable = true;
    Parts(controller).Options().RemoConInterval = 3000;
    Parts(controller).Settings().GestureList = {R"(↑↑↓,"01,スタンバイ",1)",
                                                R"(↓,"13,Winamp Stop",1)"};
  }

  void Poll() {
    clock.now += 200;
    controller.Timer2Timer();
  }
  // Each key in its own poll.
  void Press(std::initializer_list<Key> keys) {
    for (Key key : keys) {
      sim.PressRemoteKey(key);
      Poll();
    }
  }
  // The acceptance time passes without keys.
  void Idle() {
    for (int waited = 0; waited <= 3000; waited += 200) Poll();
  }
};

TEST_F(GestureTest, MuteThenMarksThenAPauseRunsTheCommandAndRestoresTheVolume) {
  Press({Key::Mute, Key::VolumeUp, Key::VolumeUp, Key::VolumeDown});
  EXPECT_EQ(Parts(controller).Gestures().Flag().Sequence, "↑↑↓");
  EXPECT_TRUE(pcCommands.run.empty());
  Idle();
  EXPECT_EQ(pcCommands.run, std::vector<int>{1});
  EXPECT_EQ(sim.volume(), 22);
  EXPECT_FALSE(Parts(controller).Gestures().Flag().Collecting);
  EXPECT_EQ(Parts(controller).Gestures().Flag().Sequence, "");
}

TEST_F(GestureTest, EntriesThatCannotMatchRunNothing) {
  const struct {
    std::vector<std::string> list;
    std::initializer_list<Key> keys;
    std::vector<int> expected;
  } cases[] = {
      {{R"(↑↑↓,"01,スタンバイ",0)"},
       {Key::Mute, Key::VolumeUp, Key::VolumeUp, Key::VolumeDown},
       {}},
      // A hand-edited entry of two items and an empty entry are passed over.
      {{"↓,01", "", R"(↓,"13,Winamp Stop",1)"}, {Key::Mute, Key::VolumeDown}, {13}},
      {{R"(↓OFF,"03,シャットダウン",1)"}, {Key::Mute, Key::VolumeDown, Key::Power}, {3}},
      {{R"(↓,"Stop,13",1)"}, {Key::Mute, Key::VolumeDown}, {}},  // no number
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list[0]);
    Parts(controller).Settings().GestureList = c.list;
    pcCommands.run.clear();
    sim.SetStandby(false);
    Press(c.keys);
    Idle();
    if (sim.muted()) Press({Key::Mute});
    Idle();
    EXPECT_EQ(pcCommands.run, c.expected);
  }
}

TEST_F(GestureTest, TwoStepsBetweenPollsAreNoMark) {
  Press({Key::Mute});
  sim.PressRemoteKey(Key::VolumeDown);
  sim.PressRemoteKey(Key::VolumeDown);
  Poll();
  EXPECT_EQ(Parts(controller).Gestures().Flag().Sequence, "");
  Idle();
  EXPECT_TRUE(pcCommands.run.empty());
}

TEST_F(GestureTest, NegativeAcceptanceTimeEndsEveryGestureAtTheNextRecord) {
  Parts(controller).Options().RemoConInterval = -1;
  Press({Key::Mute, Key::VolumeDown});
  EXPECT_FALSE(Parts(controller).Gestures().Flag().Collecting);
  EXPECT_EQ(pcCommands.run, std::vector<int>{});  // it ended before the "↓" came
}

TEST_F(GestureTest, FailingCommandIsToldAndLeavesTheVolume) {
  pcCommands.failWith = "スタンバイに失敗しました。";
  Press({Key::Mute, Key::VolumeUp, Key::VolumeUp, Key::VolumeDown});
  Idle();
  EXPECT_EQ(view.messages, std::vector<std::string>{"スタンバイに失敗しました。"});
  EXPECT_EQ(sim.volume(), 23);
  EXPECT_FALSE(Parts(controller).Gestures().Flag().Collecting);
}

TEST_F(GestureTest, DoubleMuteTogglesContinuousMode) {
  Press({Key::Mute, Key::Mute});
  EXPECT_TRUE(Parts(controller).Gestures().Flag().Continuous);
  Idle();  // the empty gesture runs nothing
  EXPECT_TRUE(pcCommands.run.empty());

  // Without the mute key now; the record that shows the restored volume is skipped.
  Press({Key::VolumeUp, Key::VolumeUp, Key::VolumeDown});
  Idle();
  EXPECT_EQ(pcCommands.run, std::vector<int>{1});
  EXPECT_EQ(sim.volume(), 22);
  Poll();
  EXPECT_EQ(Parts(controller).Gestures().Flag().Sequence, "");
  Press({Key::VolumeDown});
  Idle();
  EXPECT_EQ(pcCommands.run, (std::vector<int>{1, 13}));

  Press({Key::Mute, Key::Mute});
  EXPECT_FALSE(Parts(controller).Gestures().Flag().Continuous);
  Idle();
  Press({Key::VolumeDown});
  Idle();
  EXPECT_EQ(pcCommands.run, (std::vector<int>{1, 13}));
}

// Continuous mode switched on inside a gesture that goes on collecting: the gesture that ends
// there restores the volume as well, and that restore is no new mark.
TEST_F(GestureTest, OneGestureRunsOneCommandWhenContinuousModeStartsInsideIt) {
  Parts(controller).Settings().GestureList = {R"(↑↑↓,"01,スタンバイ",1)",
                                              R"(↓,"06,Monitor Off",1)"};
  Press({Key::Mute, Key::Mute, Key::VolumeUp, Key::VolumeUp, Key::VolumeDown});
  EXPECT_TRUE(Parts(controller).Gestures().Flag().Continuous);
  Idle();
  EXPECT_EQ(pcCommands.run, std::vector<int>{1});
  EXPECT_EQ(sim.volume(), 22);
  Idle();
  EXPECT_EQ(pcCommands.run, std::vector<int>{1});

  // The next gesture is made without the mute key, and runs once too.
  Press({Key::VolumeDown});
  Idle();
  Idle();
  EXPECT_EQ(pcCommands.run, (std::vector<int>{1, 6}));
  EXPECT_EQ(sim.volume(), 22);
}

// The empty gesture that switches continuous mode on restores nothing, so nothing is skipped:
// the very next record may carry the first mark.
TEST_F(GestureTest, AMarkRightAfterTheEmptyGestureStartsTheNextOne) {
  Parts(controller).Options().RemoConInterval = 400;
  Press({Key::Mute, Key::Mute});
  Poll();
  Poll();  // the empty gesture ends here
  EXPECT_FALSE(Parts(controller).Gestures().Flag().Collecting);
  Press({Key::VolumeDown});
  EXPECT_EQ(Parts(controller).Gestures().Flag().Sequence, "↓");
}

TEST_F(CommandTest, SimulatedRemoteIsPressedOnlyOnTheStandIn) {
  TSimRemote& remote = Parts(controller).SimRemote();
  EXPECT_NE(remote.Press("up"), "OK");  // no simulated component handed over
  remote.Attach(&sim);
  EXPECT_EQ(remote.Press("up"), "OK");
  EXPECT_EQ(sim.volume(), 23);
  EXPECT_NE(remote.Press("volume"), "OK");

  // A link on a real ZR4PC: its remote is in the user's hand.
  class RealFinder : public DeviceFinder {
    std::optional<FoundDevice> FindDevice() override {
      return FoundDevice{"/dev/bus/usb/001/004", [](bool, std::uint8_t*) { return true; }};
    }
  } real;
  TZR4Ctrl hardware(clock, real);
  TSimRemote hardwareRemote(hardware);
  hardwareRemote.Attach(&sim);
  EXPECT_EQ(hardwareRemote.Press("up"),
            "the running instance drives a real ZR4PC: press the key on its remote");
  EXPECT_EQ(sim.volume(), 23);
}

}  // namespace
}  // namespace zr4::test
