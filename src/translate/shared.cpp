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
// written straight into the record and its box kept while they are added.
template <bool kSolid>
static void transformVertices(const PointTransform t, const uint8_t* vertex, int count, Point* out,
                              RecordBox& box) {
  int32_t low[3] = {INT32_MAX, INT32_MAX, INT32_MAX};
  int32_t high[3] = {INT32_MIN, INT32_MIN, INT32_MIN};
  for (int i = 0; i < count; ++i, vertex += kSolid ? 12 : 8) {
    const int32_t p[3] = {t.x(dgnInt32(vertex)), t.y(dgnInt32(vertex + 4)),
                          kSolid ? t.z(dgnInt32(vertex + 8)) : 0};
    for (int axis = 0; axis < 3; ++axis) {
      low[axis] = p[axis] < low[axis] ? p[axis] : low[axis];
      high[axis] = p[axis] > high[axis] ? p[axis] : high[axis];
    }
    out[i].x = p[0];
    out[i].y = p[1];
    out[i].z = p[2];
  }
  box.lowX = low[0];
  box.lowY = low[1];
  box.lowZ = low[2];
  box.highX = high[0];
  box.highY = high[1];
  box.highZ = high[2];
}

// The vertices lie inside the element (see vertexCount).
bool Converter::addStoredVertices(int offset, int count, bool joinable) {
  const bool joins = joinable && joinsLines();
  int n = recordHeader.pointCount;
  if (count == 0) return false;  // a record without points keeps its box
  if (count > kMaxPoints - n) {
    // Beyond the record's capacity, point by point; the complex record
    // still gets every point.
    const int step = 4 * dimension;
    for (int i = 0; i < count; ++i) {
      const int at = offset + step * i;
      Point p = outputPoint(element.dgnInt(at), element.dgnInt(at + 4),
                            dimension == 3 ? element.dgnInt(at + 8) : 0);
      addRecordPoint(p);
      if (joins) appendComplexPoint(p, true);
    }
    return false;
  }
  // The box kept is that of the points added here.
  RecordBox other;
  RecordBox& box = n == 0 ? recordBox : other;
  Point* first = recordPoints + n;
  if (dimension == 3) {
    transformVertices<true>(transform, element.bytes + offset, count, first, box);
  } else {
    transformVertices<false>(transform, element.bytes + offset, count, first, box);
  }
  recordHeader.pointCount = static_cast<uint16_t>(n + count);
  if (joins) joinPoints(first, count);
  return n == 0;
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
