// Standby, hibernation, power off, restart and log off on Windows, with the checks, privilege
// and flags each system family needs, and the fixed messages of their failures.
#pragma once

#include <functional>

#include "core/ports/power_session.h"
#include "platform/gestures/pc_api_windows.h"

namespace zr4 {

class TExitWin : public PowerSession {
 public:
  // Reads the system's version once. `closeMainWindow` closes the program's main window (the
  // log-off path of the Windows 95 family); errors it raises are swallowed.
  TExitWin(Win32PcApi& api, std::function<void()> closeMainWindow);

  // Each raises EPcCommandError with its message when it fails.
  void Run(TPowerOperation operation) override;
  void Suspend();
  void Hibernate();
  void PowerOff();
  void Reboot();
  void LogOff();

  bool IsNT() const;
  int NTMajorVersion() const;
  bool IsWin95() const;
  bool ShellIsAtLeast472();

 private:
  void EnableShutdownPrivilege();
  bool ExitWindowsWithPrivilege(std::uint32_t flags);
  bool SetPowerState(bool suspend, bool force);
  bool PowerCapabilityAllowed(const char* name);
  void ExitWindowsOrFail(std::uint32_t flags, const char* message);
  // Polls every 500 ms until a window of class "Progman" exists (or no longer does); gives up
  // after a minute so that a shell that never comes back cannot hang the program.
  void WaitForProgman(bool present);

  Win32PcApi& api_;
  std::function<void()> closeMainWindow_;
  OsVersion version_;
};

}  // namespace zr4
