// Output fragments: joining at either end, ownership after joins, hole flags
// and the order in which rings come out.

#include <zeltmath/s2d/clip/detail/fragments.h>

#include <gtest/gtest.h>

using S2D::clip::detail::ContourSet;
using S2D::clip::detail::Fragments;

namespace {

std::vector<double> Xs(const ContourSet& s, int c)
{
    std::vector<double> xs;
    for (const auto& v : s.contours[c])
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
    EXPECT_EQ(r.holes[0], 1);
    EXPECT_EQ(Xs(r, 1), (std::vector<double>{6, 5, 2, 1, 0, -1}));
    EXPECT_EQ(r.holes[1], 0);
}

} // namespace
