// Complex chains, complex shapes and text nodes: which components are
// translated, the header items they carry, when a complex element ends, and
// the joined record of the lines of a chain or shape.
#include <string.h>

#include "dgn/element_fields.h"
#include "run/converter.h"
#include "run/words.h"

// Some writers set the complex bit on complex chain and shape headers (and
// text nodes) that stand on their own. Such a header, met while no complex
// element and no cell is open, cannot be anyone's component: it opens its
// complex element, so that the chain is not lost whole.
bool Converter::isStrayHeader(int type) const {
  return (type == kElementTypeTextNode || type == kElementTypeComplexChain ||
          type == kElementTypeComplexShape) &&
         !inCell;
}

// A header that says how many components it has ends after the last of
// them, even when the next element carries the complex bit too (the next
// component of the cell that holds it): that element must not be joined to
// this one, nor take its items.
bool Converter::admitComponent(int type) {
  if (inComplex) {
    if (componentCount > 0 && componentsSeen >= componentCount) {
      flushComplexRecord();
    } else {
      ++componentsSeen;
    }
  }
  if (acceptComponents || isStrayHeader(type)) return true;
  ++counts.skippedComponents;
  return false;
}

// Writes the pending complex record when one is open and collected points,
// then closes it.
void Converter::flushComplexRecord() {
  if (complexHeader.pointCount >= 1 && inComplex && joinsComplex()) {
    long long before = counts.records;
    writeRecord(complexHeader, complexBox, complexPoints, complexItems);
    counts.joinedRecords += counts.records - before;
  }
  inComplex = false;
  inTextNode = false;
  complexHeader.pointCount = 0;
}

// Opens a complex element: its components are admitted and carry its items
// in front of their own.
static void openComplexElement(Converter& c) {
  // A header met inside a pending chain must not take that chain's items away.
  c.flushComplexRecord();
  c.acceptComponents = true;
  c.inComplex = true;
  c.componentCount = c.element.word(kComponentCount);
  c.componentsSeen = 0;
  c.savedItemCount = c.recordHeader.itemCount;
  memcpy(c.savedItems, c.recordItems, sizeof(AttributeItem) * c.recordHeader.itemCount);
}

// A text node joins nothing: lines inside it are written on their own, with
// its items, and never join a record (that of an earlier chain, whose
// header is still set up, least of all).
void Converter::openTextNode() {
  openComplexElement(*this);
  inTextNode = true;
}

void Converter::openComplexRecord() {
  openComplexElement(*this);
  if (!joinsComplex()) return;
  lookupCode(kBySymbology);
  complexHeader.kind = 'C';
  complexHeader.equals = '=';
  copyTerminated(complexHeader.code, currentRow.code, 6);
  complexHeader.itemCount = static_cast<uint8_t>(savedItemCount);
  complexHeader.pointCount = 0;
  complexItems = savedItems;
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
// Lines and line strings (`joinable`) reach the file in complex mode 2
// only through the complex record. Ellipses and cells never take a header's
// items: an ellipse is closed and a cell is complex itself, so neither can
// be a member of a chain or shape.
void Converter::writeElementRecord(bool joinable, bool boxed) {
  if (inComplex) {
    mergeSavedItems();
    if (!joinable || writesComponentLines()) {
      writeRecord(recordHeader, recordBox, recordPoints, savedItems, boxed);
    } else if (!joinsLines()) {
      ++counts.unwrittenLines;
    }
  } else {
    writeRecord(recordHeader, recordBox, recordPoints, recordItems, boxed);
  }
}

void Converter::appendComplexPoint(const Point& p, bool skipRepeat) {
  if (!joinsLines()) return;
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

static bool samePoint(const Point& a, const Point& b, bool solid) {
  return a.x == b.x && a.y == b.y && (!solid || a.z == b.z);
}

void Converter::joinPoints(const Point* points, int count) {
  if (count <= 0) return;
  const bool solid = dimension == 3;
  int joined = complexHeader.pointCount;
  int i = 0;
  if (joined == 0) complexPoints[joined++] = points[i++];
  if (count - i <= kMaxPoints - joined && !inComplex) {
    // Outside a complex element the joined points are never written (the
    // next complex element starts anew): only their count, for the cap, and
    // the last of them, for the next repeat, are kept.
    Point last = complexPoints[joined - 1];
    for (; i < count; ++i) {
      joined += !samePoint(points[i], last, solid);
      last = points[i];
    }
    complexPoints[joined - 1] = last;
  } else if (count - i <= kMaxPoints - joined) {
    // Room for all: each point is stored and kept unless it repeats the
    // last, which a point left out equals.
    Point* next = complexPoints + joined;
    Point last = next[-1];
    for (; i < count; ++i) {
      const Point p = points[i];
      *next = p;
      next += !samePoint(p, last, solid);
      last = p;
    }
    joined = static_cast<int>(next - complexPoints);
  }
  for (; i < count; ++i) {
    if (samePoint(points[i], complexPoints[joined - 1], solid)) continue;
    if (joined >= kMaxPoints) {
      warnPointCap();
      continue;
    }
    complexPoints[joined++] = points[i];
  }
  complexHeader.pointCount = static_cast<uint16_t>(joined);
}
