// Line strings (type 4) and shapes (type 6): every stored vertex in order.
// Inside a complex chain or shape they feed the joined record, where the
// vertex that repeats the last point is kept once.
#include "run/converter.h"

void Converter::translateLineString() {
  lookupRecordCode(lookupMode);
  recordHeader.pointCount = 0;
  int count = vertexCount();
  int vertexBytes = 4 * dimension;
  if (count == 2 && element.dgnInt(38) == element.dgnInt(38 + vertexBytes) &&
      element.dgnInt(42) == element.dgnInt(42 + vertexBytes)) {
    count = 1;
  }
  bool boxed = addStoredVertices(38, count, true);
  recordHeader.kind = 'C';
  writeElementRecord(true, boxed);
}
