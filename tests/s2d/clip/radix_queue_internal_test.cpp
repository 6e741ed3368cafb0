// The queue of heights that the sweep takes its next beams and pair checks
// from must give the least height first, like a binary heap, for every mix
// of signs, zeros, equal heights and magnitudes that a sweep upwards pushes.

#include <zeltmath/s2d/clip/detail/radix_queue.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <queue>
#include <random>
#include <set>
#include <utility>
#include <vector>

using S2D::clip::detail::FromOrderKey;
using S2D::clip::detail::OrderKey;
using S2D::clip::detail::RadixQueue;

namespace {

struct Item {
    Item(double y_, int id_) : y(y_), id(id_) {}
    double y;
    int id;
};

constexpr double kZero = 0.0;

} // namespace

TEST(RadixQueue, KeysKeepTheOrderOfTheHeights)
{
    const std::vector<double> ys = {-1e308, -5.0, -1.0, -1e-300, -0.0, 0.0, 1e-300, 0.1, 1.0,
                                    std::nextafter(1.0, 2.0), 3.5, 1e308};
    for (std::size_t i = 0; i < ys.size(); ++i)
        for (std::size_t j = 0; j < ys.size(); ++j) {
            EXPECT_EQ(OrderKey(ys[i]) < OrderKey(ys[j]), ys[i] < ys[j]) << ys[i] << " " << ys[j];
            EXPECT_EQ(OrderKey(ys[i]) == OrderKey(ys[j]), ys[i] == ys[j]) << ys[i] << " " << ys[j];
        }
    // A key gives its height back, bit for bit (-0.0 comes back as 0.0).
    for (const double y : ys) {
        const double back = FromOrderKey(OrderKey(y));
        EXPECT_EQ(std::memcmp(&back, y == 0 ? &kZero : &y, sizeof y), 0) << y;
    }
}

// A sweep's use: at each beam, push records no lower than the beam, then
// take out every record up to the next beam.  Against a binary heap: the
// same least height before each step and the same records taken out at
// each beam (equal heights may leave in another order).
TEST(RadixQueue, TakesOutWhatAHeapTakesOutBeamByBeam)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 60; ++round) {
        // Heights from a few scales, so that many are equal or close and
        // the beams cross zero.
        const double scale = std::ldexp(1.0, static_cast<int>(rng() % 40) - 20);
        const int spread = 1 + static_cast<int>(rng() % 1000);
        auto height = [&](double floor) {
            double y = floor + scale * static_cast<double>(rng() % static_cast<unsigned>(spread)) / 64.0;
            if (rng() % 8 == 0)
                y = std::nextafter(floor, 1e300);
            if (rng() % 16 == 0)
                y = floor;
            return y == 0 && rng() % 2 ? -0.0 : y;
        };
        RadixQueue<Item> queue;
        using Entry = std::pair<double, int>;
        std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> heap;
        double beam = -scale * spread / 128.0;
        int id = 0;
        for (int step = 0; step < 400; ++step) {
            const int pushes = static_cast<int>(rng() % 6);
            for (int k = 0; k < pushes; ++k) {
                const double y = height(beam);
                queue.Emplace(y, id);
                heap.emplace(y, id);
                ++id;
            }
            ASSERT_EQ(queue.Empty(), heap.empty());
            if (heap.empty())
                continue;
            ASSERT_EQ(queue.MinY(), heap.top().first);
            // The next beam: the least height, or somewhat above it.
            beam = heap.top().first + (rng() % 3 == 0 ? scale * static_cast<double>(rng() % 8) / 64.0 : 0.0);
            std::multiset<std::pair<double, int>> fromQueue, fromHeap;
            double lastY = -1e308;
            while (!queue.Empty() && queue.MinY() <= beam) {
                const Item item = queue.PopMin();
                ASSERT_GE(item.y, lastY);
                lastY = item.y;
                fromQueue.emplace(item.y + 0.0, item.id);
            }
            while (!heap.empty() && heap.top().first <= beam) {
                fromHeap.emplace(heap.top().first + 0.0, heap.top().second);
                heap.pop();
            }
            ASSERT_EQ(fromQueue, fromHeap) << "round " << round << " step " << step;
        }
        // Clear leaves an empty queue that can be used from any height on.
        queue.Clear();
        EXPECT_TRUE(queue.Empty());
        queue.Emplace(-7.0, 1);
        queue.Emplace(-8.0, 2);
        EXPECT_EQ(queue.MinY(), -8.0);
        EXPECT_EQ(queue.PopMin().id, 2);
        EXPECT_EQ(queue.PopMin().id, 1);
        EXPECT_TRUE(queue.Empty());
    }
}
