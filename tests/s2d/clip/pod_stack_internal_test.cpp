// The sweep's per-beam lists grow by realloc and hand their storage over on
// a move: every record pushed must come back in order, whatever the number
// of growths, and a move must leave the source empty and usable.

#include <zeltmath/s2d/clip/detail/pod_stack.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <utility>

using S2D::clip::detail::PodStack;

TEST(PodStack, KeepsEveryRecordThroughGrowthMovesAndReuse)
{
    struct Record {
        double y;
        int id;
    };
    PodStack<Record> a;
    EXPECT_TRUE(a.empty());
    for (int round = 0; round < 3; ++round) {
        const int n = 5 + 400 * round;   // below, at and far past the first growth
        for (int i = 0; i < n; ++i)
            a.push_back(Record{0.5 * i, i});
        ASSERT_EQ(a.size(), static_cast<std::size_t>(n));
        int expect = 0;
        for (const Record& r : a) {
            EXPECT_EQ(r.id, expect);
            EXPECT_EQ(r.y, 0.5 * expect);
            ++expect;
        }
        EXPECT_EQ(a.back().id, n - 1);
        a.pop_back();
        EXPECT_EQ(a.back().id, n - 2);
        a.clear();
        EXPECT_TRUE(a.empty());
    }

    PodStack<int> b;
    b.reserve(3);
    for (int i = 0; i < 100; ++i)
        b.push_back(i);
    PodStack<int> c;
    c.push_back(-1);
    std::swap(b, c);   // moves both ways
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0], -1);
    ASSERT_EQ(c.size(), 100u);
    EXPECT_EQ(c[99], 99);
    PodStack<int> d(std::move(c));
    EXPECT_TRUE(c.empty());
    c.push_back(7);   // a moved-from list takes records again
    EXPECT_EQ(c[0], 7);
    EXPECT_EQ(d.size(), 100u);
    EXPECT_EQ(d[42], 42);
}
