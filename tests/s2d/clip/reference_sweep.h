#ifndef ZELTMATH_TESTS_S2D_CLIP_REFERENCE_SWEEP_H
#define ZELTMATH_TESTS_S2D_CLIP_REFERENCE_SWEEP_H

// A plain, literal scanbeam clipper kept as the yardstick of the library's
// engine: sorted list of all heights, linked lists walked from the head,
// fragments that hand their lists over by visiting every fragment.  It does
// the same arithmetic in the same order, so its results must agree with the
// engine's to the last bit.  It takes the same stands on degenerate input:
// rings with non-finite coordinates are left out, result rings with
// non-finite coordinates are dropped, and of several crossings at almost one
// point the first pair that is side by side is handled first.

#include <zeltmath/s2d/clip/detail/contour_set.h>

#include <functional>

namespace reference {

using S2D::clip::detail::ContourSet;
using S2D::clip::detail::Operation;

// subject <op> clip.
ContourSet Combine(Operation op, const ContourSet& subject, const ContourSet& clip);

// Outer rings (hole flag 0) united one by one in order, then the holes
// taken away one by one, each run made by `combine`.
using Combiner = std::function<ContourSet(Operation, const ContourSet&, const ContourSet&)>;
ContourSet NormalizeWith(const ContourSet& rings, const Combiner& combine);

// The same with this reference's Combine.
ContourSet Normalize(const ContourSet& rings);

} // namespace reference

#endif
