// What the system broadcasts to the program's hidden window: power events and the end of the
// session, each handed to its handler with the answer the system expects.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/instance/single_instance_windows.h"

namespace zr4 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A window class of its own, so that tests never meet a running program.
std::string TestClassName() {
  return "TZR4CtrlMainForm_events_" + std::to_string(GetCurrentProcessId()) + "_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

LRESULT Send(const InstanceWindow& window, UINT message, WPARAM wparam = 0) {
  return SendMessageA(window.Handle(), message, wparam, 0);
}

struct Recorded {
  std::vector<int> powerEvents;
  int endSessionQueries = 0;
  bool sessionMayEnd = true;
  std::vector<std::string> forwarded;
  int restores = 0;
};

InstanceWindow::Handlers RecordInto(Recorded& recorded) {
  InstanceWindow::Handlers handlers;
  handlers.forwarded = [&recorded](const std::string& text) { recorded.forwarded.push_back(text); };
  handlers.restore = [&recorded] { ++recorded.restores; };
  handlers.powerBroadcast = [&recorded](int event) { recorded.powerEvents.push_back(event); };
  handlers.queryEndSession = [&recorded] {
    ++recorded.endSessionQueries;
    return recorded.sessionMayEnd;
  };
  return handlers;
}

TEST(InstanceWindowEvents, EveryPowerEventReachesTheHandlerWithItsCode) {
  Recorded recorded;
  InstanceWindow window(RecordInto(recorded), TestClassName());
  ASSERT_TRUE(window.Created());

  // Suspend, then resume as Windows announces it (automatic first), then a battery notice.
  for (WPARAM event :
       {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND, PBT_APMPOWERSTATUSCHANGE}) {
    EXPECT_EQ(Send(window, WM_POWERBROADCAST, event), TRUE) << event;
  }
  EXPECT_THAT(recorded.powerEvents, ElementsAre(4, 18, 7, 10));
  EXPECT_EQ(recorded.endSessionQueries, 0);
  EXPECT_THAT(recorded.forwarded, IsEmpty());
  EXPECT_EQ(recorded.restores, 0);
}

TEST(InstanceWindowEvents, TheEndOfTheSessionIsAnsweredByTheHandler) {
  Recorded recorded;
  InstanceWindow window(RecordInto(recorded), TestClassName());

  EXPECT_EQ(Send(window, WM_QUERYENDSESSION), 1);
  EXPECT_EQ(recorded.endSessionQueries, 1);

  recorded.sessionMayEnd = false;
  EXPECT_EQ(Send(window, WM_QUERYENDSESSION), 0);
  EXPECT_EQ(recorded.endSessionQueries, 2);
  EXPECT_THAT(recorded.powerEvents, IsEmpty());
}

TEST(InstanceWindowEvents, WithoutHandlersTheSystemDefaultsAnswer) {
  InstanceWindow window(InstanceWindow::Handlers{}, TestClassName());
  ASSERT_TRUE(window.Created());
  // An empty handler is never called: each message goes on to the system's default handling,
  // which lets the session end.
  Send(window, WM_POWERBROADCAST, PBT_APMSUSPEND);
  EXPECT_EQ(Send(window, WM_QUERYENDSESSION), TRUE);
  Send(window, WM_SYSCOMMAND, SC_RESTORE);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
}

}  // namespace
}  // namespace zr4
