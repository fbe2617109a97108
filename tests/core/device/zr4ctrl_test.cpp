#include "core/device/zr4ctrl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"

namespace zr4 {
namespace {

// A back-end that records what it is given and answers with a fixed report.
class RecordingFinder : public DeviceFinder {
 public:
  std::optional<FoundDevice> FindDevice() override {
    ++searches;
    if (!present) return std::nullopt;
    return FoundDevice{"test-path", [this](bool in, std::uint8_t* buffer) {
                         if (in) {
                           Frame given;
                           std::memcpy(given.data(), buffer, kFrameSize);
                           readBuffers.push_back(given);
                           std::memcpy(buffer, report.data(), kFrameSize);
                         } else {
                           Frame frame;
                           std::memcpy(frame.data(), buffer, kFrameSize);
                           sent.push_back(frame);
                           sentAt.push_back(clock->now);
                         }
                         return succeed;
                       }};
  }

  bool present = true;
  bool succeed = true;
  int searches = 0;
  Frame report{};
  std::vector<Frame> sent;
  std::vector<Frame> readBuffers;  // the buffers of the status reads, as handed to the back-end
  std::vector<std::int64_t> sentAt;
  test::FakeClock* clock = nullptr;
};

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override { finder.clock = &clock; }
  test::FakeClock clock;
  RecordingFinder finder;
};

// The 32 bytes of a frame from its first five, followed by 27 zero bytes.
std::string FullFrame(const std::string& head) {
  std::string text = head + " ";
  for (std::size_t i = 5; i < kFrameSize; ++i) text += "00 ";
  return text;
}

// The component's command table, copied by hand with the checksum worked out, so that a
// wrong byte in a constant of zr4defs.h fails here however the rest of the code agrees with it.
struct ExpectedCommand {
  const char* name;
  std::uint32_t code;
  const char* frame;
};
constexpr ExpectedCommand kExpectedCommands[] = {
    {"cmdPowerOn", cmdPowerOn, "B8 02 06 81 41"},
    {"cmdPowerOff", cmdPowerOff, "B8 02 06 80 40"},
    {"cmdSelectTuner", cmdSelectTuner, "B8 02 00 91 4B"},
    {"cmdSelectCD", cmdSelectCD, "B8 02 00 92 4C"},
    {"cmdSelectUSB", cmdSelectUSB, "B8 02 00 93 4D"},
    {"cmdSelectAUX", cmdSelectAUX, "B8 02 00 95 4F"},
    {"cmdSelectMD", cmdSelectMD, "B8 02 01 D2 8D"},
    {"cmdSelectBand", cmdSelectBand, "B8 02 00 8F 49"},
    {"cmdMute", cmdMute, "B8 02 00 9C 56"},
    {"cmdTone", cmdTone, "B8 02 01 4B 06"},
    {"cmdAutoManual", cmdAutoManual, "B8 02 01 18 D3"},
    {"cmdPresetUp", cmdPresetUp, "B8 02 01 07 C2"},
    {"cmdPresetDown", cmdPresetDown, "B8 02 01 06 C1"},
    {"cmdCdPlay", cmdCdPlay, "B8 02 00 CB 85"},
    {"cmdCdStop", cmdCdStop, "B8 02 00 C9 83"},
    {"cmdCdNext", cmdCdNext, "B8 02 00 CF 89"},
    {"cmdCdPrevious", cmdCdPrevious, "B8 02 00 CE 88"},
    {"cmdCdForward", cmdCdForward, "B8 02 00 07 C1"},
    {"cmdCdRewind", cmdCdRewind, "B8 02 00 06 C0"},
    {"cmdCdRepeat", cmdCdRepeat, "B8 02 00 CC 86"},
    {"cmdRandom", cmdRandom, "B8 02 01 D4 8F"},
    {"cmdEject", cmdEject, "B8 02 01 8D 48"},
    {"cmdTapeStop", cmdTapeStop, "B8 02 00 DD 97"},
    {"cmdTapeFwd", cmdTapeFwd, "B8 02 00 D9 93"},
    {"cmdTapeRev", cmdTapeRev, "B8 02 00 D8 92"},
    {"cmdTapeFF", cmdTapeFF, "B8 02 00 DB 95"},
    {"cmdTapeFB", cmdTapeFB, "B8 02 00 DA 94"},
    {"cmdInputLevelUp", cmdInputLevelUp, "B8 02 01 C1 7C"},
    {"cmdInputLevelDn", cmdInputLevelDn, "B8 02 01 C0 7B"},
    {"cmdMdPlay", cmdMdPlay, "B8 02 01 D8 93"},
    {"cmdMdStop", cmdMdStop, "B8 02 01 D9 94"},
    {"cmdMdPause", cmdMdPause, "B8 02 01 DA 95"},
    {"cmdMdSkipUp", cmdMdSkipUp, "B8 02 01 DD 98"},
    {"cmdMdSkipDown", cmdMdSkipDown, "B8 02 01 DC 97"},
    {"cmdMdFF", cmdMdFF, "B8 02 01 DF 9A"},
    {"cmdMdFB", cmdMdFB, "B8 02 01 DE 99"},
    {"cmdMdRepeat", cmdMdRepeat, "B8 02 02 CF 8B"},
    {"cmdMdRandom", cmdMdRandom, "B8 02 03 42 FF"},
    {"cmdMdEject", cmdMdEject, "B8 02 03 40 FD"},
    {"cmdMdRec", cmdMdRec, "B8 02 01 DB 96"},
    {"cmdMdCombine", cmdMdCombine, "B8 02 06 DC 9C"},
    {"cmdMdDivide", cmdMdDivide, "B8 02 06 DB 9B"},
    {"cmdMdOte", cmdMdOte, "B8 02 00 40 FA"},
};

TEST_F(LinkTest, EveryCommandSendsItsLiteralFrame) {
  static_assert(std::size(kExpectedCommands) == 43);
  TZR4Ctrl link(clock, finder);
  for (const ExpectedCommand& command : kExpectedCommands) {
    SCOPED_TRACE(command.name);
    EXPECT_EQ(command.code >> 16, 0xB802u);  // callers pass the whole frame head
    ASSERT_TRUE(link.SendCommand(command.code));
    EXPECT_EQ(HexDump(finder.sent.back()), FullFrame(command.frame));
  }
  EXPECT_EQ(finder.sent.size(), std::size(kExpectedCommands));
  EXPECT_TRUE(finder.readBuffers.empty());
  EXPECT_TRUE(clock.waits.empty());
}

TEST_F(LinkTest, CommandsWithANumberSendTheirLiteralFrames) {
  TZR4Ctrl link(clock, finder);
  link.SetVolume(22);
  link.SetVolume(0);
  link.SetVolume(-5);  // clamped to 0
  link.SetVolume(80);
  link.SetVolume(95);  // clamped to 80
  link.CallPreset(5);  // selects the tuner first
  link.CallPreset(20);
  link.PlayTrack(3);
  link.PlayTrack(20);
  link.PlayTrack(0x103);  // only the low byte goes out
  std::vector<std::string> sent;
  for (const Frame& frame : finder.sent) sent.push_back(HexDump(frame));
  const std::vector<std::string> expected = {
      FullFrame("B8 02 4D 16 1D"), FullFrame("B8 02 4D 00 07"), FullFrame("B8 02 4D 00 07"),
      FullFrame("B8 02 4D 50 57"), FullFrame("B8 02 4D 50 57"), FullFrame("B8 02 00 91 4B"),
      FullFrame("B8 02 4C 05 0B"), FullFrame("B8 02 00 91 4B"), FullFrame("B8 02 4C 14 1A"),
      FullFrame("B8 02 44 03 01"), FullFrame("B8 02 44 14 12"), FullFrame("B8 02 44 03 01")};
  EXPECT_EQ(sent, expected);
}

TEST_F(LinkTest, StatusReadIsOneInRequestWithAZeroedBuffer) {
  TZR4Ctrl link(clock, finder);
  finder.report.fill(0xEE);
  EXPECT_TRUE(link.ReadStatus());
  EXPECT_TRUE(link.ReadStatus());  // the buffer is zeroed again, not reused
  ASSERT_EQ(finder.readBuffers.size(), 2u);
  for (const Frame& buffer : finder.readBuffers)
    EXPECT_EQ(HexDump(buffer), FullFrame("00 00 00 00 00"));
  EXPECT_TRUE(finder.sent.empty());
  EXPECT_TRUE(clock.waits.empty());
}

TEST_F(LinkTest, SendCommandUsesTheLow16Bits) {
  TZR4Ctrl link(clock, finder);
  ASSERT_TRUE(link.Found);
  EXPECT_EQ(link.DevicePath, "test-path");
  EXPECT_TRUE(link.SendCommand(0xB8020681));
  EXPECT_TRUE(link.SendCommand(0x0681));
  ASSERT_EQ(finder.sent.size(), 2u);
  EXPECT_EQ(HexDump(finder.sent[0]), FullFrame("B8 02 06 81 41"));
  EXPECT_EQ(finder.sent[0], finder.sent[1]);
}

TEST_F(LinkTest, SetVolumePausesFirst) {
  TZR4Ctrl link(clock, finder);
  const std::int64_t start = clock.now;
  link.SetVolume(-5);
  link.SetVolume(95);
  ASSERT_EQ(finder.sent.size(), 2u);
  ASSERT_EQ(clock.waits.size(), 2u);
  EXPECT_EQ(clock.waits[0].ms, 100);
  EXPECT_FALSE(clock.waits[0].processesMessages);
  EXPECT_EQ(finder.sentAt[0], start + 100);  // the pause comes before the frame
}

TEST_F(LinkTest, CallPresetSelectsTunerThenCallsAfterPause) {
  TZR4Ctrl link(clock, finder);
  link.CallPreset(10);
  ASSERT_EQ(finder.sent.size(), 2u);
  EXPECT_EQ(HexDump(finder.sent[0]), FullFrame("B8 02 00 91 4B"));
  EXPECT_EQ(HexDump(finder.sent[1]), FullFrame("B8 02 4C 0A 10"));  // preset 10 is sent as 0x0A
  EXPECT_EQ(finder.sentAt[1] - finder.sentAt[0], 100);
}

TEST_F(LinkTest, ReadStatusDecodesAndAFailedReadKeepsTheRecord) {
  TZR4Ctrl link(clock, finder);
  finder.report[3] = 1;
  finder.report[4] = 0x22;
  EXPECT_TRUE(link.ReadStatus());
  EXPECT_EQ(link.Status.Source, kInputCD);
  EXPECT_EQ(link.Status.Volume, 22);
  finder.succeed = false;
  finder.report[4] = 0x33;
  EXPECT_FALSE(link.ReadStatus());
  EXPECT_EQ(link.Status.Volume, 22);
  EXPECT_FALSE(link.SendCommand(cmdMute));
}

TEST_F(LinkTest, WithoutComponentEveryOperationFailsAtOnce) {
  finder.present = false;
  TZR4Ctrl link(clock, finder);
  EXPECT_FALSE(link.Found);
  EXPECT_FALSE(link.ReadStatus());
  EXPECT_FALSE(link.SendCommand(cmdPowerOn));
  EXPECT_FALSE(link.SetVolume(10));
  EXPECT_FALSE(link.CallPreset(1));
  EXPECT_FALSE(link.PlayTrack(1));
  EXPECT_TRUE(finder.sent.empty());
  EXPECT_TRUE(clock.waits.empty());
  EXPECT_EQ(link.Status, TDeviceStatus{});
  // A component that appears later is found by a new discovery.
  finder.present = true;
  EXPECT_TRUE(link.Discover());
  EXPECT_TRUE(link.SendCommand(cmdPowerOn));
}

}  // namespace
}  // namespace zr4
