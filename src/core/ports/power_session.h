// Ending or pausing the PC's session: standby, hibernation, power off, restart and log off.
#pragma once

namespace zr4 {

enum class TPowerOperation { Suspend, Hibernate, PowerOff, Reboot, LogOff };

class PowerSession {
 public:
  virtual ~PowerSession() = default;

  // Asks the system for the operation. Raises EPcCommandError with the system's fixed message
  // when it is not allowed or the system refused it.
  virtual void Run(TPowerOperation operation) = 0;
};

}  // namespace zr4
