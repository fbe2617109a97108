#include "platform/app/signal_bridge_linux.h"

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace zr4 {

namespace {
int pair_[2] = {-1, -1};  // [0] written by the handler, [1] read by the event loop

void OnSignal(int signal) {
  const unsigned char number = static_cast<unsigned char>(signal);
  // Nothing to do when the pipe is full: a request is already waiting.
  [[maybe_unused]] const ssize_t written = write(pair_[0], &number, 1);
}

// A closed terminal (SIGHUP) and SIGQUIT end the program as SIGTERM and Ctrl+C do: their
// default action would end it without saving, or abandon a save already under way.
constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};

void SetHandler(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
}
}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pair_) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(pair_[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::Read);
  for (const int signal : kEndingSignals) SetHandler(signal, OnSignal);
}

TerminationSignals::~TerminationSignals() {
  if (pair_[0] < 0) return;
  for (const int signal : kEndingSignals) SetHandler(signal, SIG_IGN);
  notifier_.reset();
  close(pair_[0]);
  close(pair_[1]);
  pair_[0] = pair_[1] = -1;
}

void TerminationSignals::Read() {
  unsigned char number = 0;
  while (read(pair_[1], &number, 1) == 1) emit terminationRequested(number);
}

}  // namespace zr4
