// The options dialog's model: loading every setting and storing it back, ranges, the gesture
// composer, the lists, skin paths, the about box's icons.
#include <gtest/gtest.h>

#include "core/app/controller.h"
#include "core/options/relative_path.h"
#include "core/ports/login_start.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_file_store.h"
#include "fakes/fake_view.h"
#include "fakes/sim_link.h"

namespace zr4 {
namespace {

constexpr const char* kPath = "/opt/zr4/zr4pcctrl.ini";

// Every value differs from its default and lies within the dialog's ranges.
constexpr const char* kEverySetting =
    "[Window]\r\nLeft=10\r\nTop=20\r\n\r\n"
    "[Setting]\r\nAutoOn=1\r\nAutoOff=1\r\nTimer=0\r\nNBCut=0\r\nNB2Cut=1\r\n"
    "SkinIniName=skins\\blue.zip\r\nOnTop=1\r\nShowRadioName=1\r\nAutoVolChange=1\r\n"
    "VolCD=-20\r\nVolMD=50\r\nVolAUX=3\r\nVolUSB=-4\r\nVolWheel=-10\r\nVolLR=0\r\nVolUD=10\r\n"
    "VolMax=80\r\nA.P.S.=1\r\nA.P.S.Min=600\r\nShowIcon=1\r\nIconChange=1\r\nIconName=a.ico\r\n"
    "MinimizeOnRun=1\r\nSuspendOff=1\r\nSuspendOn=1\r\nModebtn=1,0,1,0,1\r\n"
    "TrayRightSingleClick=actMute\r\nTrayRightDoubleClick=actPower\r\n"
    "TrayLeftSingleClick=\r\nTrayLeftDoubleClick=actVolumeUpB\r\n"
    "TrayMiddleSingleClick=actVolumeDownB\r\nTrayMiddleDoubleClick=actModeChange\r\n\r\n"
    "[RemoCon]\r\nEnable=1\r\nInterval=10000\r\nCmd0=↑↑↓,\"01,スタンバイ\",1\r\n"
    "Cmd1=OFF,\"13,Winamp Stop\",0\r\n\r\n"
    "[Timer]\r\nTimer0=8,7,30,-ON,1\r\nTimer1=1,23,59,-INPUT 1 -VOL 20,0\r\n\r\n"
    "[Other]\r\nWinAmpPath=C:\\Winamp\\winamp.exe\r\nLilithPath=D:\\音楽\\Lilith.exe\r\n";

class OptionFormTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  void Start(const std::string& file) {
    files.files[kPath] = file;
    controller.FormCreate({});
    files.writes = 0;
  }
  // Opens the dialog, lets `user` act on it, and confirms with OK.
  void Ok(std::function<void(TOptionFormModel&)> user = nullptr) {
    view.optionDialog = [user](TOptionFormModel& form) {
      if (user) user(form);
      return true;
    };
    Parts(controller).Actions().Execute("actOptionDialog");
  }
  std::string& File() { return files.files[kPath]; }

