#include "core/device/zr4ctrl.h"

#include <gtest/gtest.h>

#include <cstring>
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
  std::vector<std::int64_t> sentAt;
  test::FakeClock* clock = nullptr;
};

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override { finder.clock = &clock; }
  test::FakeClock clock;
  RecordingFinder finder;
};

TEST_F(LinkTest, SendCommandUsesTheLow16Bits) {
  TZR4Ctrl link(clock, finder);
  ASSERT_TRUE(link.Found);
  EXPECT_EQ(link.DevicePath, "test-path");
  EXPECT_TRUE(link.SendCommand(0xB8020681));
  EXPECT_TRUE(link.SendCommand(0x0681));
  ASSERT_EQ(finder.sent.size(), 2u);
  EXPECT_EQ(finder.sent[0], BuildFrame(0x06, 0x81));
  EXPECT_EQ(finder.sent[0], finder.sent[1]);
  EXPECT_EQ(finder.sent[0][4], 0x41);
}

TEST_F(LinkTest, SetVolumeClampsAndPausesFirst) {
  TZR4Ctrl link(clock, finder);
  link.SetVolume(-5);
  link.SetVolume(95);
  ASSERT_EQ(finder.sent.size(), 2u);
  EXPECT_EQ(finder.sent[0], BuildFrame(cmdSetVolume, 0));
  EXPECT_EQ(finder.sent[1][3], 0x50);
  EXPECT_EQ(finder.sent[1][4], 0x57);
  ASSERT_EQ(clock.waits.size(), 2u);
  EXPECT_EQ(clock.waits[0].ms, 100);
  EXPECT_FALSE(clock.waits[0].processesMessages);
}

TEST_F(LinkTest, CallPresetSelectsTunerThenCallsAfterPause) {
  TZR4Ctrl link(clock, finder);
  link.CallPreset(10);
  ASSERT_EQ(finder.sent.size(), 2u);
  EXPECT_EQ(finder.sent[0], BuildFrame(0x00, 0x91));
  EXPECT_EQ(finder.sent[1], BuildFrame(cmdCallPreset, 0x0A));
  EXPECT_EQ(finder.sentAt[1] - finder.sentAt[0], 100);
  link.PlayTrack(0x103);  // only the low byte goes out
  EXPECT_EQ(finder.sent[2], BuildFrame(cmdPlayTrack, 0x03));
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
