// Lines (type 3): one or two points, and the points they add to the complex
// record being joined.
#include "run/converter.h"

void Converter::translateLine() {
  lookupRecordCode(lookupMode);
  int32_t start[3] = {0, 0, 0}, end[3] = {0, 0, 0};
  for (int i = 0; i < dimension; ++i) start[i] = element.dgnInt(36 + 4 * i);
  for (int i = 0; i < dimension; ++i) end[i] = element.dgnInt(36 + 4 * (dimension + i));

  Point first = outputPoint(start[0], start[1], start[2]);
  recordHeader.pointCount = 0;
  addRecordPoint(first);
  // Ends that differ only in z make a one-point line.
  if (end[0] != start[0] || end[1] != start[1]) {
    Point last = outputPoint(end[0], end[1], end[2]);
    addRecordPoint(last);
    // Components follow each other end to start: only the first line of the
    // chain gives its start point.
    if (complexHeader.pointCount == 0) appendComplexPoint(first, false);
    appendComplexPoint(last, false);
  }
  recordHeader.kind = 'C';
  writeElementRecord(true);
}
