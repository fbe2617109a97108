// The window with the shipped skins, offscreen: outline, buttons, knob, frame.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include "core/app/controller.h"
#include "core/device/sim_component.h"
#include "core/device/sim_finder.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_clock.h"
#include "shell/app/main_window.h"
#include "shell/app/skin_button.h"
#include "shell/app/skin_region.h"
#include "shell/app/skin_setup.h"

namespace zr4 {
namespace {

class SkinWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.SetController(&controller);
    controller.FormCreate({});
  }
  bool SentFrame(std::uint8_t command, std::uint8_t argument) {
    for (const Frame& frame : sim.ReceivedFrames())
      if (frame == BuildFrame(command, argument)) return true;
    return false;
  }

  SystemFileStore files;
  SystemTextCodec codec;
  SystemFolderList folders;
  // The build draws the shipped skins into "skins" beside the program.
  TSkinPorts ports{files, codec, folders, {ZR4_PROGRAM_FOLDER}, BuiltInSkin()};
  test::FakeClock clock;
  TSimComponent sim{clock};
  SimDeviceFinder finder{sim};
  TZR4Ctrl link{clock, finder};
  MainWindow window{false};
  TController controller{clock, link, window, nullptr, {.skins = &ports}};
};

// The outline handed over whole is the region its rows make united one by one.
TEST(SkinRegionTest, TheOutlineIsTheUnionOfItsRuns) {
  // A ring: whole rows at top and bottom, a left and a right run between them, a gap row.
  std::vector<TRect> runs = {{0, 0, 6, 1}, {0, 1, 6, 2}};
  for (int y = 2; y < 5; ++y) runs.insert(runs.end(), {{0, y, 2, y + 1}, {4, y, 6, y + 1}});
  runs.insert(runs.end(), {{0, 6, 6, 7}, {1, 7, 5, 8}});
  QRegion united;
  for (const TRect& r : runs) united += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
  const QRegion region = RegionOf(runs);
  EXPECT_TRUE((region ^ united).isEmpty());
  // Banded: the top rows, the two sides, and the two rows at the bottom.
  EXPECT_EQ(region.rectCount(), 5);
  EXPECT_TRUE(region.contains(QPoint(5, 4)));
  EXPECT_FALSE(region.contains(QPoint(3, 3)));
  EXPECT_FALSE(region.contains(QPoint(0, 5)));
  EXPECT_TRUE(RegionOf({}).isEmpty());
}

// A skin picture draws its opaque pixels exactly and shows what lies behind its cut ones.
TEST(SkinPictureTest, OpaquePixelsDrawExactlyAndCutOnesShowTheBackground) {
  const TImage image{3, 2, {0xFF123456u, 0u, 0xFFFFFFFFu, 0u, 0xFF000000u, 0xFFA0B0C0u}};
  const QImage picture = ToQImage(image);
  ASSERT_EQ(picture.size(), QSize(3, 2));
  EXPECT_EQ(picture.pixel(0, 0), 0xFF123456u);
  EXPECT_EQ(qAlpha(picture.pixel(1, 0)), 0);
  EXPECT_EQ(picture.pixel(2, 1), 0xFFA0B0C0u);
  QImage canvas(3, 2, QImage::Format_RGB32);
  canvas.fill(QColor(0x80, 0x90, 0xA0));
  QPainter painter(&canvas);
  painter.drawImage(0, 0, picture);
  painter.end();
  EXPECT_EQ(canvas.pixel(0, 0), 0xFF123456u);
  EXPECT_EQ(canvas.pixel(1, 0), 0xFF8090A0u);
  EXPECT_EQ(canvas.pixel(2, 0), 0xFFFFFFFFu);
  EXPECT_EQ(canvas.pixel(0, 1), 0xFF8090A0u);
  EXPECT_EQ(canvas.pixel(1, 1), 0xFF000000u);
  EXPECT_EQ(canvas.pixel(2, 1), 0xFFA0B0C0u);
}

