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

// The hottest loop of a conversion: the settings kept at hand, the points
// written straight into the record.
template <bool kSolid>
static void transformVertices(const PointTransform t, const uint8_t* vertex, int count,
                              Point* out) {
  for (int i = 0; i < count; ++i, vertex += kSolid ? 12 : 8) {
    out[i].x = t.x(dgnInt32(vertex));
    out[i].y = t.y(dgnInt32(vertex + 4));
    out[i].z = kSolid ? t.z(dgnInt32(vertex + 8)) : 0;
  }
}

// The vertices lie inside the element (see vertexCount).
void Converter::addStoredVertices(int offset, int count, bool joinable) {
  const bool joins = joinable && joinsComplex();
  int n = recordHeader.pointCount;
  if (count > kMaxPoints - n) {
    // Beyond the record's capacity, point by point; the complex record
    // still gets every point.
    const int step = 4 * dimension;
    for (int i = 0; i < count; ++i) {
      const int at = offset + step * i;
      Point p = outputPoint(element.dgnInt(at), element.dgnInt(at + 4), element.dgnInt(at + 8));
      addRecordPoint(p);
      if (joins) appendComplexPoint(p, true);
    }
    return;
  }
  Point* added = recordPoints + n;
  if (dimension == 3) {
    transformVertices<true>(transform, element.bytes + offset, count, added);
  } else {
    transformVertices<false>(transform, element.bytes + offset, count, added);
  }
  recordHeader.pointCount = static_cast<uint16_t>(n + count);
  if (joins) joinPoints(added, count);
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
