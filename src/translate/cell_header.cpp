// Cell headers (type 2) kept whole: a point record at the cell's origin, or
// a symbol record whose text is the row's "@" text or the cell's name.
#include "dgn/encodings.h"
#include "dgn/transform.h"
#include "run/converter.h"
#include "run/words.h"
#include "translate/geometry.h"

void Converter::translateCellHeader(int asSymbol) {
  const bool solid = dimension == 3;
  const int values = dimension * dimension;
  const int matrixAt = solid ? 76 : 68;
  const int originAt = matrixAt + 4 * values;
  uint8_t* e = elementBuffer - 4;  // e[n] is element byte n
  clipField(38, 2);
  clipField(40, 2);

  int32_t stored[9];
  for (int i = 0; i < values; ++i) stored[i] = elementInt(matrixAt + 4 * i);
  double m[9], scales[3];
  matrixAxisScales(stored, m, scales);
  int32_t ox = elementInt(originAt), oy = elementInt(originAt + 4);
  int32_t oz = solid ? elementInt(originAt + 8) : 0;

  char name[7];
  radix50Word(readU16(e + 38), &name[0], &name[1], &name[2]);
  radix50Word(readU16(e + 40), &name[3], &name[4], &name[5]);
  name[6] = '\0';
  trimBlanks(name);
  copyTerminated(currentRow.name, name, 6);

  lookupCode(2);
  setRecordCode();

  Point origin = transformPoint(ox, oy, oz);
  if (asSymbol == 1 || (asSymbol == 0 && currentRow.simbKelo[0] == '@')) {
    double sx = scales[0];
    double degrees = 0;
    if (sx != 0) {
      degrees = clampedAcos(m[0] / sx) * 180 / pi;
      if (m[solid ? 3 : 2] < 0) degrees = 360 - degrees;
    }
    recordHeader.kind = 'T';
    int32_t height = truncToInt32(uorRatio * static_cast<double>(currentRow.alto) * scaleFactor);
    recordBox.textHeight = height == 0 ? 100 : height;
    recordBox.textJustification = 0;
    recordBox.textAngle = truncToInt32(degrees * 100);
    if (!solid) origin.z = 0;
    recordPoints[0] = origin;
    const char* text = currentRow.simbKelo[0] == '@' ? currentRow.simbKelo : name;
    copyTerminated(textArea, text, sizeof currentRow.simbKelo - 1);
  } else {
    // A 2D cell's Z is the transform of z 0: the global origin's z shows.
    recordPoints[0] = origin;
    recordHeader.kind = 'C';
    recordHeader.pointCount = 1;
  }
  writeRecord(recordHeader, recordBox, recordPoints, recordItems);
}
