#include "core/menu/popup_menu_model.h"

#include <cstdio>

#include "fakes/command_harness.h"
#include "fakes/controller_parts.h"

namespace zr4::test {
namespace {

using MenuTest = CommandTest;

// Every entry of the menu, depth first.
void Walk(const TMenuItem& item, std::vector<const TMenuItem*>& all) {
  for (const TMenuItem& child : item.Items) {
    all.push_back(&child);
    Walk(child, all);
  }
}

// One line per menu and submenu, depth first: its path, then its entries in order, each as its
// caption and what it does: "→ action", "[command and argument bytes]" of a TAPE or MD key, the
// number it carries, "(hidden)"; "|" starts a new column.
void Outline(const TMenuItem& menu, const std::string& path, std::vector<std::string>& lines) {
  std::string line = (path.empty() ? "menu" : path) + ":";
  for (const TMenuItem& item : menu.Items) {
    line += (&item == &menu.Items.front() ? " " : ", ") + std::string(item.Break ? "| " : "");
    line += item.Caption;
    char bytes[16];
    std::snprintf(bytes, sizeof bytes, " [%.2X %.2X]", (item.DeviceCommand >> 8) & 0xFF,
                  item.DeviceCommand & 0xFF);
    const std::string number = std::to_string(item.Number);
    switch (item.Command) {
      case TMenuCommand::Action:
        line += " → " + item.Action;
        break;
      case TMenuCommand::DeviceKey:
        line += bytes;
        break;
      case TMenuCommand::VolumePreset:
        line += " (volume " + number + ")";
        break;
      case TMenuCommand::Sleep:
        line += item.Number ? " (sleep " + number + ")" : " (sleep off)";
        break;
      case TMenuCommand::TunerDirect:
        line += " (preset " + number + ")";
        break;
      case TMenuCommand::CdDirect:
        line += " (track " + number + ")";
        break;
      case TMenuCommand::AlwaysOnTop:
        line += " (on top)";
        break;
      case TMenuCommand::AutoOn:
        line += " (auto on)";
        break;
      case TMenuCommand::AutoOff:
        line += " (auto off)";
        break;
      case TMenuCommand::AudioDevice:
        line += " (output " + number + ")";
        break;
      case TMenuCommand::TaskTray:
        line += " (tray)";
        break;
      case TMenuCommand::Skin:
        line += " (skin " + number + ")";
        break;
      case TMenuCommand::BorderLess:
        line += " (frame toggle)";
        break;
      case TMenuCommand::Exit:
        line += " (exit)";
        break;
      case TMenuCommand::None:
        break;
    }
    if (!item.Visible) line += " (hidden)";
  }
  lines.push_back(line);
  for (const TMenuItem& item : menu.Items)
    if (!item.Items.empty())
      Outline(item, path.empty() ? item.Caption : path + " / " + item.Caption, lines);
}

// The right-click menu as users know it, written out by hand; the TAPE and MD keys carry the
// bytes of the component's command table.
const std::vector<std::string> kExpectedMenu = {
    "menu: &Volume, &Sleep, -, &TUNER, &CD, M&D → actSelectMD, TAPE/&AUX → actSelectAUX, "
    "PC &USB → actSelectUSB, -, &Mute → actMute, &N.B. → actTone, &Power On/Off → actPower, -, "
    "Al&ways On Top (on top), Tas&kTray (tray), &Other, -, E&xit (exit)",
    "&Volume: Vol. &10 (volume 10), Vol. &20 (volume 20), Vol. &30 (volume 30), "
    "Vol. &40 (volume 40), Vol. &50 (volume 50)",
    "&Sleep: 10 min (sleep 10), 20 (sleep 20), 30 (sleep 30), 40 (sleep 40), 50 (sleep 50), "
    "60 (sleep 60), 90 (sleep 90), 120 (sleep 120), -, OFF (sleep off)",
    "&TUNER: Select → actSelectTUNER, Direct, FM/AM → actSelectBAND, Next → actNext, "
    "Previous → actPrevious, Auto/Manu. → actAutoManu",
    "&TUNER / Direct: 01 (preset 1), 02 (preset 2), 03 (preset 3), 04 (preset 4), "
    "05 (preset 5), 06 (preset 6), 07 (preset 7), 08 (preset 8), 09 (preset 9), "
    "10 (preset 10), | 11 (preset 11), 12 (preset 12), 13 (preset 13), 14 (preset 14), "
    "15 (preset 15), 16 (preset 16), 17 (preset 17), 18 (preset 18), 19 (preset 19), "
    "20 (preset 20)",
    "&CD: Select → actSelectCD, Direct, Play → actPlay, Stop → actStop, Next → actNext, "
    "Previous → actPrevious, Repeat → actRepeat, Random → actRandom, Eject → actEject, "
    "Forward → actForward, Rewind → actRewind",
    "&CD / Direct: 01 (track 1), 02 (track 2), 03 (track 3), 04 (track 4), "
    "05 (track 5), 06 (track 6), 07 (track 7), 08 (track 8), 09 (track 9), "
    "10 (track 10), | 11 (track 11), 12 (track 12), 13 (track 13), 14 (track 14), "
    "15 (track 15), 16 (track 16), 17 (track 17), 18 (track 18), 19 (track 19), "
    "20 (track 20)",
    "&Other: &Skin, Option... → actOptionDialog, -, AudioDevice, Auto On (auto on), "
    "Auto Off (auto off), BorderLess (frame toggle) (hidden), -, TAPE, MD, -, About... → actAbout",
    "&Other / TAPE: STOP [00 DD], FWD [00 D9], REV [00 D8], FF [00 DB], FB [00 DA], "
    "InputLv Up → actInputLevelUp, InputLv Down → actInputLevelDn",
    "&Other / MD: PLAY [01 D8], STOP [01 D9], PAUSE [01 DA], SK UP [01 DD], SK DOWN [01 DC], "
    "RANDOM [03 42], REPEAT [02 CF], EJECT [03 40], FF [01 DF], FB [01 DE], COMBIN [06 DC], "
    "DIVIDE [06 DB], REC [01 DB], OTE [00 40]",
};

TEST_F(MenuTest, TheMenuIsAsWrittenOut) {
  std::vector<std::string> lines;
  Outline(Parts(controller).PopupMenu1().Items, "", lines);
  ASSERT_EQ(lines.size(), kExpectedMenu.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], kExpectedMenu[i]);
  EXPECT_EQ(Parts(controller).PopupMenu1().Find({"&CD", "Nope"}), nullptr);
}

TEST_F(MenuTest, SleepIsOneRadioGroupWithOffChecked) {
  TPopupMenuModel& menu = Parts(controller).PopupMenu1();
  const TMenuItem& sleep = *menu.Find({"&Sleep"});
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
  Walk(Parts(controller).PopupMenu1().Items, all);
  int bound = 0;
  for (const TMenuItem* item : all) {
    if (item->Command != TMenuCommand::Action) continue;
    SCOPED_TRACE(item->Caption);
    const TAction* action = Parts(controller).Actions().Find(item->Action);
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->OnExecute);
    ++bound;
  }
  EXPECT_EQ(bound, 25);  // "Option..." and "About..." among them
}

