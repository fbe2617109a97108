// Any bytes as a skin picture: decoding either fails with EBitmapError or gives a picture whose
// outline and drawing stay inside it; an outline is refused with ERgnError rather than grow past
// its 100,000 rectangles.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/skin/bitmap.h"
#include "core/skin/region.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  zr4::TBitmap bmp;
  try {
    bmp = zr4::DecodeBmp(bytes);
  } catch (const zr4::EBitmapError&) {
    return 0;
  }
  // Large pictures decode like small ones; outlining them only slows the search down.
  if (static_cast<long>(bmp.Width) * bmp.Height > (1 << 20)) return 0;
  zr4::TRegion region;
  try {
    region.MakeRgnFromBitmap(bmp, 0x00FF00FF);
  } catch (const zr4::ERgnError&) {
    if (!region.Rects().empty()) __builtin_trap();  // a refused outline leaves the one before
  }
  if (region.Rects().size() > 100000) __builtin_trap();
  for (const zr4::TRect& r : region.Rects())
    if (r.left < 0 || r.right > bmp.Width || r.left >= r.right || r.top < 0 ||
        r.bottom > bmp.Height)
      __builtin_trap();
  const zr4::TImage image = zr4::ToImage(bmp, 0);
  if (image.Argb.size() != static_cast<std::size_t>(bmp.Width) * bmp.Height) __builtin_trap();
  return 0;
}
