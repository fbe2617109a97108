#include "core/panel/status_report.h"

#include <gtest/gtest.h>

#include "core/device/zr4defs.h"
#include "core/panel/display_model.h"

namespace zr4 {
namespace {

TPanelLabels CdPanel() {
  TPanelLabels labels;
  labels.lbInput = "CD";
  labels.lbPresetNum = "07";
  labels.lbRadioNum = "03:05";
  labels.lbHz = "";
  labels.lbAutoManu = "";
  labels.lbRepeat = "rep&&ran";
  labels.lbMute = "";
  labels.lbTone = "TONE";
  labels.lbVol = "22";
  return labels;
}

// A screen reader hears the panel as --status prints it, and the simulated component's mark
// after it; without the mark the two are the same.
TEST(StatusReportTest, TheDescriptionIsTheStatusLineAndTheMark) {
  EXPECT_EQ(PanelDescription(CdPanel(), "SIM"), "CD 07 03:05 rep&ran TONE Vol.22 SIM");
  EXPECT_EQ(PanelDescription(CdPanel(), ""), "CD 07 03:05 rep&ran TONE Vol.22");
  EXPECT_EQ(FormatStatusLine(CdPanel()), "CD 07 03:05 rep&ran TONE Vol.22");
}

TDeviceStatus Tuner(std::uint8_t source, int high, int low) {
  TDeviceStatus status;
  status.Source = source;
  status.ToneMode = 1;
  status.TuneMode = 1;
  status.Volume = 22;
  status.Preset = 4;
  status.FreqHigh = high;
  status.FreqLow = low;
  return status;
}

// A station name stands where the frequency and unit were, as the window shows it.
TPanelLabels WithStationName(TPanelLabels labels, const std::string& name) {
  labels.lbRadioName = name;
  labels.lbRadioNumVisible = false;
  labels.lbHzVisible = false;
  labels.lbRadioNameVisible = true;
  return labels;
}

TEST(StatusJson, TheTunerFrequencyStaysWhileAStationNameIsShown) {
  const TPanelLabels fm = DisplayLabels(Tuner(1, 82, 50), {});
  EXPECT_EQ(FormatStatusJson(WithStationName(fm, "NHK-FM東京"), 22, "ZR4PCCtrl", false),
            R"({"input":"FM","presetOrTrack":"04","frequencyOrTime":"","unit":"",)"
            R"("tuning":"Auto","playMode":"","mute":"","tone":"TONE",)"
            R"("stationName":"NHK-FM東京","tunerFrequency":"82.50","tunerUnit":"MHz",)"
            R"("volume":22,"title":"ZR4PCCtrl",)"
            R"("simulated":false})");
  const TPanelLabels am = DisplayLabels(Tuner(2, 12, 42), {});
  EXPECT_EQ(FormatStatusJson(am, 22, "", false),
            R"({"input":"AM","presetOrTrack":"04","frequencyOrTime":"1242","unit":"kHz",)"
            R"("tuning":"Auto","playMode":"","mute":"","tone":"TONE","stationName":"",)"
            R"("tunerFrequency":"1242","tunerUnit":"kHz","volume":22,"title":"",)"
            R"("simulated":false})");
}

TEST(StatusJson, OffTheTunerTheTunerFieldsAreEmpty) {
  TDeviceStatus cd = Tuner(3, 0, 0);
  cd.CdTrack = 3;
  cd.CdMinute = 1;
  cd.CdSecond = 25;
  // The CD's play time is in the frequency label, but it is no frequency.
  const TPanelLabels labels = DisplayLabels(cd, DisplayLabels(Tuner(1, 80, 0), {}));
  EXPECT_EQ(FormatStatusJson(labels, 22, "ZR4PCCtrl", false),
            R"({"input":"CD","presetOrTrack":"03","frequencyOrTime":"01:25","unit":"",)"
            R"("tuning":"","playMode":"","mute":"","tone":"TONE","stationName":"",)"
            R"("tunerFrequency":"","tunerUnit":"","volume":22,"title":"ZR4PCCtrl",)"
            R"("simulated":false})");
}

}  // namespace
}  // namespace zr4
