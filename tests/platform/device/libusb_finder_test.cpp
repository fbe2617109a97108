#include "platform/device/libusb_finder_linux.h"

#include <linux/ioctl.h>
#include <linux/usbdevice_fs.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/device/zr4ctrl.h"
#include "emulated_usb_bus.h"
#include "fakes/fake_clock.h"
#include "libusb_test_support.h"

namespace zr4 {
namespace {

using test::EmulatedUsbBus;
using Fault = EmulatedUsbBus::Fault;

// Short, so that the timeout case costs little; the program uses the default of 1000 ms.
constexpr unsigned kTestTimeoutMs = 30;

class LibusbFinderTest : public ::testing::Test {
 protected:
  // Plug devices first: libusb reads the bus when its session starts.
  void Start() {
    usb.emplace();
    finder.emplace(*usb, kTestTimeoutMs);
    link = std::make_unique<TZR4Ctrl>(clock, *finder);
  }

  TDeviceStatus SimulatedStatus() {
    TDeviceStatus status;
    DecodeStatus(bus.WithComponent([](TSimComponent& c) { return c.BuildReport(); }), status);
    return status;
  }
  std::vector<Frame> ReceivedFrames() {
    return bus.WithComponent([](TSimComponent& c) { return c.ReceivedFrames(); });
  }

  void TearDown() override {
    // The component is also a USB sound device: whatever happened, no interface was claimed
    // and no kernel driver was asked to let go of one.
    const auto seen = bus.IoctlsSeen();
    for (unsigned long forbidden :
         {USBDEVFS_IOCTL, USBDEVFS_DISCONNECT_CLAIM, USBDEVFS_CLAIMINTERFACE,
          static_cast<unsigned long>(USBDEVFS_DISCONNECT), USBDEVFS_SETINTERFACE,
          static_cast<unsigned long>(USBDEVFS_RESET)}) {
      EXPECT_EQ(seen.count(forbidden), 0u) << "ioctl 0x" << std::hex << forbidden;
    }
  }

