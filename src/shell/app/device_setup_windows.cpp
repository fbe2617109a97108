// Windows: the component's driver classes are searched at start (WINUSB.DLL loaded before any
// window exists); the simulated component stands in when nothing answers, and the search runs
// again every few seconds until a ZR4PC takes over.
#include <QTimer>

#include "shell/app/device_setup.h"

namespace zr4 {

namespace {
constexpr int kRescanMs = 5000;
}  // namespace

DeviceFinder* DeviceSetup::StartSystemFinder(bool simulate) {
  if (simulate) return nullptr;
  return &windows_.emplace(ShowSystemMessage).Finder();
}

// The system opens the component for any user: there is no permission to ask for.
TDiscoveryOutcome DeviceSetup::Discovery() {
  return {.componentMissing = ComponentMissing()};
}

// A component found once needs no watching: each request opens it anew, so one that is replugged
// answers again by itself. Only while the stand-in runs is the search repeated.
void DeviceSetup::WatchBus(QObject* owner, std::function<void()> onChange) {
  if (!windows_) return;
  auto* rescan = new QTimer(owner);
  QObject::connect(rescan, &QTimer::timeout, owner, [this, onChange = std::move(onChange)] {
    if (finder_.UsedFallback()) onChange();
  });
  rescan->start(kRescanMs);
}

}  // namespace zr4
