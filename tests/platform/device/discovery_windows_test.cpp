#include "platform/device/discovery_windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/device/zr4ctrl.h"
#include "fake_device_api_windows.h"
#include "fakes/fake_clock.h"

namespace zr4 {
namespace {

using test::FakeWin32Api;
using test::LogCapture;
using ::testing::ElementsAre;

const std::string kComponent = R"(\\?\usb#VID_5D1E&PID_1001#0001#{7b1e4c20})";
const std::string kSecondComponent = R"(\\?\usb#VID_5D1E&PID_1001#0002#{7b1e4c20})";
const std::string kOtherDevice = R"(\\?\usb#VID_046D&PID_C52B#5&1#{7b1e4c20})";

class WindowsDiscoveryTest : public ::testing::Test {
 protected:
  FakeWin32Api api;
  WinUsbLibrary winusb{api, nullptr};
  WindowsDeviceFinder finder{api, winusb};
  LogCapture log;
};

TEST_F(WindowsDiscoveryTest, InterfacePathIsReadWholeAndTheSetIsReleased) {
  const std::string longPath = R"(\\?\usb#VID_5D1E&PID_1001#)" + std::string(600, 'a');
  api.AddInterface(kOrgDriverClass, kComponent);
  api.AddInterface(kOrgDriverClass, longPath);

  EXPECT_EQ(GetInterfacePath(api, kOrgDriverClass, 0), kComponent);
  EXPECT_EQ(GetInterfacePath(api, kOrgDriverClass, 1), longPath);
  EXPECT_EQ(GetInterfacePath(api, kOrgDriverClass, 2), "");
  EXPECT_EQ(api.setsOpen, 0);
}

TEST_F(WindowsDiscoveryTest, InterfacePathIsEmptyWhenTheSystemCannotAnswer) {
  api.AddInterface(kOrgDriverClass, kComponent);
  api.detailQueryError = 5;  // anything but "insufficient buffer" on the size query
  EXPECT_EQ(GetInterfacePath(api, kOrgDriverClass, 0), "");
  EXPECT_EQ(api.setsOpen, 0);

  api.unreadableClasses.insert(FakeWin32Api::Key(kUusbdClass));
  EXPECT_EQ(GetInterfacePath(api, kUusbdClass, 0), "");
}

TEST_F(WindowsDiscoveryTest, IdentityMatchesInAnyCaseAndNeedsBothIds) {
  EXPECT_TRUE(IsComponentPath(R"(\\?\usb#vid_5d1e&pid_1001#6&2f#{...})"));
  EXPECT_TRUE(IsComponentPath("PID_1001 VID_5D1E"));
  EXPECT_FALSE(IsComponentPath(R"(\\?\usb#vid_5d1e&pid_1002#6&2f)"));
  EXPECT_FALSE(IsComponentPath(R"(\\?\usb#vid_5d1f&pid_1001#6&2f)"));
  EXPECT_FALSE(IsComponentPath(""));
}

TEST_F(WindowsDiscoveryTest, TheLowerIndexWinsAndItsBackEndIsLogged) {
  api.AddInterface(kOrgDriverClass, kOtherDevice);
  api.AddInterface(kOrgDriverClass, kComponent);
  api.AddInterface(kOrgDriverClass, kSecondComponent);

  auto found = finder.FindDevice();
  ASSERT_TRUE(found);
  EXPECT_EQ(found->path, kComponent);
  EXPECT_THAT(log.lines,
              ElementsAre("index: 0;  ", "index: 1;  ", "CONTROL: ORIGINAL DRIVER", kComponent));
}

TEST_F(WindowsDiscoveryTest, OnlyTheFirstTenInterfacesOfAClassAreLookedAt) {
  for (int i = 0; i < 10; ++i) api.AddInterface(kOrgDriverClass, kOtherDevice);
  api.AddInterface(kOrgDriverClass, kComponent);  // index 10

  EXPECT_FALSE(finder.FindDevice());
  const auto& asked = api.enumeratedIndexes;
  EXPECT_EQ(std::count(asked.begin(), asked.end(), 10u), 0);
  EXPECT_EQ(std::count(asked.begin(), asked.end(), 9u), 1);
}

TEST_F(WindowsDiscoveryTest, AnotherProductOfTheVendorContinuesTheWalk) {
  api.AddInterface(kWinUsbClass, R"(\\?\usb#vid_5d1e&pid_1002#1#{2f6d9a14})");
  api.AddInterface(kWinUsbClass, R"(\\?\usb#vid_5d1e&pid_1001#1#{2f6d9a14})");

  auto found = finder.FindDevice();
  ASSERT_TRUE(found);
  EXPECT_EQ(found->path, R"(\\?\usb#vid_5d1e&pid_1001#1#{2f6d9a14})");
  EXPECT_EQ(log.lines.at(log.lines.size() - 2), "CONTROL: WINUSB DRIVER");
}

TEST_F(WindowsDiscoveryTest, AnEmptySlotEndsTheClassAndTheNextClassIsTried) {
  api.AddInterface(kOrgDriverClass, kOtherDevice);
  api.unreadableClasses.insert(FakeWin32Api::Key(kUusbdClass));
  api.AddInterface(kWinUsbClass, kComponent);

  auto found = finder.FindDevice();
  ASSERT_TRUE(found);
  EXPECT_THAT(log.lines,
              ElementsAre("index: 0;  ", "index: 0;  ", "CONTROL: WINUSB DRIVER", kComponent));
}

TEST_F(WindowsDiscoveryTest, UusbdWinsOverWinUsbAndCarriesTheRequests) {
  api.AddInterface(kWinUsbClass, kComponent);
  api.AddInterface(kUusbdClass, kSecondComponent);

  auto found = finder.FindDevice();
  ASSERT_TRUE(found);
  EXPECT_EQ(found->path, kSecondComponent);
  EXPECT_EQ(log.lines.at(log.lines.size() - 2), "CONTROL: UUSBD");

  Frame frame{};
  EXPECT_TRUE(found->request(false, frame.data()));
  ASSERT_EQ(api.ioCalls.size(), 1u);
  EXPECT_EQ(api.ioCalls[0].code, 0x00220010u);
  EXPECT_EQ(api.opens.at(0).path, kSecondComponent);
  EXPECT_TRUE(api.transfers.empty());
}

TEST_F(WindowsDiscoveryTest, NothingFoundLeavesTheLinkWithoutDevice) {
  api.AddInterface(kUusbdClass, kOtherDevice);
  test::FakeClock clock;
  TZR4Ctrl link(clock, finder);

  EXPECT_FALSE(link.Found);
  EXPECT_EQ(log.lines.back(), "DEVICE NOT FOUND");
  EXPECT_FALSE(link.ReadStatus());
  EXPECT_TRUE(api.opens.empty());
}

TEST_F(WindowsDiscoveryTest, TheLinkReadsTheStatusThroughTheOwnDriver) {
  api.AddInterface(kOrgDriverClass, kComponent);
  api.ioReply.assign(40, 0xEE);  // the driver's own 8 bytes are not status
  const std::uint8_t report[32] = {0, 0, 0, 0x01, 0x22, 0x31, 0, 0, 0, 0x07, 0x03, 0x45};
  std::copy(std::begin(report), std::end(report), api.ioReply.begin() + 8);
  test::FakeClock clock;
  TZR4Ctrl link(clock, finder);

  ASSERT_TRUE(link.Found);
  EXPECT_EQ(link.DevicePath, kComponent);
  ASSERT_TRUE(link.ReadStatus());
  EXPECT_EQ(link.Status.Source, kInputCD);
  EXPECT_EQ(link.Status.Volume, 22);
  EXPECT_EQ(link.Status.CdTrack, 7);
  EXPECT_EQ(link.Status.CdMinute, 3);
  EXPECT_EQ(link.Status.CdSecond, 45);
  EXPECT_EQ(link.Status.ToneMode, 1);
}

TEST_F(WindowsDiscoveryTest, EachStepLogsThePathStoredSoFar) {
  api.AddInterface(kOrgDriverClass, kComponent);
  ASSERT_TRUE(finder.FindDevice());
  EXPECT_EQ(log.lines.front(), "index: 0;  ");
  log.lines.clear();

  ASSERT_TRUE(finder.FindDevice());  // discovery again, e.g. after the component came back
  EXPECT_EQ(log.lines.front(), "index: 0;  " + kComponent);
}

}  // namespace
}  // namespace zr4
