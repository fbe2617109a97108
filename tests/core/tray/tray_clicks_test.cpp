// The tray icon's clicks turned into the six click kinds (0 right, 1 right double, 2 left,
// 3 left double, 4 middle, 5 middle double), as a notification area reports them: as clicks
// (Linux tray hosts) or as the mouse messages themselves (Windows).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "core/commands/action_list.h"
#include "core/tray/tray_action_mgr.h"
#include "core/tray/tray_clicks.h"
#include "fakes/fake_clock.h"

namespace zr4 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kDoubleClickMs = 400;

// Six actions named after the kind they are bound to, so that what ran names its kind.
class TrayClicksTest : public ::testing::Test {
 protected:
  TrayClicksTest() {
    for (int kind = 0; kind < 6; ++kind) {
      actions[kind].Name = "kind" + std::to_string(kind);
      mgr.AddAction(actions[kind].Name, &actions[kind]);
    }
  }
  // Binds these kinds to their actions and leaves the others without one.
  void Bind(std::initializer_list<int> kinds) {
    for (int kind = 0; kind < 6; ++kind) mgr.AssignKind(kind, 0);
    for (int kind : kinds) mgr.AssignKind(kind, kind + 1);
  }
  enum Message { kDown, kUp, kDouble };
  // Posts the messages and runs the message loop until they are handled.
  void Deliver(TTrayButton button, std::initializer_list<Message> messages) {
    for (Message message : messages) queue.push_back({button, message});
    clock.onMessages = [this] { HandleQueued(); };
    HandleQueued();
    clock.onMessages = nullptr;
  }
  void HandleQueued() {
    while (!queue.empty()) {
      const auto [button, message] = queue.front();
      queue.pop_front();
      if (message == kDown) clicks.ButtonDown(button);
      if (message == kUp) clicks.ButtonUp(button);
      if (message == kDouble) clicks.ButtonDoubleClick(button);
    }
  }
  std::vector<int> WaitsMs() const {
    std::vector<int> ms;
    for (const test::FakeClock::Wait& wait : clock.waits) ms.push_back(wait.ms);
    return ms;
  }

  test::FakeClock clock;
  TAction actions[6];
  std::vector<std::string> ran;
  std::deque<std::pair<TTrayButton, Message>> queue;
  TTaskTrayActionMgr mgr{[this](const TAction& action) { ran.push_back(action.Name); }};
  TTrayClicks clicks{clock, mgr, kDoubleClickMs};
};

// Windows: down, up, double click, up, queued as the system posts them; a wait handles what
// is queued meanwhile.
TEST_F(TrayClicksTest, WindowsDoubleClicksOfEveryButtonRunOnlyTheirKind) {
  Bind({0, 1, 2, 3, 4, 5});
  const TTrayButton buttons[] = {TTrayButton::Right, TTrayButton::Left, TTrayButton::Middle};
  const char* expected[] = {"kind1", "kind3", "kind5"};
  for (int i = 0; i < 3; ++i) {
    ran.clear();
    clock.waits.clear();
    Deliver(buttons[i], {kDown, kUp, kDouble, kUp});
    EXPECT_THAT(ran, ElementsAre(expected[i])) << i;
    EXPECT_THAT(WaitsMs(), ElementsAre(kDoubleClickMs)) << i;
  }
}

TEST_F(TrayClicksTest, WindowsSingleClicksRunOnPressForTheRightButtonAndOnReleaseOtherwise) {
  Bind({0, 2, 4});
  clicks.ButtonDown(TTrayButton::Right);
  EXPECT_THAT(ran, ElementsAre("kind0"));
  clicks.ButtonUp(TTrayButton::Right);
  clicks.ButtonDown(TTrayButton::Left);
  clicks.ButtonDown(TTrayButton::Middle);
  EXPECT_THAT(ran, ElementsAre("kind0"));
  clicks.ButtonUp(TTrayButton::Left);
  EXPECT_THAT(ran, ElementsAre("kind0", "kind2"));
  EXPECT_THAT(clock.waits, IsEmpty());   // no double-click action: no wait
  clicks.ButtonUp(TTrayButton::Middle);  // the middle button always waits
  EXPECT_THAT(ran, ElementsAre("kind0", "kind2", "kind4"));
  EXPECT_THAT(WaitsMs(), ElementsAre(kDoubleClickMs));
}

