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

Point Converter::storedVertex(int offset) {
  return outputPoint(element.dgnInt(offset), element.dgnInt(offset + 4),
                     dimension == 3 ? element.dgnInt(offset + 8) : 0);
}

// The vertex count, cut to the whole vertices that lie inside the element.
int Converter::vertexCount() const {
  int count = static_cast<int16_t>(element.word(36));
  int inside = element.fieldsInside(38, 4 * dimension);
  if (count > inside) count = inside;
  if (count < 0) count = 0;
  return count;
}

void Converter::elementRotation(int offset, double* m) const {
  int32_t q[4];
  for (int i = 0; i < 4; ++i) q[i] = element.dgnInt(offset + 4 * i);
  quaternionToMatrix(q, m);
}

ConicFields Converter::conicFields(int axesAt) const {
  ConicFields f = {};
  f.a = element.vaxD(axesAt);
  f.b = element.vaxD(axesAt + 8);
  const int rotationAt = axesAt + 16;
  int originAt = rotationAt + 4;
  if (dimension == 3) {
    elementRotation(rotationAt, f.m);
    originAt = rotationAt + 16;
  } else {
    f.rotation = element.dgnInt(rotationAt);
  }
  for (int i = 0; i < dimension; ++i) f.origin[i] = element.vaxD(originAt + 8 * i);
  return f;
}
