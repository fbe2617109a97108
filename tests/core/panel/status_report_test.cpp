#include "core/panel/status_report.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zr4
