// The notification-area icon on the system's own calls: its hidden window exists as a
// top-level window, the icon's mouse messages sent to it come out as clicks, and the taskbar's
// restart is answered with the icon still shown.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/tray/notify_icon_windows.h"

// The system's headers after the program's own, so that their macros cannot reach those.
#include <windows.h>

namespace zr4 {
namespace {

using ::testing::ElementsAre;

// A window class of its own, so that tests never meet a running program.
std::string TestClassName() {
  return std::string(kNotifyIconWindowClass) + "_test_" + std::to_string(GetCurrentProcessId());
}

TEST(WindowsNotifyIconSystem, TheIconsWindowTurnsItsMouseMessagesIntoClicks) {
  std::vector<std::string> events;
  WindowsNotifyIcon::Handlers handlers;
  handlers.buttonDown = [&](TTrayButton) { events.push_back("down"); };
  handlers.buttonUp = [&](TTrayButton) { events.push_back("up"); };
  handlers.doubleClick = [&](TTrayButton button) {
    events.push_back(button == TTrayButton::Right ? "double right" : "double other");
  };
  const std::string windowClass = TestClassName();
  {
    WindowsNotifyIcon icon(SystemWin32TrayApi(), handlers, windowClass);
    ASSERT_TRUE(icon.Created());
    HWND window = FindWindowA(windowClass.c_str(), nullptr);
    ASSERT_NE(window, nullptr);  // top-level: broadcasts reach it
    EXPECT_FALSE(IsWindowVisible(window));

    icon.Show(reinterpret_cast<std::uintptr_t>(LoadIconA(nullptr, MAKEINTRESOURCEA(32512))),
              "CD01");
    EXPECT_TRUE(icon.Shown());
    EXPECT_EQ(SendMessageA(window, 1124, 1, WM_RBUTTONDOWN), 0);
    SendMessageA(window, 1124, 1, WM_RBUTTONUP);
    SendMessageA(window, 1124, 1, WM_RBUTTONDBLCLK);
    EXPECT_THAT(events, ElementsAre("down", "up", "double right"));

    SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(icon.Shown());
    EXPECT_EQ(icon.Tip(), "CD01");
  }
  EXPECT_EQ(FindWindowA(windowClass.c_str(), nullptr), nullptr);
}

}  // namespace
}  // namespace zr4