  test::FakeView view;
  test::FakeFileStore files;
  test::FakeTextCodec codec;
  SettingsStorage storage{files, codec, kPath};
  TController controller{clock, link, view, &storage};
};

TEST_F(OptionFormTest, OkWithoutChangesWritesTheSameFile) {
  Start(kEverySetting);
  view.window = {10, 20, 330, 140};
  Ok();
  EXPECT_EQ(File(), kEverySetting);
}

TEST_F(OptionFormTest, CancelChangesNothing) {
  Start(kEverySetting);
  const TSettings before = Parts(controller).Settings();
  view.optionDialog = [](TOptionFormModel& form) {
    form.DeleteTimers({0, 1});
    form.Controls.AutoOn = false;
    return false;
  };
  Parts(controller).Actions().Execute("actOptionDialog");
  EXPECT_EQ(Parts(controller).Settings(), before);
  EXPECT_EQ(files.writes, 0);
}

TEST_F(OptionFormTest, ValuesPastTheirRangesShowAndStoreClamped) {
  Start(
      "[Setting]\r\nVolMax=95\r\nVolCD=-30\r\nVolMD=51\r\nVolWheel=11\r\nVolLR=-1\r\n"
      "A.P.S.Min=700\r\n[RemoCon]\r\nInterval=20\r\n[Timer]\r\nTimer0=9,25,75,-ON,1\r\n");
  TOptionFormModel shown = Parts(controller).OptionDialog().Load();
  const std::pair<const char*, int> expected[] = {
      {"SpinEdit11", 80}, {"SpinEdit1", -20}, {"SpinEdit2", 50}, {"SpinEdit6", 10},
      {"SpinEdit8", 0},   {"SpinEdit7", 600}, {"SpinEdit5", 500}};
  for (const auto& [name, value] : expected) EXPECT_EQ(shown.Spin(*FindOptionSpin(name)), value);
  ASSERT_EQ(shown.Timers.size(), 1u);
  EXPECT_EQ(shown.Timers[0], (TTimerRow{"00", "毎日", "23:59", "-ON", true}));

  Ok();
  EXPECT_NE(File().find("VolMax=80\r\n"), std::string::npos);
  EXPECT_NE(File().find("VolCD=-20\r\n"), std::string::npos);
  EXPECT_NE(File().find("Interval=500\r\n"), std::string::npos);
  EXPECT_NE(File().find("Timer0=8,23,59,-ON,1\r\n"), std::string::npos);

  TOptionFormModel form = Parts(controller).OptionDialog().Load();
  form.SetSpin(*FindOptionSpin("SpinEdit11"), 0);
  EXPECT_EQ(form.Controls.VolMax, 1);
}

TEST_F(OptionFormTest, ControlsRangesAndEnablingRules) {
  struct Range {
    const char* name;
    const char* label;
    int min, max, step, chars;
  };
  const Range ranges[] = {{"SpinEdit1", "CD", -20, 50, 1, 3},
                          {"SpinEdit2", "MD", -20, 50, 1, 3},
                          {"SpinEdit3", "AUX", -20, 50, 1, 3},
                          {"SpinEdit4", "USB", -20, 50, 1, 3},
                          {"SpinEdit8", "←→", 0, 10, 1, 3},
                          {"SpinEdit9", "↑↓", 0, 10, 1, 3},
                          {"SpinEdit6", "マウスホイール", -10, 10, 1, 3},
                          {"SpinEdit11", "最大ボリューム", 1, 80, 1, 3},
                          {"SpinEdit7", "分", 0, 600, 5, 3},
                          {"SpinEdit5", "コマンド受付時間(ms)", 500, 10000, 100, 5}};
  for (const Range& r : ranges) {
    const TOptionSpin* spin = FindOptionSpin(r.name);
    ASSERT_NE(spin, nullptr) << r.name;
    EXPECT_STREQ(spin->label, r.label);
    EXPECT_EQ(spin->min, r.min) << r.name;
    EXPECT_EQ(spin->max, r.max) << r.name;
    EXPECT_EQ(spin->step, r.step) << r.name;
    EXPECT_EQ(spin->maxChars, r.chars) << r.name;
  }
  EXPECT_STREQ(FindOptionCheckBox("CheckBox4")->caption, "タイマーを使用しない");
  EXPECT_STREQ(FindOptionCheckBox("CheckBox19")->caption,
               "リモコンによる操作を有効にする (誤動作の可能性あり)");
  EXPECT_EQ(OptionCheckBoxes().size(), 18u);

  TOptionData state;
  state.NBCut = false;
  state.AutoVolChange = false;
  EXPECT_FALSE(OptionControlEnabled("CheckBox3", state));
  EXPECT_FALSE(OptionControlEnabled("SpinEdit4", state));
  EXPECT_TRUE(OptionControlEnabled("SpinEdit8", state));
  state.NBCut = state.AutoVolChange = true;
  EXPECT_TRUE(OptionControlEnabled("CheckBox3", state));
  EXPECT_TRUE(OptionControlEnabled("SpinEdit1", state));
}

TEST_F(OptionFormTest, GesturesAreComposedAddedSelectedAndDeleted) {
  Start(kEverySetting);
  Ok([](TOptionFormModel& form) {
    EXPECT_EQ(form.CommandItems.front(), "01,スタンバイ");
    EXPECT_EQ(form.CommandItems.back(), "38,Lilith Rewind");
    EXPECT_EQ(form.CommandItems.size(), 29u);
    form.AppendUp();
    form.AppendUp();
    form.AppendDown();
    EXPECT_EQ(form.Sequence, "↑↑↓");
    EXPECT_FALSE(form.AddGesture());  // no command chosen
    form.CommandIndex = 5;
    EXPECT_TRUE(form.AddGesture());
    EXPECT_EQ(form.Sequence, "");
    EXPECT_FALSE(form.AddGesture());  // no sequence
    EXPECT_EQ(form.Gestures.back(), (TGestureRow{"↑↑↓", "06,Monitor Off", false}));

    form.Gestures[1].Command = " 13,Winamp Stop ";
    form.SelectGesture(1);
    EXPECT_EQ(form.Sequence, "OFF");
    EXPECT_EQ(form.CommandIndex, 10);
    form.Gestures[1].Command = "99,Gone";
    form.SelectGesture(1);
    EXPECT_EQ(form.CommandIndex, -1);
    form.DeleteGestures({1, 7});
  });
  EXPECT_NE(File().find("Cmd0=↑↑↓,\"01,スタンバイ\",1\r\nCmd1=↑↑↓,\"06,Monitor Off\",0\r\n"),
            std::string::npos);
  EXPECT_EQ(File().find("Cmd2"), std::string::npos);
}

TEST_F(OptionFormTest, TrayPageListsClicksAndRegistersChoices) {
  Start(kEverySetting);
  Ok([](TOptionFormModel& form) {
    const std::vector<TTrayRow> rows = {{"右クリック", "ミュート"},
                                        {"右ダブルクリック", "電源 On/Off"},
                                        {"左クリック", ""},
                                        {"左ダブルクリック", "ボリュームアップ"},
                                        {"中クリック", "ボリュームダウン"},
                                        {"中ダブルクリック", "インプット切換"}};
    EXPECT_EQ(form.TrayRows, rows);  // every click arrives (as on Windows): all enabled
    EXPECT_EQ(form.TrayNote, "");
    EXPECT_EQ(form.TrayChoices.size(), 9u);
    EXPECT_EQ(form.TrayChoiceOf(0), 8);
    EXPECT_EQ(form.TrayChoiceOf(2), -1);
    form.RegisterTrayAction(2, 2);  // left click: 最小化/復帰
    form.RegisterTrayAction(0, 0);  // right click: なし
  });
  EXPECT_NE(File().find("TrayRightSingleClick=\r\n"), std::string::npos);
  EXPECT_NE(File().find("TrayLeftSingleClick=actMinimizeRestore\r\n"), std::string::npos);
}

// A Linux tray host reports no right or middle double click: those rows are disabled with a
// note, and their actions stay as the settings hold them.
TEST_F(OptionFormTest, TrayRowsTheHostNeverReportsAreDisabledAndKeepTheirActions) {
  files.files[kPath] = kEverySetting;
  TStartup startup;
  startup.trayClicks.doubleClick = {false, true, false};
  controller.FormCreate(startup);
  Ok([](TOptionFormModel& form) {
    std::vector<bool> reported;
    for (const TTrayRow& row : form.TrayRows) reported.push_back(row.Reported);
    EXPECT_EQ(reported, (std::vector<bool>{true, false, true, true, true, false}));
    EXPECT_EQ(form.TrayRows[1].Action, "電源 On/Off");
    EXPECT_EQ(form.TrayNote, "灰色のクリックはこのデスクトップでは届きません。");
    form.RegisterTrayAction(1, 8);  // refused: the row is disabled
    form.RegisterTrayAction(3, 8);  // left double click: ミュート
    EXPECT_EQ(form.TrayRows[1].Action, "電源 On/Off");
  });
  EXPECT_NE(File().find("TrayRightDoubleClick=actPower\r\n"), std::string::npos);
  EXPECT_NE(File().find("TrayLeftDoubleClick=actMute\r\n"), std::string::npos);
  EXPECT_NE(File().find("TrayMiddleDoubleClick=actModeChange\r\n"), std::string::npos);
}

// On a StatusNotifier host, which shows the icon's menu itself, the right click and every double
// click are greyed, and the note says why the right click is.
TEST_F(OptionFormTest, TrayPageGreysWhatAStatusNotifierHostNeverReports) {
  files.files[kPath] = kEverySetting;
  TStartup startup;
  startup.trayClicks.doubleClick = {false, false, false};
  startup.trayClicks.rightClick = false;
  controller.FormCreate(startup);
  Ok([](TOptionFormModel& form) {
    std::vector<bool> reported;
    for (const TTrayRow& row : form.TrayRows) reported.push_back(row.Reported);
    EXPECT_EQ(reported, (std::vector<bool>{false, false, true, false, true, false}));
    EXPECT_EQ(form.TrayNote,
              "灰色のクリックはこのデスクトップでは届きません。"
              "右クリックではデスクトップがメニューを開きます。");
    form.RegisterTrayAction(0, 2);  // refused: the host opens the menu
  });
  EXPECT_NE(File().find("TrayRightSingleClick=actMute\r\n"), std::string::npos);
}

TEST_F(OptionFormTest, ApplyingSwitchesPollingPowerSaveTrayAndSlider) {
  Start("");
  Parts(controller).PowerSave().Start(60);
  Ok([](TOptionFormModel& form) {
    form.Controls.RemoConEnable = true;
    form.Controls.ShowIcon = true;
    form.SetSpin(*FindOptionSpin("SpinEdit11"), 40);
    form.SetSpin(*FindOptionSpin("SpinEdit8"), 2);
    form.Page = kPageTray;
  });
  EXPECT_EQ(view.timer2.Interval, 200);
  EXPECT_FALSE(Parts(controller).PowerSave().Active());
  EXPECT_EQ(view.title, "ZR4PCCtrl");
  ASSERT_FALSE(view.trayIcon.empty());
  EXPECT_TRUE(view.trayIcon.back().first);
  EXPECT_EQ(view.slider.max, 40);
  EXPECT_EQ(view.slider.smallChange, 2);
  EXPECT_EQ(Parts(controller).Options().OptionPage, kPageTray);
  EXPECT_EQ(Parts(controller).OptionDialog().Load().Page, kPageTray);
  EXPECT_EQ(files.writes, 1);
}

TEST_F(OptionFormTest, SkinBrowseStoresAPathRelativeToTheProgram) {
  TOptionSortFlags flags;
  TOptionFormModel form(flags);
  form.Controls.SkinIniName = "typed.zip";
  form.SkinBrowsed(std::nullopt, "/opt/zr4");
  EXPECT_FALSE(form.SkinChanged());
  EXPECT_EQ(form.Controls.SkinIniName, "typed.zip");
  form.SkinBrowsed("/opt/zr4/skins/skindefa.zip", "/opt/zr4");
  EXPECT_TRUE(form.SkinChanged());
  EXPECT_EQ(form.Controls.SkinIniName, "skins\\skindefa.zip");

  const std::tuple<const char*, const char*, const char*> paths[] = {
      {"C:\\Prog\\zr4\\skins\\skindefa.zip", "C:\\Prog\\zr4", "skins\\skindefa.zip"},
      {"c:\\prog\\ZR4\\a.ini", "C:\\Prog\\zr4\\", "a.ini"},
      {"C:\\Other\\x.zip", "C:\\Prog\\zr4", "..\\..\\Other\\x.zip"},
      {"D:\\x.zip", "C:\\Prog", "D:\\x.zip"},
      {"/home/u/a.zip", "/opt/zr4", "..\\..\\home\\u\\a.zip"},
      {"/opt/ZR4/a.zip", "/opt/zr4", "..\\ZR4\\a.zip"}};
  for (const auto& [path, folder, relative] : paths)
    EXPECT_EQ(RelativePath(path, folder), relative) << path;
}

TEST_F(OptionFormTest, AboutBoxTextsAndTheIconChoice) {
  Start("");
  Parts(controller).About().SkinCredits = [] {
    return std::pair<std::string, std::string>{"作者", "青いスキン"};
  };
  TAboutModel about = Parts(controller).About().Load();
  EXPECT_EQ(about.Version, "Version 0.20Dbg (｀・ω・´)");
  EXPECT_EQ(about.Author, "Author: 作者");
  EXPECT_EQ(about.Description, "青いスキン");

  std::vector<std::string> names = {"readme.txt"};
  for (int i = 1; i <= 12; ++i)
    names.push_back("i" + std::to_string(i) + (i == 3 ? ".ICO" : ".ico"));
  const std::vector<TIconMenuItem> items = IconMenuItems(names);
  ASSERT_EQ(items.size(), 13u);
  EXPECT_EQ(items[0], (TIconMenuItem{"Default", "", false}));
  EXPECT_EQ(items[3], (TIconMenuItem{"i3", "i3.ICO", false}));
  for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].Break, i == 10) << i;
  EXPECT_EQ(IconMenuItems({}).size(), 1u);

  Parts(controller).Tray().AddTrayIcon();
  about.ChooseIcon(items[1]);
  EXPECT_TRUE(Parts(controller).Settings().IconChange);
  EXPECT_EQ(Parts(controller).Settings().IconName, "i1.ico");
  about.ChooseIcon(items[0]);
  EXPECT_FALSE(Parts(controller).Settings().IconChange);
  EXPECT_EQ(Parts(controller).Settings().IconName, "");
  EXPECT_EQ(view.iconFiles, (std::vector<std::string>{"i1.ico", ""}));
  EXPECT_EQ(view.trayIcon.size(), 3u);  // added, then renewed after each choice

  view.iconLoads = false;
  about.ChooseIcon(items[2]);
  EXPECT_EQ(view.messages.back(), "アイコンの読込に失敗しました。");
  EXPECT_FALSE(Parts(controller).Settings().IconChange);
}

