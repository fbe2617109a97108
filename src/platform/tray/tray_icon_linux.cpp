// The tray icon on Linux: Qt's, shown by a StatusNotifier host or an XEmbed system tray.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusServiceWatcher>
#include <QMenu>
#include <QSystemTrayIcon>

#include "platform/tray/desktop_notification_linux.h"
#include "platform/tray/tray_icon.h"

namespace zr4 {

namespace {

constexpr const char* kWatcherService = "org.kde.StatusNotifierWatcher";

// Whether a StatusNotifier host is on the session bus. Qt asks the same once, when its first tray
// icon is made, and speaks StatusNotifierItem or XEmbed after that for the whole run.
bool StatusNotifierHostPresent() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kWatcherService)) return false;
  QDBusInterface watcher(kWatcherService, "/StatusNotifierWatcher", kWatcherService, bus);
  return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}

}  // namespace

class TrayIcon::Native {
 public:
  explicit Native(TrayIcon& owner) : statusNotifier(StatusNotifierHostPresent()), icon(&owner) {}
  const bool statusNotifier;  // made before the icon: the check Qt then makes for it
  QSystemTrayIcon icon;
};

TrayIcon::TrayIcon(QObject* parent) : QObject(parent), native_(std::make_unique<Native>(*this)) {
  native_->icon.setObjectName("TrayIcon");
  // An XEmbed tray reports a left click (Trigger), a left double click after the click it ends,
  // a middle click and the right button (Context); a StatusNotifier host sends Activate for each
  // left click, SecondaryActivate for the middle one, and ContextMenu only if it shows no menu.
  connect(&native_->icon, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            switch (reason) {
              case QSystemTrayIcon::Trigger:
                Mouse(TTrayMouse::Click, TTrayButton::Left);
                break;
              case QSystemTrayIcon::DoubleClick:
                Mouse(TTrayMouse::DoubleClick, TTrayButton::Left);
                break;
              case QSystemTrayIcon::MiddleClick:
                Mouse(TTrayMouse::Click, TTrayButton::Middle);
                break;
              case QSystemTrayIcon::Context:
                Mouse(TTrayMouse::Click, TTrayButton::Right);
                break;
              case QSystemTrayIcon::Unknown:
                break;
            }
          });
  // A status-notifier host that starts again (the panel restarted) has forgotten the icon.
  auto* watcher = new QDBusServiceWatcher(kWatcherService, QDBusConnection::sessionBus(),
                                          QDBusServiceWatcher::WatchForRegistration, this);
  connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
    if (events_.taskbarCreated) events_.taskbarCreated();
  });
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::Available() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

TTrayHostClicks TrayIcon::HostClicks() const {
  TTrayHostClicks host;
  if (native_->statusNotifier) {
    // Activations only, and the exported menu on a right click.
    host.doubleClick = {false, false, false};
    host.rightClick = false;
  } else {
    host.doubleClick = {false, true, false};  // right, left, middle
  }
  return host;
}

// Given to Qt only where the host shows it: an XEmbed tray would open it itself beside the
// program's own menu of the right click.
void TrayIcon::SetMenu(QMenu* menu) {
  if (native_->statusNotifier) native_->icon.setContextMenu(menu);
}

void TrayIcon::Show(const QIcon& icon, const QString& tip) {
  native_->icon.setIcon(icon);
  native_->icon.setToolTip(tip);
  native_->icon.show();
}

void TrayIcon::Hide() {
  native_->icon.hide();
}

bool TrayIcon::Shown() const {
  return native_->icon.isVisible();
}

QString TrayIcon::Tip() const {
  return native_->icon.toolTip();
}

// Not QSystemTrayIcon::showMessage: it needs a shown icon and a tray that draws balloons, and
// falls back to the notification service only on some desktops.
bool TrayIcon::Notify(const QIcon&, const QString& title, const QString& text) {
  return SendDesktopNotification(title, text);
}

void TrayIcon::Mouse(TTrayMouse event, TTrayButton button) const {
  if (events_.mouse) events_.mouse(event, button);
}

}  // namespace zr4
