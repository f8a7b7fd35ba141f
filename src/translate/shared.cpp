// Steps that every translator shares.
#include "dgn/encodings.h"
#include "run/converter.h"

void Converter::lookupRecordCode(int mode) {
  lookupCode(mode);
  setRecordCode();
}

void Converter::addRecordPoint(const Point& p) {
  if (recordHeader.pointCount >= kMaxPoints) {
    warnPointCap();
    return;
  }
  recordPoints[recordHeader.pointCount++] = p;
}

Point Converter::storedVertex(int offset) const {
  const uint8_t* v = elementBuffer + offset - 4;
  int32_t z = dimension == 3 ? readI32(v + 8) : 0;
  Point p = transformPoint(readI32(v), readI32(v + 4), z);
  if (dimension != 3) p.z = 0;
  return p;
}
