// Start at login on Linux: the freedesktop autostart entry
// $XDG_CONFIG_HOME/autostart/io.github.zr4pcctrl.zr4pcctrl.desktop (default ~/.config/autostart),
// which starts this copy of the program by its absolute path with --at-login.
#pragma once

#include <string>

#include "core/ports/login_start.h"

namespace zr4 {

class FileStore;

// The entry's Exec value: the program quoted as the desktop entry format requires, then
// "--at-login".
std::string AutostartExec(const std::string& executable);
// The whole entry for `executable`.
std::string AutostartEntryText(const std::string& executable);

class AutostartEntry : public LoginStart {
 public:
  // `configHome`: the user's configuration folder ($XDG_CONFIG_HOME or ~/.config).
  AutostartEntry(FileStore& files, std::string configHome, std::string executable);

  bool Enabled() override;
  bool SetEnabled(bool enabled) override;
  std::string Location() const override { return path_; }

 private:
  FileStore& files_;
  std::string configHome_;
  std::string folder_;
  std::string path_;
  std::string executable_;
};

// The entry of the running program in the user's configuration folder.
AutostartEntry SystemAutostartEntry(FileStore& files);

}  // namespace zr4
