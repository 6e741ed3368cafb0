#ifndef ZELTMATH_S2D_CLIP_DETAIL_BY_HALVES_H
#define ZELTMATH_S2D_CLIP_DETAIL_BY_HALVES_H

// Normalisation of rings in general position by halves.
//
// Rings are in general position when every ring is axis-parallel with its
// sides alternating between horizontal and vertical (so no side has zero
// length and no two consecutive sides are in line), every coordinate is
// within kModerate, any two vertical sides (of one ring or of two) are more
// than kNear apart in x, any two horizontal sides more than kNear apart in
// y, and no ring crosses itself (rings of more than 64 vertices are not
// looked into, and do not count as in general position).
//
// A run over such rings, or over pieces of their sides as runs over them
// leave them, gives a result that depends on the region it covers alone,
// not on the operands that make it:
//
// - No bundle forms: two vertical edges where both run are pieces of
//   different sides, farther apart than the bundle tolerance.  No crossing
//   is found: vertical edges are parallel.  Every x the run works out is the
//   x of an operand's side, exactly (a slope of 0).
// - Through a point pass at most one vertical and one horizontal side.  If
//   both, they meet at a corner of one ring, or belong to the two operands
//   (the rings of one operand cross neither themselves nor each other: an
//   operand holds rings and run results side by side, apart; see below on
//   results).  So about any point the result covers nothing, a quadrant, a
//   half-plane, three quadrants or everything, never two opposite
//   quadrants: its boundary goes straight or turns a corner, and never
//   touches itself.  The vertex class of an edge tells which quadrants
//   about its point the result covers (that is what the classification
//   works out from parities and horizontal states).
// - An edge on the result's boundary is the only edge at its x in its
//   beam, so "x is new" holds at every corner of the result.  An edge that
//   the result passes straight along adds no vertex: it starts at the beam
//   only at a corner of its ring, and the result passes straight through a
//   corner of an operand only when a side of the other operand passes
//   through it too.  Edges inside or outside the result, or in the middle
//   of a horizontal side of it, do nothing.
// - Between the two corners of a horizontal side of the result no edge
//   acts (that would need a side of the result crossing it).
// So at every beam the fragments change only at the result's corners there,
// taken in x order, each by the quadrants about it, and the edges carry the
// fragments along the result's vertical sides from corner to corner; a beam
// with no corner of the result changes nothing.  Every run that covers the
// same region makes the same fragments in the same order with the same
// vertices and merges, hence the same rings in the same order.  Its result
// has no vertex but the corners, its sides are pieces of its operands'
// sides, and its rings neither cross nor touch, as the next run needs.
//
// Normalisation unites the outer rings one at a time and then takes the
// holes away one at a time; with rings in general position every run covers
// exactly the region of its operands' union or difference, and the last
// one covers the union of the outer rings less the union of the holes.  So
// any runs whose last one covers that region give normalisation's result.
// Here rings whose boxes meet, directly or through others, form groups.
// A few rings are put in layers of rings whose boxes do not meet, which
// need no run to be united; the layers, and the halves of larger groups
// (neighbours first), are united by halves.  The last run unites the two
// halves of all groups at once, or takes the union of the holes (made the
// same way) from that of the outer rings: some n log n vertices in all
// instead of the n of the whole set at every step.

#include <zeltmath/s2d/clip/detail/contour_set.h>

#include <vector>

namespace S2D {
namespace clip {
namespace detail {

// Whether `rings` are in general position (above).
bool InGeneralPosition(const std::vector<RingView>& rings);

// Normalisation's result (every ring of `outers` united with the set in
// turn, then every ring of `inners` taken from it) into `out`, for rings
// that together are in general position.
void NormalizeByHalves(const std::vector<RingView>& outers, const std::vector<RingView>& inners, ContourSet& out);

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
