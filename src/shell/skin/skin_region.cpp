#include "shell/skin/skin_region.h"

#include <QRect>

#include "core/skin/region.h"

namespace zr4 {

QRegion RegionOf(const std::vector<TRect>& rects) {
  // Handed over whole in the banded form the region keeps: uniting the rows one by one would take
  // time that grows with the square of their number.
  const std::vector<TRect> bands = MergeRowsIntoBands(rects);
  std::vector<QRect> qrects;
  qrects.reserve(bands.size());
  for (const TRect& r : bands)
    qrects.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top);
  QRegion region;
  region.setRects(qrects.data(), static_cast<int>(qrects.size()));
  return region;
}

}  // namespace zr4
