// Start at login on Windows: the value "ZR4PCCtrl" of the current user's Run key, which starts
// this copy of the program by its quoted path with --at-login. The registry calls sit behind an
// interface so that the choice of what to write is the same code on every platform and is checked
// against a fake; the system implementation lives in run_key_api_windows.cpp.
#pragma once

#include <string>

#include "core/ports/login_start.h"

namespace zr4 {

// The values of HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run, as UTF-8 text.
class Win32RunKey {
 public:
  virtual ~Win32RunKey() = default;
  // False when there is no such string value.
  virtual bool Read(const std::string& name, std::string& command) = 0;
  virtual bool Write(const std::string& name, const std::string& command) = 0;
  // True also when there was no such value.
  virtual bool Remove(const std::string& name) = 0;
};

// The process-wide system implementation (Windows only).
Win32RunKey& SystemWin32RunKey();

class RunKeyLoginStart : public LoginStart {
 public:
  RunKeyLoginStart(Win32RunKey& key, std::string executable);

  // The value names this copy when it is its command; paths compare without regard to case, as
  // the file system does.
  bool Enabled() override;
  bool SetEnabled(bool enabled) override;
  std::string Location() const override;

  // "\"C:\\…\\zr4pcctrl.exe\" --at-login".
  std::string Command() const;

 private:
  Win32RunKey& key_;
  std::string executable_;
};

}  // namespace zr4
