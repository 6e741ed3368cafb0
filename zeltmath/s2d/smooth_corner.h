#ifndef ZELTMATH_S2D_SMOOTH_CORNER_H
#define ZELTMATH_S2D_SMOOTH_CORNER_H
/// \file
/// Rounding a corner of a chain by a circular arc.

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/point.h>

#include <vector>

namespace S2D {

/// Replaces corner `corner` of the closed chain `points` by a circular arc of
/// the given radius tangent to both edges at the corner (a fillet).  `segments`
/// is the number of segments a full circle of that radius would get; the arc
/// gets the share its angle covers.  `arc` is cleared first and, on success,
/// receives the arc from the tangent point on the incoming edge to the one on
/// the outgoing edge, in the direction of the turn.  The chain is not changed.
///
/// Result 0 (and an empty arc) when the corner cannot be rounded: the three
/// points are collinear, |radius| <= 1e-10, an edge at the corner is shorter
/// than the tangent distance, the radius is negative (a fillet radius is a
/// length; a negative one is rejected rather than guessed at), or the chain
/// has fewer than three points or `corner` is not one of its indices.
ZELTMATH_API unsigned char SmoothCorner(const std::vector<Point>& points, unsigned corner, double radius,
                                        unsigned segments, std::vector<Point>& arc);

} // namespace S2D

#endif
