// The settings file as the controller loads and saves it.
#include "core/settings/settings.h"

#include <gtest/gtest.h>

#include "core/app/controller.h"
#include "core/base/ini_file.h"
#include "core/ports/log.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_file_store.h"
#include "fakes/fake_view.h"
#include "fakes/sim_link.h"

namespace zr4 {
namespace {

constexpr const char* kPath = "/home/user/zr4pcctrl/zr4pcctrl.ini";

// What a save of the defaults with one gesture and one timer writes.
constexpr const char* kDefaultFile =
    "[Window]\r\nLeft=379\r\nTop=304\r\n\r\n"
    "[Setting]\r\nAutoOn=0\r\nAutoOff=0\r\nTimer=1\r\nNBCut=1\r\nNB2Cut=0\r\n"
    "SkinIniName=skins\\skindefa.zip\r\nOnTop=0\r\nShowRadioName=0\r\nAutoVolChange=0\r\n"
    "VolCD=0\r\nVolMD=0\r\nVolAUX=0\r\nVolUSB=10\r\nVolWheel=2\r\nVolLR=1\r\nVolUD=5\r\n"
    "VolMax=70\r\nA.P.S.=0\r\nA.P.S.Min=60\r\nShowIcon=0\r\nIconChange=0\r\nIconName=\r\n"
    "MinimizeOnRun=0\r\nSuspendOff=0\r\nSuspendOn=0\r\nModebtn=0,0,0,0,0\r\n"
    "TrayRightSingleClick=actPopupMenu\r\nTrayRightDoubleClick=\r\n"
    "TrayLeftSingleClick=actMinimizeRestore\r\nTrayLeftDoubleClick=\r\n"
    "TrayMiddleSingleClick=actSetForeground\r\nTrayMiddleDoubleClick=\r\n\r\n"
    "[RemoCon]\r\nEnable=0\r\nInterval=3000\r\nCmd0=↑↑↓,\"01,スタンバイ\",1\r\n\r\n"
    "[Timer]\r\nTimer0=8,7,30,-ON,1\r\n\r\n"
    "[Other]\r\nWinAmpPath=\r\nLilithPath=\r\n";

class SettingsTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  SettingsTest() {
    previousSink = SetLogSink([this](std::string_view line) { log.emplace_back(line); });
  }
  ~SettingsTest() override { SetLogSink(previousSink); }

