#include "core/settings/station_list.h"

#include "fakes/command_harness.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_file_store.h"

namespace zr4::test {
namespace {

constexpr const char* kRadioIni =
    "[FM]\r\n80.00=FM-A\r\n76.10=Name,with a comma\r\n[AM]\r\n80.00=AM twin\r\n1242=AM-B\r\n"
    "0531=\r\n";

TEST(StationListTest, LookupRules) {
  const std::vector<std::string> stations = ReadStations(TIniFile::Parse(kRadioIni));
  EXPECT_EQ(stations, (std::vector<std::string>{"80.00,FM-A", "76.10,Name,with a comma",
                                                "80.00,AM twin", "1242,AM-B", "0531,"}));
  const struct {
    const char* frequency;
    std::optional<std::string> name;
  } cases[] = {
      {"80.00", "FM-A"},                                                     // [FM] comes first
      {"76.10", "Name"},                                                     // up to the comma
      {"1242", "AM-B"},         {"0531", ""},       {"80.0", std::nullopt},  // exact text only
      {"80.000", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FindStationName(stations, c.frequency), c.name) << c.frequency;
  EXPECT_EQ(RadioFilePath("/home/u/.config/zr4pcctrl/zr4pcctrl.ini"),
            "/home/u/.config/zr4pcctrl/Radio.ini");
  EXPECT_EQ(RadioFilePath("C:\\zr4\\zr4pcctrl.ini"), "C:\\zr4\\Radio.ini");
}

class StationNamesTest : public CommandTest {
 protected:
  StationNamesTest() {
    files.files["/opt/zr4/zr4pcctrl.ini"] = "[Setting]\r\nShowRadioName=1\r\nNBCut=0\r\n";
    files.files["/opt/zr4/Radio.ini"] = kRadioIni;
    named.FormCreate({});
  }
  std::string DirectCaption(int preset) {
    return Parts(named).PopupMenu1().Find({"&TUNER", "Direct"})->Items[preset - 1].Caption;
  }

  FakeFileStore files;
  FakeTextCodec codec;
  SettingsStorage storage{files, codec, "/opt/zr4/zr4pcctrl.ini"};
  TController named{clock, link, view, &storage};
};

TEST_F(StationNamesTest, ListedFrequencyShowsItsNameAndLabelsThePreset) {
  const TPanelLabels& labels = named.Labels();
  EXPECT_EQ(labels.lbRadioName, "FM-A");
  EXPECT_TRUE(labels.lbRadioNameVisible);
  EXPECT_FALSE(labels.lbRadioNumVisible);
  EXPECT_FALSE(labels.lbHzVisible);
  EXPECT_EQ(DirectCaption(1), "01: FM-A");
  EXPECT_EQ(DirectCaption(2), "02");

  // An unlisted frequency shows itself, and the preset's entry takes it.
  link.CallPreset(7);
  named.Refresh();
  EXPECT_TRUE(labels.lbRadioNumVisible);
  EXPECT_TRUE(labels.lbHzVisible);
  EXPECT_FALSE(labels.lbRadioNameVisible);
  EXPECT_EQ(DirectCaption(7), "07: " + labels.lbRadioNum);
  EXPECT_EQ(DirectCaption(1), "01: FM-A");  // kept for the run
}

TEST_F(StationNamesTest, LabelMenuTogglesOnTheTunerOnly) {
  TStationNames& stations = Parts(named).Stations();
  ASSERT_TRUE(stations.LabelMenuPops());
  stations.LabelMenuClick();
  EXPECT_FALSE(Parts(named).Options().ShowRadioName);
  EXPECT_TRUE(named.Labels().lbRadioNumVisible);
  EXPECT_TRUE(named.Labels().lbHzVisible);
  EXPECT_FALSE(named.Labels().lbRadioNameVisible);
  stations.LabelMenuClick();
  EXPECT_TRUE(Parts(named).Options().ShowRadioName);
  EXPECT_EQ(named.Labels().lbRadioName, "FM-A");
  EXPECT_TRUE(named.Labels().lbRadioNameVisible);

  link.SendCommand(cmdSelectCD);
  named.Refresh();
  EXPECT_FALSE(stations.LabelMenuPops());
}

}  // namespace
}  // namespace zr4::test
