#include "core/skin/region.h"

#include <cstring>

namespace zr4 {

namespace {

void Put32(std::string& s, std::uint32_t v) {
  const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                         static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
  s.append(bytes, 4);
}

std::int32_t Get32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) |
                                   (static_cast<std::uint32_t>(b[3]) << 24));
}

// Writes the runs of kept pixels of one row; `transparent(x)` tells a cut pixel.
template <typename Transparent>
std::uint32_t WriteRuns(std::string& s, int y, int width, Transparent transparent) {
  std::uint32_t count = 0;
  int start = -1;
  auto rect = [&](int left, int right) {
    Put32(s, static_cast<std::uint32_t>(left));
    Put32(s, static_cast<std::uint32_t>(y));
    Put32(s, static_cast<std::uint32_t>(right));
    Put32(s, static_cast<std::uint32_t>(y + 1));
    ++count;
  };
  for (int x = 0; x < width; ++x) {
    if (transparent(x)) {
      if (start >= 0) rect(start, x);
      start = -1;
    } else if (start < 0) {
      start = x;
    }
  }
  if (start >= 0) rect(start, width);
  return count;
}

}  // namespace

std::string MakeRegionStream(const TBitmap& bmp, std::uint32_t colour) {
  std::string s;
  s.reserve(kRegionHeaderSize + 64 * static_cast<std::size_t>(bmp.Height));
  for (std::uint32_t v : {32u, 1u, 0u, 0u, 0u, 0u, static_cast<std::uint32_t>(bmp.Width),
                          static_cast<std::uint32_t>(bmp.Height)})
    Put32(s, v);
  std::uint32_t count = 0;
  const std::uint32_t rgb = colour;
  const TColorMatcher matcher(bmp, colour);
  for (int y = 0; y < bmp.Height; ++y) {
    const std::uint8_t* row = bmp.Row(y);
    // The common deep formats get a loop of their own: outlines of large pictures stay fast.
    switch (bmp.Format) {
      case TPixelFormat::pf32bit:
        count += WriteRuns(s, y, bmp.Width, [&](int x) {
          const std::uint8_t* p = row + 4 * x;
          return (p[2] | (p[1] << 8) | (static_cast<std::uint32_t>(p[0]) << 16)) == rgb;
        });
        break;
      case TPixelFormat::pf24bit:
        count += WriteRuns(s, y, bmp.Width, [&](int x) {
          const std::uint8_t* p = row + 3 * x;
          return (p[2] | (p[1] << 8) | (static_cast<std::uint32_t>(p[0]) << 16)) == rgb;
        });
        break;
      default:
        count += WriteRuns(s, y, bmp.Width, [&](int x) { return matcher.Matches(x, y); });
        break;
    }
  }
  for (int k = 0; k < 4; ++k) s[8 + k] = static_cast<char>(count >> (8 * k));
  return s;
}

void ReadRegionStream(std::string_view stream, std::size_t& pos,
                      const std::function<void(std::span<const TRect>)>& addChunk) {
  if (pos > stream.size() || stream.size() - pos < kRegionHeaderSize)
    throw ERgnError("Stream read error");
  const std::uint32_t count = static_cast<std::uint32_t>(Get32(stream.data() + pos + 8));
  std::size_t at = pos + kRegionHeaderSize;
  if ((stream.size() - at) / 16 < count) throw ERgnError("Stream read error");
  std::vector<TRect> chunk;
  chunk.reserve(std::min<std::uint32_t>(count, kRegionChunk));
  for (std::uint32_t total = count; total > 0;) {
    const std::uint32_t n = std::min<std::uint32_t>(total, kRegionChunk);
    chunk.clear();
    for (std::uint32_t k = 0; k < n; ++k, at += 16) {
      const char* p = stream.data() + at;
      chunk.push_back({Get32(p), Get32(p + 4), Get32(p + 8), Get32(p + 12)});
    }
    addChunk(chunk);
    total -= n;
  }
  pos = at;
}

void TRegion::MakeRgnFromBitmap(const TBitmap& bitmap, std::uint32_t colour) {
  const std::string stream = MakeRegionStream(bitmap, colour);
  std::size_t pos = 0;
  LoadFromStream(stream, pos);
}

void TRegion::LoadFromStream(std::string_view stream, std::size_t& pos) {
  std::vector<TRect> result;
  ReadRegionStream(stream, pos, [&](std::span<const TRect> chunk) {
    result.insert(result.end(), chunk.begin(), chunk.end());
  });
  rects_ = std::move(result);
}

}  // namespace zr4
