// The window with the shipped skins, offscreen: outline, buttons, knob, frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <QAccessible>
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
#include "platform/base/program_folder.h"
#include "platform/tray/tray_icon.h"
#include "shell/app/skin_setup.h"
#include "shell/panel/main_window.h"
#include "shell/skin/skin_button.h"
#include "shell/skin/skin_region.h"

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
  TrayIcon tray;
  MainWindow window{false, tray, FoldersOf(ProgramFolder())};
  TController controller{clock, link, window.Views(), nullptr, {.skins = &ports}};
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

// The window as a screen at `ratio` times the skin's pixels shows it.
QImage Render(QWidget& widget, int ratio) {
  QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  widget.render(&image);
  return image;
}

int Luminance(QRgb p) {
  return (qRed(p) * 299 + qGreen(p) * 587 + qBlue(p) * 114) / 1000;
}

// Blocks of 2 x 2 device pixels in `skin` (skin pixels) whose pixels differ clearly: detail that
// the 1x picture enlarged, where each block is one pixel four times, cannot have.
int SharpBlocks(const QImage& at2x, QRect skin) {
  int sharp = 0;
  for (int y = skin.top(); y <= skin.bottom(); ++y)
    for (int x = skin.left(); x <= skin.right(); ++x) {
      const int l[] = {Luminance(at2x.pixel(2 * x, 2 * y)), Luminance(at2x.pixel(2 * x + 1, 2 * y)),
                       Luminance(at2x.pixel(2 * x, 2 * y + 1)),
                       Luminance(at2x.pixel(2 * x + 1, 2 * y + 1))};
      if (*std::max_element(l, l + 4) - *std::min_element(l, l + 4) >= 24) ++sharp;
    }
  return sharp;
}

// The share of skin pixels in `skin` whose 2 x 2 block at 2x has, on average, their colour:
// the same picture at the same place, drawn finer.
double ShareInPlace(const QImage& at1x, const QImage& at2x, QRect skin) {
  int same = 0;
  for (int y = skin.top(); y <= skin.bottom(); ++y)
    for (int x = skin.left(); x <= skin.right(); ++x) {
      int r = 0, g = 0, b = 0;
      for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i) {
          const QRgb p = at2x.pixel(2 * x + i, 2 * y + j);
          r += qRed(p);
          g += qGreen(p);
          b += qBlue(p);
        }
      const QRgb p = at1x.pixel(x, y);
      if (std::abs(r / 4 - qRed(p)) + std::abs(g / 4 - qGreen(p)) + std::abs(b / 4 - qBlue(p)) < 60)
        ++same;
    }
  return static_cast<double>(same) / (skin.width() * skin.height());
}

// At 200 % the default skin's face and buttons are its own 2x pictures: each button and the
// face's caption have detail an enlarged 1x picture lacks, at the place and size they have at 1x.
TEST_F(SkinWindowTest, AtTwiceTheScaleTheDefaultSkinIsDrawnSharpInItsOwnLayout) {
  const QImage at1x = Render(window, 1), at2x = Render(window, 2);
  ASSERT_EQ(at2x.size(), at1x.size() * 2);
  EXPECT_GT(ShareInPlace(at1x, at2x, window.rect()), 0.9);

  int labelsTop = window.height();
  for (const QLabel* label : window.findChildren<QLabel*>())
    labelsTop = std::min(labelsTop, label->geometry().top());
  int topButtonsLeft = window.width();
  for (int i = 0; i < kSkinButtonCount; ++i) {
    const SkinButton* button = window.SkinButtons(i);
    ASSERT_TRUE(button->isVisible()) << i;
    const QRect place = button->geometry();
    EXPECT_GT(SharpBlocks(at2x, place), 0) << button->objectName().toStdString();
    // Lettering in strokes finer than a skin pixel mixes ink and face in a block: the smallest
    // captioned buttons keep about 84 % of their blocks at their 1x colour.
    EXPECT_GT(ShareInPlace(at1x, at2x, place), 0.8) << button->objectName().toStdString();
    if (place.bottom() < labelsTop) topButtonsLeft = std::min(topButtonsLeft, place.left());
  }
  // "ZR4PC DIGITAL AUDIO CONTROLLER", painted into the face above the display.
  const QRect caption(0, 0, topButtonsLeft, labelsTop);
  EXPECT_GT(SharpBlocks(at2x, caption), 30);
  EXPECT_GT(ShareInPlace(at1x, at2x, caption), 0.9);
}

