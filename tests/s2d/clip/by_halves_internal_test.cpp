// Normalisation by halves of rings in general position: the test for
// general position on hand-made rings, and the result, bit for bit, against
// the literal reference's one run per ring, whatever the order the rings
// come in.

#include <zeltmath/s2d/clip/detail/by_halves.h>
#include "random_rings.h"
#include "reference_sweep.h"
#include "ring_compare.h"
#include "workloads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

using S2D::clip::detail::ContourSet;
using S2D::clip::detail::InGeneralPosition;
using S2D::clip::detail::NormalizeByHalves;
using S2D::clip::detail::RingView;
using S2D::clip::detail::Vertex;
using random_rings::Generator;
using ring_compare::Difference;

namespace {

using Ring = std::vector<Vertex>;

bool General(const std::vector<Ring>& rings)
{
    return InGeneralPosition(std::vector<RingView>(rings.begin(), rings.end()));
}

// Outer rings and holes as the reference takes them: one set, holes flagged.
ContourSet Flagged(const std::vector<Ring>& outers, const std::vector<Ring>& inners)
{
    ContourSet set;
    for (const Ring& r : outers)
        set.Add(r, 0);
    for (const Ring& r : inners)
        set.Add(r, 1);
    return set;
}

ContourSet ByHalves(const std::vector<Ring>& outers, const std::vector<Ring>& inners)
{
    ContourSet out;
    NormalizeByHalves(std::vector<RingView>(outers.begin(), outers.end()),
                      std::vector<RingView>(inners.begin(), inners.end()), out);
    return out;
}

TEST(ByHalves, GeneralPositionAsksForAlternatingSidesApart)
{
    const Ring square{{0, 0}, {0, 2}, {2, 2}, {2, 0}};
    const Ring other{{1, 1}, {3, 1}, {3, 3}, {1, 3}};   // starts with a horizontal side
    EXPECT_TRUE(General({}));
    EXPECT_TRUE(General({square}));
    EXPECT_TRUE(General({square, other}));
    // An L, and a ring that crosses itself (x = 1 across y = 0).
    EXPECT_TRUE(General({{{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 3}, {0, 3}}}));
    EXPECT_FALSE(General({{{0, 0}, {2, 0}, {2, 2}, {1, 2}, {1, -1}, {0, -1}}}));
    // A staircase of 66 vertices is not looked into.
    Ring stairs{{0, 0}};
    for (int i = 1; i <= 32; ++i) {
        stairs.push_back({double(i - 1), double(i)});
        stairs.push_back({double(i), double(i)});
    }
    stairs.push_back({32, 0});
    EXPECT_EQ(stairs.size(), 66u);
    EXPECT_FALSE(General({stairs}));
    stairs.erase(stairs.begin() + 1, stairs.begin() + 3);
    stairs[1].x = 0;
    EXPECT_TRUE(General({stairs}));

    // Not axis-parallel, too few or an odd number of vertices, a side of
    // length 0, two consecutive sides in line.
    EXPECT_FALSE(General({{{0, 0}, {0, 2}, {2, 2}, {2, 0.5}}}));
    EXPECT_FALSE(General({{{0, 0}, {0, 2}, {2, 2}}}));
    EXPECT_FALSE(General({{}}));
    EXPECT_FALSE(General({{{0, 0}, {0, 2}, {0, 2}, {2, 2}, {2, 0}, {1, 0}}}));
    EXPECT_FALSE(General({{{0, 0}, {0, 1}, {0, 2}, {2, 2}, {2, 0}, {1, 0}}}));
    EXPECT_FALSE(General({{{1, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}}));
    // Sides in line or near it: of two rings, of one ring, in x or in y.
    EXPECT_FALSE(General({square, {{2, 1}, {3, 1}, {3, 3}, {2, 3}}}));
    EXPECT_FALSE(General({square, {{1, 2}, {3, 2}, {3, 3}, {1, 3}}}));
    EXPECT_FALSE(General({{{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 2}, {3, 2}, {3, 3}, {0, 3}}}));
    EXPECT_FALSE(General({square, {{2 + 3e-8, 1}, {3, 1}, {3, 3}, {2 + 3e-8, 3}}}));
    EXPECT_TRUE(General({square, {{2 + 6e-8, 1}, {3, 1}, {3, 3}, {2 + 6e-8, 3}}}));
    EXPECT_FALSE(General({square, {{1, 2 - 3e-8}, {3, 2 - 3e-8}, {3, 3}, {1, 3}}}));
    EXPECT_TRUE(General({square, {{1, 2 - 6e-8}, {3, 2 - 6e-8}, {3, 3}, {1, 3}}}));
    // Many rings, whose sides are sorted another way: 300 squares along a
    // line, then one whose left side comes within 3e-8 of another's.
    std::vector<Ring> many;
    for (int i = 0; i < 300; ++i)
        many.push_back({{3.0 * i, 2.0 * i}, {3.0 * i, 2.0 * i + 1}, {3.0 * i + 1, 2.0 * i + 1}, {3.0 * i + 1, 2.0 * i}});
    EXPECT_TRUE(General(many));
    many.push_back({{451 + 3e-8, -5}, {451 + 3e-8, -4}, {452.5, -4}, {452.5, -5}});
    EXPECT_FALSE(General(many));
    many.back() = {{451 + 6e-8, -5}, {451 + 6e-8, -4}, {452.5, -4}, {452.5, -5}};
    EXPECT_TRUE(General(many));
    // 256 sides whose x differ in the last byte of their bits alone (units
    // of 2^18 at 2^70, apart), given from the largest down.
    std::vector<Ring> close;
    const double base = std::ldexp(1.0, 70), unit = std::ldexp(1.0, 18);
    for (int k = 127; k >= 0; --k)
        close.push_back({{base + 2 * k * unit, 2.0 * k},
                         {base + 2 * k * unit, 2.0 * k + 1},
                         {base + (2 * k + 1) * unit, 2.0 * k + 1},
                         {base + (2 * k + 1) * unit, 2.0 * k}});
    EXPECT_TRUE(General(close));
    // Coordinates that are not moderate.
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(General({{{0, 0}, {0, 2}, {inf, 2}, {inf, 0}}}));
    EXPECT_FALSE(General({{{0, 0}, {0, 2}, {1e101, 2}, {1e101, 0}}}));
    EXPECT_FALSE(General({{{0, 0}, {0, std::nan("")}, {2, std::nan("")}, {2, 0}}}));
    EXPECT_TRUE(General({{{0, 0}, {0, 2}, {1e99, 2}, {1e99, 0}}}));
}

// Rings in general position, one by one against the reference, then in a
// shuffled order against the result in the given order: normalisation of
// such rings does not depend on their order, which the halves rely on.
TEST(ByHalves, AgreesWithTheReferenceOnRingsInGeneralPosition)
{
    int general = 0;
    for (unsigned seed = 1; seed <= 4000; ++seed) {
        Generator g(seed + 300000u);
        const double size = g.Uniform(1, 10);
        // Spread from a few rings far apart to many on top of each other.
        const double spread = size * g.Uniform(0, 6);
        std::vector<Ring> outers, inners;
        // One set in twenty is large enough for groups beyond the layers.
        const bool large = seed % 20 == 0;
        for (int i = 0, n = large ? g.Int(17, 60) : g.Int(0, 12); i < n; ++i)
            outers.push_back(g.Orthogonal(g.Uniform(0, spread), g.Uniform(0, spread), size));
        for (int i = 0, n = large ? g.Int(0, 20) : g.Int(0, 4); i < n; ++i)
            inners.push_back(g.Orthogonal(g.Uniform(0, spread), g.Uniform(0, spread), size * 0.6));
        std::vector<Ring> all(outers);
        all.insert(all.end(), inners.begin(), inners.end());
        if (!General(all))
            continue;
        ++general;
        const std::string what = "seed " + std::to_string(seed);
        const ContourSet got = ByHalves(outers, inners);
        ASSERT_EQ(Difference(got, reference::Normalize(Flagged(outers, inners))), "") << what;
        std::mt19937 rng(seed);
        std::shuffle(outers.begin(), outers.end(), rng);
        std::shuffle(inners.begin(), inners.end(), rng);
        ASSERT_EQ(Difference(ByHalves(outers, inners), got), "") << what << ", shuffled";
    }
    EXPECT_GT(general, 3800);
}

// Many rings: 200 and 1000 squares, and squares with holes cut in them,
// against the reference.
TEST(ByHalves, AgreesWithTheReferenceOnManySquares)
{
    const auto rings = [](const std::vector<workload::Ring>& from) {
        std::vector<Ring> out;
        for (const workload::Ring& r : from) {
            out.emplace_back();
            for (const workload::Pt& p : r)
                out.back().push_back({p.x, p.y});
        }
        return out;
    };
    for (const int n : {200, 1000}) {
        const std::vector<Ring> outers = rings(workload::Squares(n));
        std::vector<Ring> inners = rings(workload::Squares(n / 10, 11));
        for (Ring& r : inners)
            for (Vertex& v : r)
                v = {v.x * 0.5 + 25, v.y * 0.5 + 25};
        for (const std::vector<Ring>& holes : {std::vector<Ring>(), inners}) {
            std::vector<Ring> all(outers);
            all.insert(all.end(), holes.begin(), holes.end());
            ASSERT_TRUE(General(all));
            EXPECT_EQ(Difference(ByHalves(outers, holes), reference::Normalize(Flagged(outers, holes))), "")
                << n << " squares, " << holes.size() << " holes";
        }
    }
}

} // namespace
