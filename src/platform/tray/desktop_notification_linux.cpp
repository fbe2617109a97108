#include "platform/tray/desktop_notification_linux.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

#include "core/panel/app_title.h"

namespace zr4 {

namespace {
constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
// A service that does not answer by then is as good as none: start-up must not hang on it.
constexpr int kReplyTimeoutMs = 3000;
}  // namespace

bool SendDesktopNotification(const QString& title, const QString& text) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  // A plain call, not QDBusInterface: that one first asks the service to describe itself.
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
  // app_name, replaces_id (a new notice), app_icon, summary, body, actions, hints,
  // expire_timeout (-1: the service decides).
  call << QString(kAppTitle) << 0u << QString() << title << text << QStringList() << QVariantMap()
       << -1;
  const QDBusMessage reply = bus.call(call, QDBus::Block, kReplyTimeoutMs);
  return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace zr4
