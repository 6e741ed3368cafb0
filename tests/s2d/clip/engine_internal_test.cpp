// White-box tests of the Boolean engine: exact ring order, vertex order and
// hole flags on small cases worked out by hand, plus the defined answers to
// degenerate and non-finite input.

#include <zeltmath/s2d/clip/detail/contour_set.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using S2D::clip::detail::Combine;
using S2D::clip::detail::ContourSet;
using S2D::clip::detail::NetArea;
using S2D::clip::detail::Operation;
using S2D::clip::detail::RingView;
using S2D::clip::detail::Vertex;

namespace {

ContourSet Rings(std::initializer_list<std::vector<Vertex>> rings)
{
    ContourSet s;
    for (const auto& r : rings)
        s.Add(r, 0);
    return s;
}

std::vector<Vertex> Square(double x0, double y0, double x1, double y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

void ExpectRing(RingView got, const std::vector<Vertex>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].x, want[i].x) << "vertex " << i;
        EXPECT_EQ(got[i].y, want[i].y) << "vertex " << i;
    }
}

const Operation kAllOps[] = {Operation::Difference, Operation::Intersection, Operation::Xor,
                             Operation::Union};

TEST(ClipEngine, UnitSquareUnionComesOutClockwiseFromLowerRight)
{
    const std::vector<Vertex> want = {{1, 0}, {0, 0}, {0, 1}, {1, 1}};
    const ContourSet ccw = Rings({Square(0, 0, 1, 1)});
    const ContourSet cw = Rings({{{0, 0}, {0, 1}, {1, 1}, {1, 0}}});
    const ContourSet none;
    for (const ContourSet* sq : {&ccw, &cw}) {
        // Either operand may be the empty one.
        for (int side = 0; side < 2; ++side) {
            const ContourSet r = side ? Combine(Operation::Union, *sq, none)
                                      : Combine(Operation::Union, none, *sq);
            ASSERT_EQ(r.Count(), 1);
            EXPECT_EQ(r.Hole(0), 0);
            ExpectRing(r.Ring(0), want);
        }
    }
}

TEST(ClipEngine, OverlappingSquares)
{
    const ContourSet a = Rings({Square(0, 0, 2, 2)});
    const ContourSet b = Rings({Square(1, 1, 3, 3)});
    ContourSet r = Combine(Operation::Intersection, a, b);
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Hole(0), 0);
    EXPECT_DOUBLE_EQ(NetArea(r), 1);
    ExpectRing(r.Ring(0), {{2, 1}, {1, 1}, {1, 2}, {2, 2}});

    r = Combine(Operation::Union, a, b);
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Hole(0), 0);
    EXPECT_DOUBLE_EQ(NetArea(r), 7);
    ExpectRing(r.Ring(0), {{3, 1}, {2, 1}, {2, 0}, {0, 0}, {0, 2}, {1, 2}, {1, 3}, {3, 3}});

    r = Combine(Operation::Difference, a, b);
    ASSERT_EQ(r.Count(), 1);
    EXPECT_DOUBLE_EQ(NetArea(r), 3);
    ExpectRing(r.Ring(0), {{1, 1}, {2, 1}, {2, 0}, {0, 0}, {0, 2}, {1, 2}});

    // Two L-shaped outer rings, the one started last (the clip's) first.
    r = Combine(Operation::Xor, a, b);
    EXPECT_DOUBLE_EQ(NetArea(r), 6);
    ASSERT_EQ(r.Count(), 2);
    EXPECT_EQ(r.Hole(0) + r.Hole(1), 0);
    ExpectRing(r.Ring(0), {{3, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 3}, {3, 3}});
    ExpectRing(r.Ring(1), {{1, 1}, {2, 1}, {2, 0}, {0, 0}, {0, 2}, {1, 2}});
}

TEST(ClipEngine, HoleIsFlaggedAndFollowsItsOuterRing)
{
    const ContourSet a = Rings({Square(0, 0, 10, 10)});
    const ContourSet b = Rings({Square(4, 4, 6, 6)});
    const ContourSet r = Combine(Operation::Difference, a, b);
    ASSERT_EQ(r.Count(), 2);
    EXPECT_DOUBLE_EQ(NetArea(r), 96);
    int holes = 0;
    for (int c = 0; c < r.Count(); ++c)
        holes += r.Hole(c);
    EXPECT_EQ(holes, 1);
}