TEST_F(MenuTest, ClicksRunActionsThroughTheListAndHandlersDirectly) {
  TPopupMenuModel& menu = Parts(controller).PopupMenu1();
  Parts(controller).Options().APS = true;
  Select(cmdSelectCD);
  menu.Click(*menu.Find({"&CD", "Eject"}));
  EXPECT_EQ(Take(), (Log{Send(cmdCdStop), "pause 200", Send(cmdEject), "pause 200", "read"}));
  EXPECT_TRUE(Parts(controller).PowerSave().Active());  // the action list's hook ran

  Parts(controller).PowerSave().Stop();
  menu.Click(*menu.Find({"&TUNER", "Direct", "07"}));
  EXPECT_EQ(sim.preset(), 7);
  menu.Click(*menu.Find({"&CD", "Direct", "12"}));
  EXPECT_EQ(sim.cdTrack(), 12);
  menu.Click(*menu.Find({"&Other", "MD", "SK DOWN"}));
  EXPECT_EQ(sim.ReceivedFrames().back(), BuildFrame(0x01, 0xDC));
  EXPECT_FALSE(Parts(controller).PowerSave().Active());  // handlers are not actions
  menu.Click(*menu.Find({"&Volume", "Vol. &40"}));
  EXPECT_EQ(sim.volume(), 40);
  EXPECT_TRUE(Parts(controller)
                  .PowerSave()
                  .Active());  // but the slider following the new volume is activity
  Parts(controller).PowerSave().Stop();

  menu.Click(*menu.Find({"&Other", "TAPE", "InputLv Down"}));
  EXPECT_EQ(Take().back(), Send(cmdInputLevelDn));
  EXPECT_TRUE(Parts(controller).PowerSave().Active());

  menu.Click(*menu.Find({"E&xit"}));
  EXPECT_EQ(view.closeRequests, 1);
}

