// The order in which bounds join the sweep: the bucket sort of longer lists
// must give exactly the order of a plain comparison sort, ties and all.

#include <zeltmath/s2d/clip/detail/bound_order.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using S2D::clip::detail::BoundBefore;
using S2D::clip::detail::PendingBound;
using S2D::clip::detail::SortBounds;

TEST(BoundOrder, ListsOfEveryLengthComeOutAsFromAComparisonSort)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Heights from a small pool, so that many bounds share one: signed
    // zeros (one height), both signs, tiny and huge magnitudes, and values
    // one ulp apart.
    const std::vector<double> heights = {0.0, -0.0, 1.0, std::nextafter(1.0, 2.0), -1.0, 1e-300, -1e-300,
                                         5e307, -5e307, 0.1, 0.30000000000000004, 0.3, 123456.789};
    const std::vector<double> xs = {0.0, -0.0, 2.5, -2.5, 1e-9};
    const std::vector<double> slopes = {0.0, -0.0, 1.0, -1.0, inf, -inf, nan};
    std::mt19937 rng(11);
    for (std::size_t n : {63u, 64u, 65u, 300u, 511u, 512u, 3000u, 40000u}) {
        // Pooled: long runs of one height.  Paired: most heights twice, as
        // for the two bounds of one local minimum, so that pairs are ordered
        // by the rest of the key.  Even: heights spread evenly over a range,
        // one or two to a bucket, some repeated.  Extreme: heights from -DBL_MAX
        // to DBL_MAX, a range that cannot be spread.
        for (const int mode : {0, 1, 2, 3}) {
            const bool paired = mode == 1;
            std::vector<PendingBound> pending(n);
            for (std::size_t i = 0; i < n; ++i) {
                const bool pooled = mode == 0 && rng() % 4 != 0;
                double y = pooled ? heights[rng() % heights.size()]
                           : paired && i % 2 == 1 && rng() % 8 != 0
                               ? pending[i - 1].y
                               : std::ldexp(static_cast<double>(rng()) - 2147483648.0, int(rng() % 200) - 100);
                if (mode == 2)
                    y = i > 0 && rng() % 8 == 0 ? pending[rng() % i].y : 100.0 * (rng() % 100000) / 100000.0;
                if (mode == 3)
                    y = rng() % 3 == 0 ? std::numeric_limits<double>::max() * (rng() % 2 ? 1 : -1)
                                       : heights[rng() % heights.size()];
                pending[i] = PendingBound{y, xs[rng() % xs.size()], slopes[rng() % slopes.size()], i};
            }
            std::vector<PendingBound> expected = pending;
            std::sort(expected.begin(), expected.end(), BoundBefore);
            SortBounds(pending);
            ASSERT_EQ(pending.size(), n);
            std::size_t differ = 0;
            for (std::size_t i = 0; i < n; ++i)
                differ += pending[i].seq != expected[i].seq;
            EXPECT_EQ(differ, 0u) << "n = " << n << ", mode " << mode;
        }
    }
}
