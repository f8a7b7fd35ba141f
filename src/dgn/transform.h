// From design-file units to KELO units.
#ifndef DGNBIN_DGN_TRANSFORM_H_
#define DGNBIN_DGN_TRANSFORM_H_

#include <stdint.h>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

// The whole part toward zero as a 64-bit integer; -2^63 for a value that is
// not finite or lies outside the 64-bit range.
inline int64_t wholePart(double value) {
#if defined(__x86_64__)
  // The conversion instruction gives -2^63 itself for such a value: one step
  // per coordinate, the same bits as the portable steps below.
  return _mm_cvttsd_si64(_mm_set_sd(value));
#else
  if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0)) return INT64_MIN;
  return static_cast<int64_t>(value);
#endif
}

inline int32_t lowBits(int64_t whole) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole)));
}

// Truncates toward zero and keeps the low 32 bits; a value that is not a
// number, or lies outside the 64-bit range, converts to 0.
inline int32_t truncToInt32(double value) { return lowBits(wholePart(value)); }

// True when a transformed range value lies beyond 2^32.
bool exceedsRangeLimit(double value);

// The transform's inputs as one coordinate at a time needs them, worked out
// once per run: the offsets (minus the global origin), the scale factor's
// float value and the Y shift of uorRatio x trasUTM, which comes off after
// the scaling.
struct PointTransform {
  double offset[3];
  double scale;
  double yShift;

  int32_t x(int32_t v) const { return truncToInt32((v + offset[0]) * scale + 0.00001); }
  int32_t y(int32_t v) const { return truncToInt32((v + offset[1]) * scale + 0.00001 - yShift); }
  int32_t z(int32_t v) const { return truncToInt32((v + offset[2]) * scale + 0.00001); }
};

#endif  // DGNBIN_DGN_TRANSFORM_H_
