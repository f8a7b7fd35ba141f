// The cosines and sines of the angles that arcs and ellipses are walked at.
// They follow from the walk alone, and drawings repeat walks often (every
// ellipse takes the same one; full circles and the arcs of a cell's symbol
// repeat), so a run keeps the last few: the values are those the walk
// computes.
#ifndef DGNBIN_TRANSLATE_ANGLE_WALKS_H_
#define DGNBIN_TRANSLATE_ANGLE_WALKS_H_

#include <stdint.h>

// An arc's walk: 12 to 200 angles over its sweep from its start.
struct ArcWalk {
  int32_t start, sweepWord;
  int count;  // 0 while unused
  double cosT[200], sinT[200];
};

// The ellipse's ring: a fixed step around the whole turn.
struct EllipseWalk {
  int count;  // 0 until worked out
  double cosT[40], sinT[40];
};

struct AngleWalks {
  static const int kKeptArcs = 8;
  ArcWalk arcs[kKeptArcs];
  int nextArc;
  EllipseWalk ellipse;
};

#endif  // DGNBIN_TRANSLATE_ANGLE_WALKS_H_
