// The Win32 calls of the PC-side actions (power and session, monitors, media players,
// application windows, audio outputs), behind an interface with portable types, so that the
// order of calls, flags and messages are the same code on every platform and can be checked
// against a recording fake. The system implementation lives in pc_api_windows.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zr4 {

// The fields of the system's version record the exit operations read.
struct OsVersion {
  std::uint32_t platformId = 0;  // 1 Windows 95/98/ME, 2 NT family
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
};

// Values of the Win32 ABI passed through the interface.
constexpr std::uint32_t kVerPlatformWin32Windows = 1;
constexpr std::uint32_t kVerPlatformWin32Nt = 2;
constexpr std::uint32_t kOsVersionInfoSizeA = 148;
constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
constexpr std::uint32_t kTokenQuery = 0x08;
constexpr std::uint32_t kSePrivilegeEnabled = 2;
constexpr std::uint32_t kEwxLogoff = 0;
constexpr std::uint32_t kEwxShutdown = 1;
constexpr std::uint32_t kEwxReboot = 2;
constexpr std::uint32_t kEwxPowerOff = 8;
constexpr std::uint32_t kWmClose = 0x10;
constexpr std::uint32_t kWmQuit = 0x12;
constexpr std::uint32_t kWmCommand = 0x111;
constexpr std::uint32_t kWmSysCommand = 0x112;
constexpr std::uint32_t kScMonitorPower = 0xF170;
constexpr int kSwShowNormal = 1;
constexpr int kSwShow = 5;

class Win32PcApi {
 public:
  virtual ~Win32PcApi() = default;

  // GetVersionExA with the record's size field set to 148.
  virtual bool GetVersionExA(OsVersion& version) = 0;

  // Privileges of the current process.
  virtual bool OpenProcessToken(std::uint32_t access, std::uintptr_t& token) = 0;
  virtual bool LookupPrivilegeValueA(const std::string& name, std::uint64_t& luid) = 0;
  // One privilege with these attributes, not disabling all, no previous state.
  virtual bool AdjustTokenPrivileges(std::uintptr_t token, std::uint64_t luid,
                                     std::uint32_t attributes) = 0;
  virtual bool CloseHandle(std::uintptr_t handle) = 0;

  // The flags as the system takes them: all bits set for true, 0 for false.
  virtual bool SetSystemPowerState(std::int32_t suspend, std::int32_t force) = 0;
  virtual bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) = 0;

  // Run-time libraries; a module or entry point is 0 when it cannot be had.
  virtual std::uintptr_t LoadLibraryA(const std::string& name) = 0;
  virtual std::uintptr_t GetProcAddress(std::uintptr_t module, const std::string& name) = 0;
  // Calls an entry point that takes no arguments and returns a BOOLEAN.
  virtual bool CallBooleanProc(std::uintptr_t entry) = 0;
  virtual bool FreeLibrary(std::uintptr_t module) = 0;

  // A file's version resource: its size (0 when it has none), the resource, and the most
  // significant 32 bits of the file version from its root block.
  virtual std::uint32_t GetFileVersionInfoSizeA(const std::string& file) = 0;
  virtual bool GetFileVersionInfoA(const std::string& file, std::vector<std::uint8_t>& data) = 0;
  virtual bool VerQueryFileVersionMS(const std::vector<std::uint8_t>& data,
                                     std::uint32_t& versionMS) = 0;

  // Windows and the shell. A window is 0 when none is found.
  virtual std::uintptr_t FindWindowA(const std::string& windowClass) = 0;
  virtual bool SetForegroundWindow(std::uintptr_t window) = 0;
  virtual bool PostMessageA(std::uintptr_t window, std::uint32_t msg, std::uintptr_t wParam,
                            std::intptr_t lParam) = 0;
  virtual std::intptr_t SendMessageA(std::uintptr_t window, std::uint32_t msg,
                                     std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // No owner window; an empty `params` or `directory` is passed as none.
  virtual void ShellExecuteA(const std::string& verb, const std::string& file,
                             const std::string& params, const std::string& directory, int show) = 0;
  virtual void Sleep(std::uint32_t ms) = 0;

  // Wave output devices: their number, and a device's product name.
  virtual std::uint32_t WaveOutGetNumDevs() = 0;
  virtual bool WaveOutGetDevCapsA(std::uint32_t device, std::string& productName) = 0;

  // Text between the system's ANSI code page (CP932 on Japanese Windows), in which the "A" calls
  // give and take it, and UTF-8. A character the code page has no form for fails the encoding.
  virtual std::string AnsiToUtf8(const std::string& ansi) = 0;
  virtual bool Utf8ToAnsi(const std::string& utf8, std::string& ansi) = 0;

  // String values under a key of the current user's hive, which is opened but never created.
  virtual bool RegReadUserString(const std::string& key, const std::string& value,
                                 std::string& text) = 0;
  virtual bool RegWriteUserString(const std::string& key, const std::string& value,
                                  const std::string& text) = 0;
};

// The process-wide system implementation (Windows only).
Win32PcApi& SystemWin32PcApi();

}  // namespace zr4
