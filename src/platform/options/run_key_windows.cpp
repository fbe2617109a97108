#include "platform/options/run_key_windows.h"

#include <utility>

#include "core/base/same_text.h"

namespace zr4 {

namespace {
constexpr const char* kValueName = "ZR4PCCtrl";
}  // namespace

RunKeyLoginStart::RunKeyLoginStart(Win32RunKey& key, std::string executable)
    : key_(key), executable_(std::move(executable)) {}

std::string RunKeyLoginStart::Command() const {
  return "\"" + executable_ + "\" --at-login";
}

bool RunKeyLoginStart::Enabled() {
  std::string command;
  return key_.Read(kValueName, command) && SameText(command, Command());
}

bool RunKeyLoginStart::SetEnabled(bool enabled) {
  return enabled ? key_.Write(kValueName, Command()) : key_.Remove(kValueName);
}

std::string RunKeyLoginStart::Location() const {
  return std::string("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\") +
         kValueName;
}

}  // namespace zr4
