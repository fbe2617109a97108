#include "shell/app/qt_clock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>
#include <QTimer>

namespace zr4 {

QtClock::QtClock() {
  elapsed_.start();
}

std::int64_t QtClock::TickCount() {
  return elapsed_.elapsed();
}

TLocalTime QtClock::LocalTime() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  // Qt counts Monday 1 … Sunday 7.
  return {date.year(), date.month(),  date.day(),   date.dayOfWeek() % 7 + 1,
          time.hour(), time.minute(), time.second()};
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
