#include "core/menu/shortcuts.h"

#include <set>

#include "core/base/ini_file.h"
#include "fakes/command_harness.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_file_store.h"

namespace zr4::test {
namespace {

// The key names shortcut texts use, and a few others, with Windows' numbers for the keys.
TEST(ShortcutTextTest, KeyNamesAreWindowsVirtualKeys) {
  const std::pair<const char*, int> keys[] = {
      {"BkSp", 0x08}, {"Tab", 0x09},   {"Enter", 0x0D}, {"Esc", 0x1B},   {"Space", 0x20},
      {"PgUp", 0x21}, {"PgDn", 0x22},  {"End", 0x23},   {"Home", 0x24},  {"Left", 0x25},
      {"Up", 0x26},   {"Right", 0x27}, {"Down", 0x28},  {"Ins", 0x2D},   {"Del", 0x2E},
      {"A", 0x41},    {"P", 0x50},     {"Z", 0x5A},     {"0", 0x30},     {"9", 0x39},
      {"F1", 0x70},   {"F5", 0x74},    {"F24", 0x87},   {"Num +", 0x6B}, {";", 0xBA}};
  for (auto [name, key] : keys) {
    EXPECT_EQ(KeyName(key), name);
    EXPECT_EQ(TextToShortCut(name), key) << name;
  }
}

TEST(ShortcutTextTest, ModifiersInAnyCaseThenOneKey) {
  EXPECT_EQ(TextToShortCut("Ctrl+P"), scCtrl | 0x50);
  EXPECT_EQ(TextToShortCut("^P"), scCtrl | 0x50);
  EXPECT_EQ(TextToShortCut("^p"), scCtrl | 0x50);
  EXPECT_EQ(TextToShortCut("ctrl+shift+f5"), scCtrl | scShift | 0x74);
  EXPECT_EQ(TextToShortCut("SHIFT+ALT+pgdn"), scShift | scAlt | 0x22);
  EXPECT_EQ(TextToShortCut("Alt+Shift+Ctrl+Num +"), scAlt | scShift | scCtrl | 0x6B);
  EXPECT_EQ(TextToShortCut("Num Del"), 0x6E);
  EXPECT_EQ(TextToShortCut("Ctrl+;"), scCtrl | 0xBA);
  EXPECT_EQ(TextToShortCut("\\"), 0xDC);
  EXPECT_EQ(TextToShortCut("bksp"), 0x08);
  EXPECT_EQ(TextToShortCut("7"), 0x37);
}

TEST(ShortcutTextTest, NothingUsableGivesNoShortcut) {
  for (const char* text : {"", "Ctrl+", "^", "Ctrl+Shift+", "Ctrl+Foo", "Ctrl+PP", "F25", "F0",
                           "Shift", "Ctrl", "Ctrl+ P", "Ctrl+P ", "P+Ctrl", "Num 10", "+"})
    EXPECT_EQ(TextToShortCut(text), 0) << '"' << text << '"';
}

TEST(ShortcutTextTest, EveryNamedKeyReadsBackAsItself) {
  std::set<std::string> names;
  int named = 0;
  for (int key = 8; key <= 255; ++key) {
    const std::string name = KeyName(key);
    if (name.empty()) continue;
    ++named;
    names.insert(name);
    for (int modifiers : {0, scShift | scCtrl, int{scAlt}}) {
      const TShortCut shortcut = static_cast<TShortCut>(modifiers | key);
      EXPECT_EQ(TextToShortCut(ShortCutToText(shortcut)), shortcut) << ShortCutToText(shortcut);
    }
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(named));  // no name stands for two keys
  EXPECT_EQ(named, 10 + 26 + 24 + 45);
  EXPECT_EQ(ShortCutToText(scShift | scCtrl | 0x74), "Shift+Ctrl+F5");
  EXPECT_EQ(ShortCutToText(0), "");
}

using ShortcutTest = CommandTest;

// The path of captions that leads to `target` in `menu`, "" when it is not there.
std::string PathOf(const TMenuItem& menu, const TMenuItem* target, const std::string& path = "") {
  for (const TMenuItem& item : menu.Items) {
    const std::string here = path.empty() ? item.Caption : path + " / " + item.Caption;
    if (&item == target) return here;
    if (std::string found = PathOf(item, target, here); !found.empty()) return found;
  }
  return "";
}

// The 80 names of "ShortCut.ini" in their fixed order with their targets, written out by hand:
// an action, or the path of captions of a menu entry.
TEST_F(ShortcutTest, EightyNamesInTheirOrderReachTheirTargets) {
  const std::vector<std::string> expected = {"POWERONOFF → actPower",
                                             "SelectTUNER → actSelectTUNER",
                                             "SelectCD → actSelectCD",
                                             "SelectMD → actSelectMD",
                                             "SelectTAPE → actSelectAUX",
                                             "SelectUSB → actSelectUSB",
                                             "SelectBAND → actSelectBAND",
                                             "Mute → actMute",
                                             "NB → actTone",
                                             "CD_PLAY → actPlay",
                                             "CD_STOP → actStop",
                                             "CD_TUNER_NEXT → &CD / Next",
                                             "CD_TUNER_PREVIOUS → &CD / Previous",
                                             "CD_FORWARD → &CD / Forward",
                                             "CD_REWIND → &CD / Rewind",
                                             "CD_REPEAT → &CD / Repeat",
                                             "CD_RANDOM → &CD / Random",
                                             "CD_EJECT → &CD / Eject",
                                             "TunerAutoMamual → &TUNER / Auto/Manu.",
                                             "TunerPresetCall_UP → &TUNER / Next",
                                             "TunerPresetCall_DN → &TUNER / Previous",
                                             "TAPE_FWD → &Other / TAPE / FWD",
                                             "TAPE_STOP → &Other / TAPE / STOP",
                                             "TAPE_REV → &Other / TAPE / REV",
                                             "TAPE_FF → &Other / TAPE / FF",
                                             "TAPE_FB → &Other / TAPE / FB",
                                             "MD_PLAY → &Other / MD / PLAY",
                                             "MD_STOP → &Other / MD / STOP",
                                             "MD_PAUSE → &Other / MD / PAUSE",
                                             "MD_REC → &Other / MD / REC",
                                             "MD_OTE → &Other / MD / OTE",
                                             "MD_SK_UP → &Other / MD / SK UP",
                                             "MD_SK_DN → &Other / MD / SK DOWN",
                                             "MD_FF → &Other / MD / FF",
                                             "MD_FB → &Other / MD / FB",
                                             "MD_DIVIDE → &Other / MD / DIVIDE",
                                             "MD_COMBIN → &Other / MD / COMBIN",
                                             "MD_REPEAT → &Other / MD / REPEAT",
                                             "MD_RANDOM → &Other / MD / RANDOM",
                                             "MD_EJECT → &Other / MD / EJECT",
                                             "Volume_10 → &Volume / Vol. &10",
                                             "Volume_20 → &Volume / Vol. &20",
                                             "Volume_30 → &Volume / Vol. &30",
                                             "Volume_40 → &Volume / Vol. &40",
                                             "Volume_50 → &Volume / Vol. &50",
                                             "Sleep_10 → &Sleep / 10 min",
                                             "Sleep_20 → &Sleep / 20",
                                             "Sleep_30 → &Sleep / 30",
                                             "Sleep_40 → &Sleep / 40",
                                             "Sleep_50 → &Sleep / 50",
                                             "Sleep_60 → &Sleep / 60",
                                             "Sleep_90 → &Sleep / 90",
                                             "Sleep_120 → &Sleep / 120",
                                             "Sleep_Off → &Sleep / OFF",
                                             "TUNER_DIRECT_01 → &TUNER / Direct / 01",
                                             "TUNER_DIRECT_02 → &TUNER / Direct / 02",
                                             "TUNER_DIRECT_03 → &TUNER / Direct / 03",
                                             "TUNER_DIRECT_04 → &TUNER / Direct / 04",
                                             "TUNER_DIRECT_05 → &TUNER / Direct / 05",
                                             "TUNER_DIRECT_06 → &TUNER / Direct / 06",
                                             "TUNER_DIRECT_07 → &TUNER / Direct / 07",
                                             "TUNER_DIRECT_08 → &TUNER / Direct / 08",
                                             "TUNER_DIRECT_09 → &TUNER / Direct / 09",
                                             "TUNER_DIRECT_10 → &TUNER / Direct / 10",
                                             "TUNER_DIRECT_11 → &TUNER / Direct / 11",
                                             "TUNER_DIRECT_12 → &TUNER / Direct / 12",
                                             "TUNER_DIRECT_13 → &TUNER / Direct / 13",
                                             "TUNER_DIRECT_14 → &TUNER / Direct / 14",
                                             "TUNER_DIRECT_15 → &TUNER / Direct / 15",
                                             "TUNER_DIRECT_16 → &TUNER / Direct / 16",
                                             "TUNER_DIRECT_17 → &TUNER / Direct / 17",
                                             "TUNER_DIRECT_18 → &TUNER / Direct / 18",
                                             "TUNER_DIRECT_19 → &TUNER / Direct / 19",
                                             "TUNER_DIRECT_20 → &TUNER / Direct / 20",
                                             "TaskTray → Tas&kTray",
                                             "AlwaysOnTop → Al&ways On Top",
                                             "AutoOn → &Other / Auto On",
                                             "AutoOff → &Other / Auto Off",
                                             "Mode → actModeChange",
                                             "About → actAbout"};
  std::vector<std::string> names;
  for (const TShortcutName& name : ShortcutNames()) {
    const bool action = !name.Action.empty();
    const std::string target =
        action ? (Parts(controller).Actions().Find(name.Action) ? name.Action
                                                                : "no action " + name.Action)
               : PathOf(Parts(controller).PopupMenu1().Items,
                        Parts(controller).PopupMenu1().FindShortcutEntry(name));
    names.push_back(name.Name + " → " + target);
  }
  ASSERT_EQ(names.size(), expected.size());
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i], expected[i]) << i;
}

