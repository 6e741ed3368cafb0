#ifndef ZELTMATH_S2D_CLIP_DETAIL_SWEEP_H
#define ZELTMATH_S2D_CLIP_DETAIL_SWEEP_H

#include <zeltmath/s2d/clip/detail/bounds.h>
#include <zeltmath/s2d/clip/detail/contour_set.h>

namespace S2D {
namespace clip {
namespace detail {

// Sweeps the bounds bottom-up; the result rings replace those of `out`.  The
// edges in `in` are changed on the way.
void RunSweep(Operation op, SweepInput& in, ContourSet& out);

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
