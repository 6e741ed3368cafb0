#include <zeltmath/s2d/triangle.h>

#include <zeltmath/s2d/detail/ring_geometry.h>

#include <cmath>

namespace S2D {

// Defined here for the instance the library builds (explicitly instantiated
// below), so that the triangle runs the polygon's ring code.
template <class P>
unsigned char GenericTriangle<P>::CheckIn(const P& p, unsigned char onBorder, double tol,
                                          unsigned char checkBorder) const
{
    return detail::CheckInRing(v_, 3, p, onBorder, tol, checkBorder);
}

template <class P>
unsigned char GenericTriangle<P>::IsClockWise() const
{
    return detail::SignedDoubledArea(v_, 3) < 0 ? 1 : 0;
}

template <class P>
double GenericTriangle<P>::Area() const
{
    return std::fabs(detail::SignedDoubledArea(v_, 3)) / 2;
}

template class GenericTriangle<Point>;

} // namespace S2D
