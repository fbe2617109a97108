// SIGTERM, SIGINT, SIGHUP and SIGQUIT end the program the way closing the window does. The handler
// only writes the signal's number into a socket pair; the event loop reads it and emits the
// request.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace zr4 {

class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers; only one object may exist at a time.
  explicit TerminationSignals(QObject* parent = nullptr);
  // From here on the signals are ignored: the program is ending, and a repeated signal must not
  // cut short what is left of the teardown nor turn the exit into a death by signal.
  ~TerminationSignals() override;

 signals:
  void terminationRequested(int signal);

 private:
  void Read();

  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace zr4
