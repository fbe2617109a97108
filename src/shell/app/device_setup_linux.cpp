#include "shell/app/device_setup.h"

#include <poll.h>
#include <QTimer>

namespace zr4 {

DeviceFinder* DeviceSetup::StartSystemFinder(bool simulate) {
  if (simulate) return nullptr;
  usb_.emplace();
  return &usbFinder_.emplace(*usb_);
}

TDiscoveryOutcome DeviceSetup::Discovery() {
  TDiscoveryOutcome outcome{.componentMissing = ComponentMissing()};
  if (usbFinder_ && usbFinder_->TakeAccessDeniedNotice())
    outcome.deniedPath = usbFinder_->DeniedPath();
  return outcome;
}

namespace {
// libusb's own news can arrive during a transfer; the tick also drives the rescans while the
// component is absent and the retry after a refused open.
constexpr int kBusTickMs = 1000;
}  // namespace

void DeviceSetup::WatchBus(QObject* owner, std::function<void()> onChange) {
  if (!usbFinder_) return;
  watcher_ = std::make_unique<UsbHotplugWatcher>(*usb_, *usbFinder_, clock_, std::move(onChange));
  for (const auto& pollFd : watcher_->PollFds()) AddNotifiers(owner, pollFd.fd, pollFd.events);
  watcher_->SetPollFdNotifiers(
      [this, owner](int fd, short events) { AddNotifiers(owner, fd, events); },
      [this](int fd) { RemoveNotifiers(fd); });
  auto* tick = new QTimer(owner);
  QObject::connect(tick, &QTimer::timeout, owner, [this] { watcher_->HandleEvents(); });
  tick->start(kBusTickMs);
}

void DeviceSetup::AddNotifiers(QObject* owner, int fd, short events) {
  auto add = [&](QSocketNotifier::Type type) {
    auto* notifier = new QSocketNotifier(fd, type, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner,
                     [this] { watcher_->HandleEvents(); });
    notifiers_[fd].push_back(notifier);
  };
  if (events & POLLIN) add(QSocketNotifier::Read);
  if (events & POLLOUT) add(QSocketNotifier::Write);
}

// A descriptor may be dropped from inside HandleEvents, itself run from that descriptor's
// notifier: the notifier is only switched off here and deleted once the event loop is back.
void DeviceSetup::RemoveNotifiers(int fd) {
  const auto found = notifiers_.find(fd);
  if (found == notifiers_.end()) return;
  for (QSocketNotifier* notifier : found->second) {
    notifier->setEnabled(false);
    notifier->deleteLater();
  }
  notifiers_.erase(found);
}

}  // namespace zr4