TEST_F(SkinWindowTest, TheDefaultSkinCutsTheWindowAndItsButtonsRunTheirActions) {
  ASSERT_FALSE(window.mask().isEmpty());
  EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
  EXPECT_TRUE(window.mask().contains(QPoint(window.width() / 2, window.height() / 2)));
  const QImage picture = window.Picture();
  EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(picture.pixel(window.width() / 2, window.height() / 2)), 255);

  SkinButton* play = window.findChild<SkinButton*>("btnPlay");
  ASSERT_TRUE(play && play->isVisible());
  EXPECT_TRUE(play->SkinMode());
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_TRUE(SentFrame(0x00, 0xCB));  // B8 02 00 CB 85: play

  // The label font's size is points at 96 dots per inch.
  const QFont font = window.findChild<QLabel*>("lbRadioName")->font();
  EXPECT_EQ(font.pixelSize(),
            (Parts(controller).Skins().Look().Info.Fonts[10].Size * 96 + 36) / 72);
}

TEST_F(SkinWindowTest, TheKnobFollowsTheVolumeAndDragsIt) {
  SkinButton* knob = window.findChild<SkinButton*>("btnVolseek");
  ASSERT_TRUE(knob && knob->isVisible());
  const TRect bar = Parts(controller).Skins().Look().Info.ExInfo.VolBarRect;
  const int volMax = Parts(controller).Options().VolMax;
  // left + round(width × volume / max) − round(knob width / 2)
  const auto expectedLeft = [&](int volume) {
    return bar.left +
           static_cast<int>(std::lround(double(bar.right - bar.left) * volume / volMax)) -
           (knob->width() + 1) / 2;
  };
  EXPECT_EQ(knob->x(), expectedLeft(22));

  // Every second move with the left button counts; past the bar's end it is the maximum.
  QTest::mousePress(knob, Qt::LeftButton, {}, QPoint(2, 2));
  for (int k = 0; k < 2; ++k) {
    QMouseEvent move(QEvent::MouseMove, QPointF(bar.right + 50 - knob->x(), 2),
                     knob->mapToGlobal(QPointF(0, 0)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(knob, &move);
  }
  QTest::mouseRelease(knob, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(window.findChild<QScrollBar*>("ScrollBar1")->value(), volMax);
  EXPECT_EQ(knob->x(), expectedLeft(volMax));
}

TEST_F(SkinWindowTest, TheStripSkinIsFramedAndBorderLessTogglesIt) {
  ASSERT_TRUE(Parts(controller).Skins().LoadSkinFile("skins\\classic.ini"));
  EXPECT_TRUE(window.mask().isEmpty());
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_FALSE(window.findChild<SkinButton*>("btnPlay")->SkinMode());
  EXPECT_TRUE(window.findChild<SkinButton*>("btnExit")->isHidden());
  Parts(controller).Skins().BorderLess1Click();
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
}

// Each button shows its action's hint as its tooltip, with the shaped and the strip skin; the
// volume knob has no action and no hint.
TEST_F(SkinWindowTest, EveryButtonShowsItsActionsHint) {
  const char* const hints[27] = {"Select TUNER",
                                 "Select PC USB",
                                 "Select TAPE/AUX",
                                 "Change FM/AM",
                                 "Select CD",
                                 "Select MD",
                                 "Power On/Off",
                                 "Option...",
                                 "Mute",
                                 "N.B.",
                                 "Repeat",
                                 "Random",
                                 "Eject CD",
                                 "Auto/Manual (TUNER)",
                                 "Play CD",
                                 "Stop CD",
                                 "Next Track (CD, MD)  P.Call UP (TUNER)",
                                 "Previous Track (CD, MD)  P.Call Down (TUNER)",
                                 "Forward",
                                 "Rewind",
                                 "Minimize",
                                 "Exit",
                                 "",
                                 "Volume Up",
                                 "Volume Down",
                                 "INPUT MODE",
                                 "About..."};
  for (const char* skin : {"skins\\skindefa.zip", "skins\\classic.ini"}) {
    ASSERT_TRUE(Parts(controller).Skins().LoadSkinFile(skin)) << skin;
    const QList<SkinButton*> buttons = window.findChildren<SkinButton*>();
    ASSERT_EQ(buttons.size(), 27);
    for (SkinButton* button : buttons)
      EXPECT_EQ(button->toolTip(), hints[button->Index()]) << skin << " " << button->Index();
  }
  // The pointer resting on a button shows it.
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  SkinButton* play = window.findChild<SkinButton*>("btnPlay");
  ASSERT_TRUE(play && play->isVisible());
  QHelpEvent rest(QEvent::ToolTip, QPoint(2, 2), play->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(play, &rest);
  EXPECT_EQ(QToolTip::text(), "Play CD");
  QToolTip::hideText();
}

}  // namespace
}  // namespace zr4
