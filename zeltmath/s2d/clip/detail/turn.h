#ifndef ZELTMATH_S2D_CLIP_DETAIL_TURN_H
#define ZELTMATH_S2D_CLIP_DETAIL_TURN_H

// Turns of a ring as seen from a point, with a sign that rounding cannot
// have flipped: the late start and the arcs left out of an intersection
// rest on rings that turn one way around a point.

#include <zeltmath/s2d/clip/detail/contour_set.h>

#include <cmath>

namespace S2D {
namespace clip {
namespace detail {

// The turn from a to b as seen from c: their cross product, and the sum of
// the magnitudes of its two terms, which bounds its rounding.  TurnOf takes
// a and b as their offsets from c.
struct Turn {
    double cross;
    double scale;
};

inline Turn TurnOf(double ax, double ay, double bx, double by)
{
    const double p = ax * by;
    const double q = ay * bx;
    return {p - q, std::fabs(p) + std::fabs(q)};
}

inline Turn TurnAt(const Vertex& c, const Vertex& a, const Vertex& b)
{
    return TurnOf(a.x - c.x, a.y - c.y, b.x - c.x, b.y - c.y);
}

// A turn counts when its cross product is this far above its rounding, so
// that its sign, and its size to within a millionth, are certain.
constexpr double kCertain = 1e-9;

// The sign of a turn (1 or -1), or 0 when it is not certain.  Without a
// branch: the signs of a noisy ring's turns follow no pattern.
inline int SignOf(const Turn& t)
{
    return int(t.cross > kCertain * t.scale) - int(t.cross < -kCertain * t.scale);
}

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
