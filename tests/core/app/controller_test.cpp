#include "core/app/controller.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "core/device/fallback_finder.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_file_store.h"
#include "fakes/fake_view.h"
#include "fakes/sim_link.h"

namespace zr4 {
namespace {

class ControllerTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  void Start() { controller.FormCreate({}); }

  std::vector<Frame> Sent() { return sim.ReceivedFrames(); }
  test::FakeView view;
  TController controller{clock, link, view};
};

TEST_F(ControllerTest, StartShowsTheComponentAndSendsNothing) {
  Start();
  EXPECT_EQ(controller.Labels().lbInput, "FM");
  EXPECT_EQ(controller.Labels().lbRadioNum, "80.00");
  EXPECT_EQ(controller.Labels().lbHz, "MHz");
  EXPECT_EQ(controller.Labels().lbPresetNum, "01");
  EXPECT_EQ(controller.Labels().lbAutoManu, "Auto");
  EXPECT_EQ(controller.Labels().lbTone, "TONE");
  EXPECT_EQ(controller.Labels().lbMute, "");
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 22);
  EXPECT_TRUE(Sent().empty());
  EXPECT_TRUE(Parts(controller).Timers().Timer1().Enabled);
  EXPECT_TRUE(Parts(controller).Timers().Timer2().Enabled);
  EXPECT_EQ(Parts(controller).Timers().Timer2().Interval,
            1000);  // the first poll comes soon on FM too
  EXPECT_EQ(view.title, "ZR4PCCtrl");
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(ControllerTest, StartWithoutComponentKeepsTheDesignedCaptions) {
  TController lonely(clock, absentLink, view);
  lonely.FormCreate({});
  EXPECT_EQ(view.messages, std::vector<std::string>{kNoDeviceMessage});
  EXPECT_EQ(lonely.Labels(), TPanelLabels{});
}

// A start at login must not wait for a click: the start-up notices become notifications with
// the application title, the same texts; a later rediscovery (someone plugged the component in)
// and a normal start still show the box.
TEST_F(ControllerTest, AtLoginTheStartUpNoticesAreNotificationsNotBoxes) {
  TStartup atLogin;
  atLogin.atLogin = true;
  TController lonely(clock, absentLink, view);
  lonely.FormCreate(atLogin);
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(view.notifications,
            std::vector<std::string>{"ZR4PCCtrl|該当するUSBデバイスが見つかりません。"});
  EXPECT_EQ(view.showRequests, 1);  // the window still shows, as at a normal start

  test::FakeView deniedView;
  TController denied(clock, absentLink, deniedView);
  atLogin.discovery.deniedPath = "/dev/bus/usb/001/007";
  atLogin.program = "/usr/bin/zr4pcctrl";
  denied.FormCreate(atLogin);
  ASSERT_EQ(deniedView.notifications.size(), 1u);
  EXPECT_TRUE(deniedView.notifications[0].starts_with("ZR4PCCtrl|ZR4PC が見つかりましたが"));
  EXPECT_NE(deniedView.notifications[0].find("/dev/bus/usb/001/007"), std::string::npos);
  EXPECT_NE(deniedView.notifications[0].find("--print-udev-rules"), std::string::npos);
  EXPECT_TRUE(deniedView.messages.empty());

  denied.DeviceRediscovered({false, "/dev/bus/usb/001/008"});
  EXPECT_EQ(deniedView.notifications.size(), 1u);
  EXPECT_EQ(deniedView.messages.size(), 1u);

  test::FakeView normalView;
  TController normal(clock, absentLink, normalView);
  normal.FormCreate({});
  EXPECT_TRUE(normalView.notifications.empty());
  EXPECT_EQ(normalView.messages, std::vector<std::string>{"該当するUSBデバイスが見つかりません。"});
}

TEST_F(ControllerTest, TheWindowShowsBeforeTheNoiseBlankerWaitsAndTheFirstDisplay) {
  struct OrderView : test::FakeView {
    explicit OrderView(test::FakeClock& c) : clock(c) {}
    void ShowWindow() override {
      waitsBefore = clock.waits.size();
      labelChangesBefore = labelChanges;
      FakeView::ShowWindow();
    }
    test::FakeClock& clock;
    std::size_t waitsBefore = 99;
    int labelChangesBefore = 99;
  } order(clock);
  sim.SetToneMode(3);
  TController shown(clock, link, order);
  shown.FormCreate({});
  EXPECT_EQ(order.showRequests, 1);
  EXPECT_EQ(order.waitsBefore, 0u);
  EXPECT_EQ(order.labelChangesBefore, 0);
  EXPECT_EQ(clock.waits.size(), 1u);  // the N.B.2 reset waited after the window showed
}

TEST_F(ControllerTest, PollIntervalFollowsGesturesAndCd) {
  Start();
  link.SendCommand(cmdSelectCD);
  controller.Timer2Timer();
  EXPECT_EQ(Parts(controller).Timers().Timer2().Interval,
            5000);  // chosen from the record before the read
  controller.Timer2Timer();
  EXPECT_EQ(Parts(controller).Timers().Timer2().Interval, 1000);
  Parts(controller).Options().RemoConEnable = true;
  controller.Timer2Timer();
  EXPECT_EQ(Parts(controller).Timers().Timer2().Interval, 200);
  EXPECT_TRUE(Parts(controller).Timers().Timer2().Enabled);
}

// A poll leaves the window's timers alone unless the interval changes, and a poll that comes
// inside a poll (a message box or a wait that runs window messages) does nothing at all.
TEST_F(ControllerTest, APollNeitherTouchesTheTimersNorRunsInsideAPoll) {
  Start();
  link.SendCommand(cmdSelectCD);
  link.PlayTrack(2);
  controller.Timer2Timer();
  controller.Timer2Timer();  // from now on the CD is polled every second
  const int timerChanges = view.timerChanges;
  const int labelChanges = view.labelChanges;
  clock.now += 1000;
  controller.Timer2Timer();
  EXPECT_GT(view.labelChanges, labelChanges);  // the play time moved on
  EXPECT_EQ(view.timerChanges, timerChanges);
  EXPECT_EQ(view.timer2, (TimerState{true, 1000}));

  struct ReenteringView : test::FakeView {
    std::function<void()> onShown;
    int shown = 0;
    void StatusShown() override {
      ++shown;
      if (onShown) std::exchange(onShown, nullptr)();
    }
  } reentering;
  TController polled(clock, link, reentering);
  polled.FormCreate({});
  reentering.shown = 0;
  reentering.onShown = [&] { polled.Timer2Timer(); };
  clock.now += 1000;
  polled.Timer2Timer();
  EXPECT_EQ(reentering.shown, 1);
  EXPECT_EQ(reentering.timer2, (TimerState{true, 1000}));
  clock.now += 1000;
  polled.Timer2Timer();  // the guard is gone with the tick
  EXPECT_EQ(reentering.shown, 2);
}

TEST_F(ControllerTest, NoiseBlankerResetAtStart) {
  sim.SetToneMode(2);
  Start();
  EXPECT_EQ(Sent(), (std::vector<Frame>{BuildFrame(0x01, 0x4B), BuildFrame(0x01, 0x4B)}));
  EXPECT_EQ(sim.toneMode(), 1);
  EXPECT_EQ(controller.Labels().lbTone, "TONE");
  ASSERT_FALSE(clock.waits.empty());
  EXPECT_TRUE(clock.waits[0].processesMessages);
  EXPECT_EQ(clock.waits[0].ms, 1000);
}

TEST_F(ControllerTest, NoiseBlankerResetLeavesNB1WhenOnlyNB2IsCut) {
  sim.SetToneMode(2);
  Parts(controller).Options().NB2Cut = true;
  Start();
  EXPECT_TRUE(Sent().empty());
  sim.SetToneMode(3);
  TController second(clock, link, view);
  Parts(second).Options().NB2Cut = true;
  second.FormCreate({});
  EXPECT_EQ(Sent().size(), 1u);
  EXPECT_EQ(sim.toneMode(), 1);
}

TEST_F(ControllerTest, CdToMdEmptiesTheCdLabelsAndBack) {
  Start();
  link.PlayTrack(7);
  clock.now += 185'000;  // track 7 is 198 s long
  controller.Refresh();
  EXPECT_EQ(controller.Labels().lbPresetNum, "07");
  EXPECT_EQ(controller.Labels().lbRadioNum, "03:05");
  EXPECT_EQ(controller.Labels().lbHz, "");
  link.SendCommand(cmdCdRepeat);
  link.SendCommand(cmdCdRepeat);
  link.SendCommand(cmdRandom);
  controller.Refresh();
  EXPECT_EQ(controller.Labels().lbRepeat, "rep&&ran");
  link.SendCommand(cmdSelectMD);
  controller.Refresh();
  EXPECT_EQ(controller.Labels().lbInput, "MD");
  EXPECT_EQ(controller.Labels().lbPresetNum, "");
  EXPECT_EQ(controller.Labels().lbRadioNum, "");
  EXPECT_EQ(controller.Labels().lbRepeat, "");
  link.SendCommand(cmdSelectCD);
  controller.Refresh();
  EXPECT_EQ(controller.Labels().lbPresetNum, "07");
}

TEST_F(ControllerTest, PcUsbPlaybackLabelLatches) {
  Start();
  TDeviceStatus status = link.Status;
  status.Source = kInputUSB;
  status.UsbPlayback = 1;
  controller.ShowStatus(status);
  EXPECT_EQ(controller.Labels().lbInput, "PC USB PB");
  // Tone bits 0 and bit 7 clear: decoding leaves the flag, so the label stays.
  Frame report{};
  report[3] = 4;
  report[4] = 0x22;
  report[5] = 0x01;
  DecodeStatus(report, status);
  controller.ShowStatus(status);
  EXPECT_EQ(controller.Labels().lbInput, "PC USB PB");
  status.UsbPlayback = 0;
  controller.ShowStatus(status);
  EXPECT_EQ(controller.Labels().lbInput, "PC USB");
}

TEST_F(ControllerTest, VolumeAboveMaxIsSetBackToMax) {
  Parts(controller).Options().VolMax = 70;
  Start();
  sim.SetVolume(75);
  const int before = view.labelChanges;
  controller.Refresh();
  EXPECT_EQ(controller.Labels().lbVol, "70");
  EXPECT_GT(view.labelChanges, before + 1);  // 75 was shown first
  EXPECT_EQ(Sent(), std::vector<Frame>{BuildFrame(0x4D, 70)});
  EXPECT_EQ(sim.volume(), 70);
}

TEST_F(ControllerTest, VolumeWithinRangeIsEchoedOnceAndUnchangedSendsNothing) {
  Start();
  sim.SetVolume(30);
  controller.Refresh();
  EXPECT_EQ(Sent(), std::vector<Frame>{BuildFrame(0x4D, 30)});
  sim.Transfers().clear();
  controller.Refresh();
  EXPECT_TRUE(Sent().empty());
}

TEST_F(ControllerTest, VolumeTextAndSourceZero) {
  Start();
  TDeviceStatus status = link.Status;
  status.Volume = 5;
  controller.ShowStatus(status);
  EXPECT_EQ(controller.Labels().lbVol, "05");
  const TPanelLabels before = controller.Labels();
  status.Source = 0;
  status.Volume = 120;  // from an invalid BCD byte
  status.Mute = 1;
  controller.ShowStatus(status);
  EXPECT_EQ(controller.Labels().lbInput, before.lbInput);
  EXPECT_EQ(controller.Labels().lbRadioNum, before.lbRadioNum);
  EXPECT_EQ(controller.Labels().lbMute, "Mute");
  EXPECT_EQ(TwoDigits(120), "120");
}

TEST_F(ControllerTest, UnchangedRecordRedrawsNothing) {
  Start();
  const int changes = view.labelChanges;
  controller.Refresh();
  EXPECT_EQ(view.labelChanges, changes);
  TDeviceStatus status = link.Status;
  status.CdInfo += 1;  // a field no label shows still counts as a change
  controller.ShowStatus(status);
  EXPECT_GT(view.labelChanges, changes);
  EXPECT_EQ(Parts(controller).Display().LastStatus(), status);
}

TEST_F(ControllerTest, AResumeToldOnceActsAtOnce) {
  Parts(controller).Options().SuspendOn = true;
  Start();
  controller.PowerBroadcast(kPowerSuspend);
  EXPECT_FALSE(Parts(controller).Timers().Timer2().Enabled);
  const std::size_t waitsBefore = clock.waits.size();
  controller.Resumed();
  EXPECT_TRUE(Parts(controller).Timers().Timer2().Enabled);
  EXPECT_EQ(Sent(), std::vector<Frame>{BuildFrame(0x06, 0x81)});
  EXPECT_EQ(clock.waits.size(), waitsBefore);  // no 8 s wait
  // Nothing is left counted: Windows' next pair acts on its second notification again.
  controller.PowerBroadcast(kPowerSuspend);
  controller.PowerBroadcast(kPowerResumeSuspend);
  EXPECT_FALSE(Parts(controller).Timers().Timer2().Enabled);
  controller.PowerBroadcast(kPowerResumeSuspend);
  EXPECT_TRUE(Parts(controller).Timers().Timer2().Enabled);
}

TEST_F(ControllerTest, ResumeActionsRunOnEverySecondNotification) {
  Parts(controller).Options().SuspendOn = true;
  Parts(controller).Options().SuspendOff = true;
  Start();
  controller.PowerBroadcast(kPowerSuspend);
  EXPECT_FALSE(Parts(controller).Timers().Timer2().Enabled);
  EXPECT_EQ(Sent(), std::vector<Frame>{BuildFrame(0x06, 0x80)});
  controller.PowerBroadcast(kPowerResumeAutomatic);  // counter 0 -> 1
  EXPECT_FALSE(Parts(controller).Timers().Timer2().Enabled);
  EXPECT_EQ(Sent().size(), 1u);
  controller.PowerBroadcast(kPowerResumeSuspend);  // counter 1: act
  EXPECT_TRUE(Parts(controller).Timers().Timer2().Enabled);
  EXPECT_EQ(Sent().back(), BuildFrame(0x06, 0x81));

  // The automatic-resume notification waits 8 s, processing messages, before it acts.
  controller.PowerBroadcast(kPowerSuspend);
  controller.PowerBroadcast(kPowerResumeSuspend);
  clock.waits.clear();
  controller.PowerBroadcast(kPowerResumeAutomatic);
  ASSERT_EQ(clock.waits.size(), 1u);
  EXPECT_TRUE(clock.waits[0].processesMessages);
  EXPECT_EQ(clock.waits[0].ms, 8000);
  EXPECT_TRUE(Parts(controller).Timers().Timer2().Enabled);
}

TEST_F(ControllerTest, PowerSaveStartsWithTheProgramAndRestartsOnEveryChange) {
  Parts(controller).Options().APS = true;
  Parts(controller).Options().APSMin = 30;
  Start();
  ASSERT_TRUE(Parts(controller).PowerSave().Active());
  EXPECT_EQ(Parts(controller).PowerSave().EndTick(), clock.now + 30 * 60'000);
  clock.now += 60'000;
  controller.Refresh();  // nothing changed: the countdown runs on
  EXPECT_EQ(Parts(controller).PowerSave().EndTick(), clock.now - 60'000 + 30 * 60'000);
  sim.PressRemoteKey(TSimComponent::RemoteKey::Mute);
  controller.Refresh();
  EXPECT_EQ(Parts(controller).PowerSave().EndTick(), clock.now + 30 * 60'000);
}

TEST_F(ControllerTest, CloseAndEndOfSessionPowerOffOnlyWithAutoOff) {
  Start();
  controller.FormClose();
  EXPECT_TRUE(controller.QueryEndSession());
  EXPECT_TRUE(Sent().empty());
  Parts(controller).Options().AutoOff = true;
  controller.FormClose();
  EXPECT_EQ(Sent(), std::vector<Frame>{BuildFrame(0x06, 0x80)});
}

// Where the window goes: dragged with snapping, and what a window that cannot learn its place on
// the desktop (a Wayland client) does with the place the settings file holds.
class WindowPlaceTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  static constexpr const char* kPath = "/home/user/zr4pcctrl.ini";
  test::FakeView view;
  test::FakeFileStore files;
  test::FakeTextCodec codec;
  SettingsStorage storage{files, codec, kPath};
  TController controller{clock, link, view, &storage};
};

TEST_F(WindowPlaceTest, ADragSnapsToTheWorkAreaAndToTheOtherWindows) {
  controller.FormCreate({});
  view.workArea = TRect{0, 0, 1000, 700};
  view.window = {100, 100, 420, 220};
  controller.WindowDragStarted();
  controller.WindowDragged(-94, 0, {});
  EXPECT_EQ(view.window, (TRect{0, 100, 320, 220}));  // 6 pixels from the edge: onto it
  controller.WindowDragged(14, 0, {});
  EXPECT_EQ(view.window, (TRect{20, 100, 340, 220}));  // the mouse moved on: released
  controller.WindowDragged(0, 300, {{300, 300, 700, 395}});
  EXPECT_EQ(view.window, (TRect{20, 395, 340, 515}));  // top edge onto the other's bottom
}

TEST_F(WindowPlaceTest, AWindowThatCannotLearnItsPlaceIsNeverMovedAndKeepsTheSavedOne) {
  view.knowsPosition = false;
  view.window = {0, 0, 320, 120};  // what such a window reports wherever it is
  view.workArea = TRect{0, 0, 200, 100};
  files.files[kPath] = "[Window]\r\nLeft=321\r\nTop=234\r\n";
  controller.FormCreate({});

  controller.WindowDragStarted();
  controller.WindowDragged(-3, 0, {});
  // A skin chosen in the options dialog would pull the window into the work area; its OK saves
  // the settings.
  view.optionDialog = [](TOptionFormModel& form) {
    form.SkinBrowsed("/home/user/skins/Green.zip", "/home/user");
    return true;
  };
  Parts(controller).Actions().Execute("actOptionDialog");
  EXPECT_EQ(files.files[kPath].rfind("[Window]\r\nLeft=321\r\nTop=234\r\n", 0), 0u);
  controller.FormClose();
  EXPECT_EQ(files.files[kPath].rfind("[Window]\r\nLeft=321\r\nTop=234\r\n", 0), 0u);
  EXPECT_EQ(view.windowMoves, 0);
  EXPECT_EQ(view.window, (TRect{0, 0, 320, 120}));
}

TEST_F(WindowPlaceTest, AWindowThatCannotLearnItsPlaceSavesTheDesignPlaceWhenTheFileHasNone) {
  view.knowsPosition = false;
  view.window = {0, 0, 320, 120};
  files.files[kPath] = "[Setting]\r\nVolMax=50\r\n";
  controller.FormCreate({});
  controller.FormClose();
  EXPECT_NE(files.files[kPath].find("[Window]\r\nLeft=379\r\nTop=304\r\n"), std::string::npos);
}

// The simulated component never passes for a ZR4PC: while it stands in, the window carries the
// mark and the about box says so; a ZR4PC plugged in takes both away (the texts a real
// component shows stay as they are), and one that leaves does not bring the simulator back.
TEST_F(ControllerTest, TheSimulatedComponentIsMarkedUntilAZr4pcTakesOver) {
  test::HardwareFinder hardware(sim);
  hardware.plugged = false;
  FallbackFinder fallback(&hardware, finder);
  TZR4Ctrl fallbackLink(clock, fallback);
  TController app(clock, fallbackLink, view);
  TStartup startup;
  startup.discovery.componentMissing = true;
  app.FormCreate(startup);
  EXPECT_EQ(view.simulatedMarks, std::vector<std::string>{"SIM"});
  EXPECT_TRUE(app.Simulated());
  EXPECT_EQ(Parts(app).About().Load().Simulated, "ZR4PCのシミュレーターで動作中です。");
  const TPanelLabels simulated = app.Labels();
  EXPECT_EQ(simulated.lbInput, "FM");

  hardware.plugged = true;
  fallbackLink.Discover();
  app.DeviceRediscovered({});
  EXPECT_EQ(view.simulatedMarks, (std::vector<std::string>{"SIM", ""}));
  EXPECT_FALSE(app.Simulated());
  EXPECT_EQ(Parts(app).About().Load().Simulated, "");
  EXPECT_EQ(app.Labels(), simulated);

  hardware.plugged = false;
  fallbackLink.Discover();
  app.DeviceRediscovered({});
  EXPECT_EQ(view.simulatedMarks.back(), "");
  EXPECT_FALSE(app.Simulated());
  EXPECT_EQ(Parts(app).About().Load().Simulated, "");
}

TEST_F(ControllerTest, AZr4pcFoundAtStartIsNeverMarked) {
  test::HardwareFinder hardware(sim);
  FallbackFinder fallback(&hardware, finder);
  TZR4Ctrl fallbackLink(clock, fallback);
  TController app(clock, fallbackLink, view);
  app.FormCreate({});
  EXPECT_EQ(view.simulatedMarks, std::vector<std::string>{""});
  EXPECT_FALSE(app.Simulated());
  EXPECT_EQ(Parts(app).About().Load().Simulated, "");
  EXPECT_EQ(app.Labels().lbInput, "FM");
  EXPECT_TRUE(view.messages.empty());
}

}  // namespace
}  // namespace zr4
