#include "shell/app/qt_clock.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace zr4 {

QtClock::QtClock() {
  elapsed_.start();
}

std::int64_t QtClock::TickCount() {
  return elapsed_.elapsed();
}

void QtClock::Pause(int ms) {
  if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

void QtClock::WaitProcessingMessages(int ms, int /*sleepMs*/) {
  const std::int64_t deadline = TickCount() + ms;
  // Wakes the event loop at the deadline when nothing else happens.
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  for (std::int64_t left = deadline - TickCount(); left > 0; left = deadline - TickCount()) {
    wake.start(static_cast<int>(left));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
}

}  // namespace zr4
