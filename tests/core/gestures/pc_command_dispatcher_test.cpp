#include "core/gestures/pc_command_dispatcher.h"

#include <gtest/gtest.h>

#include "fakes/command_harness.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_file_store.h"
#include "fakes/fake_pc_actions.h"

namespace zr4::test {
namespace {

using Lines = std::vector<std::string>;

class PcCommandTest : public ::testing::Test {
 protected:
  PcCommandTest() {
    options.WinAmpPath = "/usr/bin/audacious";
    options.LilithPath = "C:\\Lilith\\lilith.exe";
  }
  RecordingPcActions pc;
  TOptionData options;
  TAppCtrlList sets;
  TPcCommandDispatcher dispatcher{{&pc, &pc, &pc, &pc}, options, sets};
};

TEST_F(PcCommandTest, EachNumberRunsItsAction) {
  const std::pair<int, const char*> cases[] = {
      {1, "power suspend"},
      {2, "power hibernate"},
      {3, "power poweroff"},
      {4, "power reboot"},
      {5, "power logoff"},
      {6, "monitor off"},
      {7, "monitor on"},
      {10, "winamp Run /usr/bin/audacious"},
      {11, "winamp Quit /usr/bin/audacious"},
      {12, "winamp Play /usr/bin/audacious"},
      {13, "winamp Stop /usr/bin/audacious"},
      {14, "winamp Next /usr/bin/audacious"},
      {15, "winamp Previous /usr/bin/audacious"},
      {16, "winamp Forward /usr/bin/audacious"},
      {17, "winamp Rewind /usr/bin/audacious"},
      {18, "winamp Pause /usr/bin/audacious"},
      {19, "winamp Shuffle /usr/bin/audacious"},
      {20, "winamp Repeat /usr/bin/audacious"},
      {21, "winamp ListFirst /usr/bin/audacious"},
      {22, "winamp ListLast /usr/bin/audacious"},
      {30, "lilith Run C:\\Lilith\\lilith.exe"},
      {31, "lilith Quit C:\\Lilith\\lilith.exe"},
      {32, "lilith Play C:\\Lilith\\lilith.exe"},
      {33, "lilith Stop C:\\Lilith\\lilith.exe"},
      {34, "lilith Pause C:\\Lilith\\lilith.exe"},
      {35, "lilith Next C:\\Lilith\\lilith.exe"},
      {36, "lilith Previous C:\\Lilith\\lilith.exe"},
      {37, "lilith Forward C:\\Lilith\\lilith.exe"},
      {38, "lilith Rewind C:\\Lilith\\lilith.exe"},
  };
  for (const auto& [number, call] : cases) {
    SCOPED_TRACE(number);
    dispatcher.ExecutePcCommand(number);
    EXPECT_EQ(pc.Take(), Lines{call});
  }
  for (const int number : {0, -1, 8, 9, 23, 29, 39, 49, 50, 100}) {
    SCOPED_TRACE(number);
    dispatcher.ExecutePcCommand(number);
    EXPECT_EQ(pc.Take(), Lines{});
  }
  // The players' programs are read at each command.
  options.WinAmpPath = "";
  dispatcher.ExecutePcCommand(12);
  EXPECT_EQ(pc.Take(), Lines{"winamp Play "});
}

TEST_F(PcCommandTest, FailuresReachTheCallerAndMissingPortsDoNothing) {
  pc.failWith = "サスペンドは許可されていません。";
  EXPECT_THROW(dispatcher.ExecutePcCommand(1), EPcCommandError);
  TPcCommandDispatcher bare({}, options, sets);
  for (const int number : {1, 6, 10, 30, 50}) bare.ExecutePcCommand(number);
  EXPECT_EQ(pc.Take(), Lines{"power suspend"});
}

TEST_F(PcCommandTest, CommandItemsAreTheFixedListThenTheSets) {
  sets.Load(TIniFile::Parse("[Ed]\nClass=e\nPath=e\nSave=1,2,3\n"));
  const Lines items = dispatcher.CommandItems();
  const Lines expected{"01,スタンバイ",       "02,休止状態（ハイバネーション）",
                       "03,シャットダウン",   "04,再起動",
                       "05,ログオフ",         "06,Monitor Off",
                       "07,Monitor On",       "10,Winamp Run",
                       "11,Winamp Quit",      "12,Winamp Play",
                       "13,Winamp Stop",      "14,Winamp Next",
                       "15,Winamp Previous",  "16,Winamp Forward",
                       "17,Winamp Rewind",    "18,Winamp Pause",
                       "19,Winamp Shuffle",   "20,Winamp Repeat",
                       "21,Winamp ListFirst", "22,Winamp ListLast",
                       "30,Lilith Run",       "31,Lilith Quit",
                       "32,Lilith Play",      "33,Lilith Stop",
                       "34,Lilith Pause",     "35,Lilith Next",
                       "36,Lilith Previous",  "37,Lilith Forward",
                       "38,Lilith Rewind",    "50,Ed Run",
                       "51,Ed Quit",          "52,Ed Save"};
  EXPECT_EQ(items, expected);
  pc.openClasses = {"e"};
  dispatcher.ExecutePcCommand(52);
  EXPECT_EQ(pc.Take(), (Lines{"find e", "post 1 1 2 3"}));
}

class AppCommandFileTest : public CommandTest {};

TEST_F(AppCommandFileTest, ReadAtStartFromBesideTheSettingsWithItsMessages) {
  FakeFileStore files;
  FakeTextCodec codec;
  const SettingsStorage storage{files, codec, "/opt/zr4/zr4pcctrl.ini"};
  files.files["/opt/zr4/DoraZozArar.ini"] =
      "[Bad]\r\nClass=b\r\nPath=b\r\nGo=1,2\r\n[Good]\r\nClass=g\r\nPath=g\r\n";
  RecordingPcActions pc;
  TPcPorts ports;
  ports.actions = {&pc, &pc, &pc, &pc};
  TController withFile(clock, link, view, &storage, ports);
  withFile.FormCreate({});
  EXPECT_EQ(view.captionedMessages, Lines{"INI読込エラー|SECTION: [Bad] "});
  Parts(withFile).PcCommands().ExecutePcCommand(60);
  EXPECT_EQ(pc.Take(), (Lines{"find g", "start g | "}));

  view.captionedMessages.clear();
  files.unreadable = true;
  TController unreadable(clock, link, view, &storage, ports);
  unreadable.FormCreate({});
  EXPECT_EQ(view.messages.back(), "DoraZozArar.iniの読込に失敗しました。");
  EXPECT_EQ(Parts(unreadable).PcDispatcher().CommandItems().size(), 29u);

  // Beside a Windows settings path: the folder ends at the last backslash.
  FakeFileStore windowsFiles;
  const SettingsStorage windowsStorage{windowsFiles, codec, "C:\\Tools\\zr4pcctrl.ini"};
  windowsFiles.files["C:\\Tools\\DoraZozArar.ini"] = "[Good]\r\nClass=g\r\nPath=g\r\n";
  TController windows(clock, link, view, &windowsStorage, ports);
  windows.FormCreate({});
  Parts(windows).PcCommands().ExecutePcCommand(50);
  EXPECT_EQ(pc.Take(), (Lines{"find g", "start g | "}));
}

}  // namespace
}  // namespace zr4::test
