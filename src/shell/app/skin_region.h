// A window outline as Qt's region.
#pragma once

#include <QRegion>
#include <vector>

#include "core/app/snapping.h"

namespace zr4 {

// The rectangles (end-exclusive) united a chunk at a time, as the outline was built.
QRegion RegionOf(const std::vector<TRect>& rects);

}  // namespace zr4
