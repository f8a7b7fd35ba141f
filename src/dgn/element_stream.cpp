// Reading the design file element by element and handing each element to
// its translator.
#include <stdio.h>

#include "cli/hints.h"
#include "dgn/element_fields.h"
#include "dgn/encodings.h"
#include "run/converter.h"
#include "run/program_texts.h"

enum ElementRead { kElementRead, kEndMarker, kEndOfFile, kTruncated };

// The largest element the words-to-follow field can express is decoded in
// the read buffer as well.
static_assert(FileSource::kCapacity >= 4 + 2 * 65535, "an element fits the read buffer");

// Takes the element whose 4-byte head is next in the read buffer, where it
// lies; false when the file ends inside it.
static bool takeElement(Converter& c) {
  long length = 4 + 2L * readU16(c.dgnSource.next() + kWordsToFollow);
  if (c.dgnSource.fill(static_cast<size_t>(length)) != length) return false;
  c.element.bytes = c.dgnSource.next();
  c.element.length = static_cast<int>(length);
  c.dgnSource.skip(static_cast<size_t>(length));
  return true;
}

// The header element has no end marker to look for.
bool Converter::readFirstElement() {
  if (dgnSource.fill(4) != 4 || !takeElement(*this)) return false;
  fileOffset = element.length;
  return element.length >= kHeaderElementMinBytes;
}

static ElementRead readElement(Converter& c) {
  long got = c.dgnSource.fill(4);
  if (got == 0) return kEndOfFile;
  const uint8_t* e = c.dgnSource.next();
  // Writers end their files with the bare two bytes FF FF as well.
  if (got >= 2 && e[0] == 0xFF && e[1] == 0xFF) {
    printf("%s\n", kEndOfDesign);
    return kEndMarker;
  }
  if (got != 4 || !takeElement(c)) return kTruncated;
  return kElementRead;
}

static bool isRangeTested(int type) {
  switch (type) {
    case 2:
    case 3:
    case 4:
    case 6:
    case 11:
    case 12:
    case 14:
    case 15:
    case 16:
    case 17:
      return true;
    default:
      return false;
  }
}

void Converter::dispatchElement(int type) {
  switch (type) {
    case kElementTypeCellHeader:
      handleCellHeader();
      break;
    case kElementTypeLine:
      translateLine();
      break;
    case kElementTypeLineString:
    case kElementTypeShape:
      translateLineString();
      break;
    case kElementTypeTextNode:
      openTextNode();
      break;
    case kElementTypeCurve:
      translateCurve();
      break;
    case kElementTypeComplexChain:
    case kElementTypeComplexShape:
      openComplexRecord();
      break;
    case kElementTypeEllipse:
      translateEllipse();
      break;
    case kElementTypeArc:
      translateArc();
      break;
    case kElementTypeText:
      translateText();
      break;
    default:
      ++counts.untranslated;
      break;
  }
}

bool Converter::runElementLoop() {
  transform = currentTransform();
  bool truncated = false;
  for (;;) {
    ElementRead got = readElement(*this);
    if (got == kEndMarker) break;
    if (got == kEndOfFile) {
      // Converted as it stands, but a copy cut at an element boundary looks
      // just like this: say so.
      std::string format = std::string("%s: ") + kNoEndMarker;
      hint(format.c_str(), dgnName.c_str(), fileOffset);
      break;
    }
    if (got == kTruncated) {
      truncated = true;
      break;
    }
    elementOffset = fileOffset;
    fileOffset += element.length;
    pointCapWarned = false;
    itemCapWarned = false;

    uint16_t typeLevel = element.word(0);
    int type = elementType(typeLevel);
    ++counts.elementsByType[type];
    // A deleted element is no longer part of the drawing.
    if (typeLevel & kDeletedBit) {
      ++counts.deleted;
      continue;
    }

    // The range stops the run before anything of this element is written;
    // a pending complex record is lost with it.
    if (isRangeTested(type) && !testRange()) return false;

    recordHeader.pointCount = 0;
    recordHeader.itemCount = 0;
    if (element.word(kProperties) & kHasLinkages) collectLinkageItems();

    if (typeLevel & kComplexBit) {
      if (!admitComponent(type)) continue;
    } else {
      flushComplexRecord();
      inCell = false;
    }

    uint16_t symbology = element.word(kSymbology);
    currentRow.level = static_cast<int16_t>(typeLevel & kLevelMask);
    currentRow.style = static_cast<int16_t>(symbology & 7);
    currentRow.weight = static_cast<int16_t>((symbology >> 3) & 0x1F);
    currentRow.colour = static_cast<int16_t>(symbology >> 8);
    currentRow.graphicGroup = static_cast<int16_t>(element.word(kGraphicGroup));

    dispatchElement(type);
    if (binWriteFailed || errorWriteFailed) return false;
  }

  // A complex element that reaches the end of the file is still written.
  flushComplexRecord();
  if (truncated) {
    reportError("%s%lld\n", kTruncatedAt, fileOffset);
    return false;
  }
  return !binWriteFailed && !errorWriteFailed;
}
