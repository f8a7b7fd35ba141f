#include "run/converter.h"

#include <errno.h>
#include <string.h>

#include "platform/platform.h"
#include "translate/angle_walks.h"

static void pauseAfterUsage() { pauseMilliseconds(5000); }

Converter::Converter()
    : recordItems(new AttributeItem[kItemSlots]()),
      savedItems(new AttributeItem[kItemSlots]()),
      complexItems(savedItems),
      savedItemCount(0),
      recordPoints(new Point[kMaxPoints]()),
      complexPoints(new Point[kMaxPoints]()),
      textArea(reinterpret_cast<char*>(recordPoints + 1)),
      codeTable(new CodeTableRow[kTableRows]()),
      codeTableRows(0),
      scaleFactor(0.0f),
      complexMode(0),
      utmShift(0.0),
      uorRatio(0),
      transformedRange(),
      lookupMode(0),
      dimension(0),
      inComplex(false),
      inTextNode(false),
      claveCel(0),
      acceptComponents(false),
      inCell(false),
      componentCount(0),
      componentsSeen(0),
      elementOffset(0),
      fileOffset(0),
      binWriteFailed(false),
      errorWriteFailed(false),
      outputsCommitted(false),
      pointCapWarned(false),
      itemCapWarned(false),
      usagePause(pauseAfterUsage),
      extraArguments(0) {
  memset(&recordHeader, 0, sizeof recordHeader);
  memset(&complexHeader, 0, sizeof complexHeader);
  memset(&recordBox, 0, sizeof recordBox);
  memset(&complexBox, 0, sizeof complexBox);
  memset(&currentRow, 0, sizeof currentRow);
  memset(originOffset, 0, sizeof originOffset);
  memset(&transform, 0, sizeof transform);
  memset(&counts, 0, sizeof counts);
  element.bytes = NULL;
  element.length = 0;
  angleWalks = new AngleWalks();  // zeroed: no walk worked out yet
  recordHeader.equals = '=';
}

Converter::~Converter() {
  delete[] recordItems;
  delete[] savedItems;
  delete[] recordPoints;
  delete[] complexPoints;
  delete[] codeTable;
  delete angleWalks;
}
