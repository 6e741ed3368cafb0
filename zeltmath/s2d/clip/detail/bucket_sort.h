#ifndef ZELTMATH_S2D_CLIP_DETAIL_BUCKET_SORT_H
#define ZELTMATH_S2D_CLIP_DETAIL_BUCKET_SORT_H

// A sort of records by height for the long lists the engine sorts before a
// sweep (the bounds, the heights of the vertices left out of it).

#include <algorithm>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace S2D {
namespace clip {
namespace detail {

// Below this many records the comparison sort is as fast.
constexpr std::size_t kBucketsFrom = 64;

// The least and greatest height.  A function of its own, so that the loop
// keeps both in registers: inline, the compiler kept the least in memory
// (it lives on across the allocations of the sort), a store and a load per
// record.
template <class T, class Height>
[[gnu::noinline]] std::pair<double, double> HeightRange(const std::vector<T>& items, Height height)
{
    double lo = height(items[0]);
    double hi = lo;
    for (const T& t : items) {
        lo = std::min(lo, height(t));
        hi = std::max(hi, height(t));
    }
    return {lo, hi};
}

// Sorts `items` by `before`, a strict order in which a lower height (a
// number, never NaN) comes first: bucket floor((y - lo) * 2n / (hi - lo))
// never decreases as y grows (each step is monotonic), so the buckets are in
// order, and one pass of insertion over them all puts each in order by the
// whole order.  Heights spread evenly make buckets of about half a record,
// so that pass moves few records, and its test is mostly passed without a
// move, which a loop over the buckets (a test of each one's size, in no
// pattern) was not.
template <class T, class Height, class Before>
void BucketSort(std::vector<T>& items, Height height, Before before)
{
    const std::size_t n = items.size();
    if (n < kBucketsFrom) {
        std::sort(items.begin(), items.end(), before);
        return;
    }
    const std::size_t buckets = 2 * n;
    const std::pair<double, double> range = HeightRange(items, height);
    const double lo = range.first;
    const double hi = range.second;
    const double scale = static_cast<double>(buckets) / (hi - lo);
    if (!(hi - lo > 0) || !(hi - lo <= DBL_MAX) || !(scale <= DBL_MAX)) {
        // One height, or a range the arithmetic cannot spread.
        std::sort(items.begin(), items.end(), before);
        return;
    }
    // (y - lo) * scale lies in [0, buckets], with rounding; converted as a
    // signed number, which is one instruction where an unsigned one is a
    // few with a branch.
    const auto last = static_cast<std::int64_t>(buckets - 1);
    const auto bucket = [lo, scale, last](double y) {
        const auto at = static_cast<std::int64_t>((y - lo) * scale);
        return static_cast<std::size_t>(at < last ? at : last);
    };
    std::vector<std::uint32_t> start(buckets + 1, 0);
    for (const T& t : items)
        ++start[bucket(height(t)) + 1];
    for (std::size_t b = 0; b < buckets; ++b)
        start[b + 1] += start[b];
    std::vector<T> sorted(n);
    for (const T& t : items)
        sorted[start[bucket(height(t))]++] = t;
    for (std::size_t i = 1; i < n; ++i) {
        if (!before(sorted[i], sorted[i - 1]))
            continue;
        const T t = sorted[i];
        std::size_t j = i;
        do {
            sorted[j] = sorted[j - 1];
            --j;
        } while (j > 0 && before(t, sorted[j - 1]));
        sorted[j] = t;
    }
    items.swap(sorted);
}

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