// The skin compiled into the program, which stands in when no skin file loads, carries the 2x
// pictures too: a face of 880 x 396 for the 440 x 198 one and a twin for each of the 27 buttons.
TEST(BuiltInSkinTest, CarriesEveryPictureAtTwiceTheSize) {
  SystemFileStore files;
  SystemTextCodec codec;
  SystemFolderList folders;
  TSkin skin({files, codec, folders}, TSkinLook{});
  skin.LoadSkinArchive("skindefa.zip", BuiltInSkin());
  const TSkinLook& look = skin.Look();
  EXPECT_TRUE(skin.Warnings().empty());
  EXPECT_EQ(look.Main.Width, 440);
  EXPECT_EQ(look.Main.Height, 198);
  EXPECT_EQ(look.Main2x.Width, 880);
  EXPECT_EQ(look.Main2x.Height, 396);
  for (int i = 0; i < kSkinButtonCount; ++i) {
    const TButtonFace& face = look.Buttons[static_cast<std::size_t>(i)];
    EXPECT_EQ(face.Image2x.Width, 2 * face.Image.Width) << i;
    EXPECT_EQ(face.Image2x.Height, 2 * face.Image.Height) << i;
  }
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

// The simulated component's mark sits in the display in the mute label's colour and covers no
// label, whatever the tone label shows, with the shaped and the strip skin; told that a ZR4PC
// is driven, the window hides it and the labels stay.
TEST_F(SkinWindowTest, TheSimulatorMarkCoversNoLabel) {
  QLabel* mark = window.findChild<QLabel*>("lbSimulated");
  ASSERT_TRUE(mark);
  EXPECT_TRUE(mark->isVisibleTo(&window));
  EXPECT_EQ(mark->text(), "SIM");
  EXPECT_EQ(mark->palette().color(QPalette::WindowText), QColor(0xFF, 0x8C, 0x5A));
  for (const char* skin : {"skins\\skindefa.zip", "skins\\classic.ini"}) {
    ASSERT_TRUE(Parts(controller).Skins().LoadSkinFile(skin)) << skin;
    for (const char* tone : {"TONE", "N.B.1", "N.B.2"}) {
      TPanelLabels labels = controller.Labels();
      labels.lbTone = tone;
      labels.lbMute = "Mute";
      window.Panel().LabelsChanged(labels);
      EXPECT_TRUE(window.rect().contains(mark->geometry())) << skin;
      for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label == mark || !label->isVisibleTo(&window) || label->text().isEmpty()) continue;
        EXPECT_FALSE(label->geometry().intersects(mark->geometry()))
            << skin << " " << tone << ": " << label->objectName().toStdString();
      }
    }
  }

  const TPanelLabels shown = controller.Labels();
  window.Panel().SimulatedMarkChanged("");
  EXPECT_FALSE(mark->isVisibleTo(&window));
  EXPECT_EQ(controller.Labels(), shown);
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

  // To a screen reader each button is named by its hint; the knob, which has none, by the
  // volume's.
  for (SkinButton* button : window.findChildren<SkinButton*>()) {
    const QAccessibleInterface* access = QAccessible::queryAccessibleInterface(button);
    ASSERT_TRUE(access);
    EXPECT_EQ(access->role(), QAccessible::Button);
    EXPECT_EQ(access->text(QAccessible::Name),
              button->Index() == 22 ? "VOLUME" : hints[button->Index()])
        << button->Index();
  }
}

// A screen reader finds the volume as a slider with its value, sets it as a mouse would, reads
// the panel as the window's description, and presses the buttons.
TEST_F(SkinWindowTest, ScreenReadersReadTheVolumeAndThePanelAndPressButtons) {
  QAccessibleInterface* bar =
      QAccessible::queryAccessibleInterface(window.findChild<QScrollBar*>("ScrollBar1"));
  ASSERT_TRUE(bar && bar->valueInterface());
  EXPECT_EQ(bar->role(), QAccessible::Slider);
  EXPECT_EQ(bar->text(QAccessible::Name), "VOLUME");
  EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 22);
  EXPECT_EQ(bar->text(QAccessible::Value), "22");
  // The panel's line is written once a screen reader listens, then follows the display.
  const QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(&window);
  QAccessible::setActive(true);
  // The simulated component stands in: its mark is read after the panel.
  EXPECT_EQ(panel->text(QAccessible::Description), "FM 01 80.00 MHz Auto TONE Vol.22 SIM");

  bar->valueInterface()->setCurrentValue(30);
  EXPECT_TRUE(SentFrame(0x4D, 30));  // B8 02 4D 1E 23: volume 30
  EXPECT_EQ(panel->text(QAccessible::Description), "FM 01 80.00 MHz Auto TONE Vol.30 SIM");
  window.Panel().SimulatedMarkChanged("");
  EXPECT_EQ(panel->text(QAccessible::Description), "FM 01 80.00 MHz Auto TONE Vol.30");

  QAccessibleInterface* play =
      QAccessible::queryAccessibleInterface(window.findChild<SkinButton*>("btnPlay"));
  ASSERT_TRUE(play && play->actionInterface());
  play->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  // The press shows the button down for a moment, then clicks it.
  EXPECT_TRUE(QTest::qWaitFor([&] { return SentFrame(0x00, 0xCB); }));  // B8 02 00 CB 85: play
  QAccessible::setActive(false);
}

}  // namespace
}  // namespace zr4
