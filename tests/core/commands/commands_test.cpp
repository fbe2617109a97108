#include "core/commands/commands.h"

#include "fakes/command_harness.h"
#include "fakes/controller_parts.h"

namespace zr4::test {
namespace {

TEST_F(CommandTest, TransportKeysSendOnlyWhatTheInputKnows) {
  Select(cmdSelectUSB);
  commands.actNextExecute();
  EXPECT_EQ(Take(), (Log{"pause 200", "read"}));
  commands.actPreviousExecute();
  commands.actForwardExecute();
  commands.actRewindExecute();
  commands.actRepeatExecute();
  EXPECT_EQ(Take(), (Log{"pause 200", "read", "pause 200", "read", "pause 200", "read", "pause 200",
                         "read"}));

  Select(cmdSelectAUX);
  commands.actStopExecute();
  EXPECT_EQ(Take(), Log{"read"});

  Select(cmdSelectTuner);
  commands.actNextExecute();
  commands.actPreviousExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdPresetUp), "pause 200", "read", Send(cmdPresetDown), "pause 200",
                         "read"}));

  Select(cmdSelectMD);
  commands.actNextExecute();
  commands.actStopExecute();
  commands.actForwardExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdMdSkipUp), "pause 200", "read", Send(cmdMdStop), "pause 200",
                         "read", Send(cmdMdFF), "pause 200", "read"}));

  Select(cmdSelectCD);
  commands.actRewindExecute();
  commands.actRepeatExecute();
  EXPECT_EQ(Take(),
            (Log{Send(cmdCdRewind), "pause 200", "read", Send(cmdCdRepeat), "pause 200", "read"}));
}

TEST_F(CommandTest, AutoManualActsOnlyOnTheTuner) {
  Select(cmdSelectCD);
  const int labelChanges = view.labelChanges;
  commands.actAutoManuExecute();
  EXPECT_EQ(Take(), Log{});
  EXPECT_EQ(view.labelChanges, labelChanges);

  Select(cmdSelectBand);  // AM
  commands.actAutoManuExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdAutoManual), "pause 200", "read"}));
  EXPECT_EQ(controller.Labels().lbAutoManu, "Manual");
}

TEST_F(CommandTest, EjectStopsTheCdFirst) {
  Select(cmdSelectCD);
  commands.actEjectExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdCdStop), "pause 200", Send(cmdEject), "pause 200", "read"}));
  EXPECT_EQ(sim.cdState(), TSimComponent::CdState::TrayOpen);

  Select(cmdSelectMD);
  commands.actEjectExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdEject), "pause 200", "read"}));
}

TEST_F(CommandTest, PlayIsTheMdsOnMdAndTheCdsEverywhereElse) {
  Select(cmdSelectMD);
  commands.actPlayExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdMdPlay), "pause 200", "read"}));

  Select(cmdSelectTuner);
  Parts(controller).Display().ShowStationName("FM-A");
  commands.actPlayExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdCdPlay), "pause 200", "read"}));
  EXPECT_TRUE(controller.Labels().lbRadioNumVisible);
  EXPECT_FALSE(controller.Labels().lbRadioNameVisible);
  EXPECT_EQ(sim.cdState(), TSimComponent::CdState::Playing);
}

TEST_F(CommandTest, PowerToggleReadsThenSwitchesWithoutPauseOrDisplay) {
  const TDeviceStatus shown = Parts(controller).Display().LastStatus();
  commands.actPowerExecute();
  EXPECT_EQ(Take(), (Log{"read", Send(cmdPowerOff)}));
  EXPECT_TRUE(sim.standby());
  EXPECT_EQ(Parts(controller).Display().LastStatus(), shown);

  commands.actPowerExecute();
  EXPECT_EQ(Take(), (Log{"read", Send(cmdPowerOn)}));
  EXPECT_FALSE(sim.standby());
}

TEST_F(CommandTest, OtherKeysSendWhateverTheInput) {
  commands.actMuteExecute();
  commands.actToneExecute();
  commands.actRandomExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdMute), "pause 200", "read", Send(cmdTone), "pause 200", "read",
                         Send(cmdRandom), "pause 200", "read"}));
  EXPECT_EQ(controller.Labels().lbMute, "Mute");
  EXPECT_EQ(controller.Labels().lbTone, "N.B.1");

  commands.actInputLevelUpExecute();
  commands.actInputLevelDnExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdInputLevelUp), Send(cmdInputLevelDn)}));

  commands.CdDirectClick(5);
  EXPECT_EQ(Take(), (Log{Send(cmdPlayTrack, 5), "pause 200", "read"}));
  EXPECT_EQ(sim.cdTrack(), 5);
  commands.DeviceKeyClick(cmdTapeFF);
  commands.DeviceKeyClick(cmdMdDivide);
  EXPECT_EQ(Take(),
            (Log{Send(cmdTapeFF), "pause 200", "read", Send(cmdMdDivide), "pause 200", "read"}));
}

