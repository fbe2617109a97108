#include "core/app/popup_menu_model.h"

#include "command_harness.h"

namespace zr4::test {
namespace {

using MenuTest = CommandTest;

std::vector<std::string> Captions(const TMenuItem& menu) {
  std::vector<std::string> captions;
  for (const TMenuItem& item : menu.Items) captions.push_back(item.Caption);
  return captions;
}

// Every entry of the menu, depth first.
void Walk(const TMenuItem& item, std::vector<const TMenuItem*>& all) {
  for (const TMenuItem& child : item.Items) {
    all.push_back(&child);
    Walk(child, all);
  }
}

TEST_F(MenuTest, EntriesInTheirOrder) {
  TPopupMenuModel& menu = controller.PopupMenu1();
  EXPECT_EQ(Captions(menu.Items),
            (std::vector<std::string>{"&Volume", "&Sleep", "-", "&TUNER", "&CD", "M&D", "TAPE/&AUX",
                                      "PC &USB", "-", "&Mute", "&N.B.", "&Power On/Off", "-",
                                      "Al&ways On Top", "Tas&kTray", "&Other", "-", "E&xit"}));
  EXPECT_EQ(
      Captions(*menu.Find({"&TUNER"})),
      (std::vector<std::string>{"Select", "Direct", "FM/AM", "Next", "Previous", "Auto/Manu."}));
  EXPECT_EQ(Captions(*menu.Find({"&CD"})),
            (std::vector<std::string>{"Select", "Direct", "Play", "Stop", "Next", "Previous",
                                      "Repeat", "Random", "Eject", "Forward", "Rewind"}));
  EXPECT_EQ(
      Captions(*menu.Find({"&Other"})),
      (std::vector<std::string>{"&Skin", "Option...", "-", "AudioDevice", "Auto On", "Auto Off",
                                "BorderLess", "-", "TAPE", "MD", "-", "About..."}));
  EXPECT_EQ(
      Captions(*menu.Find({"&Other", "TAPE"})),
      (std::vector<std::string>{"STOP", "FWD", "REV", "FF", "FB", "InputLv Up", "InputLv Down"}));
  EXPECT_EQ(
      Captions(*menu.Find({"&Other", "MD"})),
      (std::vector<std::string>{"PLAY", "STOP", "PAUSE", "SK UP", "SK DOWN", "RANDOM", "REPEAT",
                                "EJECT", "FF", "FB", "COMBIN", "DIVIDE", "REC", "OTE"}));
  EXPECT_FALSE(menu.FindByName("BorderLess1")->Visible);
  EXPECT_EQ(menu.Find({"&CD", "Nope"}), nullptr);
}

TEST_F(MenuTest, DirectEntriesInTwoColumnsAndSleepAsOneRadioGroup) {
  TPopupMenuModel& menu = controller.PopupMenu1();
  for (const char* input : {"&TUNER", "&CD"}) {
    const TMenuItem& direct = *menu.Find({input, "Direct"});
    ASSERT_EQ(direct.Items.size(), 20u);
    EXPECT_EQ(direct.Items[0].Caption, "01");
    EXPECT_EQ(direct.Items[19].Caption, "20");
    for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(direct.Items[i].Break, i == 10);
  }
  const TMenuItem& sleep = *menu.Find({"&Sleep"});
  EXPECT_EQ(Captions(sleep), (std::vector<std::string>{"10 min", "20", "30", "40", "50", "60", "90",
                                                       "120", "-", "OFF"}));
  int checked = 0;
  for (const TMenuItem& item : sleep.Items) {
    if (item.IsSeparator()) continue;
    EXPECT_TRUE(item.RadioItem);
    EXPECT_EQ(item.GroupIndex, sleep.Items[0].GroupIndex);
    checked += menu.Checked(item);
  }
  EXPECT_EQ(checked, 1);
  EXPECT_TRUE(menu.Checked(*menu.Find({"&Sleep", "OFF"})));
}

TEST_F(MenuTest, EveryBoundEntryReachesAWorkingAction) {
  std::vector<const TMenuItem*> all;
  Walk(controller.PopupMenu1().Items, all);
  int bound = 0;
  for (const TMenuItem* item : all) {
    if (item->Command != TMenuCommand::Action) continue;
    SCOPED_TRACE(item->Caption);
    const TAction* action = controller.Actions().Find(item->Action);
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->OnExecute);
    ++bound;
  }
  EXPECT_EQ(bound, 23);
}

TEST_F(MenuTest, ClicksRunActionsThroughTheListAndHandlersDirectly) {
  TPopupMenuModel& menu = controller.PopupMenu1();
  controller.Options().APS = true;
  Select(cmdSelectCD);
  menu.Click(*menu.Find({"&CD", "Eject"}));
  EXPECT_EQ(Take(), (Log{Send(cmdCdStop), "pause 200", Send(cmdEject), "pause 200", "read"}));
  EXPECT_TRUE(controller.PowerSave().Active());  // the action list's hook ran

  controller.PowerSave().Stop();
  menu.Click(*menu.Find({"&TUNER", "Direct", "07"}));
  EXPECT_EQ(sim.preset(), 7);
  menu.Click(*menu.Find({"&CD", "Direct", "12"}));
  EXPECT_EQ(sim.cdTrack(), 12);
  menu.Click(*menu.Find({"&Other", "MD", "SK DOWN"}));
  EXPECT_EQ(sim.ReceivedFrames().back(), BuildFrame(0x01, 0xDC));
  EXPECT_FALSE(controller.PowerSave().Active());  // handlers are not actions
  menu.Click(*menu.Find({"&Volume", "Vol. &40"}));
  EXPECT_EQ(sim.volume(), 40);
  EXPECT_TRUE(
      controller.PowerSave().Active());  // but the slider following the new volume is activity
  controller.PowerSave().Stop();

  menu.Click(*menu.Find({"&Other", "TAPE", "InputLv Down"}));
  EXPECT_EQ(Take().back(), Send(cmdInputLevelDn));
  EXPECT_TRUE(controller.PowerSave().Active());

  menu.Click(*menu.Find({"E&xit"}));
  EXPECT_EQ(view.closeRequests, 1);
}

TEST_F(MenuTest, CheckMarksShowTheSettings) {
  TPopupMenuModel& menu = controller.PopupMenu1();
  TMenuItem& onTop = *menu.FindByName("alwaysonTop1");
  EXPECT_FALSE(menu.Checked(onTop));
  menu.Click(onTop);
  EXPECT_TRUE(menu.Checked(onTop));
  EXPECT_TRUE(controller.Settings().OnTop);
  EXPECT_EQ(view.topmostCalls, std::vector<bool>{true});

  const TMenuItem& autoOn = *menu.Find({"&Other", "Auto On"});
  const TMenuItem& autoOff = *menu.Find({"&Other", "Auto Off"});
  controller.Options().AutoOff = true;  // as the settings file may say
  EXPECT_FALSE(menu.Checked(autoOn));
  EXPECT_TRUE(menu.Checked(autoOff));
  menu.Click(autoOn);
  menu.Click(autoOff);
  EXPECT_TRUE(controller.Options().AutoOn);
  EXPECT_FALSE(controller.Options().AutoOff);
  EXPECT_EQ(Take(), Log{});
}

TEST_F(MenuTest, EntriesOfLaterFeaturesAreGreyedAndDoNothing) {
  TPopupMenuModel& menu = controller.PopupMenu1();
  for (const std::vector<std::string>& path :
       std::vector<std::vector<std::string>>{{"&Sleep", "10 min"},
                                             {"&Sleep", "OFF"},
                                             {"Tas&kTray"},
                                             {"&Other", "&Skin"},
                                             {"&Other", "Option..."},
                                             {"&Other", "AudioDevice"},
                                             {"&Other", "BorderLess"},
                                             {"&Other", "About..."}}) {
    TMenuItem& item = *menu.Find(path);
    SCOPED_TRACE(item.Caption);
    EXPECT_FALSE(item.Enabled);
    menu.Click(item);
  }
  EXPECT_EQ(Take(), Log{});
  EXPECT_TRUE(menu.Checked(*menu.Find({"&Sleep", "OFF"})));
  EXPECT_EQ(view.closeRequests, 0);
}

TEST_F(MenuTest, ActionListFindsByNameAndItsHookCountsAsActivity) {
  const TActionList& actions = controller.Actions();
  ASSERT_NE(actions.Find("ACTPLAY"), nullptr);
  EXPECT_EQ(actions.Find("actPlay")->Hint, "Play CD");
  EXPECT_EQ(actions.Find("actModeChange")->Caption, "ModeChange");
  EXPECT_EQ(actions.IndexOf("actVolumeUpB"), actions.IndexOf("ACTVOLUMEUPB"));
  EXPECT_EQ(actions.Find("actNothing"), nullptr);

  // The names the skin buttons and the tray clicks use.
  for (const char* name :
       {"actSelectTUNER", "actSelectUSB", "actSelectAUX",       "actSelectBAND",   "actSelectCD",
        "actSelectMD",    "actPower",     "actOptionDialog",    "actMute",         "actTone",
        "actRepeat",      "actRandom",    "actEject",           "actAutoManu",     "actPlay",
        "actStop",        "actNext",      "actPrevious",        "actForward",      "actRewind",
        "actMinimize",    "actExit",      "actVolumeUp",        "actVolumeDn",     "actModeChange",
        "actAbout",       "actPopupMenu", "actMinimizeRestore", "actSetForeground"})
    EXPECT_NE(actions.Find(name), nullptr) << name;

  controller.Options().APSMin = 45;
  EXPECT_TRUE(actions.Execute("actmute"));
  EXPECT_FALSE(controller.PowerSave().Active());  // power save off: no countdown
  controller.Options().APS = true;
  EXPECT_TRUE(actions.Execute("actStop"));
  EXPECT_TRUE(controller.PowerSave().Active());
  EXPECT_EQ(controller.PowerSave().EndTick(), clock.now + 45 * 60'000);

  // Forwarded parameters call the commands directly: no activity.
  controller.PowerSave().Stop();
  commands.actMuteExecute();
  EXPECT_FALSE(controller.PowerSave().Active());
  // Unknown names and actions without a handler run nothing, not even the hook.
  EXPECT_FALSE(actions.Execute("actNothing"));
  EXPECT_FALSE(actions.Execute("actDeviceChange"));
  EXPECT_FALSE(controller.PowerSave().Active());
}

}  // namespace
}  // namespace zr4::test
