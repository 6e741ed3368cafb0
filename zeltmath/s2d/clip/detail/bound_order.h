#ifndef ZELTMATH_S2D_CLIP_DETAIL_BOUND_ORDER_H
#define ZELTMATH_S2D_CLIP_DETAIL_BOUND_ORDER_H

// The order in which bounds join the sweep: by the height of their local
// minimum, then bottom x, then dx (NaN last), then the order in which they
// were found.

#include <zeltmath/s2d/clip/detail/bounds.h>

#include <cstddef>
#include <vector>

namespace S2D {
namespace clip {
namespace detail {

// The sort key of a bound waiting for its place among the minima: the
// height, bottom x and dx of its first edge.  seq is its index in the list
// it was found in.
struct PendingBound {
    PendingBound() = default;
    PendingBound(double y_, double x_, double dx_, std::size_t seq_) : y(y_), x(x_), dx(dx_), seq(seq_) {}
    double y;
    double x;
    double dx;
    std::size_t seq;
};

// Strict total order of the bounds (seq tells apart all the rest).
inline bool BoundBefore(const PendingBound& a, const PendingBound& b)
{
    if (a.y != b.y)
        return a.y < b.y;
    if (a.x != b.x)
        return a.x < b.x;
    if (LessTotal(a.dx, b.dx))
        return true;
    if (LessTotal(b.dx, a.dx))
        return false;
    return a.seq < b.seq;
}

// Sorts `pending` (seq ascending on entry) by BoundBefore.  As the order is
// total, the result is that of any sort by it; long lists are put into
// buckets by height first, which is faster than comparing them.
void SortBounds(std::vector<PendingBound>& pending);

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
