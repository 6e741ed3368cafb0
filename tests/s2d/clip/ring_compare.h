#ifndef ZELTMATH_TESTS_S2D_CLIP_RING_COMPARE_H
#define ZELTMATH_TESTS_S2D_CLIP_RING_COMPARE_H

// Bit-for-bit comparison of two ring sets, for the engine's tests.

#include <zeltmath/s2d/clip/detail/contour_set.h>

#include <cstring>
#include <sstream>
#include <string>

namespace ring_compare {

using S2D::clip::detail::ContourSet;
using S2D::clip::detail::Vertex;

inline bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Empty when equal, else where the two first differ.
inline std::string Difference(const ContourSet& got, const ContourSet& want)
{
    std::ostringstream o;
    if (got.Count() != want.Count()) {
        o << got.Count() << " rings instead of " << want.Count();
        return o.str();
    }
    for (int c = 0; c < want.Count(); ++c) {
        if (got.Hole(c) != want.Hole(c))
            o << "ring " << c << ": hole flag " << got.Hole(c) << " instead of " << want.Hole(c);
        else if (got.Ring(c).size() != want.Ring(c).size())
            o << "ring " << c << ": " << got.Ring(c).size() << " vertices instead of "
              << want.Ring(c).size();
        else
            for (std::size_t i = 0; i < want.Ring(c).size() && o.tellp() == 0; ++i) {
                const Vertex& g = got.Ring(c)[i];
                const Vertex& w = want.Ring(c)[i];
                if (!SameBits(g.x, w.x) || !SameBits(g.y, w.y))
                    o.precision(17), o << "ring " << c << " vertex " << i << ": (" << g.x << ", " << g.y
                                       << ") instead of (" << w.x << ", " << w.y << ")";
            }
        if (o.tellp() != 0)
            break;
    }
    return o.str();
}

} // namespace ring_compare

#endif
