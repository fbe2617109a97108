// The current user's Run key as the system provides it. The wide-character calls keep a path
// with Japanese names whole whatever the ANSI code page is.
#include <windows.h>

#include <vector>

#include "platform/base/utf8_windows.h"
#include "platform/options/run_key_windows.h"

namespace zr4 {

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class SystemRunKey : public Win32RunKey {
 public:
  bool Read(const std::string& name, std::string& command) override {
    const std::wstring value = Widen(name);
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, value.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                       &size) != ERROR_SUCCESS)
      return false;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, value.c_str(), RRF_RT_REG_SZ, nullptr,
                       buffer.data(), &size) != ERROR_SUCCESS)
      return false;
    command = NarrowToUtf8(buffer.data());
    return true;
  }

  bool Write(const std::string& name, const std::string& command) override {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
      return false;
    const std::wstring text = Widen(command);
    const bool written =
        ::RegSetValueExW(key, Widen(name).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return written;
  }

  bool Remove(const std::string& name) override {
    HKEY key = nullptr;
    const LONG opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    const LONG removed = ::RegDeleteValueW(key, Widen(name).c_str());
    ::RegCloseKey(key);
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
  }
};

}  // namespace

Win32RunKey& SystemWin32RunKey() {
  static SystemRunKey key;
  return key;
}

}  // namespace zr4