// Without a double-click action the first click runs at once; the double click's own release
// runs nothing, and the next click runs again.
TEST_F(TrayClicksTest, WindowsDoubleClickWithoutItsActionLeavesTheNextClickAlone) {
  Bind({2});
  clicks.ButtonDown(TTrayButton::Left);
  clicks.ButtonUp(TTrayButton::Left);
  clicks.ButtonDoubleClick(TTrayButton::Left);
  clicks.ButtonUp(TTrayButton::Left);
  EXPECT_THAT(ran, ElementsAre("kind2"));
  clicks.ButtonDown(TTrayButton::Left);
  clicks.ButtonUp(TTrayButton::Left);
  EXPECT_THAT(ran, ElementsAre("kind2", "kind2"));

  // A double click whose release never came: the next press starts a plain click.
  clicks.ButtonDoubleClick(TTrayButton::Left);
  clicks.ButtonDown(TTrayButton::Left);
  clicks.ButtonUp(TTrayButton::Left);
  EXPECT_THAT(ran, ElementsAre("kind2", "kind2", "kind2"));
  EXPECT_THAT(clock.waits, IsEmpty());
}

// A Linux tray host reports no right or middle double click: nothing waits for one, even with
// kinds 1 and 5 bound, and the middle click no longer waits either.
TEST_F(TrayClicksTest, NoClickWaitsForADoubleClickTheHostNeverReports) {
  TTrayHostClicks host;
  host.doubleClick = {false, true, false};
  EXPECT_FALSE(host.ReportsKind(1));
  EXPECT_FALSE(host.ReportsKind(5));
  for (int kind : {0, 2, 3, 4}) EXPECT_TRUE(host.ReportsKind(kind)) << kind;
  clicks.SetHostClicks(host);
  Bind({0, 1, 2, 4, 5});

  clicks.Click(TTrayButton::Right);
  clicks.Click(TTrayButton::Middle);
  clicks.Click(TTrayButton::Left);
  EXPECT_THAT(ran, ElementsAre("kind0", "kind4", "kind2"));
  EXPECT_THAT(clock.waits, IsEmpty());

  // The left double click is reported: with kind 3 bound the left click waits for it.
  Bind({2, 3});
  ran.clear();
  clock.onMessages = [&] { clicks.DoubleClick(TTrayButton::Left); };
  clicks.Click(TTrayButton::Left);
  EXPECT_THAT(ran, ElementsAre("kind3"));
  EXPECT_THAT(WaitsMs(), ElementsAre(kDoubleClickMs));
}

// A StatusNotifier host that shows the icon's menu itself: neither double click nor the right
// click is ours, so a ContextMenu call it sends as well opens no second menu, and with every
// kind bound no click waits.
TEST_F(TrayClicksTest, AHostShowingTheMenuItselfReportsOnlyTheLeftAndMiddleClicks) {
  TTrayHostClicks host;
  host.doubleClick = {false, false, false};
  host.rightClick = false;
  std::vector<bool> reported;
  for (int kind = 0; kind < 6; ++kind) reported.push_back(host.ReportsKind(kind));
  EXPECT_EQ(reported, (std::vector<bool>{false, false, true, false, true, false}));
  clicks.SetHostClicks(host);
  Bind({0, 1, 2, 3, 4, 5});

  clicks.Click(TTrayButton::Right);
  clicks.Click(TTrayButton::Left);
  clicks.Click(TTrayButton::Left);
  clicks.Click(TTrayButton::Middle);
  EXPECT_THAT(ran, ElementsAre("kind2", "kind2", "kind4"));
  EXPECT_THAT(clock.waits, IsEmpty());

  // The host changed back to one that reports the right click.
  clicks.SetHostClicks(TTrayHostClicks{});
  ran.clear();
  clicks.ButtonDown(TTrayButton::Right);
  EXPECT_THAT(ran, ElementsAre("kind0"));
}

// A StatusNotifier host reports a double click as two clicks: the second, arriving while the
// first waits, is the double click.
TEST_F(TrayClicksTest, ASecondClickDuringTheWaitIsTheDoubleClick) {
  Bind({2, 3});
  clock.onMessages = [&] {
    clock.onMessages = nullptr;
    clicks.Click(TTrayButton::Left);
  };
  clicks.Click(TTrayButton::Left);
  EXPECT_THAT(ran, ElementsAre("kind3"));

  // Clicks further apart than the double-click time are two single clicks.
  ran.clear();
  clicks.Click(TTrayButton::Left);
  clicks.Click(TTrayButton::Left);
  EXPECT_THAT(ran, ElementsAre("kind2", "kind2"));
}

}  // namespace
}  // namespace zr4