TEST_F(CommandTest, SelectingTheCdPollsFasterAndShowsTheTime) {
  controller.Timer2Timer();  // past the first poll the tuner is polled every 5 s
  Take();
  ASSERT_EQ(Parts(controller).Timers().Timer2().Interval, 5000);
  Parts(controller).Display().ShowStationName("FM-A");
  commands.actSelectCDExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdSelectCD), "pause 200", "read"}));
  EXPECT_EQ(Parts(controller).Timers().Timer2().Interval, 1000);
  EXPECT_FALSE(controller.Labels().lbHzVisible);
  EXPECT_TRUE(controller.Labels().lbRadioNumVisible);
  EXPECT_FALSE(controller.Labels().lbRadioNameVisible);

  // Back on the tuner the frequency has its unit again.
  commands.actSelectTUNERExecute();
  EXPECT_TRUE(controller.Labels().lbHzVisible);
  EXPECT_EQ(controller.Labels().lbHz, "MHz");

  // With remote gestures the fast gesture poll stays.
  Parts(controller).Options().RemoConEnable = true;
  Parts(controller).Timers().SetPollInterval(200);
  commands.actSelectCDExecute();
  EXPECT_EQ(Parts(controller).Timers().Timer2().Interval, 200);
}

TEST_F(CommandTest, ModeButtonVisitsTheFlaggedInputs) {
  // All flags off: every input in cycle order.
  EXPECT_EQ(commands.NextModeInput(kInputFM), kInputCD);
  EXPECT_EQ(commands.NextModeInput(kInputAM), kInputCD);
  EXPECT_EQ(commands.NextModeInput(kInputCD), kInputMD);
  EXPECT_EQ(commands.NextModeInput(kInputMD), kInputAUX);
  EXPECT_EQ(commands.NextModeInput(kInputAUX), kInputUSB);
  EXPECT_EQ(commands.NextModeInput(kInputUSB), kInputFM);
  EXPECT_EQ(commands.NextModeInput(kInputNone), kInputNone);
  EXPECT_EQ(commands.NextModeInput(7), kInputNone);

  TOptionData& o = Parts(controller).Options();
  o.ModeMD = true;
  EXPECT_EQ(commands.NextModeInput(kInputFM), kInputMD);
  EXPECT_EQ(commands.NextModeInput(kInputMD), kInputAUX);  // own flag only: the next input
  o.ModeMD = false;
  o.ModeTuner = true;
  EXPECT_EQ(commands.NextModeInput(kInputAM), kInputCD);
  EXPECT_EQ(commands.NextModeInput(kInputCD), kInputFM);
  o.ModeCD = true;
  o.ModeAUX = true;
  EXPECT_EQ(commands.NextModeInput(kInputUSB), kInputFM);
  EXPECT_EQ(commands.NextModeInput(kInputMD), kInputAUX);
  EXPECT_EQ(commands.NextModeInput(kInputAUX), kInputFM);
}

TEST_F(CommandTest, ModeChangeSelectsWithAutoVolume) {
  Parts(controller).Options().ModeMD = true;
  Parts(controller).Options().AutoVolChange = true;
  Parts(controller).Options().VolMD = 4;
  commands.actModeChangeExecute();
  EXPECT_EQ(Take(),
            (Log{Send(cmdSelectMD), "pause 200", "pause 100", Send(cmdSetVolume, 26), "read"}));
  EXPECT_EQ(sim.input(), kInputMD);
  EXPECT_EQ(sim.volume(), 26);

  // From the PC USB input the tuner is selected as such, not by band.
  Select(cmdSelectUSB);
  Parts(controller).Options().ModeMD = false;
  Parts(controller).Options().AutoVolChange = false;
  commands.actModeChangeExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdSelectTuner), "pause 200", "read"}));

  Parts(controller).Link().Status.Source = kInputNone;
  commands.actModeChangeExecute();
  EXPECT_EQ(Take(), Log{});
}

