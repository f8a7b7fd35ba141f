// From design-file units to KELO units.
#ifndef DGNBIN_DGN_TRANSFORM_H_
#define DGNBIN_DGN_TRANSFORM_H_

#include <stdint.h>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

// Truncates toward zero to a 64-bit integer and keeps its low 32 bits. A
// value that is not finite or lies outside the 64-bit range converts as
// -2^63 does, to 0.
inline int32_t truncToInt32(double value) {
#if defined(__x86_64__)
  // The conversion instruction gives -2^63 itself for a value that is not
  // finite or lies outside the range: one step per coordinate, the same
  // bits as the portable steps below.
  int64_t whole = _mm_cvttsd_si64(_mm_set_sd(value));
#else
  if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0)) return 0;
  int64_t whole = static_cast<int64_t>(value);
#endif
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole)));
}

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
