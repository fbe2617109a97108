#include "core/skin/bitmap.h"

#include <algorithm>
#include <cstring>

#include "core/base/le_bytes.h"

namespace zr4 {

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3,
                        kBiAlphaBitfields = 6;
// The longest run one pair of RLE bytes (count, value) writes.
constexpr std::int64_t kRleMostPixelsPerPair = 255;

std::uint32_t U32(std::string_view b, std::size_t at) {
  if (at + 4 > b.size()) throw EBitmapError(kBitmapNotValid);
  return ReadLe32(b.data() + at);
}
std::uint16_t U16(std::string_view b, std::size_t at) {
  if (at + 2 > b.size()) throw EBitmapError(kBitmapNotValid);
  return ReadLe16(b.data() + at);
}

std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) {
  return r | (g << 8) | (b << 16);
}
unsigned Expand5(unsigned v) {
  return (v << 3) | (v >> 2);
}
unsigned Expand6(unsigned v) {
  return (v << 2) | (v >> 4);
}

// Run-length encoded rows (bottom-up) into one palette index per byte, rows from the top.
// Escapes: 0 0 end of line, 0 1 end of picture, 0 2 dx dy a move, 0 n n literal pixels.
// Anything outside the picture is dropped; pixels never written stay index 0.
void DecodeRle(std::string_view data, bool four, TBitmap& bmp) {
  std::size_t i = 0;
  int x = 0, row = 0;  // row counts from the bottom
  auto put = [&](unsigned index) {
    if (x < bmp.Width && row < bmp.Height)
      bmp.Pixels[static_cast<std::size_t>(bmp.Height - 1 - row) * bmp.RowBytes + x] =
          static_cast<std::uint8_t>(index);
    ++x;
  };
  auto byte = [&]() -> unsigned {
    if (i >= data.size()) throw EBitmapError(kBitmapNotValid);
    return static_cast<unsigned char>(data[i++]);
  };
  while (i < data.size() && row < bmp.Height) {
    const unsigned count = byte();
    const unsigned value = byte();
    if (count > 0) {
      for (unsigned k = 0; k < count && x <= bmp.Width; ++k)
        put(four ? ((k % 2 == 0) ? value >> 4 : value & 15) : value);
      continue;
    }
    if (value == 0) {
      x = 0;
      ++row;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      x += static_cast<int>(byte());
      row += static_cast<int>(byte());
    } else {
      const unsigned bytes = four ? (value + 1) / 2 : value;
      for (unsigned k = 0; k < value; ++k) {
        unsigned v = static_cast<unsigned char>(
            i + (four ? k / 2 : k) < data.size() ? data[i + (four ? k / 2 : k)] : 0);
        if (four) v = (k % 2 == 0) ? v >> 4 : v & 15;
        if (x <= bmp.Width) put(v);
      }
      i += bytes + (bytes % 2);  // literal runs are padded to a word
      if (i > data.size()) throw EBitmapError(kBitmapNotValid);
    }
    if (x > bmp.Width + 255) x = bmp.Width + 1;  // keep moves from growing without end
  }
}

}  // namespace

unsigned TBitmap::IndexAt(int x, int y) const {
  const std::uint8_t* row = Row(y);
  switch (Format) {
    case TPixelFormat::pf1bit:
      return (row[x / 8] >> (7 - x % 8)) & 1;
    case TPixelFormat::pf4bit:
      return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15;
    default:
      return row[x];
  }
}

std::uint32_t TBitmap::ColorAt(int x, int y) const {
  const std::uint8_t* row = Row(y);
  switch (Format) {
    case TPixelFormat::pf1bit:
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit: {
      const unsigned index = IndexAt(x, y);
      return index < Palette.size() ? Palette[index] : 0;
    }
    case TPixelFormat::pf15bit: {
      const unsigned w = row[2 * x] | (row[2 * x + 1] << 8);
      return Rgb(Expand5((w >> 10) & 31), Expand5((w >> 5) & 31), Expand5(w & 31));
    }
    case TPixelFormat::pf16bit: {
      const unsigned w = row[2 * x] | (row[2 * x + 1] << 8);
      return Rgb(Expand5((w >> 11) & 31), Expand6((w >> 5) & 63), Expand5(w & 31));
    }
    case TPixelFormat::pf24bit:
      return Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case TPixelFormat::pf32bit:
      return Rgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
  }
  return 0;
}