std::vector<TShortcutBinding> FromIni(const std::string& text) {
  const TIniFile ini = TIniFile::Parse(text);
  return ReadShortcuts(
      [&ini](std::string_view name) { return ini.ReadString("ShortCut", name, ""); });
}

TEST(ShortcutFileTest, OnlyKnownNamesWithUsableValues) {
  const auto bindings = FromIni(
      "[shortcut]\npoweronoff=^P\nTunerAutoManual=Ctrl+A\nTunerAutoMamual=Ctrl+M\n"
      "Mute=Ctrl+\nNB=Ctrl+Nope\nAbout=F1\n[Other]\nCD_PLAY=F2\n");
  ASSERT_EQ(bindings.size(), 3u);
  EXPECT_EQ(bindings[0].Target->Action, "actPower");
  EXPECT_EQ(bindings[0].ShortCut, TextToShortCut("Ctrl+P"));
  EXPECT_EQ(bindings[1].Target->Name, "TunerAutoMamual");
  EXPECT_EQ(bindings[1].ShortCut, TextToShortCut("Ctrl+M"));
  EXPECT_EQ(bindings[2].Target->Action, "actAbout");
}

TEST(ShortcutFileTest, TheEarlierNameKeepsAShortcutGivenTwice) {
  const auto bindings = FromIni("[ShortCut]\nAbout=Ctrl+P\nMute=F3\nPOWERONOFF=ctrl+p\n");
  ASSERT_EQ(bindings.size(), 2u);
  EXPECT_EQ(bindings[0].Target->Name, "POWERONOFF");  // table order, not file order
  EXPECT_EQ(bindings[1].Target->Name, "Mute");
}

