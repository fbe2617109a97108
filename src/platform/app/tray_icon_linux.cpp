// The tray icon on Linux: Qt's, shown by a StatusNotifier host or an XEmbed system tray.
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QSystemTrayIcon>

#include "core/app/controller.h"
#include "platform/app/tray_icon.h"

namespace zr4 {

class TrayIcon::Native {
 public:
  explicit Native(TrayIcon& owner) : icon(&owner) {}
  QSystemTrayIcon icon;
};

TrayIcon::TrayIcon(QObject* parent) : QObject(parent), native_(std::make_unique<Native>(*this)) {
  native_->icon.setObjectName("TrayIcon");
  // The host reports a left click (Trigger), a left double click after the click it ends (an
  // XEmbed tray; a StatusNotifier host reports two clicks instead), a middle click, and the
  // right button (Context); no host reports a right or middle double click.
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
  auto* watcher =
      new QDBusServiceWatcher("org.kde.StatusNotifierWatcher", QDBusConnection::sessionBus(),
                              QDBusServiceWatcher::WatchForRegistration, this);
  connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
    if (controller_) controller_->TaskbarCreated();
  });
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::Available() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

TTrayHostClicks TrayIcon::HostClicks() {
  TTrayHostClicks host;
  host.doubleClick = {false, true, false};  // right, left, middle
  return host;
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

void TrayIcon::Mouse(TTrayMouse event, TTrayButton button) const {
  if (controller_) controller_->TrayMouse(event, button);
}

}  // namespace zr4
