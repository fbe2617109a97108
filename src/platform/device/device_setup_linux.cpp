#include "platform/device/device_setup.h"

#include <poll.h>
#include <QSocketNotifier>
#include <QTimer>
#include <map>
#include <vector>

#include "platform/device/libusb_context_linux.h"
#include "platform/device/libusb_finder_linux.h"
#include "platform/device/usb_hotplug_linux.h"

namespace zr4 {

// libusb, its finder, and once the bus is watched, the hot-plug watcher with a notifier per
// descriptor libusb asks to be watched.
struct DeviceSetup::System {
  void AddNotifiers(QObject* owner, int fd, short events);
  void RemoveNotifiers(int fd);

  LibusbContext usb;
  LibusbDeviceFinder usbFinder{usb};
  std::unique_ptr<UsbHotplugWatcher> watcher;
  std::map<int, std::vector<QSocketNotifier*>> notifiers;
};

void DeviceSetup::DeleteSystem::operator()(System* system) const {
  delete system;
}

DeviceFinder* DeviceSetup::StartSystemFinder(bool simulate) {
  if (simulate) return nullptr;
  system_.reset(new System);
  return &system_->usbFinder;
}

TDiscoveryOutcome DeviceSetup::Discovery() {
  TDiscoveryOutcome outcome{.componentMissing = ComponentMissing()};
  if (system_ && system_->usbFinder.TakeAccessDeniedNotice())
    outcome.deniedPath = system_->usbFinder.DeniedPath();
  return outcome;
}

namespace {
// libusb's own news can arrive during a transfer; the tick also drives the rescans while the
// component is absent and the retry after a refused open.
constexpr int kBusTickMs = 1000;
}  // namespace

void DeviceSetup::WatchBus(QObject* owner, std::function<void()> onChange) {
  if (!system_) return;
  System& system = *system_;
  system.watcher = std::make_unique<UsbHotplugWatcher>(system.usb, system.usbFinder, clock_,
                                                       std::move(onChange));
  for (const auto& pollFd : system.watcher->PollFds())
    system.AddNotifiers(owner, pollFd.fd, pollFd.events);
  system.watcher->SetPollFdNotifiers(
      [&system, owner](int fd, short events) { system.AddNotifiers(owner, fd, events); },
      [&system](int fd) { system.RemoveNotifiers(fd); });
  auto* tick = new QTimer(owner);
  QObject::connect(tick, &QTimer::timeout, owner, [&system] { system.watcher->HandleEvents(); });
  tick->start(kBusTickMs);
}

void DeviceSetup::System::AddNotifiers(QObject* owner, int fd, short events) {
  auto add = [&](QSocketNotifier::Type type) {
    auto* notifier = new QSocketNotifier(fd, type, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner,
                     [this] { watcher->HandleEvents(); });
    notifiers[fd].push_back(notifier);
  };
  if (events & POLLIN) add(QSocketNotifier::Read);
  if (events & POLLOUT) add(QSocketNotifier::Write);
}

// A descriptor may be dropped from inside HandleEvents, itself run from that descriptor's
// notifier: the notifier is only switched off here and deleted once the event loop is back.
void DeviceSetup::System::RemoveNotifiers(int fd) {
  const auto found = notifiers.find(fd);
  if (found == notifiers.end()) return;
  for (QSocketNotifier* notifier : found->second) {
    notifier->setEnabled(false);
    notifier->deleteLater();
  }
  notifiers.erase(found);
}

}  // namespace zr4
