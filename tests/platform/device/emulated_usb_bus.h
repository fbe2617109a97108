// A USB bus emulated with umockdev, on which the simulated ZR4PC answers libusb's usbfs requests.
// The ioctl handler runs on umockdev's own thread; every shared member is guarded by mutex_.
// Construct it before the libusb session (libusb reads the bus once when it starts).
#pragma once

#include <linux/capability.h>
#include <umockdev.h>

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "core/device/sim_component.h"
#include "core/device/usb_transfer.h"
#include "core/device/zr4defs.h"
#include "fakes/fake_clock.h"

namespace zr4::test {

class EmulatedUsbBus {
 public:
  // What happens to the next control transfer on any device.
  enum class Fault {
    None,
    Stall,      // the component stalls the request (EPIPE)
    ShortRead,  // only half of the block arrives
    Timeout,    // no answer: the transfer stays pending until libusb gives up on it
    Unplug,     // the device vanishes mid-request (ENODEV from then on)
  };

  // The setup packet of one control transfer as the device saw it.
  struct Setup {
    std::string devnode;
    std::uint8_t requestType;
    std::uint8_t request;
    std::uint16_t value;
    std::uint16_t index;
    std::uint16_t length;
  };

  EmulatedUsbBus();
  ~EmulatedUsbBus();
  EmulatedUsbBus(const EmulatedUsbBus&) = delete;
  EmulatedUsbBus& operator=(const EmulatedUsbBus&) = delete;

  // Plugs a device into port `port` of bus 1 at `address` and returns its sysfs path.
  std::string Plug(int address, int port, std::uint16_t product = kZr4ProductId,
                   std::uint16_t vendor = kZr4VendorId);
  // Pulls it out: its node answers ENODEV and the device leaves sysfs.
  void Unplug(const std::string& syspath);
  // The node cannot be opened by this process from now on (no udev rule installed).
  void DenyAccess(int address);
  // ... and can again (the rule was installed and udev re-applied it).
  void AllowAccess(int address);

  void FailNextTransfer(Fault fault);

  // The simulated component behind every ZR4PC on the bus (one component, plugged anywhere).
  template <typename F>
  auto WithComponent(F&& f) {
    std::lock_guard lock(mutex_);
    return f(component_);
  }
  std::vector<Setup> Setups();
  std::set<unsigned long> IoctlsSeen();

  static std::string NodePath(int address);

 private:
  struct Node {
    bool gone = false;
    std::vector<UMockdevIoctlData*> done;     // completed URBs waiting to be reaped
    std::vector<UMockdevIoctlData*> pending;  // URBs nobody answers (until discarded)
  };

  std::string NodeFile(int address);  // the node inside the testbed's root folder
  static gboolean OnIoctl(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, gpointer self);
  void HandleIoctl(UMockdevIoctlClient* client);
  void SubmitUrb(UMockdevIoctlClient* client, Node& node, const std::string& devnode);
  void ReapUrb(UMockdevIoctlClient* client, Node& node);
  void DiscardUrb(UMockdevIoctlClient* client, Node& node);

  UMockdevTestbed* testbed_;
  UMockdevIoctlBase* handler_;
  std::mutex mutex_;
  FakeClock clock_;
  TSimComponent component_{clock_};
  Fault fault_ = Fault::None;
  std::map<std::string, Node> nodes_;
  std::map<std::string, std::string> nodeOfSyspath_;
  std::vector<Setup> setups_;
  std::set<unsigned long> ioctls_;
  bool capabilitiesDropped_ = false;  // by DenyAccess; given back on destruction
  __user_cap_header_struct savedCapHeader_{};
  std::array<__user_cap_data_struct, 2> savedCaps_{};
};

// Whether this process runs under umockdev-wrapper (its preload library is what emulates
// the bus); the test programs skip visibly without it.
bool UnderUmockdev();

}  // namespace zr4::test
