// Suspend, resume and the end of the session as systemd-logind announces them on the system
// bus, as the controller's suspend and resume. While it runs the program holds a
// "delay" inhibitor lock, so that the component can be switched off before the machine sleeps
// or shuts down; the lock is given back as soon as that is done.
#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>

namespace zr4 {

class LogindWatcher : public QObject {
  Q_OBJECT

 public:
  explicit LogindWatcher(QObject* parent = nullptr);

  // Subscribes to logind. Without a system bus (containers, CI) it returns false and the
  // program simply gets no power or session events.
  bool Start();

 signals:
  // The machine is about to sleep; it has woken up again (told once per resume).
  void suspending();
  void resumed();
  // The machine shuts down or reboots.
  void sessionEnding();

 public slots:
  // logind's signals; `start` false means the machine has resumed or the shutdown was
  // cancelled.
  void PrepareForSleep(bool start);
  void PrepareForShutdown(bool start);

 private:
  void TakeDelayLock();

  QDBusUnixFileDescriptor delayLock_;
};

}  // namespace zr4
