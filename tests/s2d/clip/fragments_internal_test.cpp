// Output fragments: joining at either end, ownership after joins, hole flags
// and the order in which rings come out.

#include <zeltmath/s2d/clip/detail/fragments.h>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using S2D::clip::detail::ContourSet;
using S2D::clip::detail::Fragments;

namespace {

std::vector<double> Xs(const ContourSet& s, int c)
{
    std::vector<double> xs;
    for (const auto& v : s.Ring(c))
        xs.push_back(v.x);
    return xs;
}

TEST(ClipFragments, JoinsOwnershipAndOrder)
{
    Fragments f;
    const int a = f.Create(1, 0);
    f.AddLeft(a, 0, 0);
    f.AddRight(a, 2, 0);       // a: 0 1 2
    const int b = f.Create(5, 0);
    f.AddRight(b, 6, 0);       // b: 5 6
    f.MergeRight(b, a);        // a owns 0 1 2 5 6, outer
    f.AddLeft(b, -1, 0);       // adding through b reaches a's list
    f.MergeRight(a, b);        // same owner: only the flag is set
    const int c = f.Create(9, 0);
    f.AddRight(c, 8, 0);
    f.AddRight(c, 7, 0);       // c: 9 8 7
    const int d = f.Create(3, 0);
    f.AddLeft(d, 4, 0);        // d: 4 3
    f.MergeLeft(d, c);         // c owns 4 3 9 8 7, hole
    f.Create(42, 0);           // a lone vertex never makes a ring
    f.AddLeft(Fragments::None, 0, 0);   // ignored
    f.MergeLeft(Fragments::None, c);    // ignored

    const ContourSet r = f.Result();
    ASSERT_EQ(r.Count(), 2);
    // Newest owner first, vertices in reverse list order.
    EXPECT_EQ(Xs(r, 0), (std::vector<double>{7, 8, 9, 3, 4}));
    EXPECT_EQ(r.Hole(0), 1);
    EXPECT_EQ(Xs(r, 1), (std::vector<double>{6, 5, 2, 1, 0, -1}));
    EXPECT_EQ(r.Hole(1), 0);
}

// Rings are read two at a time; one with a coordinate that is not finite is
// left out, and the others keep their order and flags whichever member of a
// pair it was.
TEST(ClipFragments, RingsWithNonFiniteCoordinatesAreLeftOut)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int count = 1; count <= 6; ++count)
        for (int bad = 0; bad < count; ++bad) {
            Fragments f;
            for (int r = 0; r < count; ++r) {
                const int a = f.Create(10 * r, 0);
                f.AddRight(a, 10 * r + 1, r == bad ? (r % 2 ? inf : nan) : 0);
                for (int k = 0; k < r; ++k)   // rings of different lengths
                    f.AddLeft(a, 10 * r - k - 1, 1);
                f.AddRight(a, 10 * r + 2, 1);
                if (r % 3 == 0)
                    f.MergeLeft(f.Create(-1, -1), a);   // a hole, with a vertex more
            }
            const ContourSet out = f.Result();
            ASSERT_EQ(out.Count(), count - 1);
            int c = 0;
            for (int r = count - 1; r >= 0; --r) {
                if (r == bad)
                    continue;
                const std::vector<double> xs = Xs(out, c);
                ASSERT_EQ(xs.size(), static_cast<std::size_t>(r + 3 + (r % 3 == 0 ? 1 : 0)));
                EXPECT_EQ(xs[0], 10 * r + 2);
                EXPECT_EQ(out.Hole(c), r % 3 == 0 ? 1 : 0);
                ++c;
            }
        }
}

} // namespace