TEST(ClipEngine, TrivialAndEmptyOperands)
{
    const ContourSet none;
    const ContourSet sq = Rings({Square(0, 0, 1, 1)});
    for (Operation op : kAllOps)
        EXPECT_EQ(Combine(op, none, none).Count(), 0);
    EXPECT_EQ(Combine(Operation::Difference, none, sq).Count(), 0);
    EXPECT_EQ(Combine(Operation::Intersection, none, sq).Count(), 0);
    EXPECT_EQ(Combine(Operation::Intersection, sq, none).Count(), 0);
    EXPECT_DOUBLE_EQ(NetArea(Combine(Operation::Xor, none, sq)), 1);
    EXPECT_DOUBLE_EQ(NetArea(Combine(Operation::Difference, sq, none)), 1);
}

TEST(ClipEngine, EvenOddOperandsAndSharedEdges)
{
    // Two overlapping rings of one operand cancel in their overlap.
    const ContourSet two = Rings({Square(0, 0, 2, 2), Square(1, 1, 3, 3)});
    EXPECT_DOUBLE_EQ(NetArea(Combine(Operation::Union, two, ContourSet())), 6);
    // Squares sharing an edge unite into one ring.
    const ContourSet left = Rings({Square(0, 0, 1, 1)});
    const ContourSet right = Rings({Square(1, 0, 2, 1)});
    const ContourSet u = Combine(Operation::Union, left, right);
    ASSERT_EQ(u.Count(), 1);
    EXPECT_DOUBLE_EQ(NetArea(u), 2);
    EXPECT_EQ(Combine(Operation::Intersection, left, right).Count(), 0);
    // A far clip ring is left out of the difference.
    const ContourSet far = Rings({Square(50, 50, 51, 51)});
    const ContourSet d = Combine(Operation::Difference, left, far);
    ASSERT_EQ(d.Count(), 1);
    EXPECT_DOUBLE_EQ(NetArea(d), 1);
}

TEST(ClipEngine, ThreeEdgesThroughOnePoint)
{
    // Edges (4,3)-(1,2), (2,1)-(5,6) and (1,4)-(4,2) all pass through
    // (3, 8/3); rounding finds their pairwise crossings in an order in which
    // one pair is not yet side by side.  Even-odd area worked out by the
    // slab method: 203/40.
    const ContourSet knot = Rings({{{4, 3}, {1, 2}, {4, 5}, {2, 1}, {5, 6}, {1, 4}, {4, 2}}});
    const ContourSet r = Combine(Operation::Union, knot, ContourSet());
    EXPECT_NEAR(NetArea(r), 203.0 / 40, 1e-12);
    EXPECT_NEAR(NetArea(Combine(Operation::Intersection, knot, Rings({Square(0, 0, 9, 9)}))),
                203.0 / 40, 1e-12);
    EXPECT_NEAR(NetArea(Combine(Operation::Xor, knot, knot)), 0, 1e-12);
}

TEST(ClipEngine, DegenerateAndNonFiniteInput)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const ContourSet sq = Rings({Square(0, 0, 1, 1)});
    const ContourSet bad = Rings({{{0, 0}, {nan, 1}, {1, 1}}, {{0, 0}, {inf, 0}, {1, -inf}}});
    const ContourSet flat = Rings({{{0, 0}, {1, 0}, {2, 0}}, {{0, 0}}, {}, {{3, 3}, {3, 3}, {3, 3}}});
    for (Operation op : kAllOps) {
        for (const ContourSet* other : {&bad, &flat}) {
            const ContourSet r = Combine(op, sq, *other);
            const double want = op == Operation::Intersection ? 0 : 1;
            EXPECT_DOUBLE_EQ(NetArea(r), want);
            EXPECT_DOUBLE_EQ(NetArea(Combine(op, *other, *other)), 0);
        }
    }
}

} // namespace
