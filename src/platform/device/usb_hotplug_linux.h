// Tells its owner when the ZR4PC arrives or leaves, without a thread of its own: the owner runs
// HandleEvents() from its event loop (socket notifiers on PollFds(), and a periodic tick).
// With libusb's hot-plug events the news comes as they happen; where the platform has none,
// the bus is rescanned at most every kRescanIntervalMs while the component is absent.
#pragma once

#include <libusb.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "core/ports/clock.h"
#include "platform/device/libusb_context_linux.h"
#include "platform/device/libusb_finder_linux.h"

namespace zr4 {

class UsbHotplugWatcher {
 public:
  enum class Mode {
    Auto,    // hot-plug events when libusb has them, else rescans
    Rescan,  // rescans only
  };
  static constexpr int kRescanIntervalMs = 5000;

  struct PollFd {
    int fd;
    short events;  // POLLIN and/or POLLOUT
  };

  // `onChange` runs (from HandleEvents, never from inside libusb) when the component may have
  // arrived or left; the owner then runs discovery again (TZR4Ctrl::Discover). `usb`, `finder`
  // and `clock` must outlive the watcher.
  UsbHotplugWatcher(LibusbContext& usb, LibusbDeviceFinder& finder, Clock& clock,
                    std::function<void()> onChange, Mode mode = Mode::Auto);
  ~UsbHotplugWatcher();
  UsbHotplugWatcher(const UsbHotplugWatcher&) = delete;
  UsbHotplugWatcher& operator=(const UsbHotplugWatcher&) = delete;

  bool UsesHotplugEvents() const { return hotplugRegistered_; }

  // The descriptors libusb wants watched now, and notifiers for those it adds or removes later
  // (a device handle brings its own). A removal may be announced from inside HandleEvents.
  std::vector<PollFd> PollFds() const;
  void SetPollFdNotifiers(std::function<void(int fd, short events)> added,
                          std::function<void(int fd)> removed);

  // Handles libusb's pending events without waiting, rescans when one is due, and then tells
  // the owner if anything changed.
  void HandleEvents();

 private:
  static int LIBUSB_CALL OnHotplug(libusb_context* context, libusb_device* device,
                                   libusb_hotplug_event event, void* self);
  static void LIBUSB_CALL OnPollFdAdded(int fd, short events, void* self);
  static void LIBUSB_CALL OnPollFdRemoved(int fd, void* self);

  LibusbContext& usb_;
  LibusbDeviceFinder& finder_;
  Clock& clock_;
  std::function<void()> onChange_;
  std::function<void(int, short)> fdAdded_;
  std::function<void(int)> fdRemoved_;
  bool hotplugRegistered_ = false;
  libusb_hotplug_callback_handle hotplugHandle_ = 0;
  bool changed_ = false;  // set by the hot-plug callback, acted on once libusb has returned
  std::int64_t lastScan_;
};

}  // namespace zr4