// The entry that starts the program at login, as the system holds it: another copy's entry
// reads as off; a write can fail.
struct FakeLoginStart : LoginStart {
  bool Enabled() override { return entry == "this"; }
  bool SetEnabled(bool enabled) override {
    writes.push_back(enabled);
    if (failing) return false;
    entry = enabled ? "this" : "";
    return true;
  }
  std::string Location() const override { return "~/.config/autostart/x.desktop"; }
  std::string entry;  // "", "this", or "other" (another copy's)
  bool failing = false;
  std::vector<bool> writes;
};

class LoginStartTest : public OptionFormTest {
 protected:
  FakeLoginStart login;
  TController withLogin{clock, link, view, &storage, TPcPorts{.loginStart = &login}};
  void Confirm(std::function<void(TOptionFormModel&)> user) {
    view.optionDialog = [user](TOptionFormModel& form) {
      user(form);
      return true;
    };
    Parts(withLogin).Actions().Execute("actOptionDialog");
  }
};

TEST_F(LoginStartTest, TheBoxShowsTheEntryAndOkWritesOnlyWhatChanged) {
  files.files[kPath] = kEverySetting;
  withLogin.FormCreate({});
  login.entry = "other";
  Confirm([](TOptionFormModel& form) { EXPECT_EQ(form.StartAtLogin, false); });
  EXPECT_TRUE(login.writes.empty());  // the other copy's entry stays
  EXPECT_EQ(login.entry, "other");

  Confirm([](TOptionFormModel& form) { form.StartAtLogin = true; });
  EXPECT_EQ(login.entry, "this");  // replaced
  Confirm([](TOptionFormModel& form) { EXPECT_EQ(form.StartAtLogin, true); });
  Confirm([](TOptionFormModel& form) { form.StartAtLogin = false; });
  EXPECT_EQ(login.entry, "");
  EXPECT_EQ(login.writes, (std::vector<bool>{true, false}));
  EXPECT_TRUE(view.messages.empty());
  // Not a setting: the settings file does not name it.
  EXPECT_EQ(File().find("Login"), std::string::npos);
}

TEST_F(LoginStartTest, AFailedWriteSaysSoAndTheRestOfOkStillApplies) {
  files.files[kPath] = kEverySetting;
  withLogin.FormCreate({});
  login.failing = true;
  Confirm([](TOptionFormModel& form) {
    form.StartAtLogin = true;
    form.Controls.MinimizeOnRun = false;
  });
  EXPECT_EQ(view.messages,
            (std::vector<std::string>{"ログイン時に起動する設定を書き込めませんでした。\n"
                                      "~/.config/autostart/x.desktop"}));
  EXPECT_EQ(login.entry, "");
  EXPECT_NE(File().find("MinimizeOnRun=0\r\n"), std::string::npos);
}

// Without an entry the system offers, the dialog shows no box.
TEST_F(OptionFormTest, WithoutALoginEntryThereIsNoBox) {
  Start(kEverySetting);
  Ok([](TOptionFormModel& form) { EXPECT_FALSE(form.StartAtLogin.has_value()); });
}

}  // namespace
}  // namespace zr4
