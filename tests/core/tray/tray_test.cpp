// The tray icon: its action list and click kinds, the clicks the desktop reports, its tip, and
// the window going to the tray and back.
#include <gtest/gtest.h>

#include "core/app/controller.h"
#include "core/tray/tray_tip.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_view.h"
#include "fakes/sim_link.h"

namespace zr4 {
namespace {

class TrayTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  void Start(int doubleClickMs = 400) {
    TStartup startup;
    startup.doubleClickMs = doubleClickMs;
    controller.FormCreate(startup);
    clock.waits.clear();
  }
  TTaskTrayActionMgr& Mgr() { return Parts(controller).Tray().Actions(); }
  TMenuItem& Entry(const char* name) { return *Parts(controller).PopupMenu1().FindByName(name); }

  test::FakeView view;
  TController controller{clock, link, view};
};

TEST_F(TrayTest, EightEntriesAfterNothingAndTheirLookups) {
  Start();
  const std::pair<const char*, const char*> entries[] = {{"なし", ""},
                                                         {"ポップアップメニュー", "actPopupMenu"},
                                                         {"最小化/復帰", "actMinimizeRestore"},
                                                         {"フォアグラウンドへ", "actSetForeground"},
                                                         {"電源 On/Off", "actPower"},
                                                         {"インプット切換", "actModeChange"},
                                                         {"ボリュームアップ", "actVolumeUpB"},
                                                         {"ボリュームダウン", "actVolumeDownB"},
                                                         {"ミュート", "actMute"}};
  ASSERT_EQ(Mgr().ActionCount(), 9);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(Mgr().CaptionAt(i), entries[i].first);
    const TAction* action = Mgr().ActionAt(i);
    EXPECT_EQ(action ? action->Name : "", entries[i].second);
  }
  EXPECT_EQ(Mgr().IndexOfCaption("ミュート"), 8);
  EXPECT_EQ(Mgr().IndexOfCaption("なし"), 0);
  EXPECT_EQ(Mgr().IndexOfCaption("Mute"), -1);
  EXPECT_EQ(Mgr().IndexOfActionName("actMute"), 8);
  EXPECT_EQ(Mgr().IndexOfActionName("actmute"), 0);  // names match with their case
  EXPECT_EQ(Mgr().IndexOfActionName(""), 0);
  EXPECT_EQ(Mgr().ActionAt(9), nullptr);

  // Defaults: right and middle single clicks, left single click.
  const char* defaults[] = {"actPopupMenu", "", "actMinimizeRestore", "", "actSetForeground", ""};
  for (int kind = 0; kind < 6; ++kind) EXPECT_EQ(Mgr().AssignedName(kind), defaults[kind]);
  EXPECT_EQ(Mgr().AssignedCaption(0), "ポップアップメニュー");
  EXPECT_EQ(Mgr().AssignedCaption(1), "");

  // Only entries 1 … 8 bind; "なし", -1 and past the end bind nothing.
  for (int index : {0, -1, 9}) {
    Mgr().AssignKind(1, 8);
    Mgr().AssignKind(1, index);
    EXPECT_EQ(Mgr().AssignedAction(1), nullptr) << index;
  }
  Mgr().AssignKind(1, 8);
  EXPECT_EQ(Mgr().AssignedCaption(1), "ミュート");
  Mgr().AssignKind(6, 8);  // no such kind: nothing happens
  EXPECT_EQ(Mgr().AssignedAction(6), nullptr);
}

TEST_F(TrayTest, UnknownNamesBindNothingAndAreSavedEmpty) {
  Parts(controller).Settings().TrayClickNames = {"actpopupmenu", "actPlay", "actMute", "", "", "x"};
  Parts(controller).Tray().RegisterTrayActions();
  Parts(controller).Tray().LoadClickNames();
  EXPECT_EQ(Parts(controller).Settings().TrayClickNames,
            (TTrayClickNames{"", "", "actMute", "", "", ""}));
}

// The view counts what the clicks ran: the menu also brings the window to the front.
TEST_F(TrayTest, ASingleClickWaitsOnlyForADoubleClickThatMeansSomething) {
  Start(400);
  TTrayClicks& clicks = Parts(controller).Tray().Clicks();

  clicks.Click(TTrayButton::Right);  // menu at once
  EXPECT_EQ(view.popupRequests, 1);
  EXPECT_TRUE(clock.waits.empty());

  clicks.Click(TTrayButton::Left);  // minimises at once
  EXPECT_EQ(view.minimizeRequests, 1);
  EXPECT_TRUE(clock.waits.empty());

  view.foregroundRequests = view.popupRequests = 0;
  clicks.Click(TTrayButton::Middle);  // waits, then to the front
  ASSERT_EQ(clock.waits.size(), 1u);
  EXPECT_TRUE(clock.waits[0].processesMessages);
  EXPECT_EQ(clock.waits[0].ms, 400);
  EXPECT_EQ(view.foregroundRequests, 1);

  Mgr().AssignKind(2, 3);  // left: to the front
  Mgr().AssignKind(3, 1);  // left double: the menu
  view.foregroundRequests = view.popupRequests = 0;
  clock.onMessages = [&] { clicks.DoubleClick(TTrayButton::Left); };
  clicks.Click(TTrayButton::Left);
  EXPECT_EQ(view.popupRequests, 1);
  EXPECT_EQ(view.foregroundRequests, 1);  // the menu's, not the single click's

  // No double click during the wait: the single click runs, and runs again the next time.
  clock.onMessages = nullptr;
  clicks.Click(TTrayButton::Left);
  clicks.Click(TTrayButton::Left);
  EXPECT_EQ(view.foregroundRequests, 3);

  // Without a double-click action a double click cancels nothing and leaves nothing behind.
  Mgr().AssignKind(3, 0);
  clicks.Click(TTrayButton::Left);
  clicks.DoubleClick(TTrayButton::Left);
  clicks.Click(TTrayButton::Left);
  EXPECT_EQ(view.foregroundRequests, 5);
  EXPECT_EQ(view.popupRequests, 1);
}

