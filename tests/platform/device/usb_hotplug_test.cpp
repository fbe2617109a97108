#include "platform/device/usb_hotplug_linux.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>

#include "core/device/zr4ctrl.h"
#include "emulated_usb_bus.h"
#include "fakes/fake_clock.h"
#include "libusb_test_support.h"

namespace zr4 {
namespace {

using test::EmulatedUsbBus;
using Mode = UsbHotplugWatcher::Mode;

class UsbHotplugTest : public ::testing::Test {
 protected:
  // What the program's window does: rediscover whenever the watcher says so.
  void Start(Mode mode) {
    usb.emplace();
    finder.emplace(*usb, 30);
    link = std::make_unique<TZR4Ctrl>(clock, *finder);
    watcher = std::make_unique<UsbHotplugWatcher>(
        *usb, *finder, clock,
        [this] {
          ++changes;
          link->Discover();
        },
        mode);
  }

  // Runs the watcher as the event loop would, until `done` holds (libusb's own thread delivers
  // the news of a plug or unplug a moment later).
  bool PumpUntil(const std::function<bool()>& done) {
    return test::WaitForLibusb(*usb, [&] {
      watcher->HandleEvents();
      return done();
    });
  }

  void TearDown() override {
    watcher.reset();
    link.reset();
  }

  test::LogRecorder log;
  test::FakeClock clock;
  EmulatedUsbBus bus;
  std::optional<LibusbContext> usb;
  std::optional<LibusbDeviceFinder> finder;
  std::unique_ptr<TZR4Ctrl> link;
  std::unique_ptr<UsbHotplugWatcher> watcher;
  int changes = 0;
};

TEST_F(UsbHotplugTest, ArrivalAndDepartureRunDiscoveryWithoutARestart) {
  Start(Mode::Auto);
  ASSERT_TRUE(watcher->UsesHotplugEvents());
  EXPECT_FALSE(link->Found);

  // Switched on after the program started.
  const std::string first = bus.Plug(2, 1);
  ASSERT_TRUE(PumpUntil([&] { return link->Found; }));
  EXPECT_TRUE(log.Has("LIBUSB HOTPLUG: ARRIVED"));
  EXPECT_TRUE(link->SendCommand(cmdSelectCD));
  ASSERT_TRUE(link->ReadStatus());
  EXPECT_EQ(link->Status.Source, kInputCD);

  // Pulled out: every operation does nothing and the last status stays.
  bus.Unplug(first);
  ASSERT_TRUE(PumpUntil([&] { return !link->Found; }));
  EXPECT_TRUE(log.Has("LIBUSB HOTPLUG: LEFT"));
  const auto transfers = bus.Setups().size();
  EXPECT_FALSE(link->ReadStatus());
  EXPECT_FALSE(link->SendCommand(cmdMute));
  EXPECT_EQ(bus.Setups().size(), transfers);
  EXPECT_EQ(link->Status.Source, kInputCD);

  // Plugged in again, at another address.
  bus.Plug(3, 1);
  ASSERT_TRUE(PumpUntil([&] { return link->Found; }));
  EXPECT_EQ(link->DevicePath, "/dev/bus/usb/001/003");
  EXPECT_TRUE(link->ReadStatus());
}

TEST_F(UsbHotplugTest, PollDescriptorsFollowTheDeviceHandle) {
  bus.Plug(2, 1);
  Start(Mode::Auto);
  ASSERT_TRUE(link->Found);
  std::set<int> watched;
  for (const auto& fd : watcher->PollFds()) watched.insert(fd.fd);
  EXPECT_FALSE(watched.empty());
  std::set<int> added, removed;
  watcher->SetPollFdNotifiers([&](int fd, short) { added.insert(fd); },
                              [&](int fd) { removed.insert(fd); });

  // Rediscovery closes the open handle and opens a new one: the shell must drop the old
  // descriptor's notifier and watch the new one.
  ASSERT_TRUE(link->Discover());
  EXPECT_EQ(added.size(), 1u);
  EXPECT_EQ(removed.size(), 1u);
  EXPECT_EQ(removed.count(*added.begin()) + watched.count(*removed.begin()), 2u);
}

TEST_F(UsbHotplugTest, WithoutHotplugEventsTheBusIsRescannedEveryFiveSecondsWhileAbsent) {
  const std::string first = bus.Plug(2, 1);
  Start(Mode::Rescan);
  EXPECT_FALSE(watcher->UsesHotplugEvents());
  ASSERT_TRUE(link->Found);

  // While the component is there nothing is rescanned, however long it runs.
  clock.now += 60000;
  watcher->HandleEvents();
  EXPECT_EQ(changes, 0);

  // Unplugged mid-request and plugged in again elsewhere.
  bus.FailNextTransfer(EmulatedUsbBus::Fault::Unplug);
  EXPECT_FALSE(link->ReadStatus());
  bus.Unplug(first);
  bus.Plug(3, 2);
  ASSERT_TRUE(test::WaitForLibusb(*usb, [&] { return finder->ComponentPresent(); }));
  watcher->HandleEvents();  // the last scan was a minute ago: scans now
  EXPECT_EQ(changes, 1);
  ASSERT_TRUE(link->Found);
  EXPECT_EQ(link->DevicePath, "/dev/bus/usb/001/003");

  // Gone again: the next scan comes 5 s after the previous one, not earlier.
  bus.FailNextTransfer(EmulatedUsbBus::Fault::Unplug);
  EXPECT_FALSE(link->ReadStatus());
  clock.now += UsbHotplugWatcher::kRescanIntervalMs - 1;
  watcher->HandleEvents();
  EXPECT_EQ(changes, 1);
  clock.now += 1;
  watcher->HandleEvents();
  EXPECT_EQ(changes, 2);
}

TEST_F(UsbHotplugTest, ARefusedComponentIsRetriedSoAnInstalledRuleTakesEffect) {
  bus.Plug(2, 1);
  bus.DenyAccess(2);
  Start(Mode::Auto);
  ASSERT_FALSE(link->Found);
  ASSERT_TRUE(finder->AccessDenied());

  clock.now += UsbHotplugWatcher::kRescanIntervalMs;
  watcher->HandleEvents();
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(link->Found);

  bus.AllowAccess(2);  // the rule was installed and udev re-applied it
  clock.now += UsbHotplugWatcher::kRescanIntervalMs;
  watcher->HandleEvents();
  EXPECT_EQ(changes, 2);
  ASSERT_TRUE(link->Found);
  EXPECT_FALSE(finder->AccessDenied());
  EXPECT_TRUE(link->ReadStatus());
}

}  // namespace
}  // namespace zr4
