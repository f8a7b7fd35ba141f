// Curves (type 11): the stored vertices without the first two and the last
// two, which only steer the curve's ends.
#include "run/converter.h"

void Converter::translateCurve() {
  lookupRecordCode(lookupMode);
  recordHeader.pointCount = 0;
  int count = vertexCount();
  for (int i = 2; i <= count - 3; ++i) addRecordPoint(storedVertex(38 + 4 * dimension * i));
  recordHeader.kind = 'C';
  writeElementRecord(false);
}
