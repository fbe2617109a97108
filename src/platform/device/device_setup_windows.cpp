// Windows: the component's driver classes are searched at start (WINUSB.DLL loaded before any
// window exists); the simulated component stands in when nothing answers, and the search runs
// again every few seconds until a ZR4PC takes over.
#include <QTimer>

#include "platform/device/device_setup.h"
#include "platform/device/system_devices_windows.h"

namespace zr4 {

// The component's driver classes as the system lists them.
struct DeviceSetup::System {
  System() : devices(ShowSystemMessage) {}
  WindowsDevices devices;
};

void DeviceSetup::DeleteSystem::operator()(System* system) const {
  delete system;
}

namespace {
constexpr int kRescanMs = 5000;
}  // namespace

DeviceFinder* DeviceSetup::StartSystemFinder(bool simulate) {
  if (simulate) return nullptr;
  system_.reset(new System);
  return &system_->devices.Finder();
}

// The system opens the component for any user: there is no permission to ask for.
TDiscoveryOutcome DeviceSetup::Discovery() {
  return {.componentMissing = ComponentMissing()};
}

// A component found once needs no watching: each request opens it anew, so one that is replugged
// answers again by itself. Only while the stand-in runs is the search repeated.
void DeviceSetup::WatchBus(QObject* owner, std::function<void()> onChange) {
  if (!system_) return;
  auto* rescan = new QTimer(owner);
  QObject::connect(rescan, &QTimer::timeout, owner, [this, onChange = std::move(onChange)] {
    if (finder_.UsedFallback()) onChange();
  });
  rescan->start(kRescanMs);
}

}  // namespace zr4
