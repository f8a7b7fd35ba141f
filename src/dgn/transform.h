// From design-file units to KELO units.
#ifndef DGNBIN_DGN_TRANSFORM_H_
#define DGNBIN_DGN_TRANSFORM_H_

#include <stdint.h>

// Truncates toward zero to a 64-bit integer and keeps its low 32 bits. A
// value that is not finite or lies outside the 64-bit range converts as
// -2^63 does, to 0.
int32_t truncToInt32(double value);

// True when a transformed range value lies beyond 2^32.
bool exceedsRangeLimit(double value);

#endif  // DGNBIN_DGN_TRANSFORM_H_
