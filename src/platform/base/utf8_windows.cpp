#include <windows.h>

#include <cstdlib>
#include <string>

#include "core/base/ini_file.h"
#include "platform/base/utf8_windows.h"

namespace zr4 {

std::wstring Widen(const std::string& text) {
  const UINT page = IsValidUtf8(text) ? CP_UTF8 : CP_ACP;
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(page, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(page, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string NarrowToUtf8(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

std::string EnvUtf8(const char* name) {
  const std::wstring wideName = Widen(name);
  const wchar_t* value = _wgetenv(wideName.c_str());
  return value == nullptr ? std::string() : NarrowToUtf8(value);
}

}  // namespace zr4
