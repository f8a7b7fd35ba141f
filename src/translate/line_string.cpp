// Line strings (type 4) and shapes (type 6): every stored vertex in order.
// Inside a complex chain or shape they feed the joined record, where the
// vertex that repeats the last point is kept once.
#include "dgn/encodings.h"
#include "run/converter.h"

void Converter::translateLineString() {
  lookupRecordCode(lookupMode);
  recordHeader.pointCount = 0;
  int count = vertexCount();
  int vertexBytes = 4 * dimension;
  const uint8_t* first = elementBuffer + 34;
  if (count == 2 && readI32(first) == readI32(first + vertexBytes) &&
      readI32(first + 4) == readI32(first + vertexBytes + 4)) {
    count = 1;
  }
  for (int i = 0; i < count; ++i) {
    Point p = storedVertex(38 + vertexBytes * i);
    addRecordPoint(p);
    if (complexMode == 1 || complexMode == 2) appendComplexPoint(p, true);
  }
  recordHeader.kind = 'C';
  writeElementRecord(true);
}
