// The Windows notification-area icon against a recording fake of its Win32 calls: the records
// it hands the shell, the six clicks its window's mouse messages carry, and the taskbar's
// restart.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/tray/notify_icon_windows.h"

namespace zr4 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::uintptr_t kWindow = 0x1234;
constexpr std::uint32_t kTaskbarCreatedNumber = 0xC123;

class FakeTrayApi : public Win32TrayApi {
 public:
  std::uint32_t RegisterWindowMessageA(const std::string& name) override {
    registered.push_back(name);
    return kTaskbarCreatedNumber;
  }
  std::uintptr_t CreateHiddenWindow(const std::string& windowClass,
                                    WindowProcedure windowProcedure) override {
    windowClasses.push_back(windowClass);
    procedure = std::move(windowProcedure);
    return windowCreates ? kWindow : 0;
  }
  void DestroyWindow(std::uintptr_t window) override { destroyed.push_back(window); }
  bool ShellNotifyIcon(std::uint32_t message, const NotifyIconRecord& record) override {
    calls.emplace_back(message, record);
    return shellAccepts;
  }
  // What the system's dispatch hands the window.
  std::optional<std::intptr_t> Send(std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
    return procedure(message, wParam, lParam);
  }

  bool windowCreates = true;
  bool shellAccepts = true;
  std::vector<std::string> registered;
  std::vector<std::string> windowClasses;
  std::vector<std::uintptr_t> destroyed;
  WindowProcedure procedure;
  std::vector<std::pair<std::uint32_t, NotifyIconRecord>> calls;
};

class WindowsNotifyIconTest : public ::testing::Test {
 protected:
  WindowsNotifyIcon::Handlers Recording() {
    WindowsNotifyIcon::Handlers handlers;
    handlers.buttonDown = [this](TTrayButton b) { events.push_back("down " + Name(b)); };
    handlers.buttonUp = [this](TTrayButton b) { events.push_back("up " + Name(b)); };
    handlers.doubleClick = [this](TTrayButton b) { events.push_back("double " + Name(b)); };
    return handlers;
  }
  static std::string Name(TTrayButton button) {
    return button == TTrayButton::Left ? "left" : button == TTrayButton::Right ? "right" : "middle";
  }

  FakeTrayApi api;
  std::vector<std::string> events;
};

// Record fields: window, icon identifier 1, flags, callback message 1124, icon, tip.
TEST_F(WindowsNotifyIconTest, ShowAddsTheIconThenChangesOnlyWhatDiffers) {
  {
    WindowsNotifyIcon icon(api, Recording());
    EXPECT_THAT(api.registered, ElementsAre("TaskbarCreated"));
    EXPECT_THAT(api.windowClasses, ElementsAre("TZR4CtrlTrayIcon"));

    icon.Show(0xA1, "CD01 Vol.20");
    icon.Show(0xA1, "CD01 Vol.20");  // nothing changed: no call
    icon.Show(0xA1, "CD02 Vol.20");
    icon.Show(0xA2, "CD02 Vol.20");
    icon.Show(0xA3, "TUNER");
    EXPECT_TRUE(icon.Shown());
    EXPECT_EQ(icon.Tip(), "TUNER");
    ASSERT_EQ(api.calls.size(), 4u);
    EXPECT_EQ(api.calls[0].first, 0u);  // NIM_ADD
    EXPECT_EQ(api.calls[0].second, (NotifyIconRecord{kWindow, 1, 7, 1124, 0xA1, "CD01 Vol.20"}));
    EXPECT_EQ(api.calls[1].first, 1u);  // NIM_MODIFY, the tip only
    EXPECT_EQ(api.calls[1].second, (NotifyIconRecord{kWindow, 1, 4, 1124, 0xA1, "CD02 Vol.20"}));
    EXPECT_EQ(api.calls[2].second.flags, 2u);  // the icon only
    EXPECT_EQ(api.calls[2].second.icon, 0xA2u);
    EXPECT_EQ(api.calls[3].second.flags, 6u);  // both

    icon.Hide();
    icon.Hide();
    ASSERT_EQ(api.calls.size(), 5u);
    EXPECT_EQ(api.calls[4].first, 2u);  // NIM_DELETE
    EXPECT_EQ(api.calls[4].second.window, kWindow);
    EXPECT_EQ(api.calls[4].second.id, 1u);
    EXPECT_FALSE(icon.Shown());

    icon.Show(0xA3, "TUNER");  // shown again: added whole
    EXPECT_EQ(api.calls.back().first, 0u);
    EXPECT_EQ(api.calls.back().second.flags, 7u);
  }
  // Going away takes the shown icon and the window with it.
  EXPECT_EQ(api.calls.back().first, 2u);
  EXPECT_THAT(api.destroyed, ElementsAre(kWindow));
}

