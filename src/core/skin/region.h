// A window outline cut from a picture: every pixel of the transparent colour is cut away. The
// outline is a list of one-pixel-high rectangles, one per run of kept pixels, row by row from
// the top. The window takes them as they are; the region stream (32-byte header and 16 bytes per
// rectangle, little-endian) is their byte form, for whoever stores or exchanges an outline. Only
// the drawing side turns the rectangles into the platform's region, merged into bands first.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/rect.h"
#include "core/skin/bitmap.h"

namespace zr4 {

class ERgnError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr int kRegionChunk = 4000;
constexpr std::size_t kRegionHeaderSize = 32;
// No real outline comes near this (a rounded 1920 x 1080 face needs a few thousand); a dithered
// or checkered picture would need millions, and the window would take minutes to shape.
constexpr std::uint32_t kMostOutlineRects = 100000;

// The picture's kept area as runs (end-exclusive rectangles one pixel high, row by row from the
// top, left to right). An outline of more than kMostOutlineRects rectangles throws ERgnError, and
// is refused before it is complete.
std::vector<TRect> OutlineRuns(const TBitmap& bitmap, std::uint32_t colour);

// The same runs in the region stream: header (size 32, type 1, count, 0, bounds 0, 0, width,
// height) and the runs. Rectangles are end-exclusive. An outline of more than kMostOutlineRects
// rectangles throws ERgnError, and is refused before it is complete.
std::string MakeRegionStream(const TBitmap& bitmap, std::uint32_t colour);

// Reads a region stream from `pos`, handing the rectangles on `kRegionChunk` at a time; `pos`
// ends after the stream. A stream that ends early throws ERgnError.
void ReadRegionStream(std::string_view stream, std::size_t& pos,
                      const std::function<void(std::span<const TRect>)>& addChunk);

// The outline's runs (one-pixel-high rectangles, row by row from the top, left to right) as
// bands: rows next to each other with the same runs become one rectangle per run, as tall as the
// rows together. This is the form platform regions keep (y-x banded, no two bands alike that
// touch), so a region can take it whole instead of uniting rows one by one. Linear in the runs.
std::vector<TRect> MergeRowsIntoBands(std::span<const TRect> runs);

class TRegion {
 public:
  // The kept area of the picture (OutlineRuns); the rectangles before stay when it is refused.
  void MakeRgnFromBitmap(const TBitmap& bitmap, std::uint32_t colour);
  void LoadFromStream(std::string_view stream, std::size_t& pos);

  const std::vector<TRect>& Rects() const { return rects_; }

 private:
  std::vector<TRect> rects_;
};

}  // namespace zr4
