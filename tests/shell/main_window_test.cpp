#include "shell/panel/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

#include "core/app/controller.h"
#include "core/skin/skin_layout.h"
#include "fakes/controller_parts.h"
#include "fakes/sim_link.h"
#include "platform/base/program_folder.h"
#include "platform/tray/tray_icon.h"
#include "shell/panel/label_width.h"

namespace zr4 {
namespace {

class MainWindowTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  void SetUp() override {
    window.SetController(&controller);
    controller.FormCreate({});
  }

  QString Text(const char* label) { return window.findChild<QLabel*>(label)->text(); }
  bool Shown(const char* label) { return !window.findChild<QLabel*>(label)->isHidden(); }
  QScrollBar& ScrollBar() { return *window.findChild<QScrollBar*>("ScrollBar1"); }
  QTimer& Timer(const char* name) { return *window.findChild<QTimer*>(name); }
  int PowerOffFrames() {
    int count = 0;
    for (const Frame& frame : sim.ReceivedFrames())
      if (frame == BuildFrame(0x06, 0x80)) ++count;
    return count;
  }
  TrayIcon tray;
  MainWindow window{false, tray, FoldersOf(ProgramFolder())};
  TController controller{clock, link, window.Views()};
};

TEST_F(MainWindowTest, LabelsFollowTheComponentAfterAPoll) {
  EXPECT_EQ(Text("lbInput"), "FM");
  EXPECT_EQ(Text("lbPresetNum"), "01");
  EXPECT_EQ(Text("lbRadioNum"), "80.00");
  EXPECT_EQ(Text("lbHz"), "MHz");
  EXPECT_EQ(Text("lbTone"), "TONE");
  EXPECT_EQ(Text("lbVolStr"), "Vol.");
  EXPECT_EQ(Text("lbVol"), "22");
  EXPECT_FALSE(Shown("lbRadioName"));
  EXPECT_EQ(window.windowTitle(), "ZR4PCCtrl");
  EXPECT_EQ(window.pos(), QPoint(379, 304));  // the design position

  link.SendCommand(cmdSelectCD);
  sim.PressRemoteKey(TSimComponent::RemoteKey::Mute);
  controller.Timer2Timer();
  EXPECT_EQ(Text("lbInput"), "CD");
  EXPECT_EQ(Text("lbRadioNum"), "00:00");
  EXPECT_EQ(Text("lbHz"), "");
  EXPECT_EQ(Text("lbMute"), "Mute");

  // A doubled ampersand in a caption reads as one.
  TDeviceStatus status = link.Status;
  status.PlayMode = 4;
  controller.ShowStatus(status);
  EXPECT_EQ(Text("lbRepeat"), "rep&ran");
}

TEST_F(MainWindowTest, ScrollBarMirrorsTheVolumeBothWays) {
  EXPECT_EQ(ScrollBar().maximum(), Parts(controller).Options().VolMax);
  EXPECT_EQ(ScrollBar().value(), 22);
  EXPECT_TRUE(sim.ReceivedFrames().empty());  // setting it up sends nothing

  sim.PressRemoteKey(TSimComponent::RemoteKey::VolumeUp);
  controller.Timer2Timer();
  EXPECT_EQ(ScrollBar().value(), 23);

  // The user moves it: the component follows.
  ScrollBar().setValue(30);
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 30);
  EXPECT_EQ(sim.volume(), 30);
  EXPECT_EQ(Text("lbVol"), "30");

  // Raised beyond the limit on the component: the bar stops at the limit and sets it back.
  sim.SetVolume(75);
  controller.Timer2Timer();
  EXPECT_EQ(ScrollBar().value(), 70);
  EXPECT_EQ(sim.volume(), 70);
  EXPECT_EQ(Text("lbVol"), "70");
}

// Over the volume bar the wheel and the right button act as they do over the rest of the
// window: one notch moves by VolWheel (negative turns it round), and the right button opens the
// controller's menu, never the bar's own one with its jump to an end.
TEST_F(MainWindowTest, TheVolumeBarTakesNeitherTheWheelNorTheRightButton) {
  auto wheel = [&](int delta) {
    QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&ScrollBar(), &event);
  };
  wheel(120);
  EXPECT_EQ(sim.volume(), 24);
  Parts(controller).Options().VolWheel = -3;
  wheel(120);
  EXPECT_EQ(sim.volume(), 21);

  window.show();
  QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(300, 5),
                         ScrollBar().mapToGlobal(QPoint(300, 5)));
  QApplication::sendEvent(&ScrollBar(), &menu);
  EXPECT_TRUE(window.PopupMenu1().isVisible());
  window.PopupMenu1().close();
  EXPECT_EQ(sim.volume(), 21);
}

