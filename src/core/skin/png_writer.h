// A picture of the window as a PNG file, for the user and for scripts that compare pictures.
// Written here rather than through the toolkit's image writer: with one cheap filter and the
// fastest compression it costs a fraction of the general writer's time, which tries every filter
// on every row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zr4 {

// The pixels as 8-bit RGBA with straight (not premultiplied) alpha. `pixels` holds `height` rows
// of `width` words 0xAARRGGBB, `stride` words apart. Each row is stored with the "Sub" filter
// (each byte less the same byte of the pixel to its left), which suits drawn faces with runs of
// one colour, and compressed at zlib's fastest level.
std::string EncodePng(int width, int height, const std::uint32_t* pixels, std::size_t stride);

}  // namespace zr4