TEST_F(MenuTest, CheckMarksShowTheSettings) {
  TPopupMenuModel& menu = Parts(controller).PopupMenu1();
  TMenuItem& onTop = *menu.FindByName("alwaysonTop1");
  EXPECT_FALSE(menu.Checked(onTop));
  menu.Click(onTop);
  EXPECT_TRUE(menu.Checked(onTop));
  EXPECT_TRUE(Parts(controller).Settings().OnTop);
  EXPECT_EQ(view.topmostCalls, std::vector<bool>{true});

  const TMenuItem& autoOn = *menu.Find({"&Other", "Auto On"});
  const TMenuItem& autoOff = *menu.Find({"&Other", "Auto Off"});
  Parts(controller).Options().AutoOff = true;  // as the settings file may say
  EXPECT_FALSE(menu.Checked(autoOn));
  EXPECT_TRUE(menu.Checked(autoOff));
  menu.Click(autoOn);
  menu.Click(autoOff);
  EXPECT_TRUE(Parts(controller).Options().AutoOn);
  EXPECT_FALSE(Parts(controller).Options().AutoOff);
  EXPECT_EQ(Take(), Log{});
}

TEST_F(MenuTest, EntriesOfLaterFeaturesAreGreyedAndDoNothing) {
  TPopupMenuModel& menu = Parts(controller).PopupMenu1();
  for (const std::vector<std::string>& path :
       std::vector<std::vector<std::string>>{{"&Other", "&Skin"}, {"&Other", "AudioDevice"}}) {
    TMenuItem& item = *menu.Find(path);
    SCOPED_TRACE(item.Caption);
    EXPECT_FALSE(item.Enabled);
    menu.Click(item);
  }
  EXPECT_EQ(Take(), Log{});
  EXPECT_TRUE(menu.Checked(*menu.Find({"&Sleep", "OFF"})));
  EXPECT_EQ(view.closeRequests, 0);
}

TEST_F(MenuTest, TrayOptionAndAboutEntriesWork) {
  TPopupMenuModel& menu = Parts(controller).PopupMenu1();
  int dialogs = 0;
  view.optionDialog = [&](TOptionFormModel&) {
    ++dialogs;
    return false;
  };
  view.aboutBox = [&](TAboutModel& about) { dialogs += about.Version.empty() ? 0 : 10; };
  menu.Click(*menu.Find({"&Other", "Option..."}));
  menu.Click(*menu.Find({"&Other", "About..."}));
  EXPECT_EQ(dialogs, 11);

  TMenuItem& tray = *menu.Find({"Tas&kTray"});
  EXPECT_TRUE(menu.Checkable(tray));
  menu.Click(tray);
  EXPECT_EQ(view.minimizeRequests, 1);
  EXPECT_TRUE(menu.Checked(tray));
  menu.Click(tray);
  EXPECT_EQ(view.restoreRequests, 1);
  EXPECT_FALSE(menu.Checked(tray));
}

TEST_F(MenuTest, ActionListFindsByNameAndItsHookCountsAsActivity) {
  const TActionList& actions = Parts(controller).Actions();
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

  Parts(controller).Options().APSMin = 45;
  EXPECT_TRUE(actions.Execute("actmute"));
  EXPECT_FALSE(Parts(controller).PowerSave().Active());  // power save off: no countdown
  Parts(controller).Options().APS = true;
  EXPECT_TRUE(actions.Execute("actStop"));
  EXPECT_TRUE(Parts(controller).PowerSave().Active());
  EXPECT_EQ(Parts(controller).PowerSave().EndTick(), clock.now + 45 * 60'000);

  // Forwarded parameters call the commands directly: no activity.
  Parts(controller).PowerSave().Stop();
  commands.actMuteExecute();
  EXPECT_FALSE(Parts(controller).PowerSave().Active());
  // Unknown names and actions without a handler run nothing, not even the hook.
  EXPECT_FALSE(actions.Execute("actNothing"));
  EXPECT_FALSE(actions.Execute("actDeviceChange"));
  EXPECT_FALSE(Parts(controller).PowerSave().Active());
}

}  // namespace
}  // namespace zr4::test
