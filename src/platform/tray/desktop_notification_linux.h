// A notice on the Linux desktop that no one has to click away: the session's notification
// service (org.freedesktop.Notifications), reached over the session bus.
#pragma once

#include <QString>

namespace zr4 {

// Shows `text` under `title` for the service's usual time. False when there is no session bus,
// no service answers, or the service refused it.
bool SendDesktopNotification(const QString& title, const QString& text);

}  // namespace zr4
