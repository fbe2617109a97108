#include "shell/app/skin_region.h"

#include "core/skin/region.h"

namespace zr4 {

QRegion RegionOf(const std::vector<TRect>& rects) {
  QRegion region;
  std::vector<QRect> chunk;
  for (std::size_t at = 0; at < rects.size(); at += kRegionChunk) {
    chunk.clear();
    const std::size_t end = std::min(rects.size(), at + kRegionChunk);
    for (std::size_t k = at; k < end; ++k)
      chunk.emplace_back(rects[k].left, rects[k].top, rects[k].right - rects[k].left,
                         rects[k].bottom - rects[k].top);
    QRegion part;
    part.setRects(chunk.data(), static_cast<int>(chunk.size()));
    region = region.isEmpty() ? part : region.united(part);
  }
  return region;
}

}  // namespace zr4
