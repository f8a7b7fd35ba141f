// Positions and bits of the element header, counted from the element's first
// byte, and the fields of the design file's first element.
#ifndef DGNBIN_DGN_ELEMENT_FIELDS_H_
#define DGNBIN_DGN_ELEMENT_FIELDS_H_

#include <stdint.h>

// The type/level word at byte 0.
const uint16_t kLevelMask = 0x003F;
const uint16_t kComplexBit = 0x0080;
const uint16_t kDeletedBit = 0x8000;
inline int elementType(uint16_t typeLevel) { return (typeLevel >> 8) & 0x7F; }

const int kWordsToFollow = 2;
const int kRangeBlock = 4;  // low x, y, z, high x, y, z: 32-bit, each + 2^31
const int kRangeBlockEnd = 28;
const int kGraphicGroup = 28;
const int kAttributeIndex = 30;
const int kProperties = 32;
const uint16_t kHasLinkages = 0x0800;
const int kSymbology = 34;
const int kBody = 36;

// Complex chain and shape headers and text nodes: how many components follow.
const int kComponentCount = 38;

// The header element: units per master unit from the low-order words of the
// subunits and of the positional units, then the global origin (VAX D).
const int kSubunitsLowWord = 1114;
const int kUnitsLowWord = 1118;
const int kGlobalOrigin = 1240;
// The header element must reach the end of the global origin.
const int kHeaderElementMinBytes = 1264;

const int kElementTypeCellHeader = 2;
const int kElementTypeLine = 3;
const int kElementTypeLineString = 4;
const int kElementTypeShape = 6;
const int kElementTypeTextNode = 7;
const int kElementTypeCurve = 11;
const int kElementTypeComplexChain = 12;
const int kElementTypeComplexShape = 14;
const int kElementTypeEllipse = 15;
const int kElementTypeArc = 16;
const int kElementTypeText = 17;

#endif  // DGNBIN_DGN_ELEMENT_FIELDS_H_
