// The Windows notification-area icon against a recording fake of its Win32 calls: the records
// it hands the shell, the six clicks its window's mouse messages carry, and the taskbar's
// restart.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/app/windows_notify_icon.h"

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
    return true;
  }
  // What the system's dispatch hands the window.
  std::optional<std::intptr_t> Send(std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
    return procedure(message, wParam, lParam);
  }

  bool windowCreates = true;
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

}  // namespace
}  // namespace zr4