TEST_F(MainWindowTest, QtTimersFollowTheControllersTimers) {
  EXPECT_TRUE(Timer("Timer1").isActive());
  EXPECT_EQ(Timer("Timer1").interval(), 5000);
  // The first poll comes after a second on any input; then the tuner is polled every 5 s.
  EXPECT_TRUE(Timer("Timer2").isActive());
  EXPECT_EQ(Timer("Timer2").interval(), 1000);
  controller.Timer2Timer();
  EXPECT_EQ(Timer("Timer2").interval(), 5000);

  link.SendCommand(cmdSelectCD);
  controller.Timer2Timer();
  controller.Timer2Timer();
  EXPECT_EQ(Timer("Timer2").interval(), 1000);

  controller.PowerBroadcast(kPowerSuspend);
  EXPECT_FALSE(Timer("Timer2").isActive());
  controller.PowerBroadcast(kPowerResumeAutomatic);
  controller.PowerBroadcast(kPowerResumeSuspend);
  EXPECT_TRUE(Timer("Timer2").isActive());
}

// While a CD plays only the play time changes: the other labels are neither set again nor
// sized again (here a label changed behind the window's back stays as it was).
TEST_F(MainWindowTest, APollTouchesOnlyTheLabelsWhoseTextChanged) {
  window.Skin().SkinChanged(TSkinLook{}, ApplySkinLayout(TSkinLook{}));
  link.SendCommand(cmdSelectCD);
  link.PlayTrack(2);
  controller.Timer2Timer();
  ASSERT_EQ(Text("lbInput"), "CD");
  ASSERT_EQ(Text("lbRadioNum"), "00:00");
  QLabel& input = *window.findChild<QLabel*>("lbInput");
  QLabel& volume = *window.findChild<QLabel*>("lbVol");
  input.setText("elsewhere");
  volume.resize(1, 1);

  clock.now += 1000;
  controller.Timer2Timer();
  EXPECT_EQ(Text("lbRadioNum"), "00:01");
  EXPECT_EQ(Text("lbInput"), "elsewhere");
  EXPECT_EQ(volume.size(), QSize(1, 1));

  // The play time counting in a font whose digits share one width keeps its size as well.
  QLabel& time = *window.findChild<QLabel*>("lbRadioNum");
  if (!DigitsShareOneWidth(time.font())) GTEST_SKIP() << "the label's font has uneven digits";
  time.resize(1, 1);
  clock.now += 1000;
  controller.Timer2Timer();
  EXPECT_EQ(Text("lbRadioNum"), "00:02");
  EXPECT_EQ(time.size(), QSize(1, 1));
}

TEST_F(MainWindowTest, DraggingSnapsToTheWorkArea) {
  window.show();
  window.move(100, 100);
  const QRect work = window.screen()->availableGeometry();
  auto send = [this](QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
    QMouseEvent event(type, window.mapFromGlobal(QPointF(global)), QPointF(global),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
  };
  const QPoint grab(150, 150);
  send(QEvent::MouseButtonPress, grab, Qt::LeftButton);
  send(QEvent::MouseMove, grab - QPoint(100 - work.left() - 6, 0), Qt::LeftButton);
  EXPECT_EQ(window.pos().x(), work.left());  // 6 pixels from the edge: snapped onto it
  EXPECT_EQ(window.pos().y(), 100);
  send(QEvent::MouseMove, grab - QPoint(100 - work.left() - 20, 0), Qt::LeftButton);
  EXPECT_EQ(window.pos().x(), work.left() + 20);  // the mouse moved on: released
  send(QEvent::MouseButtonRelease, grab, Qt::NoButton);
  send(QEvent::MouseMove, grab + QPoint(50, 50), Qt::NoButton);
  EXPECT_EQ(window.pos().x(), work.left() + 20);  // no drag without the button
}

TEST_F(MainWindowTest, ExitRunsTheCloseStepOnce) {
  Parts(controller).Options().AutoOff = true;
  QSignalSpy closed(&window, &MainWindow::closed);
  window.show();
  QAction* exit = nullptr;
  for (QAction* action : window.PopupMenu1().actions())
    if (action->text() == "E&xit") exit = action;
  ASSERT_NE(exit, nullptr);
  exit->trigger();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(closed.count(), 1);
  EXPECT_EQ(PowerOffFrames(), 1);
  EXPECT_FALSE(Timer("Timer2").isActive());
  window.close();
  EXPECT_EQ(PowerOffFrames(), 1);
}

TEST_F(MainWindowTest, EndOfSessionSwitchesOffOnceAndCloses) {
  Parts(controller).Options().AutoOff = true;
  QSignalSpy closed(&window, &MainWindow::closed);
  window.show();
  window.EndSession();
  EXPECT_EQ(closed.count(), 1);
  EXPECT_EQ(PowerOffFrames(), 1);
}

TEST_F(MainWindowTest, SecondStartRestoresAMinimisedWindow) {
  window.show();
  window.showMinimized();
  window.RestoreAndRaise();
  EXPECT_FALSE(window.isMinimized());
  window.hide();
  window.RestoreAndRaise();
  EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace zr4