  test::LogRecorder log;
  test::FakeClock clock;
  EmulatedUsbBus bus;
  std::optional<LibusbContext> usb;
  std::optional<LibusbDeviceFinder> finder;
  std::unique_ptr<TZR4Ctrl> link;
};

TEST_F(LibusbFinderTest, DrivesTheComponentWithExactFramesAndOneTransferPerRequest) {
  bus.Plug(2, 1);
  bus.WithComponent([](TSimComponent& c) {
    c.SetVolume(35);
    c.SetUsbPlayback(true);
  });
  Start();
  ASSERT_TRUE(link->Found);
  EXPECT_EQ(link->DevicePath, "/dev/bus/usb/001/002");
  EXPECT_TRUE(log.Has("CONTROL: LIBUSB"));
  EXPECT_TRUE(log.Has("/dev/bus/usb/001/002"));

  ASSERT_TRUE(link->ReadStatus());
  EXPECT_EQ(link->Status, SimulatedStatus());
  EXPECT_EQ(link->Status.Volume, 35);
  EXPECT_EQ(link->Status.UsbPlayback, 1);

  EXPECT_TRUE(link->SendCommand(cmdSelectCD));
  EXPECT_TRUE(link->SetVolume(22));
  EXPECT_TRUE(link->CallPreset(5));
  EXPECT_TRUE(link->PlayTrack(3));
  const std::vector<Frame> expected = {BuildFrame(0x00, 0x92), BuildFrame(0x4D, 22),
                                       BuildFrame(0x00, 0x91), BuildFrame(0x4C, 5),
                                       BuildFrame(0x44, 3)};
  EXPECT_EQ(ReceivedFrames(), expected);
  ASSERT_TRUE(link->ReadStatus());
  EXPECT_EQ(link->Status.Source, kInputCD);
  EXPECT_EQ(link->Status.CdTrack, 3);

  // Every request was exactly one vendor transfer of 32 bytes on the default pipe.
  const auto setups = bus.Setups();
  ASSERT_EQ(setups.size(), 7u);
  for (std::size_t i = 0; i < setups.size(); ++i) {
    const bool in = i == 0 || i == 6;
    EXPECT_EQ(setups[i].requestType, in ? 0xC1 : 0x41) << i;
    EXPECT_EQ(setups[i].request, 0) << i;
    EXPECT_EQ(setups[i].value, 0) << i;
    EXPECT_EQ(setups[i].index, 0) << i;
    EXPECT_EQ(setups[i].length, 32) << i;
  }
  // The handle opened at discovery served every request.
  EXPECT_EQ(log.Count("LIBUSB OPEN:"), 1);
  EXPECT_EQ(log.Count("LIBUSB IN  STATUS: True"), 2);
  EXPECT_EQ(log.Count("LIBUSB OUT  STATUS: True"), 5);
  EXPECT_TRUE(log.Has("LIBUSB OUT: ERRORCODE: 0. Success"));
  EXPECT_TRUE(log.Has(HexDump(BuildFrame(0x44, 3))));
}

TEST_F(LibusbFinderTest, FindsOnlyTheComponentsIdentityAndTakesTheFirstInBusOrder) {
  bus.Plug(2, 1, 0x1002);  // another product of the same maker
  bus.Plug(5, 3);
  bus.Plug(9, 2);  // plugged in later, but on the lower port
  bus.Plug(4, 4, kZr4ProductId, 0x5D1F);
  Start();
  ASSERT_TRUE(link->Found);
  EXPECT_EQ(link->DevicePath, "/dev/bus/usb/001/009");
  EXPECT_TRUE(log.Has("LIBUSB DEVICE: /dev/bus/usb/001/002  VID_5D1E PID_1002"));
  ASSERT_TRUE(link->ReadStatus());
  for (const auto& setup : bus.Setups()) EXPECT_EQ(setup.devnode, "/dev/bus/usb/001/009");
}

TEST_F(LibusbFinderTest, NothingFoundMeansNothingSent) {
  bus.Plug(2, 1, 0x1002);
  Start();
  EXPECT_FALSE(link->Found);
  EXPECT_TRUE(log.Has("DEVICE NOT FOUND"));
  EXPECT_FALSE(finder->Connected());
  EXPECT_FALSE(finder->AccessDenied());
  EXPECT_FALSE(link->ReadStatus());
  EXPECT_FALSE(link->SendCommand(cmdPowerOn));
  EXPECT_TRUE(bus.Setups().empty());
}

TEST_F(LibusbFinderTest, FailedTransfersReportFalseKeepTheStatusAndRecover) {
  bus.Plug(2, 1);
  Start();
  ASSERT_TRUE(link->ReadStatus());
  const TDeviceStatus before = link->Status;
  bus.WithComponent([](TSimComponent& c) { c.SetVolume(60); });

  bus.FailNextTransfer(Fault::Stall);
  EXPECT_FALSE(link->ReadStatus());
  EXPECT_TRUE(log.Has("LIBUSB IN  STATUS: False"));
  EXPECT_TRUE(log.Has("LIBUSB IN: ERRORCODE: -9. Pipe error"));

  bus.FailNextTransfer(Fault::ShortRead);
  EXPECT_FALSE(link->ReadStatus());
  EXPECT_TRUE(log.Has("LIBUSB IN: SHORT TRANSFER 16 OF 32 BYTES"));

  bus.FailNextTransfer(Fault::Timeout);
  EXPECT_FALSE(link->ReadStatus());
  EXPECT_TRUE(log.Has("LIBUSB IN: ERRORCODE: -7. Operation timed out"));
  EXPECT_EQ(link->Status, before);

  bus.FailNextTransfer(Fault::Stall);
  EXPECT_FALSE(link->SendCommand(cmdMute));
  EXPECT_TRUE(log.Has("LIBUSB OUT: ERRORCODE: -9. Pipe error"));
  EXPECT_TRUE(ReceivedFrames().empty());

  // Each failure closed the handle; the next request opened it again and worked.
  EXPECT_TRUE(finder->Connected());
  ASSERT_TRUE(link->ReadStatus());
  EXPECT_EQ(link->Status.Volume, 60);
  EXPECT_EQ(log.Count("LIBUSB OPEN:"), 5);
}

TEST_F(LibusbFinderTest, AnUnpluggedComponentIsFoundAgainAtItsNewAddress) {
  const std::string first = bus.Plug(2, 1);
  Start();
  ASSERT_TRUE(link->ReadStatus());

  bus.FailNextTransfer(Fault::Unplug);
  EXPECT_FALSE(link->SendCommand(cmdPowerOff));
  EXPECT_TRUE(log.Has("LIBUSB OUT: ERRORCODE: -4. No such device (it may have been disconnected)"));
  EXPECT_FALSE(finder->Connected());
  const auto setupsAfterUnplug = bus.Setups().size();
  EXPECT_FALSE(link->ReadStatus());  // nothing left to talk to: fails without a transfer
  EXPECT_EQ(bus.Setups().size(), setupsAfterUnplug);

  bus.Unplug(first);
  bus.Plug(3, 1);
  ASSERT_TRUE(test::WaitForLibusb(*usb, [&] { return finder->ComponentPresent(); }));
  ASSERT_TRUE(link->Discover());
  EXPECT_EQ(link->DevicePath, "/dev/bus/usb/001/003");
  EXPECT_TRUE(link->SendCommand(cmdPowerOn));
  ASSERT_TRUE(link->ReadStatus());
  EXPECT_EQ(link->Status.Standby, 0);
  EXPECT_EQ(bus.Setups().back().devnode, "/dev/bus/usb/001/003");
}

TEST_F(LibusbFinderTest, APermissionRefusalIsReportedOnceAndAnotherComponentStillServes) {
  bus.Plug(2, 1);
  bus.DenyAccess(2);
  Start();
  EXPECT_FALSE(link->Found);
  EXPECT_TRUE(finder->AccessDenied());
  EXPECT_EQ(finder->DeniedPath(), "/dev/bus/usb/001/002");
  EXPECT_TRUE(
      log.Has("LIBUSB OPEN: /dev/bus/usb/001/002  ERRORCODE: -3. Access denied "
              "(insufficient permissions)"));
  EXPECT_TRUE(finder->TakeAccessDeniedNotice());
  EXPECT_FALSE(finder->TakeAccessDeniedNotice());
  EXPECT_FALSE(link->Discover());
  EXPECT_TRUE(finder->AccessDenied());
  EXPECT_FALSE(finder->TakeAccessDeniedNotice());  // once per run

  bus.Plug(7, 3);
  ASSERT_TRUE(test::WaitForLibusb(*usb, [&] { return link->Discover(); }));
  EXPECT_EQ(link->DevicePath, "/dev/bus/usb/001/007");
  EXPECT_FALSE(finder->AccessDenied());
  EXPECT_TRUE(link->ReadStatus());
}

}  // namespace
}  // namespace zr4
