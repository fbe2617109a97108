// Standby, hibernation, power off and restart through systemd-logind on the system bus, and
// log off through the desktop's session manager on the session bus, with logind ending the
// caller's session as the last resort.
#pragma once

#include "core/ports/power_session.h"

namespace zr4 {

class LogindPowerSession : public PowerSession {
 public:
  // Raises EPcCommandError with the operation's message when logind does not allow it (its
  // "Can" check answers "na" or "no") or the call fails. On "challenge" the call is interactive:
  // polkit asks the user, and a refusal is a failure.
  void Run(TPowerOperation operation) override;

 private:
  void LogOff();
};

}  // namespace zr4
