#ifndef ZELTMATH_S2D_CLIP_DETAIL_LATE_START_H
#define ZELTMATH_S2D_CLIP_DETAIL_LATE_START_H

// A late start of the sweep.  Below the lowest vertex of the higher operand
// of an intersection (or of the subject of a difference whose clip reaches
// lower), only the other operand has edges, and the result gains nothing
// there: every classification has the missing operand outside on all four
// sides, and so has every crossing.  What the beams below that height leave
// behind is the list of the edges that reach it, in their order, each with
// its own operand's flag below and no fragment.  When one ring alone reaches
// below it, and that ring is seen from a point above the part below, with a
// margin, in one turn of strictly growing angle, that order is the order of
// the edges' angles, and the sweep may start there with it.

#include <zeltmath/s2d/clip/detail/bound_order.h>
#include <zeltmath/s2d/clip/detail/bounds.h>

#include <cstddef>
#include <vector>

namespace S2D {
namespace clip {
namespace detail {

// Tries to start the sweep of `in` at in.late.height: the `count` bounds of
// `starts` that `low` points to (by seq) are those that start below it, all
// of the one ring that reaches there.  On success their edges at that height
// are made and listed in in.startEdges in the order of the list there; on
// failure nothing is changed.
bool StartLate(SweepInput& in, const std::vector<BoundStart>& starts, const PendingBound* low, std::size_t count);

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
