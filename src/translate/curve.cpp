// Curves (type 11): the stored vertices without the first two and the last
// two, which only steer the curve's ends.
#include "run/converter.h"

void Converter::translateCurve() {
  lookupRecordCode(lookupMode);
  recordHeader.pointCount = 0;
  int count = vertexCount();
  bool boxed = count > 4 && addStoredVertices(38 + 8 * dimension, count - 4, false);
  recordHeader.kind = 'C';
  writeElementRecord(false, boxed);
}