TBitmap DecodeBmp(std::string_view b,
                  const std::function<void(int width, int height)>& beforeAllocating) {
  if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') throw EBitmapError(kBitmapNotValid);
  const std::uint32_t dataOffset = U32(b, 10);
  const std::uint32_t headerSize = U32(b, 14);
  const bool core = headerSize == 12;
  if (!core && headerSize < 40) throw EBitmapError(kBitmapNotValid);
  std::int64_t width, height;
  unsigned bits;
  std::uint32_t compression = kBiRgb, colorsUsed = 0;
  if (core) {
    width = U16(b, 18);
    height = static_cast<std::int16_t>(U16(b, 20));
    bits = U16(b, 24);
  } else {
    width = static_cast<std::int32_t>(U32(b, 18));
    height = static_cast<std::int32_t>(U32(b, 22));
    bits = U16(b, 28);
    compression = U32(b, 30);
    colorsUsed = U32(b, 46);
  }
  const bool topDown = height < 0;
  height = topDown ? -height : height;
  if (width <= 0 || height <= 0 || width > TBitmap::kMaxSide || height > TBitmap::kMaxSide)
    throw EBitmapError(kBitmapNotValid);
  // The caller's bound comes first: its message says more than this function's own.
  if (beforeAllocating) beforeAllocating(static_cast<int>(width), static_cast<int>(height));
  if (width * height > TBitmap::kMaxPixels) throw EBitmapError(kBitmapNotValid);

  TBitmap bmp;
  bmp.Width = static_cast<int>(width);
  bmp.Height = static_cast<int>(height);
  const std::size_t afterHeader = 14 + std::size_t{headerSize};

  std::uint32_t masks[3] = {0, 0, 0};
  const bool bitfields = compression == kBiBitfields || compression == kBiAlphaBitfields;
  if (bitfields) {
    // Masks follow a 40-byte header, and are part of the longer ones.
    const std::size_t at = headerSize == 40 ? afterHeader : 14 + 40;
    for (int k = 0; k < 3; ++k) masks[k] = U32(b, at + 4 * static_cast<std::size_t>(k));
  }
  switch (bits) {
    case 1:
      bmp.Format = TPixelFormat::pf1bit;
      break;
    case 4:
      bmp.Format = TPixelFormat::pf4bit;
      break;
    case 8:
      bmp.Format = TPixelFormat::pf8bit;
      break;
    case 16:
      if (!bitfields || (masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F))
        bmp.Format = TPixelFormat::pf15bit;
      else if (masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F)
        bmp.Format = TPixelFormat::pf16bit;
      else
        throw EBitmapError(kBitmapTypeNotSupported);
      break;
    case 24:
      bmp.Format = TPixelFormat::pf24bit;
      break;
    case 32:
      if (bitfields && !(masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF))
        throw EBitmapError(kBitmapTypeNotSupported);
      bmp.Format = TPixelFormat::pf32bit;
      break;
    default:
      throw EBitmapError(kBitmapNotValid);
  }
  const bool rle = compression == kBiRle8 || compression == kBiRle4;
  if ((compression == kBiRle8 && bits != 8) || (compression == kBiRle4 && bits != 4) ||
      (!rle && !bitfields && compression != kBiRgb) || (bitfields && bits != 16 && bits != 32) ||
      (rle && topDown))
    throw EBitmapError(kBitmapNotValid);

  if (bits <= 8) {
    const std::size_t most = std::size_t{1} << bits;
    std::size_t count = colorsUsed == 0 ? most : std::min<std::size_t>(colorsUsed, most);
    const std::size_t entry = core ? 3 : 4;
    const std::size_t at = afterHeader + (compression == kBiBitfields && headerSize == 40 ? 12 : 0);
    if (at > b.size()) throw EBitmapError(kBitmapNotValid);
    count = std::min(count, (b.size() - at) / entry);
    if (count == 0) throw EBitmapError("TRegion.MakeRgnFromBitmap: cannot Get Color Table");
    for (std::size_t k = 0; k < count; ++k) {
      const auto* p = reinterpret_cast<const unsigned char*>(b.data() + at + k * entry);
      bmp.Palette.push_back(Rgb(p[2], p[1], p[0]));
    }
  }

  if (dataOffset > b.size()) throw EBitmapError(kBitmapNotValid);
  const std::string_view data = b.substr(dataOffset);
  if (rle) {
    // Two bytes of data write at most 255 pixels; pixels that no run writes are undefined. A
    // picture larger than its data can fill is damaged, and is refused before anything is
    // allocated for it: a few bytes must never claim megabytes.
    if (static_cast<std::int64_t>(data.size() / 2) * kRleMostPixelsPerPair < width * height)
      throw EBitmapError(kBitmapNotValid);
    // One index per byte: a run-length encoded 4-bit picture is kept as an 8-bit one.
    bmp.Format = TPixelFormat::pf8bit;
    bmp.RowBytes = static_cast<std::size_t>(bmp.Width);
    bmp.Pixels.assign(bmp.RowBytes * static_cast<std::size_t>(bmp.Height), 0);
    DecodeRle(data, compression == kBiRle4, bmp);
    return bmp;
  }
  const std::size_t stride = ((static_cast<std::size_t>(bmp.Width) * bits + 31) / 32) * 4;
  if (data.size() / stride < static_cast<std::size_t>(bmp.Height))
    throw EBitmapError(kBitmapNotValid);
  bmp.RowBytes = stride;
  bmp.Pixels.resize(stride * static_cast<std::size_t>(bmp.Height));
  for (int y = 0; y < bmp.Height; ++y) {
    const int source = topDown ? y : bmp.Height - 1 - y;
    std::memcpy(bmp.Pixels.data() + stride * static_cast<std::size_t>(y),
                data.data() + stride * static_cast<std::size_t>(source), stride);
  }
  return bmp;
}