TEST_F(ShortcutTest, ShortcutsRunActionsThroughTheListAndEntriesAsClicks) {
  const auto target = [](std::string_view name) {
    for (const TShortcutName& n : ShortcutNames())
      if (n.Name == name) return &n;
    return static_cast<const TShortcutName*>(nullptr);
  };
  Parts(controller).Options().APS = true;
  controller.RunShortcut(*target("POWERONOFF"));
  EXPECT_EQ(Take(), (Log{"read", Send(cmdPowerOff)}));
  EXPECT_TRUE(Parts(controller).PowerSave().Active());
  controller.RunShortcut(*target("POWERONOFF"));
  Take();

  Parts(controller).PowerSave().Stop();
  // A station name in the caption does not hide the entry from its shortcut.
  Parts(controller).PopupMenu1().Find({"&TUNER", "Direct"})->Items[6].Caption = "07: NHK-FM";
  controller.RunShortcut(*target("TUNER_DIRECT_07"));
  EXPECT_EQ(sim.preset(), 7);
  EXPECT_FALSE(Parts(controller).PowerSave().Active());  // a handler entry, not an action
  controller.RunShortcut(*target("CD_TUNER_NEXT"));
  EXPECT_EQ(sim.preset(), 8);
  EXPECT_TRUE(Parts(controller).PowerSave().Active());  // the entry runs actNext through the list
  Take();

  controller.RunShortcut(*target("Volume_30"));
  EXPECT_EQ(Take(), (Log{"pause 100", Send(cmdSetVolume, 30), "read", "pause 100",
                         Send(cmdSetVolume, 30)}));  // the slider follows and echoes it
  controller.RunShortcut(*target("AlwaysOnTop"));
  EXPECT_TRUE(Parts(controller).Settings().OnTop);
  controller.RunShortcut(*target("Sleep_10"));  // starts the sleep timer, sends nothing
  EXPECT_EQ(Parts(controller).SleepTimer().TickedMinutes(), 10);
  controller.RunShortcut(*target("About"));  // no about box yet
  EXPECT_EQ(Take(), Log{});
}

