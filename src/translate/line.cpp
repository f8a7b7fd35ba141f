// Lines (type 3): one or two points, and the points they add to the complex
// record being joined.
#include "dgn/encodings.h"
#include "run/converter.h"

void Converter::translateLine() {
  lookupRecordCode(lookupMode);
  int vertexBytes = 4 * dimension;
  for (int i = 0; i < 2 * dimension; ++i) clipField(36 + 4 * i, 4);
  swapWordHalves(elementBuffer + 32, static_cast<int16_t>(2 * dimension));

  const uint8_t* start = elementBuffer + 32;
  const uint8_t* end = start + vertexBytes;
  Point first = storedVertex(36);
  recordHeader.pointCount = 0;
  addRecordPoint(first);
  // Ends that differ only in z make a one-point line.
  if (readI32(end) != readI32(start) || readI32(end + 4) != readI32(start + 4)) {
    Point last = storedVertex(36 + vertexBytes);
    addRecordPoint(last);
    if (complexMode == 1 || complexMode == 2) {
      // Components follow each other end to start: only the first line of
      // the chain gives its start point.
      if (complexHeader.pointCount == 0) appendComplexPoint(first, false);
      appendComplexPoint(last, false);
    }
  }
  recordHeader.kind = 'C';
  writeElementRecord(true);
}
