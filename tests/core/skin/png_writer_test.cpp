// Window pictures as PNG: the file's framing byte for byte, and pixels that read back exactly.
#include "core/skin/png_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zr4 {
namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::uint32_t BigEndianAt(const std::string& s, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(s[at + k]);
  return v;
}

// Undoes what a reader undoes: inflates the image data and reverses each row's filter (this
// reader knows only "None" and "Sub").
std::vector<unsigned char> ReadRgba(const std::string& png, int width, int height) {
  const std::size_t idat = png.find("IDAT");
  const std::uint32_t length = BigEndianAt(png, idat - 4);
  const std::size_t rowBytes = 1 + static_cast<std::size_t>(width) * 4;
  std::vector<unsigned char> raw(rowBytes * static_cast<std::size_t>(height));
  uLongf rawLength = static_cast<uLongf>(raw.size());
  EXPECT_EQ(uncompress(raw.data(), &rawLength,
                       reinterpret_cast<const Bytef*>(png.data() + idat + 4), length),
            Z_OK);
  EXPECT_EQ(rawLength, raw.size());
  std::vector<unsigned char> rgba;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = raw.data() + static_cast<std::size_t>(y) * rowBytes;
    EXPECT_LE(row[0], 1) << "filter of row " << y;
    for (std::size_t k = 0; k + 1 < rowBytes; ++k) {
      const unsigned char left = row[0] == 1 && k >= 4 ? rgba[rgba.size() - 4] : 0;
      rgba.push_back(static_cast<unsigned char>(row[1 + k] + left));
    }
  }
  return rgba;
}

TEST(PngWriterTest, FramesTheImageAsAPngFileWithAlpha) {
  const std::uint32_t pixels[] = {0xFF102030, 0x00000000, 0x80FFFFFF,  // row 0
                                  0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  const std::string png = EncodePng(3, 2, pixels, 3);
  // Signature, then IHDR: 3 x 2, 8 bits, RGBA, deflate, no interlace, and its CRC-32.
  EXPECT_EQ(png.substr(0, 33),
            Bytes({0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00,
                   0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00,
                   0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x9D, 0x74, 0x66, 0x1A}));
  EXPECT_EQ(png.substr(33 + 4, 4), "IDAT");
  // An empty IEND closes the file.
  EXPECT_EQ(png.substr(png.size() - 12),
            Bytes({0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82}));

  EXPECT_EQ(ReadRgba(png, 3, 2),
            (std::vector<unsigned char>{0x10, 0x20, 0x30, 0xFF, 0,    0, 0,    0,
                                        0xFF, 0xFF, 0xFF, 0x80, 0xFF, 0, 0,    0xFF,
                                        0,    0xFF, 0,    0xFF, 0,    0, 0xFF, 0xFF}));
}

TEST(PngWriterTest, ReadsRowsAStrideApartAndKeepsEveryPixelOfALargePicture) {
  // Rows of 300 pixels 320 words apart; the padding must not show. Large enough for several
  // output blocks.
  const int width = 300, height = 200;
  std::vector<std::uint32_t> pixels(5 * 64 * height);
  const std::size_t stride = 320;
  std::vector<unsigned char> expected;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < 320; ++x) {
      const auto noise = static_cast<std::uint32_t>((x * 2654435761u) ^ (y * 40503u));
      pixels[static_cast<std::size_t>(y) * stride + x] = x < width ? noise : 0xDEADBEEF;
      if (x < width)
        expected.insert(
            expected.end(),
            {static_cast<unsigned char>(noise >> 16), static_cast<unsigned char>(noise >> 8),
             static_cast<unsigned char>(noise), static_cast<unsigned char>(noise >> 24)});
    }
  const std::string png = EncodePng(width, height, pixels.data(), stride);
  EXPECT_EQ(BigEndianAt(png, 16), 300u);
  EXPECT_EQ(BigEndianAt(png, 20), 200u);
  EXPECT_EQ(ReadRgba(png, width, height), expected);
}

TEST(PngWriterTest, RefusesAPictureWithoutPixels) {
  const std::uint32_t pixel = 0;
  EXPECT_THROW(EncodePng(0, 1, &pixel, 1), std::invalid_argument);
  EXPECT_THROW(EncodePng(1, -1, &pixel, 1), std::invalid_argument);
}

}  // namespace
}  // namespace zr4
