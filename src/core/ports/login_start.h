// The entry that starts the program when the user logs in: the desktop's autostart entry on
// Linux, a value of the user's Run key on Windows. It names one copy of the program, so a
// portable copy can start itself.
#pragma once

#include <string>

namespace zr4 {

class LoginStart {
 public:
  virtual ~LoginStart() = default;

  // Whether the entry is there and starts this copy; an entry of another copy is not.
  virtual bool Enabled() = 0;
  // Writes the entry for this copy (over one of another copy) or removes it; false when that
  // failed, with nothing changed.
  virtual bool SetEnabled(bool enabled) = 0;
  // Where the entry lives, as the user can find it (a file, a registry value).
  virtual std::string Location() const = 0;
};

}  // namespace zr4
