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
  return outputPoint(readI32(v), readI32(v + 4), dimension == 3 ? readI32(v + 8) : 0);
}

// The vertex count, cut to the whole vertices that lie inside the element.
int Converter::vertexCount() {
  clipField(36, 2);
  int count = static_cast<int16_t>(readU16(elementBuffer + 32));
  int inside = fieldsInside(38, 4 * dimension);
  if (count > inside) count = inside;
  if (count < 0) count = 0;
  swapWordHalves(elementBuffer + 34, static_cast<int16_t>(count * dimension));
  return count;
}

int32_t Converter::elementInt(int offset) {
  clipField(offset, 4);
  uint8_t* field = elementBuffer + offset - 4;
  swapWordHalves(field, 1);
  return readI32(field);
}

double Converter::elementReal(int offset) {
  clipField(offset, 8);
  return readDouble(static_cast<uint8_t*>(vaxDToDouble(elementBuffer + offset - 4)));
}

void Converter::elementRotation(int offset, double* m) {
  int32_t q[4];
  for (int i = 0; i < 4; ++i) q[i] = elementInt(offset + 4 * i);
  quaternionToMatrix(q, m);
}

ConicFields Converter::conicFields(int axesAt) {
  ConicFields f = {};
  f.a = elementReal(axesAt);
  f.b = elementReal(axesAt + 8);
  const int rotationAt = axesAt + 16;
  int originAt = rotationAt + 4;
  if (dimension == 3) {
    elementRotation(rotationAt, f.m);
    originAt = rotationAt + 16;
  } else {
    f.rotation = elementInt(rotationAt);
  }
  for (int i = 0; i < dimension; ++i) f.origin[i] = elementReal(originAt + 8 * i);
  return f;
}
