#include "platform/gestures/logind_watcher_linux.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "core/ports/log.h"

namespace zr4 {

namespace {
const QString kService = "org.freedesktop.login1";
const QString kPath = "/org/freedesktop/login1";
const QString kManager = "org.freedesktop.login1.Manager";
}  // namespace

LogindWatcher::LogindWatcher(QObject* parent) : QObject(parent) {}

bool LogindWatcher::Start() {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) {
    LogText("logind: no system bus, no suspend or shutdown events");
    return false;
  }
  const bool sleep =
      bus.connect(kService, kPath, kManager, "PrepareForSleep", this, SLOT(PrepareForSleep(bool)));
  const bool shutdown = bus.connect(kService, kPath, kManager, "PrepareForShutdown", this,
                                    SLOT(PrepareForShutdown(bool)));
  if (!sleep || !shutdown) {
    LogText("logind: cannot subscribe to its signals");
    return false;
  }
  TakeDelayLock();
  return true;
}

void LogindWatcher::TakeDelayLock() {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kManager, "Inhibit");
  call << QString("sleep:shutdown") << QString("ZR4PCCtrl")
       << QString("Switching the ZR4PC off first") << QString("delay");
  // Asynchronous, so that a slow bus never holds up the start or the resume.
  auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this](QDBusPendingCallWatcher* finished) {
            QDBusPendingReply<QDBusUnixFileDescriptor> reply = *finished;
            if (reply.isValid()) {
              delayLock_ = reply.value();
              LogText("logind: delay lock taken");
            } else {
              LogText("logind: no delay lock: " + reply.error().message().toStdString());
            }
            finished->deleteLater();
          });
}

void LogindWatcher::PrepareForSleep(bool start) {
  LogText(start ? "logind: PrepareForSleep true" : "logind: PrepareForSleep false");
  if (start) {
    emit suspending();
    delayLock_ = QDBusUnixFileDescriptor();  // the machine may sleep now
  } else {
    TakeDelayLock();
    emit resumed();
  }
}

void LogindWatcher::PrepareForShutdown(bool start) {
  LogText(start ? "logind: PrepareForShutdown true" : "logind: PrepareForShutdown false");
  if (start) {
    emit sessionEnding();
    delayLock_ = QDBusUnixFileDescriptor();
  } else {
    TakeDelayLock();
  }
}

}  // namespace zr4
