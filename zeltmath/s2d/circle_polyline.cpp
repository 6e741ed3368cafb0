// The tests of a circle against a chain of points.  Edges are walked through
// the chain's virtual EdgeCount() and EdgeAt(), so a polygon passed here is
// tested with its closing edge.

#include <zeltmath/s2d/circle.h>

#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/polyline.h>

namespace S2D {

unsigned char Circle::CheckIn(const Polyline& pl, unsigned char onBorder, double tol) const
{
    // Only the vertices: a chain whose vertices lie in a circle lies in it.
    for (unsigned i = 0; i < pl.Size(); ++i)
        if (!CheckIn(pl[i], onBorder, tol))
            return 0;
    return 1;
}

unsigned char Circle::IsCrossed(const Polyline& pl, unsigned char touching, double tol) const
{
    if (pl.Size() == 0)
        return 0;
    const double r = Radius();
    bool someInside = false, someOutside = false;
    for (unsigned i = 0; i < pl.Size(); ++i) {
        const double d = Distance(pl[i]);
        if (touching && IsZero(d - r, tol))
            return 1;
        if (IsLess(d, r, tol))
            someInside = true;
        else
            someOutside = true;
        if (someInside && someOutside)
            return 1;
    }
    if (someInside)
        return 0;

    // Every vertex lies outside: an edge may still pass through the circle.
    const Point& centre = *this;
    const unsigned n = pl.EdgeCount();
    for (unsigned i = 0; i < n; ++i) {
        const double d = pl.EdgeAt(i).GetDistance(centre, nullptr);
        if (touching && IsZero(d - r, tol))
            return 1;
        if (IsLess(d, r, tol))
            return 1;
    }
    return 0;
}

} // namespace S2D
