// Complex chains, complex shapes, text nodes and cells: which components are
// translated, the header items they carry, and the joined complex record.
#include <string.h>

#include "run/converter.h"
#include "run/words.h"

// Writes the pending complex record when one is open and collected points,
// then closes it.
void Converter::flushComplexRecord() {
  if (complexHeader.pointCount >= 1 && inComplex == 1 && (complexMode == 1 || complexMode == 2)) {
    writeRecord(complexHeader, complexBox, complexPoints, complexItems);
  }
  inComplex = 0;
  complexHeader.pointCount = 0;
}

// The header's own items go in front of every component's items.
static void saveHeaderItems(Converter& c) {
  c.savedItemCount = c.recordHeader.itemCount;
  memcpy(c.savedItems, c.recordItems, sizeof(AttributeItem) * c.recordHeader.itemCount);
}

void Converter::openTextNode() {
  // A node met inside a pending chain must not take that chain's items away.
  flushComplexRecord();
  acceptComponents = 1;
  inComplex = 1;
  saveHeaderItems(*this);
}

void Converter::openComplexRecord() {
  flushComplexRecord();
  acceptComponents = 1;
  inComplex = 1;
  saveHeaderItems(*this);
  if (complexMode != 1 && complexMode != 2) return;
  lookupCode(0);
  complexHeader.kind = 'C';
  complexHeader.equals = '=';
  copyTerminated(complexHeader.code, currentRow.code, 6);
  complexHeader.itemCount = static_cast<uint8_t>(savedItemCount);
  complexHeader.pointCount = 0;
  complexItems = savedItems;
}

void Converter::handleCellHeader() {
  inCell = true;
  switch (claveCel) {
    case 0:
      translateCellHeader(0);
      acceptComponents = 0;
      break;
    case 1:
      acceptComponents = 1;
      break;
    case 2:
      translateCellHeader(1);
      acceptComponents = 0;
      break;
    default:
      break;
  }
}

void Converter::mergeSavedItems() {
  int saved = savedItemCount & 0xFF;
  int own = recordHeader.itemCount;
  int room = kMaxItems - saved;
  if (own > room) {
    own = room;
    warnItemCap();
  }
  memcpy(savedItems + saved, recordItems, sizeof(AttributeItem) * own);
  recordHeader.itemCount = static_cast<uint8_t>(saved + own);
}

// Components of an open complex element carry the header's items first.
// Lines and line strings (`joinsComplex`) reach the file in complex mode 2
// only through the complex record.
void Converter::writeElementRecord(bool joinsComplex) {
  if (inComplex == 1) {
    mergeSavedItems();
    if (!joinsComplex || complexMode == 0 || complexMode == 1) {
      writeRecord(recordHeader, recordBox, recordPoints, savedItems);
    }
  } else {
    writeRecord(recordHeader, recordBox, recordPoints, recordItems);
  }
}

void Converter::appendComplexPoint(const Point& p, bool skipRepeat) {
  int count = complexHeader.pointCount;
  if (skipRepeat && count > 0) {
    const Point& last = complexPoints[count - 1];
    bool same = last.x == p.x && last.y == p.y && (dimension != 3 || last.z == p.z);
    if (same) return;
  }
  if (count >= kMaxPoints) {
    warnPointCap();
    return;
  }
  complexPoints[count] = p;
  complexHeader.pointCount = static_cast<uint16_t>(count + 1);
}
