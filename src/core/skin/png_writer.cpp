#include "core/skin/png_writer.h"

#include <zlib.h>

#include <array>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace zr4 {

namespace {

constexpr std::string_view kSignature("\x89PNG\r\n\x1A\n", 8);
constexpr int kColourRgba = 6;
constexpr unsigned char kFilterSub = 1;

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

// A chunk: its length, its type, its data and the CRC-32 of type and data.
void AppendChunk(std::string& out, std::string_view type, std::string_view data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  out.append(type);
  out.append(data);
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type.data()), 4);
  // Not for no data: zlib answers a null buffer with the starting value, not the sum so far.
  if (!data.empty())
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
  AppendBigEndian(out, static_cast<std::uint32_t>(crc));
}

// The image data: every row with its filter byte, compressed as one zlib stream.
std::string CompressRows(int width, int height, const std::uint32_t* pixels, std::size_t stride) {
  z_stream zs{};
  if (deflateInit(&zs, Z_BEST_SPEED) != Z_OK) throw std::runtime_error("zlib: no memory");
  std::string compressed;
  std::vector<unsigned char> row(1 + static_cast<std::size_t>(width) * 4);
  std::array<unsigned char, 1 << 16> chunk;
  int status = Z_OK;
  for (int y = 0; y < height && status == Z_OK; ++y) {
    const std::uint32_t* in = pixels + static_cast<std::size_t>(y) * stride;
    row[0] = kFilterSub;
    std::array<unsigned char, 4> left{};
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = in[x];
      const std::array<unsigned char, 4> rgba = {
          static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
          static_cast<unsigned char>(p), static_cast<unsigned char>(p >> 24)};
      for (std::size_t k = 0; k < 4; ++k)
        row[1 + static_cast<std::size_t>(x) * 4 + k] =
            static_cast<unsigned char>(rgba[k] - left[k]);
      left = rgba;
    }
    zs.next_in = row.data();
    zs.avail_in = static_cast<uInt>(row.size());
    const int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
    do {
      zs.next_out = chunk.data();
      zs.avail_out = static_cast<uInt>(chunk.size());
      status = deflate(&zs, flush);
      compressed.append(reinterpret_cast<const char*>(chunk.data()), chunk.size() - zs.avail_out);
    } while (zs.avail_out == 0 && status == Z_OK);
  }
  deflateEnd(&zs);
  if (status != Z_STREAM_END) throw std::runtime_error("zlib: the picture did not compress");
  return compressed;
}

}  // namespace

std::string EncodePng(int width, int height, const std::uint32_t* pixels, std::size_t stride) {
  if (width <= 0 || height <= 0) throw std::invalid_argument("a picture without pixels");
  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  header += {8, kColourRgba, 0, 0, 0};  // 8 bits a sample; deflate; adaptive filters; no interlace
  std::string png(kSignature);
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", CompressRows(width, height, pixels, stride));
  AppendChunk(png, "IEND", {});
  return png;
}

}  // namespace zr4
