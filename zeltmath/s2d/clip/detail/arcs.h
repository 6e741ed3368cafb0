#ifndef ZELTMATH_S2D_CLIP_DETAIL_ARCS_H
#define ZELTMATH_S2D_CLIP_DETAIL_ARCS_H

// Arcs left out of an intersection.  Where a ring of one operand runs beside
// the other, to the left or to the right of all of it at every height, the
// result has nothing, and the ring's sides there only pass their parity on
// to the edges on their right.  When the ring turns one way around a point, an arc of such sides
// between two vertices P and Q that the ring passes through may be replaced
// by the one side from P to Q, which passes on the same parity at every
// height; the heights of the vertices left out stay heights of beams.  The
// conditions, and the proof that the result keeps every bit, are in
// arcs.cpp.

#include <zeltmath/s2d/clip/detail/bounds.h>
#include <zeltmath/s2d/clip/detail/survey.h>

#include <vector>

namespace S2D {
namespace clip {
namespace detail {

// For an intersection of the rings of subject and clip not flagged in the
// ignore lists (boxS and boxC are their boxes, hullS and hullC the Hull of
// those): fills in.arcs with the rings
// that have arcs left out and with the heights of the vertices left out, and
// points in.heights at those.  False, with `in` unchanged, when no arc is
// left out.  The caller sets in.extreme and in.xRoom first; a run with
// extreme coordinates leaves nothing out.
bool LeaveOutArcs(const ContourSet& subject, const std::vector<char>& ignoreS, const std::vector<Box>& boxS,
                  const Box& hullS, const ContourSet& clip, const std::vector<char>& ignoreC,
                  const std::vector<Box>& boxC, const Box& hullC, SweepInput& in);

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
