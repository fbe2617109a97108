// Names typed by users (shortcut names, action names in the settings) match without regard to
// ASCII case.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string_view>

namespace zr4 {

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

inline bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// A value that differs from run to run (0 where the system offers no random source).
inline std::uint64_t RunSalt() {
  try {
    return std::random_device()();
  } catch (...) {
    return 0;
  }
}

// Hash and equality for containers of names that match as SameText does (FNV-1a over the
// lower-case form). Transparent, so a string_view finds a stored std::string without a copy.
// The start value differs from run to run, so that names crafted to collide (in a skin.ini from
// the net) cannot make every lookup walk all of them.
struct CaseBlindHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    static const std::uint64_t start = 14695981039346656037ull ^ RunSalt();
    std::uint64_t hash = start;
    for (char c : text) {
      hash ^= static_cast<unsigned char>(AsciiLower(c));
      hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
  }
};

struct CaseBlindEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

}  // namespace zr4