TColorMatcher::TColorMatcher(const TBitmap& bitmap, std::uint32_t colour)
    : bitmap_(bitmap), colour_(colour) {
  const unsigned r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
  if (bitmap.Format == TPixelFormat::pf15bit)
    word_ = static_cast<std::uint16_t>((r * 31 / 255) * 1024 + (g * 31 / 255) * 32 + b * 31 / 255);
  if (bitmap.Format == TPixelFormat::pf16bit)
    word_ = static_cast<std::uint16_t>((r * 31 / 255) * 2048 + (g * 63 / 255) * 32 + b * 31 / 255);
  paletteMatch_.resize(256, false);
  for (std::size_t k = 0; k < bitmap.Palette.size(); ++k)
    paletteMatch_[k] = bitmap.Palette[k] == colour;
}

bool TColorMatcher::Matches(int x, int y) const {
  const std::uint8_t* row = bitmap_.Row(y);
  switch (bitmap_.Format) {
    case TPixelFormat::pf1bit:
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit:
      return paletteMatch_[bitmap_.IndexAt(x, y)];
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit:
      return (row[2 * x] | (row[2 * x + 1] << 8)) == word_;
    case TPixelFormat::pf24bit:
      return Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]) == colour_;
    case TPixelFormat::pf32bit:
      return Rgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]) == colour_;
  }
  return false;
}

namespace {

std::uint32_t OpaqueArgb(std::uint32_t colour) {
  return 0xFF000000u | ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

// Palette pictures: each of the 256 indices is drawn once, and rows only look them up.
void DrawPaletteRows(const TBitmap& bitmap, std::optional<std::uint32_t> transparent,
                     std::uint32_t* out) {
  std::uint32_t drawn[256];
  for (std::size_t k = 0; k < 256; ++k) {
    const std::uint32_t colour = k < bitmap.Palette.size() ? bitmap.Palette[k] : 0;
    const bool cut = transparent && k < bitmap.Palette.size() && colour == *transparent;
    drawn[k] = cut ? 0 : OpaqueArgb(colour);
  }
  for (int y = 0; y < bitmap.Height; ++y) {
    const std::uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width; ++x) {
      unsigned index;
      if (bitmap.Format == TPixelFormat::pf1bit)
        index = (row[x / 8] >> (7 - x % 8)) & 1;
      else if (bitmap.Format == TPixelFormat::pf4bit)
        index = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15;
      else
        index = row[x];
      *out++ = drawn[index];
    }
  }
}

// 24- and 32-bit pictures: blue, green, red and, for 32 bits, an unused byte. The stored bytes
// are laid straight into the drawn word, and the transparent colour is compared in that form.
template <int kStep>
void DrawRgbRows(const TBitmap& bitmap, std::optional<std::uint32_t> transparent,
                 std::uint32_t* out) {
  // Drawn words are opaque, so 0 matches none: a value above $00FFFFFF is no pixel's colour.
  const std::uint32_t cut = transparent && *transparent <= 0xFFFFFF ? OpaqueArgb(*transparent) : 0;
  for (int y = 0; y < bitmap.Height; ++y) {
    const std::uint8_t* p = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width; ++x, p += kStep) {
      const std::uint32_t drawn = 0xFF000000u | (std::uint32_t{p[2]} << 16) |
                                  (std::uint32_t{p[1]} << 8) | std::uint32_t{p[0]};
      *out++ = drawn == cut ? 0 : drawn;
    }
  }
}

}  // namespace

TImage ToImage(const TBitmap& bitmap, std::optional<std::uint32_t> transparent) {
  TImage image{bitmap.Width, bitmap.Height, {}};
  image.Argb.resize(static_cast<std::size_t>(bitmap.Width) *
                    static_cast<std::size_t>(bitmap.Height));
  std::uint32_t* out = image.Argb.data();
  switch (bitmap.Format) {
    case TPixelFormat::pf1bit:
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit:
      DrawPaletteRows(bitmap, transparent, out);
      return image;
    case TPixelFormat::pf24bit:
      DrawRgbRows<3>(bitmap, transparent, out);
      return image;
    case TPixelFormat::pf32bit:
      DrawRgbRows<4>(bitmap, transparent, out);
      return image;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit:
      break;
  }
  std::optional<TColorMatcher> matcher;
  if (transparent) matcher.emplace(bitmap, *transparent);
  for (int y = 0; y < bitmap.Height; ++y)
    for (int x = 0; x < bitmap.Width; ++x)
      *out++ = matcher && matcher->Matches(x, y) ? 0 : OpaqueArgb(bitmap.ColorAt(x, y));
  return image;
}

TImage TImage::Crop(int left, int top, int width, int height) const {
  left = std::clamp(left, 0, Width);
  top = std::clamp(top, 0, Height);
  width = std::clamp(width, 0, Width - left);
  height = std::clamp(height, 0, Height - top);
  TImage part{width, height, {}};
  part.Argb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const auto* row =
        Argb.data() + static_cast<std::size_t>(top + y) * static_cast<std::size_t>(Width) + left;
    part.Argb.insert(part.Argb.end(), row, row + width);
  }
  return part;
}

}  // namespace zr4
