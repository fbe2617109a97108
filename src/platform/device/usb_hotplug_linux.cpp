#include "platform/device/usb_hotplug_linux.h"

#include <sys/time.h>

#include "core/device/usb_transfer.h"
#include "core/ports/log.h"
#include "platform/device/error_text_linux.h"

namespace zr4 {

UsbHotplugWatcher::UsbHotplugWatcher(LibusbContext& usb, LibusbDeviceFinder& finder, Clock& clock,
                                     std::function<void()> onChange, Mode mode)
    : usb_(usb),
      finder_(finder),
      clock_(clock),
      onChange_(std::move(onChange)),
      lastScan_(clock.TickCount()) {
  if (usb_.get() == nullptr) return;
  if (mode == Mode::Auto && libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG) != 0) {
    const int rc = libusb_hotplug_register_callback(
        usb_.get(),
        static_cast<libusb_hotplug_event>(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
                                          LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
        static_cast<libusb_hotplug_flag>(0), kZr4VendorId, kZr4ProductId, LIBUSB_HOTPLUG_MATCH_ANY,
        &UsbHotplugWatcher::OnHotplug, this, &hotplugHandle_);
    hotplugRegistered_ = rc == LIBUSB_SUCCESS;
    if (!hotplugRegistered_) LogText("LIBUSB HOTPLUG: " + ErrorText(rc));
  }
  LogText(hotplugRegistered_ ? "LIBUSB HOTPLUG: EVENTS" : "LIBUSB HOTPLUG: RESCAN");
  libusb_set_pollfd_notifiers(usb_.get(), &UsbHotplugWatcher::OnPollFdAdded,
                              &UsbHotplugWatcher::OnPollFdRemoved, this);
}

UsbHotplugWatcher::~UsbHotplugWatcher() {
  if (usb_.get() == nullptr) return;
  libusb_set_pollfd_notifiers(usb_.get(), nullptr, nullptr, nullptr);
  if (hotplugRegistered_) libusb_hotplug_deregister_callback(usb_.get(), hotplugHandle_);
}

std::vector<UsbHotplugWatcher::PollFd> UsbHotplugWatcher::PollFds() const {
  std::vector<PollFd> fds;
  if (usb_.get() == nullptr) return fds;
  const libusb_pollfd** list = libusb_get_pollfds(usb_.get());
  if (list == nullptr) return fds;
  for (const libusb_pollfd** entry = list; *entry != nullptr; ++entry)
    fds.push_back({(*entry)->fd, (*entry)->events});
  libusb_free_pollfds(list);
  return fds;
}

void UsbHotplugWatcher::SetPollFdNotifiers(std::function<void(int, short)> added,
                                           std::function<void(int)> removed) {
  fdAdded_ = std::move(added);
  fdRemoved_ = std::move(removed);
}

void UsbHotplugWatcher::HandleEvents() {
  if (usb_.get() == nullptr) return;
  // Also without hot-plug events: an open handle's descriptor reports an unplug as an error
  // condition until libusb has handled it (and dropped the descriptor).
  timeval zero{};
  libusb_handle_events_timeout_completed(usb_.get(), &zero, nullptr);
  // Rescan while the component is absent: always without hot-plug events, and with them while
  // a component is there but refused to open (a udev rule installed meanwhile lets it open).
  const std::int64_t now = clock_.TickCount();
  if (!finder_.Connected() && (!hotplugRegistered_ || finder_.AccessDenied()) &&
      now - lastScan_ >= kRescanIntervalMs) {
    lastScan_ = now;
    if (finder_.ComponentPresent()) changed_ = true;
  }
  if (changed_) {
    changed_ = false;
    if (onChange_) onChange_();
  }
}

// Runs inside libusb's event handling, where opening or transferring is not allowed: only note.
int LIBUSB_CALL UsbHotplugWatcher::OnHotplug(libusb_context*, libusb_device*,
                                             libusb_hotplug_event event, void* self) {
  LogText(event == LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED ? "LIBUSB HOTPLUG: ARRIVED"
                                                       : "LIBUSB HOTPLUG: LEFT");
  static_cast<UsbHotplugWatcher*>(self)->changed_ = true;
  return 0;  // stay registered
}

void LIBUSB_CALL UsbHotplugWatcher::OnPollFdAdded(int fd, short events, void* self) {
  auto* watcher = static_cast<UsbHotplugWatcher*>(self);
  if (watcher->fdAdded_) watcher->fdAdded_(fd, events);
}

void LIBUSB_CALL UsbHotplugWatcher::OnPollFdRemoved(int fd, void* self) {
  auto* watcher = static_cast<UsbHotplugWatcher*>(self);
  if (watcher->fdRemoved_) watcher->fdRemoved_(fd);
}

}  // namespace zr4