TEST_F(CommandTest, AutoVolumeKeepsTheLoudnessAcrossInputs) {
  Parts(controller).Options().AutoVolChange = true;
  Parts(controller).Options().VolCD = 5;
  Parts(controller).Options().VolUSB = 10;
  sim.SetVolume(30);
  Select(cmdSelectCD);
  ASSERT_EQ(Parts(controller).ScrollBar1().Position(), 30);

  commands.actSelectUSBExecute();
  EXPECT_EQ(Take(),
            (Log{Send(cmdSelectUSB), "pause 200", "pause 100", Send(cmdSetVolume, 35), "read"}));
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 35);

  // FM and AM are both the reference level.
  Select(cmdSelectTuner);
  Select(cmdSelectBand);
  ASSERT_EQ(sim.input(), kInputAM);
  commands.actSelectBANDExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdSelectBand), "pause 200", "read"}));

  // A preset call counts as a switch to the tuner.
  Select(cmdSelectCD);
  commands.TunerDirectClick(3);
  EXPECT_EQ(Take(), (Log{Send(cmdSelectTuner), "pause 100", Send(cmdCallPreset, 3), "pause 200",
                         "pause 100", Send(cmdSetVolume, 30), "read"}));
  EXPECT_EQ(sim.preset(), 3);

  Parts(controller).Options().AutoVolChange = false;
  Select(cmdSelectCD);
  commands.actSelectUSBExecute();
  EXPECT_EQ(Take(), (Log{Send(cmdSelectUSB), "pause 200", "read"}));
}

TEST_F(CommandTest, VolumePresetPassesTheLimitUntilTheRefreshPullsItBack) {
  sim.SetVolume(20);
  controller.Refresh();
  SetVolMax(30);
  commands.VolumePresetClick(50);
  EXPECT_EQ(Take(), (Log{"pause 100", Send(cmdSetVolume, 50), "read", "pause 100",
                         Send(cmdSetVolume, 30)}));
  EXPECT_EQ(sim.volume(), 30);

  // Already at the limit the slider does not move, so the component keeps the preset.
  commands.VolumePresetClick(50);
  EXPECT_EQ(Take(), (Log{"pause 100", Send(cmdSetVolume, 50), "read"}));
  EXPECT_EQ(sim.volume(), 50);
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 30);
}

TEST_F(CommandTest, VolumeStepsAndActivity) {
  Parts(controller).Options().VolLR = 2;
  Parts(controller).Options().VolUD = 7;
  commands.actVolumeUpExecute();
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 24);
  commands.actVolumeDownBExecute();
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 17);
  commands.actVolumeUpBExecute();
  commands.actVolumeDnExecute();
  EXPECT_EQ(Parts(controller).ScrollBar1().Position(), 22);
  EXPECT_EQ(sim.volume(), 22);
  EXPECT_EQ(controller.Labels().lbVol, "22");
  EXPECT_FALSE(Parts(controller).PowerSave().Active());

  // A volume change is activity for the power save while it is on.
  Parts(controller).Options().APS = true;
  Parts(controller).Options().APSMin = 15;
  commands.actVolumeUpExecute();
  EXPECT_TRUE(Parts(controller).PowerSave().Active());
  EXPECT_EQ(Parts(controller).PowerSave().EndTick(), clock.now + 15 * 60'000);
}

TEST_F(CommandTest, WindowToggles) {
  commands.AlwaysOnTopClick();
  EXPECT_TRUE(Parts(controller).Settings().OnTop);
  commands.AlwaysOnTopClick();
  EXPECT_FALSE(Parts(controller).Settings().OnTop);
  EXPECT_EQ(view.topmostCalls, (std::vector<bool>{true, false}));

  commands.AutoOnClick();
  commands.AutoOffClick();
  EXPECT_TRUE(Parts(controller).Options().AutoOn);
  EXPECT_TRUE(Parts(controller).Options().AutoOff);
  commands.AutoOffClick();
  EXPECT_FALSE(Parts(controller).Options().AutoOff);

  commands.actMinimizeExecute();
  commands.actExitExecute();
  EXPECT_EQ(view.minimizeRequests, 1);
  EXPECT_EQ(view.closeRequests, 1);
  EXPECT_EQ(Take(), Log{});
}

TEST_F(CommandTest, WithoutComponentCommandsSendNothingAndStillWork) {
  TController lonely(clock, absentLink, view);
  lonely.FormCreate({});
  clock.log.clear();
  Parts(lonely).Commands().actPowerExecute();
  Parts(lonely).Commands().actModeChangeExecute();  // input 0: nothing
  Parts(lonely).Commands().VolumePresetClick(40);
  Parts(lonely).Commands().actEjectExecute();
  EXPECT_EQ(Take(), Log{"pause 200"});  // only the eject's own pause
  EXPECT_EQ(lonely.Labels(), TPanelLabels{});
}

}  // namespace
}  // namespace zr4::test
