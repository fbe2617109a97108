#include "core/device/zr4defs.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

Frame Report(std::initializer_list<std::pair<int, std::uint8_t>> bytes) {
  Frame report{};
  for (auto [index, value] : bytes) report[index] = value;
  return report;
}

// The frames of every command, as the component receives them, are checked in zr4ctrl_test.
TEST(Frames, BuildsStartLengthCommandArgumentAndChecksum) {
  EXPECT_EQ(HexDump(BuildFrame(0x06, 0x80)).substr(0, 15), "B8 02 06 80 40 ");
  EXPECT_EQ(HexDump(BuildFrame(0x4D, 22)).substr(0, 15), "B8 02 4D 16 1D ");
  // The checksum wraps modulo 256 and the rest of the frame stays zero.
  const Frame frame = BuildFrame(0xFF, 0xFF);
  EXPECT_EQ(frame[4], static_cast<std::uint8_t>(0xB8 + 0x02 + 0xFF + 0xFF));
  for (std::size_t i = 5; i < kFrameSize; ++i) EXPECT_EQ(frame[i], 0) << i;
}

TEST(Frames, HexDumpIsUpperCaseWithOneSpaceEach) {
  const std::uint8_t bytes[] = {0x0a, 0xbc, 0x00};
  EXPECT_EQ(HexDump(bytes, 3), "0A BC 00 ");
  EXPECT_EQ(HexDump(Frame{}).size(), 96u);
}

TEST(Bcd, DecodesWithoutValidityCheck) {
  EXPECT_EQ(DecodeBcd(0x22), 22);
  EXPECT_EQ(DecodeBcd(0x2F), 35);
  EXPECT_EQ(DecodeBcd(0x1A), 20);
  EXPECT_EQ(DecodeBcd(0xFF), 165);
}

TEST(StatusDecoding, InputNumbersAreFixed) {
  const std::pair<Input, int> inputs[] = {{kInputNone, 0}, {kInputFM, 1}, {kInputAM, 2},
                                          {kInputCD, 3},   {kInputMD, 4}, {kInputAUX, 5},
                                          {kInputUSB, 6}};
  for (auto [input, number] : inputs) EXPECT_EQ(static_cast<int>(input), number);
}

TEST(StatusDecoding, InputFromLowNibbleOfByte3) {
  TDeviceStatus status;
  DecodeStatus(Report({{3, 0x21}}), status);
  EXPECT_EQ(status.Source, kInputCD);
  DecodeStatus(Report({{3, 0x02}}), status);
  EXPECT_EQ(status.Source, kInputMD);
  DecodeStatus(Report({{3, 0x03}}), status);
  EXPECT_EQ(status.Source, kInputAUX);
  DecodeStatus(Report({{3, 0x04}}), status);
  EXPECT_EQ(status.Source, kInputUSB);
  DecodeStatus(Report({{3, 0x05}}), status);
  EXPECT_EQ(status.Source, kInputNone);
  DecodeStatus(Report({{3, 0x0F}}), status);
  EXPECT_EQ(status.Source, kInputNone);
}

TEST(StatusDecoding, PowerAndMuteNibble) {
  TDeviceStatus status;
  DecodeStatus(Report({{5, 0x03}}), status);
  EXPECT_EQ(status.Mute, 1);
  EXPECT_EQ(status.Standby, 0);
  DecodeStatus(Report({{5, 0x02}}), status);
  EXPECT_EQ(status.Standby, 1);
  EXPECT_EQ(status.Mute, 0);
  // Neither on nor standby: standby cleared, mute kept.
  status.Mute = 1;
  DecodeStatus(Report({{5, 0x00}}), status);
  EXPECT_EQ(status.Standby, 0);
  EXPECT_EQ(status.Mute, 1);
  DecodeStatus(Report({{5, 0x01}}), status);
  EXPECT_EQ(status.Mute, 0);
}