// lParam carries the mouse message; wParam the icon's identifier.
TEST_F(WindowsNotifyIconTest, TheWindowsMouseMessagesBecomePressesReleasesAndDoubleClicks) {
  WindowsNotifyIcon icon(api, Recording());
  icon.Show(0xA1, "");
  for (std::intptr_t mouse : {0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x207, 0x208, 0x209}) {
    EXPECT_EQ(api.Send(1124, 1, mouse), std::optional<std::intptr_t>(0)) << mouse;
  }
  EXPECT_THAT(events, ElementsAre("down left", "up left", "double left", "down right", "up right",
                                  "double right", "down middle", "up middle", "double middle"));

  // The pointer passing, another icon's identifier, another message: nothing.
  events.clear();
  api.Send(1124, 1, 0x200);
  api.Send(1124, 2, 0x201);
  EXPECT_EQ(api.Send(0x0010, 0, 0), std::nullopt);  // WM_CLOSE: default handling
  api.Send(1124, 1, 0x7FFF0203);  // an icon of version 4 carries the message in the low word
  EXPECT_THAT(events, ElementsAre("double left"));
}

TEST_F(WindowsNotifyIconTest, ARestartedTaskbarGetsAShownIconBack) {
  WindowsNotifyIcon icon(api, Recording());
  EXPECT_EQ(api.Send(kTaskbarCreatedNumber, 0, 0), std::nullopt);
  EXPECT_THAT(api.calls, IsEmpty());  // nothing shown, nothing to add

  icon.Show(0xA1, "MD Vol.12");
  api.calls.clear();
  EXPECT_EQ(api.Send(kTaskbarCreatedNumber, 0, 0), std::nullopt);
  ASSERT_EQ(api.calls.size(), 2u);
  EXPECT_EQ(api.calls[0].first, 2u);
  EXPECT_EQ(api.calls[1].first, 0u);
  EXPECT_EQ(api.calls[1].second, (NotifyIconRecord{kWindow, 1, 7, 1124, 0xA1, "MD Vol.12"}));
}

TEST_F(WindowsNotifyIconTest, WithoutItsWindowTheIconIsNeverAdded) {
  api.windowCreates = false;
  {
    WindowsNotifyIcon icon(api, Recording());
    EXPECT_FALSE(icon.Created());
    icon.Show(0xA1, "CD");
    EXPECT_FALSE(icon.Shown());
  }
  EXPECT_THAT(api.calls, IsEmpty());
  EXPECT_THAT(api.destroyed, IsEmpty());
}

// Flags: NIF_MESSAGE 1, NIF_ICON 2, NIF_TIP 4, NIF_INFO 0x10; the balloon's icon NIIF_INFO 1.
// The balloon's end reaches the icon's callback as NIN_BALLOONTIMEOUT (0x404), NIN_BALLOONHIDE
// (0x403) or NIN_BALLOONUSERCLICK (0x405).
TEST_F(WindowsNotifyIconTest, ABalloonWithoutAShownIconBringsOneForItsTime) {
  WindowsNotifyIcon icon(api, Recording());
  EXPECT_TRUE(icon.ShowBalloon(0xA1, "ZR4PCCtrl", "該当するUSBデバイスが見つかりません。"));
  ASSERT_EQ(api.calls.size(), 1u);
  EXPECT_EQ(api.calls[0].first, 0u);  // NIM_ADD
  NotifyIconRecord added{kWindow, 1, 0x17, 1124, 0xA1, "ZR4PCCtrl"};
  added.infoTitle = "ZR4PCCtrl";
  added.info = "該当するUSBデバイスが見つかりません。";
  added.infoFlags = 1;
  EXPECT_EQ(api.calls[0].second, added);
  EXPECT_FALSE(icon.Shown());  // the program did not ask for an icon

  // The pointer on it still reaches the program; the balloon's end takes the icon away, once.
  EXPECT_EQ(api.Send(1124, 1, 0x201), std::optional<std::intptr_t>(0));
  EXPECT_THAT(events, ElementsAre("down left"));
  api.Send(1124, 1, 0x404);
  api.Send(1124, 1, 0x404);
  ASSERT_EQ(api.calls.size(), 2u);
  EXPECT_EQ(api.calls[1].first, 2u);  // NIM_DELETE
  EXPECT_EQ(api.calls[1].second.id, 1u);

  for (std::intptr_t end : {0x403, 0x405}) {
    api.calls.clear();
    icon.ShowBalloon(0xA1, "ZR4PCCtrl", "text");
    api.Send(1124, 1, end);
    ASSERT_EQ(api.calls.size(), 2u) << end;
    EXPECT_EQ(api.calls[1].first, 2u) << end;
  }
  EXPECT_THAT(events, ElementsAre("down left"));  // the balloon's messages are no clicks
}

