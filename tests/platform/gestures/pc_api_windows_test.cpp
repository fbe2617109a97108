// The PC-side actions on the system's own calls: a window of the player's class answers the
// menu commands sent to it, an application's window receives the posted messages, and the
// sound mapper's value is written to the registry only where the key exists.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/gestures/pc_command_dispatcher.h"
#include "platform/gestures/pc_api_windows.h"
#include "platform/gestures/pc_port_adapters_windows.h"
#include "platform/gestures/player_ctrl_windows.h"

namespace zr4::test {
namespace {

std::vector<WPARAM> g_commands;

LRESULT CALLBACK PlayerProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) {
    g_commands.push_back(wParam);
    return 1234;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

HWND MakeWindow(const char* windowClass) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PlayerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = windowClass;
  RegisterClassA(&wc);
  return CreateWindowExA(0, windowClass, "test", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                         nullptr, wc.hInstance, nullptr);
}

TEST(WindowsPcSystemTest, MenuCommandsReachThePlayersWindow) {
  HWND winamp = MakeWindow("Winamp v1.x");
  ASSERT_NE(winamp, nullptr);
  g_commands.clear();
  TWAmpCtrl player(SystemWin32PcApi());
  EXPECT_EQ(player.Command(TPlayerCommand::Play), 1234);
  EXPECT_EQ(player.Command(TPlayerCommand::ListLast), 1234);
  EXPECT_EQ(g_commands, (std::vector<WPARAM>{40045, 40158}));
  DestroyWindow(winamp);
  EXPECT_EQ(player.Command(TPlayerCommand::Play), 999);
}

TEST(WindowsPcSystemTest, ApplicationSetsPostToTheApplicationsWindow) {
  HWND app = MakeWindow("ZR4TestAppWnd");
  ASSERT_NE(app, nullptr);
  TOptionData options;
  TAppCtrlList sets;
  sets.Load(TIniFile::Parse("[T]\nClass=ZR4TestAppWnd\nPath=none.exe\nGo=$111,40045,-3\n"));
  WindowsAppWindows windows(SystemWin32PcApi());
  TPcCommandDispatcher dispatcher({nullptr, nullptr, nullptr, &windows}, options, sets);
  dispatcher.ExecutePcCommand(52);
  dispatcher.ExecutePcCommand(51);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, app, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, 273u);
  EXPECT_EQ(msg.wParam, 40045u);
  EXPECT_EQ(msg.lParam, -3);
  ASSERT_TRUE(PeekMessageA(&msg, app, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
  DestroyWindow(app);
}

TEST(WindowsPcSystemTest, SoundMapperValueOnlyUnderAnExistingKey) {
  const char* key = "Software\\Microsoft\\Multimedia\\Sound Mapper";
  RegDeleteKeyA(HKEY_CURRENT_USER, key);
  WaveOutputs outputs(SystemWin32PcApi());
  outputs.SetPreferredOutput("Speakers");
  HKEY opened = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened), ERROR_SUCCESS);
  EXPECT_EQ(outputs.PreferredOutput(), "");

  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                            nullptr),
            ERROR_SUCCESS);
  RegCloseKey(opened);
  outputs.SetPreferredOutput("ZR4PC USB Audio");
  EXPECT_EQ(outputs.PreferredOutput(), "ZR4PC USB Audio");
  char text[64] = {};
  DWORD size = sizeof text;
  EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, key, "Playback", RRF_RT_REG_SZ, nullptr, text, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(text, "ZR4PC USB Audio");
  EXPECT_EQ(outputs.OutputNames().size(), SystemWin32PcApi().WaveOutGetNumDevs());
  RegDeleteKeyA(HKEY_CURRENT_USER, key);
}

// On Japanese Windows (ANSI code page 932, which the Windows stage gives Wine through a Japanese
// locale) a device name from the ANSI calls reads as UTF-8 and goes back byte for byte.
TEST(AnsiCodePageTest, Cp932NamesReadAsUtf8AndGoBackWhole) {
  if (GetACP() != 932) GTEST_SKIP() << "ANSI code page " << GetACP() << ", not 932";
  const std::string cp932 = "\x83\x58\x83\x73\x81\x5B\x83\x4A\x81\x5B (USB)";
  EXPECT_EQ(SystemWin32PcApi().AnsiToUtf8(cp932), "スピーカー (USB)");
  std::string back;
  ASSERT_TRUE(SystemWin32PcApi().Utf8ToAnsi("スピーカー (USB)", back));
  EXPECT_EQ(back, cp932);
  // A character code page 932 cannot hold is refused, so the stored value is not changed.
  EXPECT_FALSE(SystemWin32PcApi().Utf8ToAnsi("Ελληνικά", back));
}

}  // namespace
}  // namespace zr4::test
