#include <zeltmath/s2d/clip/detail/bound_order.h>

#include <zeltmath/s2d/clip/detail/short_sort.h>

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <utility>

namespace S2D {
namespace clip {
namespace detail {

namespace {

// Below this many bounds the comparison sort is as fast.
constexpr std::size_t kBucketsFrom = 64;

// The least and greatest height.  A function of its own, so that the loop
// keeps both in registers: inline, the compiler kept the least in memory
// (it lives on across the allocations below), a store and a load per bound.
[[gnu::noinline]] std::pair<double, double> HeightRange(const std::vector<PendingBound>& pending)
{
    double lo = pending[0].y;
    double hi = lo;
    for (const PendingBound& p : pending) {
        lo = std::min(lo, p.y);
        hi = std::max(hi, p.y);
    }
    return {lo, hi};
}

} // namespace

void SortBounds(std::vector<PendingBound>& pending)
{
    // A lambda, not the function's address, so that the comparison inlines.
    const auto before = [](const PendingBound& a, const PendingBound& b) { return BoundBefore(a, b); };
    const std::size_t n = pending.size();
    if (n < kBucketsFrom) {
        std::sort(pending.begin(), pending.end(), before);
        return;
    }
    // Bucket sort by height: bucket floor((y - lo) * n / (hi - lo)) never
    // decreases as y grows (each step is monotonic), so the buckets are in
    // order and each is sorted by the whole key.  Heights spread evenly make
    // buckets of about one bound.
    const std::pair<double, double> range = HeightRange(pending);
    const double lo = range.first;
    const double hi = range.second;
    const double scale = static_cast<double>(n) / (hi - lo);
    if (!(hi - lo > 0) || !(hi - lo <= DBL_MAX) || !(scale <= DBL_MAX)) {
        // One height, or a range the arithmetic cannot spread.
        std::sort(pending.begin(), pending.end(), before);
        return;
    }
    const auto bucket = [lo, scale, n](double y) {
        const double at = (y - lo) * scale;
        return at < static_cast<double>(n) ? static_cast<std::size_t>(at) : n - 1;
    };
    std::vector<std::uint32_t> start(n + 1, 0);
    for (const PendingBound& p : pending)
        ++start[bucket(p.y) + 1];
    for (std::size_t b = 0; b < n; ++b)
        start[b + 1] += start[b];
    std::vector<PendingBound> sorted(n);
    {
        std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
        for (const PendingBound& p : pending)
            sorted[next[bucket(p.y)]++] = p;
    }
    for (std::size_t b = 0; b < n; ++b)
        if (start[b + 1] - start[b] > 1)
            SortShort(sorted.data() + start[b], sorted.data() + start[b + 1], before);
    pending.swap(sorted);
}

} // namespace detail
} // namespace clip
} // namespace S2D
