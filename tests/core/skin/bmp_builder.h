// Writes ".bmp" files byte by byte for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/skin/zip_builder.h"

namespace zr4::test {

struct BmpLayout {
  int bits = 24;
  int width = 1;
  int height = 1;
  std::vector<std::string> rows;       // top row first, without padding (or RLE data in rows[0])
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB as written (blue byte first)
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> masks;  // bit fields
  bool topDown = false;
};

inline std::string BuildBmp(const BmpLayout& s) {
  std::string pixels;
  if (s.compression == 1 || s.compression == 2) {
    pixels = s.rows.at(0);
  } else {
    const std::size_t stride = ((static_cast<std::size_t>(s.width) * s.bits + 31) / 32) * 4;
    for (int k = 0; k < s.height; ++k) {
      std::string row = s.rows.at(s.topDown ? k : s.height - 1 - k);
      row.resize(stride, '\0');
      pixels += row;
    }
  }
  std::string extra;
  for (std::uint32_t m : s.masks) AppendLe32(extra, m);
  for (std::uint32_t c : s.palette) AppendLe32(extra, c);
  const std::uint32_t offset = 14 + 40 + extra.size();
  std::string b = "BM";
  AppendLe32(b, offset + pixels.size());
  AppendLe32(b, 0);
  AppendLe32(b, offset);
  AppendLe32(b, 40);
  AppendLe32(b, s.width);
  AppendLe32(b, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height));
  AppendLe16(b, 1);
  AppendLe16(b, s.bits);
  AppendLe32(b, s.compression);
  AppendLe32(b, pixels.size());
  AppendLe32(b, 2835);
  AppendLe32(b, 2835);
  AppendLe32(b, s.palette.size());
  AppendLe32(b, 0);
  return b + extra + pixels;
}

// A 24-bit picture of one colour, given as its bytes blue, green, red.
inline std::string SolidBmp(int width, int height, const std::string& bgr) {
  std::string row;
  for (int x = 0; x < width; ++x) row += bgr;
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.rows.assign(static_cast<std::size_t>(height), row);
  return BuildBmp(layout);
}

}  // namespace zr4::test