  void Load(const std::string& text) {
    files.files[kPath] = text;
    Parts(controller).SettingsFiles().LoadSettings();
  }
  std::string& File() { return files.files[kPath]; }
  test::FakeView view;
  test::FakeFileStore files;
  test::FakeTextCodec codec;
  SettingsStorage storage{files, codec, kPath};
  TController controller{clock, link, view, &storage};
  std::vector<std::string> log;
  LogSink previousSink;
};

TEST_F(SettingsTest, AMissingFileGivesEveryDefault) {
  view.window = {50, 60, 370, 180};
  Parts(controller).Options().VolMax = 10;
  Parts(controller).Settings().OnTop = true;
  Parts(controller).SettingsFiles().LoadSettings();
  EXPECT_EQ(Parts(controller).Options(), TOptionData{});
  EXPECT_TRUE(Parts(controller).Options().TimerOff);
  EXPECT_TRUE(Parts(controller).Options().NBCut);
  EXPECT_EQ(Parts(controller).Options().RemoConInterval, 3000);
  EXPECT_EQ(Parts(controller).Options().SkinIniName, "skins\\skindefa.zip");
  EXPECT_FALSE(Parts(controller).Settings().OnTop);
  EXPECT_FALSE(Parts(controller).Settings().IconChange);
  EXPECT_EQ(Parts(controller).Settings().IconName, "");
  EXPECT_EQ(
      Parts(controller).Settings().TrayClickNames,
      (TTrayClickNames{"actPopupMenu", "", "actMinimizeRestore", "", "actSetForeground", ""}));
  EXPECT_EQ(Parts(controller).Settings().GestureList, std::vector<std::string>{""});
  EXPECT_EQ(Parts(controller).Settings().TimerList.Count(), 0);
  EXPECT_EQ(view.window, (TRect{50, 60, 370, 180}));  // stays where it is
  EXPECT_TRUE(log.empty());
}

TEST_F(SettingsTest, AHandEditedFileIsReadWhateverTheCaseOfItsNames) {
  Load(
      "[window]\r\nleft=100\r\nTOP=-20\r\n"
      "[SETTING]\r\nautoon=1\r\nTimer=0\r\nNBCut=0\r\nSkinIniName=skins\\blue.zip\r\nOnTop=1\r\n"
      "VolCD=-5\r\nVolUSB=abc\r\nVolMax=80\r\nA.P.S.=1\r\nA.P.S.Min=30\r\nIconChange=1\r\n"
      "IconName=my.ico\r\nSuspendOn=1\r\nMODEBTN=1,0,1,0,1\r\n"
      "TrayRightSingleClick=\r\nTrayLeftDoubleClick=actExit\r\n"
      "[remocon]\r\nenable=1\r\ninterval=1500\r\ncmd0=↑,\"12,Winamp Play\",1\r\n"
      "cmd1=OFF,\"01,スタンバイ\",0\r\n"
      "[timer]\r\ntimer0=2,7,30,-ON,1\r\ntimer1=8,23,5,-OFF,0\r\n"
      "[OTHER]\r\nwinamppath=C:\\Program Files\\Winamp\\winamp.exe\r\n");
  const TOptionData& o = Parts(controller).Options();
  EXPECT_EQ(view.window.left, 100);
  EXPECT_EQ(view.window.top, -20);
  EXPECT_TRUE(o.AutoOn);
  EXPECT_FALSE(o.TimerOff);
  EXPECT_FALSE(o.NBCut);
  EXPECT_EQ(o.SkinIniName, "skins\\blue.zip");
  EXPECT_TRUE(Parts(controller).Settings().OnTop);
  EXPECT_EQ(o.VolCD, -5);
  EXPECT_EQ(o.VolUSB, 10);  // not a number: the default
  EXPECT_EQ(o.VolMax, 80);
  EXPECT_TRUE(o.APS);
  EXPECT_EQ(o.APSMin, 30);
  EXPECT_TRUE(Parts(controller).Settings().IconChange);
  EXPECT_EQ(Parts(controller).Settings().IconName, "my.ico");
  EXPECT_TRUE(o.SuspendOn);
  EXPECT_TRUE(o.ModeTuner && o.ModeMD && o.ModeUSB);
  EXPECT_FALSE(o.ModeCD || o.ModeAUX);
  EXPECT_TRUE(o.RemoConEnable);
  EXPECT_EQ(o.RemoConInterval, 1500);
  EXPECT_EQ(o.WinAmpPath, "C:\\Program Files\\Winamp\\winamp.exe");
  EXPECT_EQ(Parts(controller).Settings().TrayClickNames,
            (TTrayClickNames{"", "", "actMinimizeRestore", "actExit", "actSetForeground", ""}));
  EXPECT_EQ(Parts(controller).Settings().GestureList,
            (std::vector<std::string>{"↑,\"12,Winamp Play\",1", "OFF,\"01,スタンバイ\",0", ""}));
  ASSERT_EQ(Parts(controller).Settings().TimerList.Count(), 2);
  EXPECT_EQ(Parts(controller).Settings().TimerList.GetItem(0),
            (TMyTimerData{2, 7, 30, "-ON", 0, false, true}));
  EXPECT_EQ(Parts(controller).Settings().TimerList.GetItem(1),
            (TMyTimerData{8, 23, 5, "-OFF", 1, false, false}));
}

TEST_F(SettingsTest, DamagedValuesDoNotStopTheLoad) {
  Load(
      "[Setting]\nModeBtn=1,yes,True,false\nA.P.S.Min=5000\n"
      "[Timer]\nTimer0=8,7,30,-ON,1\nTimer1=x,7,30,-OFF,1\nTimer2=1,2\nTimer3=3,22,5,-OFF,1\n");
  const TOptionData& o = Parts(controller).Options();
  EXPECT_TRUE(o.ModeTuner);
  EXPECT_FALSE(o.ModeCD);  // "yes" is not a boolean
  EXPECT_TRUE(o.ModeMD);
  EXPECT_FALSE(o.ModeAUX);
  EXPECT_FALSE(o.ModeUSB);  // missing field
  EXPECT_EQ(o.APSMin, 1439);
  ASSERT_EQ(Parts(controller).Settings().TimerList.Count(), 2);
  EXPECT_EQ(Parts(controller).Settings().TimerList.GetItem(1).No, 3);
  EXPECT_EQ(Parts(controller).Settings().TimerList.GetItem(1).Command, "-OFF");
  ASSERT_EQ(log.size(), 3u);
  EXPECT_NE(log[0].find("Timer1=x,7,30,-OFF,1"), std::string::npos);
  EXPECT_NE(log[1].find("Timer2=1,2"), std::string::npos);
  EXPECT_NE(log[2].find("ModeBtn field 2"), std::string::npos);

  Load("[Setting]\nA.P.S.Min=-3\n");
  EXPECT_EQ(Parts(controller).Options().APSMin, 0);
}

TEST_F(SettingsTest, ATimerLineThatDoesNotReadIsKeptAtItsPlace) {
  Load("[Timer]\r\nTimer0=8,7,30,-ON,1\r\nTimer1=x,7,30,-OFF,1\r\nTimer2=2,8,0,-VOL 20,0\r\n");
  ASSERT_EQ(Parts(controller).Settings().TimerList.Count(), 2);  // the damaged one does not run
  Parts(controller).SettingsFiles().SaveSettings();
  EXPECT_NE(File().find("[Timer]\r\nTimer0=8,7,30,-ON,1\r\nTimer1=x,7,30,-OFF,1\r\n"
                        "Timer2=2,8,0,-VOL 20,0\r\n"),
            std::string::npos);

  // Entries removed before it: it keeps its order among the rest and the numbers close up.
  Parts(controller).Settings().TimerList.Clear();
  Parts(controller).SettingsFiles().SaveSettings();
  EXPECT_NE(File().find("[Timer]\r\nTimer0=x,7,30,-OFF,1\r\n\r\n"), std::string::npos);
}

TEST_F(SettingsTest, NumberedKeysLoadUntilTheFirstMissingOne) {
  std::string text = "[RemoCon]\n";
  for (int n = 0; n < 40; ++n) text += "Cmd" + std::to_string(n) + "=↑,\"01,x\",1\n";
  text += "Cmd41=lost\n[Timer]\n";
  for (int n = 0; n < 40; ++n)
    text += "Timer" + std::to_string(n) + "=8,0," + std::to_string(n) + ",-ON,1\n";
  Load(text);
  EXPECT_EQ(Parts(controller).Settings().GestureList.size(),
            41u);  // 40 entries and the empty one that ended them
  EXPECT_EQ(Parts(controller).Settings().GestureList.back(), "");
  ASSERT_EQ(Parts(controller).Settings().TimerList.Count(), 40);
  EXPECT_EQ(Parts(controller).Settings().TimerList.GetItem(39).Minute, 39);
  EXPECT_EQ(Parts(controller).Settings().TimerList.GetItem(39).No, 39);

  Load("[RemoCon]\nCmd0=a\nCmd1=b\nCmd3=d\n");
  EXPECT_EQ(Parts(controller).Settings().GestureList, (std::vector<std::string>{"a", "b", ""}));
}

TEST_F(SettingsTest, SavingWritesEveryKeyInItsOrder) {
  Parts(controller).Settings().GestureList = {"↑↑↓,\"01,スタンバイ\",1"};
  Parts(controller).Settings().TimerList.Add({8, 7, 30, "-ON", 0, true, true});
  Parts(controller).SettingsFiles().SaveSettings();
  EXPECT_EQ(File(), kDefaultFile);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(SettingsTest, SaveLoadSaveGivesTheSameBytes) {
  Parts(controller).Options().AutoOn = true;
  Parts(controller).Options().ModeCD = true;
  Parts(controller).Options().LilithPath = "D:\\音楽\\Lilith.exe";
  Parts(controller).Settings().IconName = "電源.ico";
  Parts(controller).Settings().TrayClickNames[1] = "actPlay";
  Parts(controller).Settings().GestureList = {"↑↑↓,\"01,スタンバイ\",1", "",
                                              "OFF,\"13,Winamp Stop\",0", ""};
  for (int i = 0; i < 35; ++i)
    Parts(controller)
        .Settings()
        .TimerList.Add({i % 8 + 1, 12, i, "-VOL " + std::to_string(i), i, false, i % 2 == 0});
  Parts(controller).Settings().TimerList.Add({3, 1, 2, "-PCALL 5,-ON", 35, false, true});
  Parts(controller).SettingsFiles().SaveSettings();
  const std::string first = File();

  TController second(clock, link, view, &storage);
  Parts(second).SettingsFiles().LoadSettings();
  EXPECT_EQ(Parts(second).Options(), Parts(controller).Options());
  EXPECT_EQ(Parts(second).Settings().IconName, "電源.ico");
  EXPECT_EQ(Parts(second).Settings().TrayClickNames, Parts(controller).Settings().TrayClickNames);
  // The empty entry in the middle does not hide the one after it.
  EXPECT_EQ(Parts(second).Settings().GestureList,
            (std::vector<std::string>{"↑↑↓,\"01,スタンバイ\",1", "OFF,\"13,Winamp Stop\",0", ""}));
  EXPECT_EQ(Parts(second).Settings().TimerList,
            Parts(controller).Settings().TimerList);  // all 36, the comma command intact
  Parts(second).SettingsFiles().SaveSettings();
  EXPECT_EQ(File(), first);
  EXPECT_EQ(files.writes, 1);  // nothing changed, nothing written
}

TEST_F(SettingsTest, UnknownKeysSurviveAndEraseDropsStaleNumbers) {
  Load(
      "; my notes\r\n[Setting]\r\nMyOwnKey=keep\r\nModeBtn=1,1,1,1,1\r\n"
      "[RemoCon]\r\nCmd0=a\r\nCmd1=b\r\n[Timer]\r\nTimer0=1,2,3,x,1\r\nTimer1=1,2,3,y,1\r\n"
      "[Extra]\r\nk=v\r\n");
  Parts(controller).Settings().GestureList = {"a"};
  Parts(controller).Settings().TimerList.Clear();
  Parts(controller).SettingsFiles().SaveSettings();
  const TIniFile saved = TIniFile::Parse(File());
  EXPECT_EQ(saved.ReadString("Setting", "MyOwnKey", ""), "keep");
  EXPECT_EQ(saved.ReadString("Extra", "k", ""), "v");
  EXPECT_EQ(saved.ReadString("Setting", "ModeBtn", ""), "1,1,1,1,1");
  EXPECT_NE(File().find("Modebtn="), std::string::npos);
  EXPECT_TRUE(saved.ValueExists("RemoCon", "Cmd0"));
  EXPECT_FALSE(saved.ValueExists("RemoCon", "Cmd1"));
  EXPECT_FALSE(saved.SectionExists("Timer"));
}

TEST_F(SettingsTest, AFailedWriteShowsThePathAndChangesNothing) {
  File() = "[Setting]\r\nAutoOn=0\r\n";
  Parts(controller).Options().AutoOn = true;
  files.failWrites = true;
  Parts(controller).SettingsFiles().SaveSettings();
  EXPECT_EQ(view.messages,
            std::vector<std::string>{std::string(kPath) + "への書き込みに失敗しました。"});
  EXPECT_EQ(File(), "[Setting]\r\nAutoOn=0\r\n");
  EXPECT_TRUE(Parts(controller).Options().AutoOn);

  // A file that is there but cannot be read is not replaced.
  files.failWrites = false;
  files.unreadable = true;
  view.messages.clear();
  Parts(controller).SettingsFiles().SaveSettings();
  EXPECT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(files.writes, 1);
}

TEST_F(SettingsTest, StartLoadsBeforeItsOwnParametersAndCloseSaves) {
  File() = "[Window]\nLeft=10\nTop=20\n[Setting]\nAutoOn=1\nAutoOff=1\nOnTop=1\nVolMax=50\n";
  controller.FormCreate({});
  EXPECT_EQ(view.window.left, 10);
  EXPECT_TRUE(Parts(controller).Settings().OnTop);
  EXPECT_EQ(Parts(controller).ScrollBar1().Max(), 50);
  EXPECT_EQ(sim.ReceivedFrames().front(), BuildFrame(0x06, 0x81));  // AutoOn took effect

  Parts(controller).Options().AutoOn = false;
  Parts(controller).Settings().OnTop = false;
  std::size_t framesAtWrite = 0;
  files.onWrite = [&] { framesAtWrite = sim.ReceivedFrames().size(); };
  const std::size_t framesBefore = sim.ReceivedFrames().size();
  EXPECT_TRUE(controller.QueryEndSession());
  EXPECT_EQ(framesAtWrite, framesBefore);  // saved before the power-off
  EXPECT_EQ(sim.ReceivedFrames().back(), BuildFrame(0x06, 0x80));
  TIniFile saved = TIniFile::Parse(File());
  EXPECT_FALSE(saved.ReadBool("Setting", "AutoOn", true));
  EXPECT_TRUE(saved.ReadBool("Setting", "AutoOff", false));
  EXPECT_FALSE(saved.ReadBool("Setting", "OnTop", true));

  view.MoveWindow(200, 300);
  controller.FormClose();
  saved = TIniFile::Parse(File());
  EXPECT_EQ(saved.ReadInteger("Window", "Left", 0), 200);
  EXPECT_EQ(saved.ReadInteger("Window", "Top", 0), 300);
}

TEST(SettingsWithoutStorageTest, KeepsWhatItHoldsAndSavesNothing) {
  test::FakeClock clock;
  TSimComponent sim{clock};
  SimDeviceFinder finder{sim};
  TZR4Ctrl link{clock, finder};
  test::FakeView view;
  TController controller{clock, link, view};
  Parts(controller).Options().VolMax = 40;
  controller.FormCreate({});
  EXPECT_EQ(Parts(controller).Options().VolMax, 40);
  EXPECT_EQ(view.windowMoves, 0);
  controller.FormClose();
  EXPECT_TRUE(view.messages.empty());
}

}  // namespace
}  // namespace zr4
