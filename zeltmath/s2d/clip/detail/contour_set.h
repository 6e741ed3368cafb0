#ifndef ZELTMATH_S2D_CLIP_DETAIL_CONTOUR_SET_H
#define ZELTMATH_S2D_CLIP_DETAIL_CONTOUR_SET_H

// The Boolean engine's own view of a set of rings, and its entry point.
//
// The engine combines two sets of rings by a scanbeam sweep (Vatti's method):
// every operand is read by the even-odd rule, horizontal scan lines through
// all vertices cut the plane into beams, and inside each beam the output is
// grown as fragments that are joined into closed rings.  The rings of the
// result come out in a fixed order with fixed vertex order and hole flags,
// which callers rely on; every data-structure choice below keeps them.
//
// Crossings are handled in ascending height.  When rounding makes several
// crossings at almost one point come out in an order in which a pair is not
// yet side by side in the active list, a later pair that is takes its turn
// first, so the sweep never works on a list that no longer matches the
// geometry (exact input never needs this).
//
// Input that is not finite: a ring with a NaN or infinite coordinate has no
// meaningful region and is treated as a ring without vertices.  A result ring
// that would carry a non-finite coordinate (only possible when differences of
// huge finite coordinates overflow) is dropped.

#include <cstddef>
#include <vector>

namespace S2D {
namespace clip {
namespace detail {

struct Vertex {
    double x;
    double y;
};

// 0 for a vertex with finite coordinates, NaN otherwise (v - v is 0 for a
// finite v and NaN for an infinite or NaN one), so that a ring is checked
// by a sum without a branch per vertex.
inline double NonFinite(const Vertex& v)
{
    return (v.x - v.x) + (v.y - v.y);
}

// Rings with one hole flag each (0 outer, 1 hole).  The engine ignores the
// hole flags of its operands; they are carried for the conversions.
struct ContourSet {
    std::vector<std::vector<Vertex>> contours;
    std::vector<int> holes;

    void Add(std::vector<Vertex> ring, int hole)
    {
        contours.push_back(std::move(ring));
        holes.push_back(hole);
    }
    int Count() const { return static_cast<int>(contours.size()); }
};

// Same values as the public PPOLY_OPERATION.
enum class Operation : int { Difference = 0, Intersection = 1, Xor = 2, Union = 3 };

// How the sweep spends its effort; the result never depends on it.  From
// `lazyFrom` active edges on, until fewer than `lazyUntil` are left, a beam
// in which at most one edge in `changesPerEdge` changes visits only the
// edges that change (see the sweep).  Tests lower the numbers to take that
// path on small inputs.
struct SweepTuning {
    int lazyFrom = 24;
    int lazyUntil = 12;
    std::size_t changesPerEdge = 4;
};

// subject <op> clip.  Neither operand is changed; everything the run needs is
// allocated by the call and released before it returns.
ContourSet Combine(Operation op, const ContourSet& subject, const ContourSet& clip,
                   const SweepTuning& tuning = SweepTuning());

// The signed area of a result read as outer rings minus holes.
double NetArea(const ContourSet& set);

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
