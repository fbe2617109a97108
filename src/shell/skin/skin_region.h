// A window outline as Qt's region.
#pragma once

#include <QRegion>
#include <vector>

#include "core/base/rect.h"

namespace zr4 {

// The outline's runs (end-exclusive, one pixel high, row by row from the top) as one region.
QRegion RegionOf(const std::vector<TRect>& rects);

}  // namespace zr4
