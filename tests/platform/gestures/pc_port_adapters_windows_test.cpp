#include "platform/gestures/pc_port_adapters_windows.h"

#include <gtest/gtest.h>

#include "core/gestures/pc_command_dispatcher.h"
#include "fake_pc_api_windows.h"
#include "platform/gestures/player_ctrl_windows.h"

namespace zr4::test {
namespace {

using Lines = std::vector<std::string>;

class WindowsPcCommandTest : public ::testing::Test {
 protected:
  WindowsPcCommandTest() {
    options.WinAmpPath = "C:\\Winamp\\winamp.exe";
    options.LilithPath = "C:\\Lilith\\lilith.exe";
  }
  FakeWin32PcApi api;
  WindowsMediaPlayers players{api};
  WindowsMonitorPower monitor{api, [] { return std::uintptr_t{4242}; }};
  WindowsAppWindows appWindows{api};
  TOptionData options;
  TAppCtrlList sets;
  TPcCommandDispatcher dispatcher{{nullptr, &monitor, &players, &appWindows}, options, sets};
};

TEST_F(WindowsPcCommandTest, PlayersGetTheirMenuIdentifiersSentToTheirWindows) {
  api.windows = {{"Winamp v1.x", 11}, {"Lilith", 12}};
  const std::pair<int, std::uint32_t> winamp[] = {
      {11, 40001}, {12, 40045}, {13, 40047}, {14, 40048}, {15, 40044}, {16, 40148},
      {17, 40144}, {18, 40046}, {19, 40023}, {20, 40022}, {21, 40154}, {22, 40158}};
  for (const auto& [number, id] : winamp) {
    SCOPED_TRACE(number);
    dispatcher.ExecutePcCommand(number);
    EXPECT_EQ(api.Take(),
              (Lines{"FindWindow Winamp v1.x", "SendMessage 11 273 " + std::to_string(id) + " 0"}));
  }
  const std::pair<int, std::uint32_t> lilith[] = {{31, 40016}, {32, 40082}, {33, 40003},
                                                  {34, 40002}, {35, 40028}, {36, 40027},
                                                  {37, 40011}, {38, 40004}};
  for (const auto& [number, id] : lilith) {
    SCOPED_TRACE(number);
    dispatcher.ExecutePcCommand(number);
    EXPECT_EQ(api.Take(),
              (Lines{"FindWindow Lilith", "SendMessage 12 273 " + std::to_string(id) + " 0"}));
  }
  dispatcher.ExecutePcCommand(10);
  EXPECT_EQ(api.Take(), (Lines{"FindWindow Winamp v1.x", "SetForegroundWindow 11"}));
}

TEST_F(WindowsPcCommandTest, PlayersNotRunningOnlyStartOnRun) {
  dispatcher.ExecutePcCommand(11);
  EXPECT_EQ(api.Take(), Lines{"FindWindow Winamp v1.x"});
  dispatcher.ExecutePcCommand(30);
  EXPECT_EQ(api.Take(),
            (Lines{"FindWindow Lilith", "ShellExecute open C:\\Lilith\\lilith.exe [] [] 1"}));
  EXPECT_EQ(TLilithCtrl(api).Command(TPlayerCommand::Shuffle), 999);
  EXPECT_EQ(api.Take(), Lines{});
}

TEST_F(WindowsPcCommandTest, MonitorsAndApplicationSets) {
  dispatcher.ExecutePcCommand(6);
  dispatcher.ExecutePcCommand(7);
  EXPECT_EQ(api.Take(), (Lines{"PostMessage 4242 274 61808 1", "PostMessage 4242 274 61808 -1"}));

  sets.Load(TIniFile::Parse("[Ed]\nClass=EdWnd\nPath=C:\\Ed\\ed.exe,-x,-y\nGo=$111,-1,-2\n"));
  dispatcher.ExecutePcCommand(50);
  dispatcher.ExecutePcCommand(51);
  api.windows = {{"EdWnd", 9}};
  dispatcher.ExecutePcCommand(50);
  dispatcher.ExecutePcCommand(51);
  dispatcher.ExecutePcCommand(52);
  EXPECT_EQ(api.Take(), (Lines{"FindWindow EdWnd", "ShellExecute open C:\\Ed\\ed.exe [-x,-y] [] 1",
                               "FindWindow EdWnd", "FindWindow EdWnd", "SetForegroundWindow 9",
                               "FindWindow EdWnd", "PostMessage 9 16 0 0", "FindWindow EdWnd",
                               "PostMessage 9 273 " + std::to_string(~std::uintptr_t{0}) + " -2"}));
}

TEST(WaveOutputsTest, DevicesAndTheSoundMapperValue) {
  FakeWin32PcApi api;
  api.devices = {"Speakers", "ZR4PC USB Audio"};
  WaveOutputs outputs(api);
  EXPECT_EQ(outputs.OutputNames(), (Lines{"Speakers", "ZR4PC USB Audio"}));
  EXPECT_EQ(outputs.PreferredOutput(), "");
  outputs.SetPreferredOutput("ZR4PC USB Audio");
  EXPECT_EQ(api.registry["Software\\Microsoft\\Multimedia\\Sound Mapper\\Playback"],
            "ZR4PC USB Audio");
  EXPECT_EQ(outputs.PreferredOutput(), "ZR4PC USB Audio");
  api.keyExists = false;  // the key is never created
  outputs.SetPreferredOutput("Speakers");
  EXPECT_EQ(outputs.PreferredOutput(), "ZR4PC USB Audio");
}

// On Japanese Windows the names come in CP932; the menu shows them in UTF-8 and the registry
// keeps them in CP932, as the system's own settings write them.
TEST(WaveOutputsTest, NamesInTheAnsiCodePageShowInUtf8AndAreStoredInIt) {
  FakeWin32PcApi api;
  const std::string speakersCp932 = "\x83\x58\x83\x73\x81\x5B\x83\x4A\x81\x5B (USB)";
  api.devices = {speakersCp932, "ZR4PC USB Audio"};
  WaveOutputs outputs(api);
  EXPECT_EQ(outputs.OutputNames(), (Lines{"スピーカー (USB)", "ZR4PC USB Audio"}));
  outputs.SetPreferredOutput("スピーカー (USB)");
  const std::string value = "Software\\Microsoft\\Multimedia\\Sound Mapper\\Playback";
  EXPECT_EQ(api.registry[value], speakersCp932);
  EXPECT_EQ(outputs.PreferredOutput(), "スピーカー (USB)");
  // A name the code page cannot hold is not written in place of the one there.
  outputs.SetPreferredOutput("Динамики");
  EXPECT_EQ(api.registry[value], speakersCp932);
}

}  // namespace
}  // namespace zr4::test
