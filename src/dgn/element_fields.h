// Positions and bits of the element header, counted from the element's first
// byte (the element buffer starts at byte 4).
#ifndef DGNBIN_DGN_ELEMENT_FIELDS_H_
#define DGNBIN_DGN_ELEMENT_FIELDS_H_

#include <stdint.h>

const uint16_t kComplexBit = 0x0080;
const uint16_t kDeletedBit = 0x8000;
const uint16_t kHasLinkages = 0x0800;

const int kRangeBlock = 4;
const int kGraphicGroup = 28;
const int kAttributeIndex = 30;
const int kProperties = 32;
const int kSymbology = 34;
const int kBody = 36;

#endif  // DGNBIN_DGN_ELEMENT_FIELDS_H_