TEST_F(TrayTest, TipShowsTheStatusInAtMost63Bytes) {
  TPanelLabels labels;
  labels.lbInput = "TUNER";
  labels.lbPresetNum = "05";
  labels.lbRadioNum = "80.00";
  labels.lbHz = "MHz";
  labels.lbVol = "22";
  EXPECT_EQ(TrayTipText(labels, ""), "TUNER05 80.00MHz Vol.22");
  EXPECT_EQ(TrayTipText(labels, "ZR4PCCtrl - A.P.S. 1:30"),
            "ZR4PCCtrl - A.P.S. 1:30  TUNER05 80.00MHz Vol.22");

  labels.lbInput = "a";
  for (int i = 0; i < 30; ++i) labels.lbInput += "局";  // 3 bytes each
  const std::string tip = TrayTipText(labels, "");
  EXPECT_EQ(tip.size(), 61u);  // "a" and 20 whole characters; the 21st would end at byte 64
  EXPECT_EQ(tip.substr(tip.size() - 3), "局");
}

TEST_F(TrayTest, MinimisingGoesToTheTrayAndRestoringComesBack) {
  Start();
  EXPECT_EQ(view.showRequests, 1);
  EXPECT_TRUE(view.trayIcon.empty());  // ShowIcon off

  Parts(controller).Tray().TaskTray1Click();
  EXPECT_EQ(view.minimizeRequests, 1);
  EXPECT_EQ(view.hideRequests, 1);
  ASSERT_EQ(view.trayIcon.size(), 1u);
  EXPECT_TRUE(view.trayIcon[0].first);
  EXPECT_EQ(view.trayIcon[0].second, TrayTipText(controller.Labels(), ""));
  EXPECT_TRUE(Entry("TaskTray1").Checked);
  EXPECT_FALSE(Entry("alwaysonTop1").Visible);

  Parts(controller).Tray().TaskbarCreated();  // the notification area came back: the icon again
  ASSERT_EQ(view.trayIcon.size(), 3u);
  EXPECT_FALSE(view.trayIcon[1].first);
  EXPECT_TRUE(view.trayIcon[2].first);

  Parts(controller).PopupMenu1().Click(Entry("TaskTray1"));
  EXPECT_EQ(view.restoreRequests, 1);
  EXPECT_FALSE(view.trayIcon.back().first);
  EXPECT_FALSE(Entry("TaskTray1").Checked);
  EXPECT_TRUE(Entry("alwaysonTop1").Visible);

  Parts(controller).Tray().TaskbarCreated();  // no icon, nothing to add
  EXPECT_EQ(view.trayIcon.size(), 4u);
}

TEST_F(TrayTest, WithoutANotificationAreaTheMinimisedWindowStaysReachable) {
  view.trayAvailable = false;
  Parts(controller).Options().MinimizeOnRun = true;
  Start();
  EXPECT_EQ(view.minimizeRequests, 1);
  EXPECT_EQ(view.showRequests, 0);
  EXPECT_EQ(view.hideRequests, 0);
  EXPECT_TRUE(view.trayIcon.empty());
  Parts(controller).Tray().ApplicationRestore();  // the desktop restored it
  EXPECT_EQ(view.restoreRequests, 1);
  EXPECT_FALSE(Parts(controller).Tray().Minimized());
}

TEST_F(TrayTest, ShowIconKeepsTheIconAndItsTipFollowsTheStatus) {
  Parts(controller).Options().ShowIcon = true;
  Start();
  ASSERT_FALSE(view.trayIcon.empty());
  EXPECT_TRUE(view.trayIcon.front().first);
  EXPECT_EQ(view.showRequests, 1);

  Parts(controller).Tray().ApplicationMinimize();
  Parts(controller).Tray().ApplicationRestore();
  EXPECT_TRUE(view.trayIcon.back().first);  // still there

  link.SendCommand(cmdSelectCD);
  controller.Refresh();
  EXPECT_TRUE(view.trayIcon.back().first);
  EXPECT_EQ(view.trayIcon.back().second.rfind("CD", 0), 0u) << view.trayIcon.back().second;

  controller.FormClose();
  EXPECT_FALSE(view.trayIcon.back().first);
}

}  // namespace
}  // namespace zr4
