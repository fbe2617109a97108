#include "core/pcactions/app_ctrl.h"

#include <gtest/gtest.h>

#include "fakes/fake_pc_actions.h"

namespace zr4 {
void PrintTo(const TCmdItem& item, std::ostream* out) {
  *out << "{" << item.Msg << ", " << item.WParam << ", " << item.LParam << ", " << item.Caption
       << "}";
}
}  // namespace zr4

namespace zr4::test {
namespace {

using Lines = std::vector<std::string>;

TAppCtrlList Load(const std::string& text, Lines* faults = nullptr) {
  TAppCtrlList list;
  Lines found = list.Load(TIniFile::Parse(text));
  if (faults) *faults = found;
  return list;
}

const char* const kThreeSets =
    "[MyPlayer]\r\nClass=MyPlayerWnd\r\nPath=C:\\Tools\\player.exe,/min\r\n"
    "Play=273,40045,0\r\nStop=273, 40047, 0\r\n"
    "[Editor]\r\nClass=EditWnd\r\nPath=C:\\App\\app.exe,-x,-y\r\n"
    "Save=$111,0x10,-1\r\nHex=0xFFFFFFFF,$7FFFFFFF,-2147483648\r\n"
    "[Viewer]\r\nClass=ViewWnd\r\nPath=view\r\n";

TEST(AppCtrlListTest, SectionsGiveBlocksOfTenWithTheirLabelsAndValues) {
  Lines faults;
  const TAppCtrlList list = Load(kThreeSets, &faults);
  EXPECT_TRUE(faults.empty());
  ASSERT_EQ(list.AppCount(), 3);
  EXPECT_EQ(list.Apps[0].BaseNo, 50);
  EXPECT_EQ(list.Apps[1].BaseNo, 60);
  EXPECT_EQ(list.Apps[2].BaseNo, 70);
  EXPECT_EQ(list.Apps[0].ExePath, "C:\\Tools\\player.exe");
  EXPECT_EQ(list.Apps[0].Params, "/min");
  EXPECT_EQ(list.Apps[1].ExePath, "C:\\App\\app.exe");
  EXPECT_EQ(list.Apps[1].Params, "-x,-y");
  EXPECT_EQ(list.Apps[2].Params, "");
  EXPECT_EQ(list.Apps[0].Cmds[1], (TCmdItem{273, 40047, 0, "53,MyPlayer Stop"}));
  EXPECT_EQ(list.Apps[1].Cmds[0], (TCmdItem{273, 16, -1, "62,Editor Save"}));
  EXPECT_EQ(list.Apps[1].Cmds[1],
            (TCmdItem{0xFFFFFFFFu, 0x7FFFFFFF, -2147483647 - 1, "63,Editor Hex"}));
  EXPECT_EQ(list.GetCommandNames(),
            (Lines{"50,MyPlayer Run", "51,MyPlayer Quit", "52,MyPlayer Play", "53,MyPlayer Stop",
                   "60,Editor Run", "61,Editor Quit", "62,Editor Save", "63,Editor Hex",
                   "70,Viewer Run", "71,Viewer Quit"}));
}

TEST(AppCtrlListTest, FaultySectionsAreReportedAndTheOthersStillLoad) {
  struct Case {
    const char* section;
    Lines names;  // labels of the faulty set that survive
  };
  const Case cases[] = {
      {"[A]\nClass=a\nPath=a.exe\nOne=1,2,3\nTwo=273,40045\nThree=1,2,3\n",
       {"50,A Run", "51,A Quit", "52,A One"}},  // too few items
      {"[A]\nClass=a\nPath=a.exe\nNone=\nTwo=1,2,3\n", {"50,A Run", "51,A Quit"}},
      {"[A]\nClass=a\n", {"50,A Run", "51,A Quit"}},  // no program
      {"[A]\n", {"50,A Run", "51,A Quit"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.section);
    Lines faults;
    const TAppCtrlList list =
        Load(std::string(c.section) + "[B]\nClass=b\nPath=b\nGo=1,2,3\n", &faults);
    EXPECT_EQ(faults, Lines{"A"});
    Lines expected = c.names;
    expected.insert(expected.end(), {"60,B Run", "61,B Quit", "62,B Go"});
    EXPECT_EQ(list.GetCommandNames(), expected);
  }
  EXPECT_EQ(AppSectionFaultText("A"), "SECTION: [A] ");
}

// Only a missing item is a fault: an item that is no number counts as 0, and the keys after it
// load as usual.
TEST(AppCtrlListTest, ItemsThatAreNoNumberCountAsZero) {
  Lines faults;
  const TAppCtrlList list = Load(
      "[A]\nClass=a\nPath=a.exe\nBad=27x,40045,0\nBig=1,2147483648,$100000000\n"
      "Empty=273,,0\nBlank=\"\",\"\",\"\"\nWord=Play,-,0x\nLast=273, 40047, 0,99\n",
      &faults);
  EXPECT_TRUE(faults.empty());
  ASSERT_EQ(list.AppCount(), 1);
  EXPECT_EQ(list.Apps[0].Cmds, (std::vector<TCmdItem>{{0, 40045, 0, "52,A Bad"},
                                                      {1, 0, 0, "53,A Big"},
                                                      {273, 0, 0, "54,A Empty"},
                                                      {0, 0, 0, "55,A Blank"},
                                                      {0, 0, 0, "56,A Word"},
                                                      {273, 40047, 0, "57,A Last"}}));
  RecordingPcActions windows;
  windows.openClasses = {"a"};
  list.Execute(57, windows);
  EXPECT_EQ(windows.Take(), (Lines{"find a", "post 1 273 40047 0"}));
}

TEST(AppCtrlListTest, MoreThanTenKeysLeavesTheSetEmptyWithoutAMessage) {
  std::string text = "[Big]\nClass=big\nPath=big.exe\n";
  for (int k = 0; k < 9; ++k) text += "K" + std::to_string(k) + "=1,2,3\n";
  text += "[Next]\nClass=n\nPath=n\n";
  Lines faults;
  const TAppCtrlList list = Load(text, &faults);
  EXPECT_TRUE(faults.empty());
  ASSERT_EQ(list.AppCount(), 2);
  EXPECT_EQ(list.Apps[0].BaseNo, 50);
  EXPECT_EQ(list.Apps[0].Name, "");
  EXPECT_TRUE(list.Apps[0].Cmds.empty());
  EXPECT_EQ(list.GetCommandNames(), (Lines{"60,Next Run", "61,Next Quit"}));
  RecordingPcActions windows;
  list.Execute(50, windows);
  list.Execute(51, windows);
  EXPECT_EQ(windows.calls, Lines{});
}

TEST(AppCtrlListTest, NumbersRunTheirSetsCommands) {
  const TAppCtrlList list = Load(kThreeSets);
  RecordingPcActions windows;
  windows.openClasses = {"MyPlayerWnd", "EditWnd"};
  struct Case {
    int number;
    Lines calls;
  };
  const Case cases[] = {
      {63, {"find EditWnd", "post 2 4294967295 2147483647 -2147483648"}},
      {60, {"find EditWnd", "front 2"}},
      {61, {"find EditWnd", "close 2"}},
      {52, {"find MyPlayerWnd", "post 1 273 40045 0"}},
      {70, {"find ViewWnd", "start view | "}},
      {71, {"find ViewWnd"}},  // not open: nothing
      {72, {}},                // beyond the set's commands: never reaches the window
      {58, {}},
      {23, {}},
      {39, {}},
      {49, {}},
      {80, {}},
      {-51, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    list.Execute(c.number, windows);
    EXPECT_EQ(windows.Take(), c.calls);
  }
}

TEST(AppCtrlListTest, MessageNumbers) {
  struct Case {
    const char* text;
    bool ok;
    std::int32_t value;
  };
  const Case cases[] = {{"273", true, 273},
                        {"  -5", true, -5},
                        {"+7", true, 7},
                        {"$111", true, 273},
                        {"0x111", true, 273},
                        {"0XfF", true, 255},
                        {"-$10", true, -16},
                        {"$", false, 0},
                        {"0x", false, 0},
                        {"$100000000", false, 0},
                        {"12a", false, 0},
                        {"", false, 0},
                        {"2147483647", true, 2147483647},
                        {"-2147483649", false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::int32_t value = 0;
    EXPECT_EQ(ParseMessageNumber(c.text, value), c.ok);
    if (c.ok) {
      EXPECT_EQ(value, c.value);
    }
  }
}

}  // namespace
}  // namespace zr4::test
