// Cell headers (type 2): by the cell key, a point record at the cell's
// origin, a symbol record whose text is the row's "@" text or the cell's
// name, or nothing while its components are translated one by one.
#include <math.h>

#include "dgn/encodings.h"
#include "dgn/transform.h"
#include "run/converter.h"
#include "run/words.h"
#include "translate/geometry.h"

// The cell's matrix (entries scaled by 214748) and the length of each row,
// the scale along each axis.
static void matrixAxisScales(int dimension, const int32_t* values, double* matrix, double* scales) {
  const double scale = 1.0 / 214748.0;
  for (int i = 0; i < dimension * dimension; ++i) matrix[i] = values[i] * scale;
  if (dimension == 2) {
    scales[0] = sqrt(matrix[0] * matrix[0] + matrix[1] * matrix[1]);
    scales[1] = sqrt(matrix[2] * matrix[2] + matrix[3] * matrix[3]);
  } else {
    scales[0] = sqrt(matrix[0] * matrix[0] + matrix[1] * matrix[1] + matrix[2] * matrix[2]);
    scales[1] = sqrt(matrix[3] * matrix[3] + matrix[4] * matrix[4] + matrix[5] * matrix[5]);
    scales[2] = sqrt(matrix[6] * matrix[6] + matrix[7] * matrix[7] + matrix[8] * matrix[8]);
  }
}

// A decomposed cell does not open a complex element: its components carry
// their own items only.
void Converter::handleCellHeader() {
  inCell = true;
  switch (claveCel) {
    case 0:
      translateCellHeader(0);
      acceptComponents = false;
      break;
    case 1:
      acceptComponents = true;
      break;
    case 2:
      translateCellHeader(1);
      acceptComponents = false;
      break;
    default:
      break;
  }
}

void Converter::translateCellHeader(int asSymbol) {
  const bool solid = dimension == 3;
  const int values = dimension * dimension;
  const int matrixAt = solid ? 76 : 68;
  const int originAt = matrixAt + 4 * values;

  int32_t stored[9];
  for (int i = 0; i < values; ++i) stored[i] = element.dgnInt(matrixAt + 4 * i);
  double m[9], scales[3];
  matrixAxisScales(dimension, stored, m, scales);
  int32_t ox = element.dgnInt(originAt), oy = element.dgnInt(originAt + 4);
  int32_t oz = solid ? element.dgnInt(originAt + 8) : 0;

  char name[7];
  radix50Word(element.word(38), &name[0], &name[1], &name[2]);
  radix50Word(element.word(40), &name[3], &name[4], &name[5]);
  name[6] = '\0';
  trimBlanks(name);
  copyTerminated(currentRow.name, name, 6);

  lookupCode(kByName);
  setRecordCode();

  Point origin = transformPoint(ox, oy, oz);
  if (asSymbol == 1 || (asSymbol == 0 && currentRow.simbKelo[0] == '@')) {
    double sx = scales[0];
    double degrees = 0;
    if (sx != 0) {
      degrees = clampedAcos(m[0] / sx) * 180 / kPi;
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
