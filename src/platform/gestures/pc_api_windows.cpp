// The Win32 calls of the PC-side actions as the system provides them.
#include <windows.h>
// After windows.h:
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/gestures/pc_api_windows.h"

namespace zr4 {

namespace {

HWND AsWindow(std::uintptr_t window) {
  return reinterpret_cast<HWND>(window);
}

std::wstring Wide(UINT page, const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(page, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  if (length > 0) ::MultiByteToWideChar(page, 0, text.data(), size, wide.data(), length);
  return wide;
}

// `lost` (ANSI only) is set when a character had no form in the code page.
std::string Convert(UINT page, const std::wstring& wide, BOOL* lost) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const DWORD flags = lost ? WC_NO_BEST_FIT_CHARS : 0;
  const int length =
      ::WideCharToMultiByte(page, flags, wide.data(), size, nullptr, 0, nullptr, lost);
  std::string text(static_cast<std::size_t>(std::max(length, 0)), '\0');
  if (length > 0)
    ::WideCharToMultiByte(page, flags, wide.data(), size, text.data(), length, nullptr, lost);
  return text;
}

class SystemPcApi : public Win32PcApi {
 public:
  bool GetVersionExA(OsVersion& version) override {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = kOsVersionInfoSizeA;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&info)) return false;
#pragma GCC diagnostic pop
    version = {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
    return true;
  }

  bool OpenProcessToken(std::uint32_t access, std::uintptr_t& token) override {
    HANDLE handle = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), access, &handle)) return false;
    token = reinterpret_cast<std::uintptr_t>(handle);
    return true;
  }

  bool LookupPrivilegeValueA(const std::string& name, std::uint64_t& luid) override {
    LUID value{};
    if (!::LookupPrivilegeValueA(nullptr, name.c_str(), &value)) return false;
    luid = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(value.HighPart)) << 32) |
           value.LowPart;
    return true;
  }

  bool AdjustTokenPrivileges(std::uintptr_t token, std::uint64_t luid,
                             std::uint32_t attributes) override {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid.LowPart = static_cast<DWORD>(luid & 0xFFFFFFFFu);
    privileges.Privileges[0].Luid.HighPart = static_cast<LONG>(luid >> 32);
    privileges.Privileges[0].Attributes = attributes;
    return ::AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), FALSE, &privileges, 0, nullptr,
                                   nullptr) != 0;
  }

  bool CloseHandle(std::uintptr_t handle) override {
    return ::CloseHandle(reinterpret_cast<HANDLE>(handle)) != 0;
  }

  bool SetSystemPowerState(std::int32_t suspend, std::int32_t force) override {
    return ::SetSystemPowerState(suspend, force) != 0;
  }

  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override {
    return ::ExitWindowsEx(flags, reserved) != 0;
  }

  std::uintptr_t LoadLibraryA(const std::string& name) override {
    return reinterpret_cast<std::uintptr_t>(::LoadLibraryA(name.c_str()));
  }

  std::uintptr_t GetProcAddress(std::uintptr_t module, const std::string& name) override {
    return reinterpret_cast<std::uintptr_t>(
        ::GetProcAddress(reinterpret_cast<HMODULE>(module), name.c_str()));
  }

  bool CallBooleanProc(std::uintptr_t entry) override {
    using BooleanProc = BOOLEAN(WINAPI*)();
    return reinterpret_cast<BooleanProc>(entry)() != 0;
  }

  bool FreeLibrary(std::uintptr_t module) override {
    return ::FreeLibrary(reinterpret_cast<HMODULE>(module)) != 0;
  }

  std::uint32_t GetFileVersionInfoSizeA(const std::string& file) override {
    DWORD handle = 0;
    return ::GetFileVersionInfoSizeA(file.c_str(), &handle);
  }

  bool GetFileVersionInfoA(const std::string& file, std::vector<std::uint8_t>& data) override {
    return ::GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) !=
           0;
  }

  bool VerQueryFileVersionMS(const std::vector<std::uint8_t>& data,
                             std::uint32_t& versionMS) override {
    void* block = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(data.data(), "\\", &block, &length) || block == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
      return false;
    versionMS = static_cast<const VS_FIXEDFILEINFO*>(block)->dwFileVersionMS;
    return true;
  }

  std::uintptr_t FindWindowA(const std::string& windowClass) override {
    return reinterpret_cast<std::uintptr_t>(::FindWindowA(windowClass.c_str(), nullptr));
  }

  bool SetForegroundWindow(std::uintptr_t window) override {
    return ::SetForegroundWindow(AsWindow(window)) != 0;
  }

  bool PostMessageA(std::uintptr_t window, std::uint32_t msg, std::uintptr_t wParam,
                    std::intptr_t lParam) override {
    return ::PostMessageA(AsWindow(window), msg, wParam, lParam) != 0;
  }

  std::intptr_t SendMessageA(std::uintptr_t window, std::uint32_t msg, std::uintptr_t wParam,
                             std::intptr_t lParam) override {
    return ::SendMessageA(AsWindow(window), msg, wParam, lParam);
  }

  void ShellExecuteA(const std::string& verb, const std::string& file, const std::string& params,
                     const std::string& directory, int show) override {
    ::ShellExecuteA(nullptr, verb.c_str(), file.c_str(), params.empty() ? nullptr : params.c_str(),
                    directory.empty() ? nullptr : directory.c_str(), show);
  }

  void Sleep(std::uint32_t ms) override {
    ::Sleep(ms);
  }

  std::uint32_t WaveOutGetNumDevs() override {
    return ::waveOutGetNumDevs();
  }

  bool WaveOutGetDevCapsA(std::uint32_t device, std::string& productName) override {
    WAVEOUTCAPSA caps{};
    if (::waveOutGetDevCapsA(device, &caps, sizeof caps) != MMSYSERR_NOERROR) return false;
    productName.assign(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname));
    return true;
  }

  std::string AnsiToUtf8(const std::string& ansi) override {
    return Convert(CP_UTF8, Wide(CP_ACP, ansi), nullptr);
  }

  bool Utf8ToAnsi(const std::string& utf8, std::string& ansi) override {
    BOOL lost = FALSE;
    ansi = Convert(CP_ACP, Wide(CP_UTF8, utf8), &lost);
    return !lost;
  }

  bool RegReadUserString(const std::string& key, const std::string& value,
                         std::string& text) override {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
      return false;
    DWORD type = 0;
    DWORD size = 0;
    bool read = ::RegQueryValueExA(opened, value.c_str(), nullptr, &type, nullptr, &size) ==
                    ERROR_SUCCESS &&
                (type == REG_SZ || type == REG_EXPAND_SZ);
    if (read) {
      std::vector<char> buffer(size + 1, '\0');
      read = ::RegQueryValueExA(opened, value.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS;
      if (read) text.assign(buffer.data(), strnlen(buffer.data(), buffer.size()));
    }
    ::RegCloseKey(opened);
    return read;
  }

  bool RegWriteUserString(const std::string& key, const std::string& value,
                          const std::string& text) override {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
      return false;
    const bool written = ::RegSetValueExA(opened, value.c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(text.c_str()),
                                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    ::RegCloseKey(opened);
    return written;
  }
};

}  // namespace

Win32PcApi& SystemWin32PcApi() {
  static SystemPcApi api;
  return api;
}

}  // namespace zr4
