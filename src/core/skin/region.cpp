#include "core/skin/region.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/base/le_bytes.h"

namespace zr4 {

namespace {

// Hands on the runs of kept pixels of one row; `transparent(x)` tells a cut pixel.
template <typename Transparent, typename AddRun>
void RowRuns(int y, int width, Transparent transparent, AddRun& addRun) {
  int start = -1;
  for (int x = 0; x < width; ++x) {
    if (transparent(x)) {
      if (start >= 0) addRun(TRect{start, y, x, y + 1});
      start = -1;
    } else if (start < 0) {
      start = x;
    }
  }
  if (start >= 0) addRun(TRect{start, y, width, y + 1});
}

// Where the run that starts at x ends in a 32-bit row: the first x at or after `x` whose
// transparency differs from `transparent`. The colour bytes of a pixel are compared as one word
// with the fourth byte masked off; long runs are skipped sixteen, then four pixels at a time.
int RunEnd32(const std::uint8_t* row, int x, int width, std::uint32_t key, bool transparent) {
  auto differs = [&](int at) {
    std::uint32_t pixel;
    std::memcpy(&pixel, row + 4 * at, 4);
    return ((pixel & 0x00FFFFFFu) == key) != transparent;
  };
#if defined(__SSE2__)
  const __m128i mask = _mm_set1_epi32(0x00FFFFFF);
  const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
  const int same = transparent ? 0xFFFF : 0;
  auto matches = [&](int at) {
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 4 * at));
    return _mm_cmpeq_epi32(_mm_and_si128(pixels, mask), keys);
  };
  // Sixteen pixels a step while they all agree: a run of one kind has every word equal (all
  // matching: their AND is all ones) or none (their OR is zero).
  for (; x + 16 <= width; x += 16) {
    const __m128i a = matches(x), b = matches(x + 4), c = matches(x + 8), d = matches(x + 12);
    const __m128i all = transparent ? _mm_and_si128(_mm_and_si128(a, b), _mm_and_si128(c, d))
                                    : _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d));
    if (_mm_movemask_epi8(all) != same) break;
  }
  for (; x + 4 <= width; x += 4) {
    if (_mm_movemask_epi8(matches(x)) != same) break;
  }
#endif

  while (x < width && !differs(x)) ++x;
  return x;
}

// Hands the picture's runs to `addRun` row by row, refusing an outline of more than
// kMostOutlineRects rectangles as soon as a row takes it past that.
template <typename AddRun>
void ScanOutline(const TBitmap& bmp, std::uint32_t colour, AddRun addRun) {
  std::uint32_t count = 0;
  auto counted = [&](const TRect& run) {
    addRun(run);
    ++count;
  };
  const std::uint32_t rgb = colour;
  const TColorMatcher matcher(bmp, colour);
  for (int y = 0; y < bmp.Height; ++y) {
    const std::uint8_t* row = bmp.Row(y);
    // The common deep formats get a loop of their own: outlines of large pictures stay fast.
    switch (bmp.Format) {
      case TPixelFormat::pf32bit: {
        // The colour $00BBGGRR as the word of a stored pixel (blue, green, red, unused).
        const std::uint32_t key = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
        const bool keyFits = rgb <= 0xFFFFFF;
        for (int x = 0; x < bmp.Width;) {
          const bool transparent = keyFits && RunEnd32(row, x, x + 1, key, false) == x;
          const int end = keyFits ? RunEnd32(row, x, bmp.Width, key, transparent) : bmp.Width;
          if (!transparent) counted(TRect{x, y, end, y + 1});
          x = end;
        }
        break;
      }
      case TPixelFormat::pf24bit:
        RowRuns(
            y, bmp.Width,
            [&](int x) {
              const std::uint8_t* p = row + 3 * x;
              return (p[2] | (p[1] << 8) | (static_cast<std::uint32_t>(p[0]) << 16)) == rgb;
            },
            counted);
        break;
      default:
        RowRuns(
            y, bmp.Width, [&](int x) { return matcher.Matches(x, y); }, counted);
        break;
    }
    if (count > kMostOutlineRects)
      throw ERgnError("The skin's window outline is too complex: it needs more than " +
                      std::to_string(kMostOutlineRects) + " rectangles");
  }
}

}  // namespace

