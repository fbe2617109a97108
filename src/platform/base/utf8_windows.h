// Text crosses into Windows as UTF-16 and comes back as UTF-8, the program's own encoding, so
// that folders with Japanese names work whatever the system's ANSI code page is.
#pragma once

#include <string>

namespace zr4 {

// UTF-8 to UTF-16. Text that is not valid UTF-8 (a path taken from an ANSI call) is converted
// from the ANSI code page instead.
std::wstring Widen(const std::string& text);

// UTF-16 to UTF-8.
std::string NarrowToUtf8(const std::wstring& text);

// An environment variable as UTF-8; empty when it is not set.
std::string EnvUtf8(const char* name);

}  // namespace zr4
