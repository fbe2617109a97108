#include "platform/gestures/exit_windows.h"

#include "core/pcactions/power_messages.h"
#include "core/ports/log.h"
#include "core/ports/pc_commands.h"

namespace zr4 {

namespace {

constexpr std::uint32_t kProgmanPollMs = 500;
constexpr int kProgmanPolls = 120;

}  // namespace

TExitWin::TExitWin(Win32PcApi& api, std::function<void()> closeMainWindow)
    : api_(api), closeMainWindow_(std::move(closeMainWindow)) {
  if (!api_.GetVersionExA(version_)) version_ = {};
}

bool TExitWin::IsNT() const {
  return version_.platformId == kVerPlatformWin32Nt;
}

int TExitWin::NTMajorVersion() const {
  return IsNT() ? static_cast<int>(version_.major) : -1;
}

bool TExitWin::IsWin95() const {
  return version_.platformId == kVerPlatformWin32Windows && version_.major == 4 &&
         version_.minor == 0;
}

void TExitWin::Run(TPowerOperation operation) {
  switch (operation) {
    case TPowerOperation::Suspend:
      return Suspend();
    case TPowerOperation::Hibernate:
      return Hibernate();
    case TPowerOperation::PowerOff:
      return PowerOff();
    case TPowerOperation::Reboot:
      return Reboot();
    case TPowerOperation::LogOff:
      return LogOff();
  }
}

void TExitWin::EnableShutdownPrivilege() {
  std::uintptr_t token = 0;
  if (!api_.OpenProcessToken(kTokenAdjustPrivileges | kTokenQuery, token))
    throw EPcCommandError(kPrivilegeFailed);
  std::uint64_t luid = 0;
  const bool adjusted = api_.LookupPrivilegeValueA("SeShutdownPrivilege", luid) &&
                        api_.AdjustTokenPrivileges(token, luid, kSePrivilegeEnabled);
  api_.CloseHandle(token);
  if (!adjusted) throw EPcCommandError(kPrivilegeFailed);
}

bool TExitWin::ExitWindowsWithPrivilege(std::uint32_t flags) {
  EnableShutdownPrivilege();
  return api_.ExitWindowsEx(flags, 0);
}

void TExitWin::ExitWindowsOrFail(std::uint32_t flags, const char* message) {
  const bool done = IsNT() ? ExitWindowsWithPrivilege(flags) : api_.ExitWindowsEx(flags, 0);
  if (!done) throw EPcCommandError(message);
}

void TExitWin::PowerOff() {
  ExitWindowsOrFail(kEwxShutdown | kEwxPowerOff, kPowerOffFailed);
}

void TExitWin::Reboot() {
  ExitWindowsOrFail(kEwxReboot, kRebootFailed);
}

bool TExitWin::SetPowerState(bool suspend, bool force) {
  if (IsNT()) {
    if (NTMajorVersion() < 5) throw EPcCommandError(kNt4NoPowerManagement);
    EnableShutdownPrivilege();
  }
  return api_.SetSystemPowerState(suspend ? -1 : 0, force ? -1 : 0);
}

bool TExitWin::PowerCapabilityAllowed(const char* name) {
  if (IsWin95() || NTMajorVersion() == 4) return false;
  const std::uintptr_t library = api_.LoadLibraryA("Powrprof.dll");
  if (library == 0) return false;
  const std::uintptr_t entry = api_.GetProcAddress(library, name);
  const bool allowed = entry != 0 && api_.CallBooleanProc(entry);
  api_.FreeLibrary(library);
  return allowed;
}

void TExitWin::Suspend() {
  if (!IsWin95() && !PowerCapabilityAllowed("IsPwrSuspendAllowed"))
    throw EPcCommandError(kSuspendNotAllowed);
  if (!SetPowerState(true, false)) throw EPcCommandError(kSuspendFailed);
}

void TExitWin::Hibernate() {
  if (!PowerCapabilityAllowed("IsPwrHibernateAllowed")) throw EPcCommandError(kHibernateNotAllowed);
  if (!SetPowerState(false, false)) throw EPcCommandError(kHibernateFailed);
}

void TExitWin::LogOff() {
  if (!api_.ExitWindowsEx(kEwxLogoff, 0)) throw EPcCommandError(kLogOffFailed);
  if (IsNT()) return;
  if (!ShellIsAtLeast472()) {
    // Old shells do not end themselves at log-off: end the shell, wait until it is gone and
    // start it again.
    WaitForProgman(true);
    if (const std::uintptr_t progman = api_.FindWindowA("Progman"))
      api_.PostMessageA(progman, kWmQuit, 0, 0);
    WaitForProgman(false);
    api_.ShellExecuteA("open", "explorer.exe", "", "", kSwShow);
  }
  try {
    if (closeMainWindow_) closeMainWindow_();
  } catch (...) {
    LogText("LogOff: closing the main window failed");
  }
}

void TExitWin::WaitForProgman(bool present) {
  for (int poll = 0; poll < kProgmanPolls; ++poll) {
    if ((api_.FindWindowA("Progman") != 0) == present) return;
    api_.Sleep(kProgmanPollMs);
  }
  LogText(present ? "LogOff: the shell's window did not appear"
                  : "LogOff: the shell's window did not close");
}

bool TExitWin::ShellIsAtLeast472() {
  std::uint32_t versionMS = 0;
  const std::uint32_t size = api_.GetFileVersionInfoSizeA("Shell32.dll");
  if (size != 0) {
    std::vector<std::uint8_t> data(size);
    if (!api_.GetFileVersionInfoA("Shell32.dll", data) ||
        !api_.VerQueryFileVersionMS(data, versionMS))
      versionMS = 0;
  }
  // The version reads as the decimal number "major.minor": the minor number is the digits after
  // the point, so 4.8 is 4.8 and 4.100 is 4.1. Compared in integers: minor / 10^digits >= 0.72.
  const std::uint64_t major = versionMS >> 16;
  const std::uint64_t minor = versionMS & 0xFFFF;
  if (major != 4) return major > 4;
  std::uint64_t scale = 10;
  while (scale <= minor) scale *= 10;
  return minor * 100 >= 72 * scale;
}

}  // namespace zr4
