// Circle against polylines.
//
// Placeholder bodies: the polyline class does not exist yet, and these two
// virtual operations must be defined for the circle's virtual table to link.
// Both answer 0 for now.  The polyline work (branch `rings`) replaces this
// whole file with the real tests over the chain's vertices and edges.

#include <zeltmath/s2d/circle.h>

namespace S2D {

unsigned char Circle::CheckIn(const Polyline&, unsigned char, double) const
{
    return 0;
}

unsigned char Circle::IsCrossed(const Polyline&, unsigned char, double) const
{
    return 0;
}

} // namespace S2D