TEST(StatusDecoding, ToneBitsAndPlaybackFlag) {
  TDeviceStatus status;
  DecodeStatus(Report({{5, 0x91}}), status);
  EXPECT_EQ(status.ToneMode, 2);
  EXPECT_EQ(status.UsbPlayback, 1);
  // Muted, bit 7 set, no tone bits: tone cleared, playback flag left as it was.
  status.UsbPlayback = 0;
  DecodeStatus(Report({{5, 0x83}}), status);
  EXPECT_EQ(status.Mute, 1);
  EXPECT_EQ(status.ToneMode, 0);
  EXPECT_EQ(status.UsbPlayback, 0);
  status.UsbPlayback = 1;
  DecodeStatus(Report({{5, 0x01}}), status);
  EXPECT_EQ(status.UsbPlayback, 1);
  DecodeStatus(Report({{5, 0x21}}), status);
  EXPECT_EQ(status.ToneMode, 3);
  EXPECT_EQ(status.UsbPlayback, 0);
  DecodeStatus(Report({{5, 0xB1}}), status);
  EXPECT_EQ(status.ToneMode, 1);
  EXPECT_EQ(status.UsbPlayback, 1);
  DecodeStatus(Report({{5, 0x41}}), status);
  EXPECT_EQ(status.ToneMode, 0);
}

TEST(StatusDecoding, TunerFrequencyBandAndPreset) {
  TDeviceStatus status;
  DecodeStatus(Report({{9, 0x03}, {12, 0x80}, {13, 0x00}, {14, 0}}), status);
  EXPECT_EQ(status.Source, kInputFM);
  EXPECT_EQ(status.Preset, 3);
  EXPECT_EQ(status.FreqHigh, 80);
  EXPECT_EQ(status.FreqLow, 0);
  DecodeStatus(Report({{12, 0x05}, {13, 0x31}, {14, 1}}), status);
  EXPECT_EQ(status.Source, kInputAM);
  EXPECT_EQ(status.FreqHigh, 5);
  EXPECT_EQ(status.FreqLow, 31);
}

TEST(StatusDecoding, CdFieldsAndPlayModes) {
  TDeviceStatus status;
  DecodeStatus(Report({{3, 1}, {9, 0x07}, {10, 0x03}, {11, 0x05}, {13, 0x12}, {14, 0x04}}), status);
  EXPECT_EQ(status.CdTrack, 7);
  EXPECT_EQ(status.CdMinute, 3);
  EXPECT_EQ(status.CdSecond, 5);
  EXPECT_EQ(status.CdInfo, 12);
  EXPECT_EQ(status.PlayMode, 1);
  const std::pair<std::uint8_t, int> modes[] = {{0x02, 3}, {0x08, 2}, {0x0A, 4}, {0x06, 0}, {0, 0}};
  for (auto [flags, mode] : modes) {
    DecodeStatus(Report({{3, 1}, {14, flags}}), status);
    EXPECT_EQ(status.PlayMode, mode) << int(flags);
  }
}

TEST(StatusDecoding, FieldsOfOtherInputsKeepTheirValues) {
  TDeviceStatus status;
  DecodeStatus(Report({{3, 1}, {9, 0x07}, {10, 0x03}, {14, 0x04}}), status);
  DecodeStatus(Report({{3, 0}, {9, 0x12}, {12, 0x90}, {13, 0x50}}), status);
  EXPECT_EQ(status.CdTrack, 7);
  EXPECT_EQ(status.CdMinute, 3);
  EXPECT_EQ(status.PlayMode, 1);
  DecodeStatus(Report({{3, 2}}), status);
  EXPECT_EQ(status.Preset, 12);
  EXPECT_EQ(status.FreqHigh, 90);
}

TEST(StatusDecoding, TuningModeFromByte15) {
  TDeviceStatus status;
  DecodeStatus(Report({{15, 0}}), status);
  EXPECT_EQ(status.TuneMode, 1);
  DecodeStatus(Report({{15, 1}}), status);
  EXPECT_EQ(status.TuneMode, 2);
  DecodeStatus(Report({{15, 7}}), status);
  EXPECT_EQ(status.TuneMode, 0);
}

}  // namespace
}  // namespace zr4
