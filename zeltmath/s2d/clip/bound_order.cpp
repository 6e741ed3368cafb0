#include <zeltmath/s2d/clip/detail/bound_order.h>

#include <zeltmath/s2d/clip/detail/bucket_sort.h>

namespace S2D {
namespace clip {
namespace detail {

void SortBounds(std::vector<PendingBound>& pending)
{
    // Lambdas, not functions' addresses, so that the calls inline.
    BucketSort(
        pending, [](const PendingBound& p) { return p.y; },
        [](const PendingBound& a, const PendingBound& b) { return BoundBefore(a, b); });
}

} // namespace detail
} // namespace clip
} // namespace S2D
