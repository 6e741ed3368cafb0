#ifndef ZELTMATH_S2D_CLIP_DETAIL_SWEEP_H
#define ZELTMATH_S2D_CLIP_DETAIL_SWEEP_H

#include <zeltmath/s2d/clip/detail/bounds.h>
#include <zeltmath/s2d/clip/detail/contour_set.h>

namespace S2D {
namespace clip {
namespace detail {

// Sweeps the bounds bottom-up and returns the result rings.  The edges in
// `in` are changed on the way.
ContourSet RunSweep(Operation op, SweepInput& in);

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
