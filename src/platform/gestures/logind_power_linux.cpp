#include "platform/gestures/logind_power_linux.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QVariant>
#include <cstdlib>

#include "core/pcactions/power_messages.h"
#include "core/ports/log.h"
#include "core/ports/pc_commands.h"

namespace zr4 {

namespace {

constexpr const char* kLogindService = "org.freedesktop.login1";
constexpr const char* kLogindPath = "/org/freedesktop/login1";
constexpr const char* kLogindManager = "org.freedesktop.login1.Manager";
constexpr int kCallTimeoutMs = 5000;
// polkit's own dialog has no time limit; two minutes is plenty for a password.
constexpr int kAuthorisationTimeoutMs = 120'000;

struct LogindCall {
  const char* check;
  const char* method;
};

LogindCall CallFor(TPowerOperation operation) {
  switch (operation) {
    case TPowerOperation::Suspend:
      return {"CanSuspend", "Suspend"};
    case TPowerOperation::Hibernate:
      return {"CanHibernate", "Hibernate"};
    case TPowerOperation::PowerOff:
      return {"CanPowerOff", "PowerOff"};
    case TPowerOperation::Reboot:
      return {"CanReboot", "Reboot"};
    case TPowerOperation::LogOff:
      break;
  }
  return {nullptr, nullptr};
}

void Log(const QString& line) {
  LogText(line.toStdString());
}

// A desktop session manager's log-off call that asks nobody.
struct SessionManager {
  const char* service;
  const char* path;
  const char* interface;
  const char* method;
  QVariantList arguments;
};

bool CallSessionManager(const SessionManager& manager) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(manager.service)) return false;
  QDBusInterface target(manager.service, manager.path, manager.interface, bus);
  target.setTimeout(kCallTimeoutMs);
  const QDBusMessage reply =
      target.callWithArgumentList(QDBus::Block, manager.method, manager.arguments);
  if (reply.type() == QDBusMessage::ErrorMessage) {
    Log(QString("LogOff: %1 refused: %2").arg(manager.service, reply.errorMessage()));
    return false;
  }
  return true;
}

// The session this program runs in, as logind names it.
QString OwnSessionId(QDBusInterface& logind) {
  const QString fromEnvironment = qEnvironmentVariable("XDG_SESSION_ID");
  if (!fromEnvironment.isEmpty()) return fromEnvironment;
  const QDBusReply<QDBusObjectPath> path =
      logind.call("GetSessionByPID", static_cast<quint32>(getpid()));
  if (!path.isValid()) return {};
  QDBusInterface session(kLogindService, path.value().path(), "org.freedesktop.login1.Session",
                         QDBusConnection::systemBus());
  return session.property("Id").toString();
}

}  // namespace

void LogindPowerSession::Run(TPowerOperation operation) {
  if (operation == TPowerOperation::LogOff) return LogOff();
  const LogindCall call = CallFor(operation);
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) {
    LogText("logind: no system bus");
    throw EPcCommandError(PowerFailedMessage(operation));
  }
  QDBusInterface logind(kLogindService, kLogindPath, kLogindManager, bus);
  logind.setTimeout(kCallTimeoutMs);
  const QDBusReply<QString> allowed = logind.call(call.check);
  if (!allowed.isValid()) {
    Log(QString("logind: %1 failed: %2").arg(call.check, allowed.error().message()));
    throw EPcCommandError(PowerFailedMessage(operation));
  }
  // "challenge": allowed once the user authorises it, so the call must let polkit ask (it is
  // interactive) and wait for the answer as long as the user may take to give it.
  const bool ask = allowed.value() == "challenge";
  if (allowed.value() != "yes" && !ask) {
    Log(QString("logind: %1 answered %2").arg(call.check, allowed.value()));
    throw EPcCommandError(PowerNotAllowedMessage(operation));
  }
  if (ask) logind.setTimeout(kAuthorisationTimeoutMs);
  const QDBusMessage reply = logind.call(call.method, ask);
  if (reply.type() == QDBusMessage::ErrorMessage) {
    Log(QString("logind: %1 failed: %2").arg(call.method, reply.errorMessage()));
    throw EPcCommandError(PowerFailedMessage(operation));
  }
}

void LogindPowerSession::LogOff() {
  const SessionManager managers[] = {
      // Mode 1: log off without asking.
      {"org.gnome.SessionManager",
       "/org/gnome/SessionManager",
       "org.gnome.SessionManager",
       "Logout",
       {QVariant::fromValue(static_cast<quint32>(1))}},
      {"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", {}},
      // No dialog, save the session.
      {"org.xfce.SessionManager",
       "/org/xfce/SessionManager",
       "org.xfce.Session.Manager",
       "Logout",
       {false, true}},
  };
  for (const SessionManager& manager : managers)
    if (CallSessionManager(manager)) return;

  QDBusConnection bus = QDBusConnection::systemBus();
  if (bus.isConnected()) {
    QDBusInterface logind(kLogindService, kLogindPath, kLogindManager, bus);
    logind.setTimeout(kCallTimeoutMs);
    const QString session = OwnSessionId(logind);
    if (!session.isEmpty()) {
      const QDBusMessage reply = logind.call("TerminateSession", session);
      if (reply.type() != QDBusMessage::ErrorMessage) return;
      Log("LogOff: TerminateSession failed: " + reply.errorMessage());
    } else {
      LogText("LogOff: the program's session is not known to logind");
    }
  }
  throw EPcCommandError(kLogOffFailed);
}

}  // namespace zr4