TEST_F(ShortcutTest, LoadedOnceAtStartFromBesideTheSettings) {
  FakeFileStore files;
  FakeTextCodec codec;
  files.files["/opt/zr4/ShortCut.ini"] = "[ShortCut]\r\nPOWERONOFF=Ctrl+P\r\n";
  const SettingsStorage storage{files, codec, "/opt/zr4/zr4pcctrl.ini"};
  TController withFile(clock, link, view, &storage);
  withFile.FormCreate({});
  ASSERT_EQ(Parts(withFile).Shortcuts().size(), 1u);
  EXPECT_EQ(Parts(withFile).Shortcuts()[0].ShortCut, scCtrl | 0x50);
  EXPECT_EQ(Parts(withFile).Shortcuts()[0].Target->Action, "actPower");
  EXPECT_EQ(files.files.count("/opt/zr4/ShortCut.ini"), 1u);
  for (const auto& [path, bytes] : files.files)
    EXPECT_TRUE(path == "/opt/zr4/ShortCut.ini" || bytes.find("ShortCut") == std::string::npos);

  files.files.clear();
  TController without(clock, link, view, &storage);
  without.FormCreate({});
  EXPECT_TRUE(Parts(without).Shortcuts().empty());
  EXPECT_EQ(ShortcutFilePath("C:\\Tools\\ZR4\\zr4pcctrl.ini"), "C:\\Tools\\ZR4\\ShortCut.ini");
  EXPECT_EQ(ShortcutFilePath("zr4pcctrl.ini"), "ShortCut.ini");
}

}  // namespace
}  // namespace zr4::test
