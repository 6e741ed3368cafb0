#ifndef ZELTMATH_S2D_DETAIL_RING_GEOMETRY_H
#define ZELTMATH_S2D_DETAIL_RING_GEOMETRY_H

#include <zeltmath/s2d/point.h>

#include <cstddef>

namespace S2D {
namespace detail {

// The rules of a closed ring of n vertices v[0..n-1] (edge i from v[i] to
// v[(i + 1) mod n]) that the polygon and the triangle share.

// Point in ring for n >= 3: with checkBorder, a point on an edge
// (IsBetween) answers onBorder; otherwise the even-odd count of the edges
// that the ray from p towards +x crosses, with the half-open tolerant test
// on the heights (a horizontal edge never counts).
unsigned char CheckInRing(const Point* v, std::size_t n, const Point& p, unsigned char onBorder, double tol,
                          unsigned char checkBorder);

// The signed doubled area S = sum over i = 1 .. n of Simple(v[i-1], v[i mod n]),
// summed in that order; term(a, b, c) sees every pair with its term c.
template <class Term>
double SignedDoubledArea(const Point* v, std::size_t n, Term&& term)
{
    double s = 0;
    for (std::size_t i = 1; i <= n; ++i) {
        const Point& a = v[i - 1];
        const Point& b = v[i % n];
        const double c = Simple(a, b);
        s += c;
        term(a, b, c);
    }
    return s;
}

inline double SignedDoubledArea(const Point* v, std::size_t n)
{
    return SignedDoubledArea(v, n, [](const Point&, const Point&, double) {});
}

} // namespace detail
} // namespace S2D

#endif
