#include "core/panel/volume_control.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

// Keys and wheel notches step the slider; it stops at 0 and at its maximum, and only a real move
// is reported (each report sends a frame to the component).
TEST(VolumeControlTest, StepsStopAtTheEndsAndReportOnlyRealMoves) {
  TVolumeControl slider;
  slider.SetMax(70);
  slider.SetPosition(68);
  int reports = 0;
  slider.OnChange = [&] { ++reports; };

  slider.Step(5);
  EXPECT_EQ(slider.Position(), 70);
  slider.Step(1);
  EXPECT_EQ(slider.Position(), 70);
  EXPECT_EQ(reports, 1);

  slider.Step(-71);
  EXPECT_EQ(slider.Position(), 0);
  slider.Step(-1);
  EXPECT_EQ(reports, 2);

  slider.Step(3);
  EXPECT_EQ(slider.Position(), 3);
  EXPECT_EQ(reports, 3);
}

}  // namespace
}  // namespace zr4
