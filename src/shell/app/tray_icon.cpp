#include "shell/app/tray_icon.h"

#ifndef _WIN32
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#endif

#include "core/app/controller.h"

namespace zr4 {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent), icon_(this) {
  icon_.setObjectName("TrayIcon");
  connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::Activated);
#ifndef _WIN32
  // A status-notifier host that starts again (the panel restarted) has forgotten the icon.
  // On Windows the program's native window hears the taskbar's own restart message.
  auto* watcher =
      new QDBusServiceWatcher("org.kde.StatusNotifierWatcher", QDBusConnection::sessionBus(),
                              QDBusServiceWatcher::WatchForRegistration, this);
  connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
    if (controller_) controller_->Tray().TaskbarCreated();
  });
#endif
}

bool TrayIcon::Available() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::Show(const QIcon& icon, const QString& tip) {
  icon_.setIcon(icon);
  icon_.setToolTip(tip);
  icon_.show();
}

void TrayIcon::Hide() {
  icon_.hide();
}

// The desktop reports a left click (Trigger), a left double click after the click it ends, a
// middle click, and the right button (Context); it has no right or middle double click.
void TrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
  if (!controller_) return;
  TTrayClicks& clicks = controller_->Tray().Clicks();
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      clicks.Click(TTrayButton::Left);
      break;
    case QSystemTrayIcon::DoubleClick:
      clicks.DoubleClick(TTrayButton::Left);
      break;
    case QSystemTrayIcon::MiddleClick:
      clicks.Click(TTrayButton::Middle);
      break;
    case QSystemTrayIcon::Context:
      clicks.Click(TTrayButton::Right);
      break;
    case QSystemTrayIcon::Unknown:
      break;
  }
}

}  // namespace zr4
