// One element of the design file, head included: element byte n is bytes[n].
// Reads never change the bytes, so a field read twice reads the same; a field
// that does not lie wholly inside the element reads as zero.
#ifndef DGNBIN_DGN_ELEMENT_VIEW_H_
#define DGNBIN_DGN_ELEMENT_VIEW_H_

#include <stdint.h>

#include "dgn/encodings.h"

struct ElementView {
  const uint8_t* bytes;
  int length;  // 4 + 2 x words to follow

  bool holds(int at, int width) const { return at >= 0 && at + width <= length; }
  // Whole fields of `width` bytes from `at` that lie inside the element.
  int fieldsInside(int at, int width) const {
    return length - at <= 0 ? 0 : (length - at) / width;
  }
  uint8_t byte(int at) const { return holds(at, 1) ? bytes[at] : 0; }
  uint16_t word(int at) const { return holds(at, 2) ? readU16(bytes + at) : 0; }
  int32_t dgnInt(int at) const { return holds(at, 4) ? dgnInt32(bytes + at) : 0; }
  double vaxD(int at) const { return holds(at, 8) ? vaxDToDouble(bytes + at) : 0.0; }
};

#endif  // DGNBIN_DGN_ELEMENT_VIEW_H_
