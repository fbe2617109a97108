#include "core/device/sim_component.h"

#include <gtest/gtest.h>

#include "core/device/sim_finder.h"
#include "core/device/zr4ctrl.h"
#include "fakes/fake_clock.h"

namespace zr4 {
namespace {

class SimTest : public ::testing::Test {
 protected:
  TDeviceStatus Read() {
    EXPECT_TRUE(link.ReadStatus());
    return link.Status;
  }

  test::FakeClock clock;
  TSimComponent sim{clock};
  SimDeviceFinder finder{sim};
  TZR4Ctrl link{clock, finder};
};

TEST_F(SimTest, TunerPresetsRoundTripForBothBands) {
  link.CallPreset(3);
  TDeviceStatus status = Read();
  EXPECT_EQ(status.Source, kInputFM);
  EXPECT_EQ(status.Preset, 3);
  EXPECT_EQ(status.FreqHigh * 100 + status.FreqLow, sim.presets()[2].frequency);
  link.CallPreset(19);  // 531 kHz
  status = Read();
  EXPECT_EQ(status.Source, kInputAM);
  EXPECT_EQ(status.FreqHigh, 5);
  EXPECT_EQ(status.FreqLow, 31);
  link.SendCommand(cmdPresetUp);
  EXPECT_EQ(Read().Preset, 20);
  link.SendCommand(cmdPresetUp);  // wraps to the first preset, back on FM
  status = Read();
  EXPECT_EQ(status.Preset, 1);
  EXPECT_EQ(status.Source, kInputFM);
  link.SendCommand(cmdPresetDown);
  EXPECT_EQ(Read().Preset, 20);
}

TEST_F(SimTest, BandToggleAndTuningMode) {
  link.SendCommand(cmdSelectTuner);
  EXPECT_EQ(Read().TuneMode, 1);
  link.SendCommand(cmdAutoManual);
  EXPECT_EQ(Read().TuneMode, 2);
  const int band = Read().Source;
  link.SendCommand(cmdSelectBand);
  EXPECT_NE(Read().Source, band);
  link.SendCommand(cmdSelectCD);
  link.SendCommand(cmdSelectBand);  // from another input it selects the tuner
  EXPECT_TRUE(Read().Source == kInputFM || Read().Source == kInputAM);
}

TEST_F(SimTest, EveryInputIsReported) {
  const std::pair<std::uint32_t, int> inputs[] = {{cmdSelectCD, kInputCD},
                                                  {cmdSelectMD, kInputMD},
                                                  {cmdSelectAUX, kInputAUX},
                                                  {cmdSelectUSB, kInputUSB},
                                                  {cmdSelectTuner, kInputFM}};
  for (auto [command, input] : inputs) {
    link.SendCommand(command);
    EXPECT_EQ(Read().Source, input);
    EXPECT_EQ(sim.input(), input);
  }
}

TEST_F(SimTest, PowerMuteToneAndVolume) {
  link.SendCommand(cmdMute);
  EXPECT_EQ(Read().Mute, 1);
  link.SendCommand(cmdMute);
  EXPECT_EQ(Read().Mute, 0);
  EXPECT_EQ(Read().ToneMode, 1);
  link.SendCommand(cmdTone);
  EXPECT_EQ(Read().ToneMode, 2);
  link.SendCommand(cmdTone);
  EXPECT_EQ(Read().ToneMode, 3);
  link.SendCommand(cmdTone);
  EXPECT_EQ(Read().ToneMode, 1);
  link.SetVolume(95);
  EXPECT_EQ(Read().Volume, 80);
  link.SendCommand(cmdPowerOff);
  EXPECT_EQ(Read().Standby, 1);
  link.SendCommand(cmdSelectCD);  // ignored in standby
  EXPECT_EQ(Read().Source, kInputFM);
  link.SendCommand(cmdPowerOn);
  EXPECT_EQ(Read().Standby, 0);
}

TEST_F(SimTest, UsbPlaybackFlagTravelsWithTheToneBits) {
  link.SendCommand(cmdSelectUSB);
  sim.SetUsbPlayback(true);
  EXPECT_EQ(Read().UsbPlayback, 1);
  sim.SetUsbPlayback(false);
  EXPECT_EQ(Read().UsbPlayback, 0);
}

TEST_F(SimTest, CdPlaysThroughTheDiscWithTheClock) {
  link.PlayTrack(4);  // 64 seconds long
  clock.now += 61'500;
  TDeviceStatus status = Read();
  EXPECT_EQ(status.Source, kInputCD);
  EXPECT_EQ(status.CdTrack, 4);
  EXPECT_EQ(status.CdMinute, 1);
  EXPECT_EQ(status.CdSecond, 1);
  EXPECT_EQ(status.CdInfo, 12);
  clock.now += 5'000;  // into track 5
  status = Read();
  EXPECT_EQ(status.CdTrack, 5);
  EXPECT_EQ(status.CdSecond, 2);
  clock.now += 2'000;
  link.SendCommand(cmdCdPrevious);  // more than 3 s in: back to the start of the track
  EXPECT_EQ(Read().CdTrack, 5);
  EXPECT_EQ(Read().CdSecond, 0);
  link.SendCommand(cmdCdPrevious);
  EXPECT_EQ(Read().CdTrack, 4);
  link.SendCommand(cmdCdForward);
  EXPECT_EQ(Read().CdSecond, 10);
  link.SendCommand(cmdCdRewind);
  EXPECT_EQ(Read().CdSecond, 0);
  link.SendCommand(cmdCdNext);
  EXPECT_EQ(Read().CdTrack, 5);
  link.SendCommand(cmdCdPlay);  // pauses
  clock.now += 10'000;
  EXPECT_EQ(Read().CdSecond, 0);
  link.SendCommand(cmdCdStop);
  EXPECT_EQ(sim.cdState(), TSimComponent::CdState::Stopped);
  link.PlayTrack(13);  // no such track
  EXPECT_EQ(sim.cdState(), TSimComponent::CdState::Stopped);
}

// Standby stops the disc; power on finds it stopped on the same track, and the time only runs
// again when it is played.
TEST_F(SimTest, StandbyStopsTheCd) {
  link.PlayTrack(3);
  clock.now += 20'000;
  link.SendCommand(cmdPowerOff);
  clock.now += 30'000;
  const Frame report = sim.BuildReport();
  EXPECT_EQ(report[5], 0x32);   // standby, tone off
  EXPECT_EQ(report[10], 0x00);  // minutes and seconds stand at 00:00
  EXPECT_EQ(report[11], 0x00);
  link.SendCommand(cmdPowerOn);
  clock.now += 5'000;
  TDeviceStatus status = Read();
  EXPECT_FALSE(status.Standby);
  EXPECT_EQ(status.Source, kInputCD);
  EXPECT_EQ(status.CdTrack, 3);
  EXPECT_EQ(status.CdSecond, 0);
  EXPECT_EQ(sim.cdState(), TSimComponent::CdState::Stopped);

  // The remote's power key does the same.
  link.SendCommand(cmdCdPlay);
  clock.now += 7'000;
  sim.PressRemoteKey(TSimComponent::RemoteKey::Power);
  clock.now += 7'000;
  sim.PressRemoteKey(TSimComponent::RemoteKey::Power);
  EXPECT_EQ(Read().CdSecond, 0);
  EXPECT_EQ(sim.cdState(), TSimComponent::CdState::Stopped);
}

TEST_F(SimTest, CdModesMapToThePlayModeFlags) {
  link.SendCommand(cmdSelectCD);
  link.SendCommand(cmdCdRepeat);
  EXPECT_EQ(Read().PlayMode, 1);
  link.SendCommand(cmdCdRepeat);
  EXPECT_EQ(Read().PlayMode, 2);
  link.SendCommand(cmdRandom);
  EXPECT_EQ(Read().PlayMode, 4);
  link.SendCommand(cmdCdRepeat);
  EXPECT_EQ(Read().PlayMode, 3);
  link.SendCommand(cmdRandom);
  EXPECT_EQ(Read().PlayMode, 0);
}

TEST_F(SimTest, EjectOpensAndClosesTheTray) {
  link.PlayTrack(2);
  link.SendCommand(cmdEject);
  EXPECT_EQ(sim.cdState(), TSimComponent::CdState::TrayOpen);
  EXPECT_EQ(Read().CdTrack, 0);
  link.SendCommand(cmdCdPlay);
  EXPECT_EQ(sim.cdState(), TSimComponent::CdState::Playing);
  EXPECT_EQ(Read().CdTrack, 1);
}

TEST_F(SimTest, MalformedFramesAreIgnored) {
  const int volume = sim.volume();
  Frame frame = BuildFrame(0x4D, 40);
  frame[4] ^= 1;  // checksum
  EXPECT_TRUE(link.DeviceRequest(false, frame.data()));
  frame = BuildFrame(0x4D, 40);
  frame[0] = 0xB9;
  link.DeviceRequest(false, frame.data());
  frame = BuildFrame(0x4D, 40);
  frame[1] = 3;
  frame[4] += 1;
  link.DeviceRequest(false, frame.data());
  EXPECT_EQ(sim.volume(), volume);
  EXPECT_EQ(sim.ReceivedFrames().size(), 3u);
}

TEST_F(SimTest, RemoteKeysChangeStateWithoutFrames) {
  sim.SetVolume(30);
  sim.PressRemoteKey(TSimComponent::RemoteKey::Mute);
  sim.PressRemoteKey(TSimComponent::RemoteKey::VolumeUp);
  EXPECT_EQ(Read().Mute, 1);
  EXPECT_EQ(Read().Volume, 31);
  sim.PressRemoteKey(TSimComponent::RemoteKey::VolumeDown);
  sim.PressRemoteKey(TSimComponent::RemoteKey::VolumeDown);
  EXPECT_EQ(Read().Volume, 29);
  sim.PressRemoteKey(TSimComponent::RemoteKey::Power);
  EXPECT_EQ(Read().Standby, 1);
  EXPECT_TRUE(sim.ReceivedFrames().empty());
}

TEST_F(SimTest, RecordKeepsTheNewestTransfersOnly) {
  for (std::size_t i = 0; i < 3 * TSimComponent::kMaxRecordedTransfers; ++i) link.ReadStatus();
  link.SendCommand(cmdMute);
  EXPECT_LE(sim.Transfers().size(), TSimComponent::kMaxRecordedTransfers);
  EXPECT_EQ(sim.ReceivedFrames().back(), BuildFrame(0x00, 0x9C));
}

TEST_F(SimTest, TraceHasOneLinePerTransfer) {
  std::vector<std::string> lines;
  sim.SetTrace([&](const std::string& line) { lines.push_back(line); });
  link.SendCommand(cmdPowerOff);
  link.ReadStatus();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 19), "OUT B8 02 06 80 40 ");
  EXPECT_EQ(lines[0].size(), 4u + 96u);
  EXPECT_EQ(lines[1].substr(0, 3), "IN ");
}

}  // namespace
}  // namespace zr4
