// Reading the design file element by element and handing each element to
// its translator.
#include <stdio.h>
#include <string.h>

#include "dgn/element_fields.h"
#include "dgn/encodings.h"
#include "run/converter.h"

static uint16_t wordsToFollow(const uint8_t* head) { return readU16(head + 2); }

bool Converter::readFirstElement() {
  if (dgnSource.read(elementHead, 4) != 4) return false;
  long length = 2L * wordsToFollow(elementHead);
  if (dgnSource.read(elementBuffer, static_cast<size_t>(length)) != length) return false;
  elementBodyLength = static_cast<int32_t>(length);
  fileOffset = 4 + length;
  return 4 + length >= kHeaderElementMinBytes;
}

enum ElementRead { kElementRead, kEndOfDesign, kTruncated };

// Reads the next element into elementHead and elementBuffer. The bytes
// behind the element are zeroed so that nothing of an earlier element can
// be taken for part of this one.
static ElementRead readElement(Converter& c) {
  long got = c.dgnSource.read(c.elementHead, 4);
  if (got == 0) return kEndOfDesign;
  // Writers end their files with the bare two bytes FF FF as well.
  if (got >= 2 && c.elementHead[0] == 0xFF && c.elementHead[1] == 0xFF) {
    printf("Final del fichero DGN\n");
    return kEndOfDesign;
  }
  if (got != 4) return kTruncated;
  long length = 2L * wordsToFollow(c.elementHead);
  if (c.dgnSource.read(c.elementBuffer, static_cast<size_t>(length)) != length) {
    return kTruncated;
  }
  c.elementBodyLength = static_cast<int32_t>(length);
  memset(c.elementBuffer + length, 0, kElementSlack);
  // Header fields that the element does not hold read as zero.
  static const int kHeaderFields[][2] = {{4, 4}, {8, 4}, {12, 4}, {16, 4}, {20, 4},
                                         {24, 4}, {28, 2}, {30, 2}, {32, 2}, {34, 2}};
  for (const auto& field : kHeaderFields) c.clipField(field[0], field[1]);
  return kElementRead;
}

static bool isRangeTested(int type) {
  switch (type) {
    case 2: case 3: case 4: case 6: case 11: case 12: case 14: case 15: case 16: case 17:
      return true;
    default:
      return false;
  }
}

// Some writers set the complex bit on complex chain and shape headers (and
// text nodes) that stand on their own. Such a header, met while no complex
// element and no cell is open, cannot be anyone's component: it opens its
// complex element, so that the chain is not lost whole.
bool Converter::isStrayHeader(int type) const {
  return (type == 7 || type == 12 || type == 14) && !inCell;
}

void Converter::dispatchElement(int type) {
  switch (type) {
    case 2: handleCellHeader(); break;
    case 3: translateLine(); break;
    case 4: case 6: translateLineString(); break;
    case 7: openTextNode(); break;
    case 11: translateCurve(); break;
    case 12: case 14: openComplexRecord(); break;
    case 15: translateEllipse(); break;
    case 16: translateArc(); break;
    case 17: translateText(); break;
    default: break;
  }
}

bool Converter::runElementLoop() {
  bool truncated = false;
  for (;;) {
    ElementRead got = readElement(*this);
    if (got == kEndOfDesign) break;
    if (got == kTruncated) {
      truncated = true;
      break;
    }
    elementOffset = fileOffset;
    fileOffset += 4 + elementBodyLength;
    pointCapWarned = false;
    itemCapWarned = false;

    uint16_t typeLevel = readU16(elementHead);
    // A deleted element is no longer part of the drawing.
    if (typeLevel & kDeletedBit) continue;

    swapWordHalves(elementBuffer, 6);
    int type = (typeLevel >> 8) & 0x7F;
    if (isRangeTested(type)) testRange();

    recordHeader.pointCount = 0;
    recordHeader.itemCount = 0;
    if (readU16(elementBuffer + kProperties - 4) & kHasLinkages) collectLinkageItems();

    if (typeLevel & kComplexBit) {
      if (!acceptComponents && !isStrayHeader(type)) continue;
    } else {
      flushComplexRecord();
      inCell = false;
    }

    uint16_t symbology = readU16(elementBuffer + kSymbology - 4);
    currentRow.level = static_cast<int16_t>(typeLevel & 0x3F);
    currentRow.style = static_cast<int16_t>(symbology & 7);
    currentRow.weight = static_cast<int16_t>((symbology >> 3) & 0x1F);
    currentRow.colour = static_cast<int16_t>(symbology >> 8);
    currentRow.graphicGroup = static_cast<int16_t>(readU16(elementBuffer + kGraphicGroup - 4));

    dispatchElement(type);
    if (binWriteFailed || errorWriteFailed) return false;
  }

  // A complex element that reaches the end of the file is still written.
  flushComplexRecord();
  if (truncated) {
    reportError("ERROR Fichero DGN truncado en el byte %lld\n", fileOffset);
    return false;
  }
  return !binWriteFailed && !errorWriteFailed;
}

void Converter::clipField(int offset, int width) {
  if (offset + width > 4 + elementBodyLength) memset(elementBuffer + offset - 4, 0, width);
}

int Converter::fieldsInside(int offset, int width) const {
  int room = 4 + elementBodyLength - offset;
  return room <= 0 ? 0 : room / width;
}
