#ifndef ZELTMATH_S2D_CLIP_DETAIL_SURVEY_H
#define ZELTMATH_S2D_CLIP_DETAIL_SURVEY_H

// A ring's box and whether all its coordinates are finite, in one pass, and
// what the engine asks of boxes.

#include <zeltmath/s2d/clip/detail/contour_set.h>

#include <algorithm>
#include <cfloat>
#include <cstddef>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace S2D {
namespace clip {
namespace detail {

// Coordinates up to this magnitude keep every difference of two of them,
// and every product of one with a slope of 0, finite.
constexpr double kModerate = 1e100;
// Vertical edges this close in x might form a bundle (1e-8, with room).
constexpr double kNear = 4e-8;

struct Box {
    double xmin = DBL_MAX;
    double ymin = DBL_MAX;
    double xmax = -DBL_MAX;
    double ymax = -DBL_MAX;
};

// Whether all coordinates of a ring are finite, and the ring's box, in one
// pass.  With SSE2 a vertex's x and y go through the pass side by side: the
// lanes of `nonFinite` sum NonFinite's two terms.  A box is read only for a
// ring whose coordinates are all finite, where the order of the comparisons
// does not matter.
inline bool Survey(RingView ring, Box& box)
{
#ifdef __SSE2__
    static_assert(sizeof(Vertex) == 2 * sizeof(double), "a vertex is x then y");
    __m128d lo = _mm_set1_pd(DBL_MAX);
    __m128d hi = _mm_set1_pd(-DBL_MAX);
    __m128d nonFinite = _mm_setzero_pd();
    for (const Vertex& v : ring) {
        const __m128d p = _mm_loadu_pd(&v.x);
        lo = _mm_min_pd(lo, p);
        hi = _mm_max_pd(hi, p);
        nonFinite = _mm_add_pd(nonFinite, _mm_sub_pd(p, p));
    }
    double l[2], h[2], n[2];
    _mm_storeu_pd(l, lo);
    _mm_storeu_pd(h, hi);
    _mm_storeu_pd(n, nonFinite);
    box.xmin = l[0];
    box.ymin = l[1];
    box.xmax = h[0];
    box.ymax = h[1];
    return n[0] + n[1] == 0;
#else
    // In locals, so that the loop keeps them in registers.
    Box b;
    double nonFinite = 0;
    for (const Vertex& v : ring) {
        b.xmin = std::min(b.xmin, v.x);
        b.xmax = std::max(b.xmax, v.x);
        b.ymin = std::min(b.ymin, v.y);
        b.ymax = std::max(b.ymax, v.y);
        nonFinite += NonFinite(v);
    }
    box = b;
    return nonFinite == 0;
#endif
}

// The box of boxes a and b together (an empty Box leaves the other).
inline Box Hull(const Box& a, const Box& b)
{
    return Box{std::min(a.xmin, b.xmin), std::min(a.ymin, b.ymin), std::max(a.xmax, b.xmax),
               std::max(a.ymax, b.ymax)};
}

// The box of the boxes not flagged in `ignore` (an empty Box when all are).
inline Box Hull(const std::vector<Box>& boxes, const std::vector<char>& ignore)
{
    Box h;
    for (std::size_t c = 0; c < boxes.size(); ++c)
        if (!ignore[c])
            h = Hull(h, boxes[c]);
    return h;
}

// Whether box b holds no point (the Box of no ring).
inline bool Empty(const Box& b)
{
    return !(b.xmin <= b.xmax);
}

// The largest magnitude of a coordinate in box b.
inline double Extent(const Box& b)
{
    return std::max(std::max(-b.xmin, b.xmax), std::max(-b.ymin, b.ymax));
}

// Whether boxes a and b are no more than `margin` apart in x and in y
// (touching boxes are near at any margin).
inline bool Near(const Box& a, const Box& b, double margin = 0)
{
    return !(a.xmin - b.xmax > margin || b.xmin - a.xmax > margin || a.ymin - b.ymax > margin
             || b.ymin - a.ymax > margin);
}

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
