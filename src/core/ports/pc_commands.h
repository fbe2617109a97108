// Numbered PC commands, as gestures run them: 1 to 5 standby, hibernate, power off, reboot and
// log off the PC, 6 and 7 monitor power, 10 to 22 and 30 to 38 the media players, 50 and up the
// application command sets.
#pragma once

#include <stdexcept>

namespace zr4 {

// A PC command that failed with a message for the user (the system's fixed texts).
class EPcCommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class PcCommandRunner {
 public:
  virtual ~PcCommandRunner() = default;

  // Runs command `number`; a number without meaning does nothing. Raises EPcCommandError when
  // the command failed in a way the user must be told.
  virtual void ExecutePcCommand(int number) = 0;
};

}  // namespace zr4
