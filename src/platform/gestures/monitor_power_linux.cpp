#include "platform/gestures/monitor_power_linux.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusVariant>

#include "core/ports/log.h"

// X11 last: its macros (Status, Bool, None, ...) clash with names in the Qt headers.
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace zr4 {

namespace {

constexpr const char* kMutterService = "org.gnome.Mutter.DisplayConfig";
constexpr int kMutterPowerOn = 0;
constexpr int kMutterPowerOff = 3;

bool SetMutterPowerSaveMode(bool on) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kMutterService)) return false;
  QDBusInterface properties(kMutterService, "/org/gnome/Mutter/DisplayConfig",
                            "org.freedesktop.DBus.Properties", bus);
  const QDBusMessage reply =
      properties.call("Set", kMutterService, "PowerSaveMode",
                      QVariant::fromValue(QDBusVariant(on ? kMutterPowerOn : kMutterPowerOff)));
  if (reply.type() == QDBusMessage::ErrorMessage) {
    LogText("Monitor power: Mutter refused: " + reply.errorMessage().toStdString());
    return false;
  }
  return true;
}

bool ForceDpms(bool on) {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) return false;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  int event = 0;
  int error = 0;
  const bool capable = DPMSQueryExtension(display, &event, &error) && DPMSCapable(display);
  if (capable) {
    DPMSEnable(display);
    DPMSForceLevel(display, on ? DPMSModeOn : DPMSModeOff);
    XFlush(display);
  }
  XCloseDisplay(display);
  return capable;
}

}  // namespace

void LinuxMonitorPower::SetMonitorPower(bool on) {
  // On Wayland the X server (if any) is only there for older programs and does not drive the
  // monitors.
  const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (wayland && SetMutterPowerSaveMode(on)) return;
  if (!wayland && ForceDpms(on)) return;
  if (!wayland && SetMutterPowerSaveMode(on)) return;
  LogText("Monitor power: neither X11 DPMS nor Mutter is available; nothing done");
}

}  // namespace zr4
