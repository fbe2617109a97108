// Device-independent bitmaps (".bmp" files) decoded without any platform help: 1, 4 and 8 bits
// with a palette (also run-length encoded), 15 and 16 bits (5-5-5 and 5-6-5), 24 and 32 bits.
// Pixels keep their stored format, because a skin's transparent colour is matched against the
// stored pixel values.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace zr4 {

// A file that is not a bitmap, is damaged, or is larger than a skin picture can be.
class EBitmapError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr const char* kBitmapNotValid = "Bitmap image is not valid";
// Formats that have no fixed pixel layout (other bit-field masks).
constexpr const char* kBitmapTypeNotSupported =
    "TRegion.MakeRgnFromBitmap: Bitmap Type is not Sipported";

enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

// Colours are $00BBGGRR values throughout.
struct TBitmap {
  // Bounds of what a skin picture may be: each side and the whole area.
  static constexpr int kMaxSide = 16384;
  static constexpr std::int64_t kMaxPixels = 8 * 1024 * 1024;  // a 4K screen

  int Width = 0;
  int Height = 0;
  TPixelFormat Format = TPixelFormat::pf24bit;
  std::vector<std::uint32_t> Palette;  // 1-, 4- and 8-bit pictures
  std::size_t RowBytes = 0;
  std::vector<std::uint8_t> Pixels;  // rows from the top, RowBytes each, in the stored format

  const std::uint8_t* Row(int y) const {
    return Pixels.data() + RowBytes * static_cast<std::size_t>(y);
  }
  // The palette index of a 1-, 4- or 8-bit pixel.
  unsigned IndexAt(int x, int y) const;
  std::uint32_t ColorAt(int x, int y) const;
};

// A picture ready to draw: 0xAARRGGBB pixels, rows from the top.
struct TImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Argb;

  bool Empty() const { return Width <= 0 || Height <= 0; }
  // A part of the picture, clipped to it.
  TImage Crop(int left, int top, int width, int height) const;
  bool operator==(const TImage&) const = default;
};

// Throws EBitmapError. `beforeAllocating`, when given, sees the picture's size once the header
// is read and before any pixel memory is taken; it may throw to refuse the picture.
TBitmap DecodeBmp(std::string_view bytes,
                  const std::function<void(int width, int height)>& beforeAllocating = {});

// The pixel matches `colour` the way a skin's transparent colour is matched: palette pictures by
// their palette colour, 15- and 16-bit pictures by the colour reduced to their word, 24- and
// 32-bit pictures by red, green and blue.
class TColorMatcher {
 public:
  TColorMatcher(const TBitmap& bitmap, std::uint32_t colour);
  bool Matches(int x, int y) const;

 private:
  const TBitmap& bitmap_;
  std::uint32_t colour_;
  std::uint16_t word_ = 0;
  std::vector<bool> paletteMatch_;
};

// The picture to draw; pixels matching `transparent` get alpha 0, all others are opaque.
TImage ToImage(const TBitmap& bitmap, std::optional<std::uint32_t> transparent = std::nullopt);

}  // namespace zr4