TEST_F(WindowsNotifyIconTest, ABalloonAtAShownIconLeavesTheIconAsItIs) {
  WindowsNotifyIcon icon(api, Recording());
  icon.Show(0xA1, "CD01 Vol.20");
  api.calls.clear();
  EXPECT_TRUE(icon.ShowBalloon(0xB2, "ZR4PCCtrl", "該当するUSBデバイスが見つかりません。"));
  ASSERT_EQ(api.calls.size(), 1u);
  EXPECT_EQ(api.calls[0].first, 1u);  // NIM_MODIFY, the balloon only
  EXPECT_EQ(api.calls[0].second.flags, 0x10u);
  EXPECT_EQ(api.calls[0].second.infoTitle, "ZR4PCCtrl");
  EXPECT_EQ(api.calls[0].second.info, "該当するUSBデバイスが見つかりません。");
  EXPECT_EQ(api.calls[0].second.infoFlags, 1u);
  api.Send(1124, 1, 0x404);
  EXPECT_EQ(api.calls.size(), 1u);  // the shown icon stays
  EXPECT_TRUE(icon.Shown());
  EXPECT_EQ(icon.Tip(), "CD01 Vol.20");
}

TEST_F(WindowsNotifyIconTest, AnIconShownDuringItsBalloonStaysAfterIt) {
  {
    WindowsNotifyIcon icon(api, Recording());
    icon.ShowBalloon(0xA1, "ZR4PCCtrl", "text");
    icon.Show(0xA2, "FM 01 Vol.22");
    ASSERT_EQ(api.calls.size(), 2u);
    // Already in the notification area: changed, not added a second time.
    EXPECT_EQ(api.calls[1].first, 1u);
    EXPECT_EQ(api.calls[1].second, (NotifyIconRecord{kWindow, 1, 7, 1124, 0xA2, "FM 01 Vol.22"}));
    api.Send(1124, 1, 0x404);
    EXPECT_EQ(api.calls.size(), 2u);
    EXPECT_TRUE(icon.Shown());

    // A balloon's icon that went with a restarted taskbar is not brought back.
    icon.Hide();
    icon.ShowBalloon(0xA1, "ZR4PCCtrl", "text");
    api.calls.clear();
    api.Send(kTaskbarCreatedNumber, 0, 0);
    EXPECT_THAT(api.calls, IsEmpty());
  }
  EXPECT_THAT(api.calls, IsEmpty());  // nothing left to take away at the end
}

TEST_F(WindowsNotifyIconTest, ABalloonTheShellRefusesLeavesNoIconBehind) {
  WindowsNotifyIcon icon(api, Recording());
  api.shellAccepts = false;
  EXPECT_FALSE(icon.ShowBalloon(0xA1, "ZR4PCCtrl", "text"));
  api.shellAccepts = true;
  api.calls.clear();
  api.Send(1124, 1, 0x404);
  EXPECT_THAT(api.calls, IsEmpty());
  icon.Show(0xA2, "CD");
  ASSERT_EQ(api.calls.size(), 1u);
  EXPECT_EQ(api.calls[0].first, 0u);  // added as any icon not in the notification area

  api.windowCreates = false;
  WindowsNotifyIcon windowless(api, Recording());
  api.calls.clear();
  EXPECT_FALSE(windowless.ShowBalloon(0xA1, "ZR4PCCtrl", "text"));
  EXPECT_THAT(api.calls, IsEmpty());
}

}  // namespace
}  // namespace zr4
