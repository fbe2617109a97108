#include "core/app/shortcuts.h"

#include <set>

#include "command_harness.h"
#include "core/app/ini_file.h"
#include "core/app/same_text.h"
#include "fakes/fake_file_store.h"

namespace zr4::test {
namespace {

TEST(ShortcutTextTest, ModifiersInAnyCaseThenOneKey) {
  EXPECT_EQ(TextToShortCut("Ctrl+P"), scCtrl | (kVkA + 15));
  EXPECT_EQ(TextToShortCut("^P"), TextToShortCut("Ctrl+P"));
  EXPECT_EQ(TextToShortCut("^p"), TextToShortCut("Ctrl+P"));
  EXPECT_EQ(TextToShortCut("ctrl+shift+f5"), scCtrl | scShift | (kVkF1 + 4));
  EXPECT_EQ(TextToShortCut("SHIFT+ALT+pgdn"), scShift | scAlt | kVkNext);
  EXPECT_EQ(TextToShortCut("Alt+Shift+Ctrl+Num +"), scAlt | scShift | scCtrl | kVkAdd);
  EXPECT_EQ(TextToShortCut("Num Del"), kVkDecimal);
  EXPECT_EQ(TextToShortCut("Ctrl+;"), scCtrl | kVkOem1);
  EXPECT_EQ(TextToShortCut("\\"), kVkOem5);
  EXPECT_EQ(TextToShortCut("F24"), kVkF24);
  EXPECT_EQ(TextToShortCut("bksp"), kVkBack);
  EXPECT_EQ(TextToShortCut("7"), kVk0 + 7);
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
  EXPECT_EQ(ShortCutToText(scShift | scCtrl | (kVkF1 + 4)), "Shift+Ctrl+F5");
  EXPECT_EQ(ShortCutToText(0), "");
}

TEST(ShortcutNameTest, EightyNamesInTheirOrder) {
  const std::vector<TShortcutName>& names = ShortcutNames();
  ASSERT_EQ(names.size(), 80u);
  EXPECT_EQ(names.front().Name, "POWERONOFF");
  EXPECT_EQ(names[18].Name, "TunerAutoMamual");
  EXPECT_EQ(names[21].Name, "TAPE_FWD");
  EXPECT_EQ(names[26].Name, "MD_PLAY");
  EXPECT_EQ(names[29].Name, "MD_REC");
  EXPECT_EQ(names[29].MenuPath, (std::vector<std::string>{"&Other", "MD", "REC"}));
  EXPECT_EQ(names[32].MenuPath.back(), "SK DOWN");
  EXPECT_EQ(names[39].Name, "MD_EJECT");
  EXPECT_EQ(names[44].Name, "Volume_50");
  EXPECT_EQ(names[53].Name, "Sleep_Off");
  EXPECT_EQ(names[54].MenuPath, (std::vector<std::string>{"&TUNER", "Direct"}));
  EXPECT_EQ(names[54].DirectNumber, 1);
  EXPECT_EQ(names[73].Name, "TUNER_DIRECT_20");
  EXPECT_EQ(names.back().Name, "About");
  for (std::size_t i = 0; i < names.size(); ++i)
    for (std::size_t j = i + 1; j < names.size(); ++j)
      EXPECT_FALSE(SameText(names[i].Name, names[j].Name)) << names[i].Name;
}

using ShortcutTest = CommandTest;

TEST_F(ShortcutTest, EveryNameReachesItsTarget) {
  int actions = 0;
  for (const TShortcutName& name : ShortcutNames()) {
    SCOPED_TRACE(name.Name);
    if (name.Action.empty()) {
      EXPECT_NE(FindShortcutEntry(controller.PopupMenu1(), name), nullptr);
    } else {
      ASSERT_NE(controller.Actions().Find(name.Action), nullptr);
      ++actions;
    }
  }
  EXPECT_EQ(actions, 13);
  // Two names reach actNext, through the CD and the TUNER entries.
  const auto entry = [&](std::string_view name) {
    for (const TShortcutName& n : ShortcutNames())
      if (n.Name == name) return FindShortcutEntry(controller.PopupMenu1(), n);
    return static_cast<TMenuItem*>(nullptr);
  };
  EXPECT_NE(entry("CD_TUNER_NEXT"), entry("TunerPresetCall_UP"));
  EXPECT_EQ(entry("CD_TUNER_NEXT")->Action, "actNext");
  EXPECT_EQ(entry("TunerPresetCall_UP")->Action, "actNext");
  EXPECT_EQ(entry("TunerPresetCall_DN")->Action, "actPrevious");
  EXPECT_EQ(entry("TUNER_DIRECT_17")->Number, 17);
  EXPECT_EQ(entry("Sleep_90")->Number, 90);
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
  controller.Options().APS = true;
  RunShortcut(controller, *target("POWERONOFF"));
  EXPECT_EQ(Take(), (Log{"read", Send(cmdPowerOff)}));
  EXPECT_TRUE(controller.PowerSave().Active());
  RunShortcut(controller, *target("POWERONOFF"));
  Take();

  controller.PowerSave().Stop();
  // A station name in the caption does not hide the entry from its shortcut.
  controller.PopupMenu1().Find({"&TUNER", "Direct"})->Items[6].Caption = "07: NHK-FM";
  RunShortcut(controller, *target("TUNER_DIRECT_07"));
  EXPECT_EQ(sim.preset(), 7);
  EXPECT_FALSE(controller.PowerSave().Active());  // a handler entry, not an action
  RunShortcut(controller, *target("CD_TUNER_NEXT"));
  EXPECT_EQ(sim.preset(), 8);
  EXPECT_TRUE(controller.PowerSave().Active());  // the entry runs actNext through the list
  Take();

  RunShortcut(controller, *target("Volume_30"));
  EXPECT_EQ(Take(), (Log{"pause 100", Send(cmdSetVolume, 30), "read", "pause 100",
                         Send(cmdSetVolume, 30)}));  // the slider follows and echoes it
  RunShortcut(controller, *target("AlwaysOnTop"));
  EXPECT_TRUE(controller.Settings().OnTop);
  RunShortcut(controller, *target("Sleep_10"));  // greyed until the sleep timer exists
  RunShortcut(controller, *target("About"));     // no about box yet
  EXPECT_EQ(Take(), Log{});
}

TEST_F(ShortcutTest, LoadedOnceAtStartFromBesideTheSettings) {
  FakeFileStore files;
  FakeTextCodec codec;
  files.files["/opt/zr4/ShortCut.ini"] = "[ShortCut]\r\nPOWERONOFF=Ctrl+P\r\n";
  const SettingsStorage storage{files, codec, "/opt/zr4/zr4pcctrl.ini"};
  TController withFile(clock, link, view, &storage);
  withFile.FormCreate({});
  ASSERT_EQ(withFile.Shortcuts().size(), 1u);
  EXPECT_EQ(withFile.Shortcuts()[0].ShortCut, scCtrl | (kVkA + 15));
  EXPECT_EQ(withFile.Shortcuts()[0].Target->Action, "actPower");
  EXPECT_EQ(files.files.count("/opt/zr4/ShortCut.ini"), 1u);
  for (const auto& [path, bytes] : files.files)
    EXPECT_TRUE(path == "/opt/zr4/ShortCut.ini" || bytes.find("ShortCut") == std::string::npos);

  files.files.clear();
  TController without(clock, link, view, &storage);
  without.FormCreate({});
  EXPECT_TRUE(without.Shortcuts().empty());
  EXPECT_EQ(ShortcutFilePath("C:\\Tools\\ZR4\\zr4pcctrl.ini"), "C:\\Tools\\ZR4\\ShortCut.ini");
  EXPECT_EQ(ShortcutFilePath("zr4pcctrl.ini"), "ShortCut.ini");
}

}  // namespace
}  // namespace zr4::test