std::vector<TRect> OutlineRuns(const TBitmap& bitmap, std::uint32_t colour) {
  std::vector<TRect> runs;
  runs.reserve(2 * static_cast<std::size_t>(bitmap.Height));
  ScanOutline(bitmap, colour, [&](const TRect& run) { runs.push_back(run); });
  return runs;
}

std::string MakeRegionStream(const TBitmap& bmp, std::uint32_t colour) {
  std::string s;
  s.reserve(kRegionHeaderSize + 64 * static_cast<std::size_t>(bmp.Height));
  for (std::uint32_t v : {32u, 1u, 0u, 0u, 0u, 0u, static_cast<std::uint32_t>(bmp.Width),
                          static_cast<std::uint32_t>(bmp.Height)})
    AppendLe32(s, v);
  std::uint32_t count = 0;
  ScanOutline(bmp, colour, [&](const TRect& run) {
    for (int v : {run.left, run.top, run.right, run.bottom})
      AppendLe32(s, static_cast<std::uint32_t>(v));
    ++count;
  });
  for (int k = 0; k < 4; ++k) s[8 + k] = static_cast<char>(count >> (8 * k));
  return s;
}

void ReadRegionStream(std::string_view stream, std::size_t& pos,
                      const std::function<void(std::span<const TRect>)>& addChunk) {
  if (pos > stream.size() || stream.size() - pos < kRegionHeaderSize)
    throw ERgnError("Stream read error");
  const std::uint32_t count = ReadLe32(stream.data() + pos + 8);
  std::size_t at = pos + kRegionHeaderSize;
  if ((stream.size() - at) / 16 < count) throw ERgnError("Stream read error");
  std::vector<TRect> chunk;
  chunk.reserve(std::min<std::uint32_t>(count, kRegionChunk));
  for (std::uint32_t total = count; total > 0;) {
    const std::uint32_t n = std::min<std::uint32_t>(total, kRegionChunk);
    chunk.clear();
    for (std::uint32_t k = 0; k < n; ++k, at += 16) {
      const char* p = stream.data() + at;
      auto field = [p](int i) { return static_cast<std::int32_t>(ReadLe32(p + 4 * i)); };
      chunk.push_back({field(0), field(1), field(2), field(3)});
    }
    addChunk(chunk);
    total -= n;
  }
  pos = at;
}

std::vector<TRect> MergeRowsIntoBands(std::span<const TRect> runs) {
  std::vector<TRect> bands;
  bands.reserve(runs.size());
  std::size_t lastBand = 0;  // where the last band starts in `bands`
  for (std::size_t row = 0; row < runs.size();) {
    std::size_t end = row + 1;
    while (end < runs.size() && runs[end].top == runs[row].top) ++end;
    const std::size_t count = end - row;
    // The row continues the last band when it touches it and has the same runs.
    bool continues =
        !bands.empty() && bands.back().bottom == runs[row].top && bands.size() - lastBand == count;
    for (std::size_t k = 0; continues && k < count; ++k)
      continues = bands[lastBand + k].left == runs[row + k].left &&
                  bands[lastBand + k].right == runs[row + k].right;
    if (continues) {
      for (std::size_t k = lastBand; k < bands.size(); ++k) bands[k].bottom = runs[row].bottom;
    } else {
      lastBand = bands.size();
      bands.insert(bands.end(), runs.begin() + static_cast<std::ptrdiff_t>(row),
                   runs.begin() + static_cast<std::ptrdiff_t>(end));
    }
    row = end;
  }
  return bands;
}

void TRegion::MakeRgnFromBitmap(const TBitmap& bitmap, std::uint32_t colour) {
  rects_ = OutlineRuns(bitmap, colour);
}

void TRegion::LoadFromStream(std::string_view stream, std::size_t& pos) {
  std::vector<TRect> result;
  ReadRegionStream(stream, pos, [&](std::span<const TRect> chunk) {
    result.insert(result.end(), chunk.begin(), chunk.end());
  });
  rects_ = std::move(result);
}

}  // namespace zr4
