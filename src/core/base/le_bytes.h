// Little-endian numbers in byte strings: what BMP files, zip archives and region data hold, read
// by the skin loader and written by the skin maker and the tests' file builders.
#pragma once

#include <cstdint>
#include <string>

namespace zr4 {

// The caller makes sure 2 or 4 bytes are there.
inline std::uint16_t ReadLe16(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

inline std::uint32_t ReadLe32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

inline void AppendLe16(std::string& s, std::uint16_t v) {
  const char bytes[2] = {static_cast<char>(v), static_cast<char>(v >> 8)};
  s.append(bytes, 2);
}

inline void AppendLe32(std::string& s, std::uint32_t v) {
  const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                         static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
  s.append(bytes, 4);
}

}  // namespace zr4
