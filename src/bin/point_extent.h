// The smallest box around some points: the extent that kelobin reports and
// that the GDAL driver gives each layer.
#ifndef DGNBIN_BIN_POINT_EXTENT_H_
#define DGNBIN_BIN_POINT_EXTENT_H_

#include <algorithm>

#include "bin/bin_record.h"

struct PointExtent {
  bool hasExtent = false;
  Point low = {0, 0, 0}, high = {0, 0, 0};

  void add(const Point& p) {
    if (!hasExtent) low = high = p;
    hasExtent = true;
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  }
};

#endif  // DGNBIN_BIN_POINT_EXTENT_H_
