// Regions with holes: containment with the border rules, validation codes,
// normalisation through the Boolean engine, ring clean-up and the ring
// numbering of the views and proximity queries.

#include <zeltmath/s2d/hollow_polygon.h>
#include "shapes.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

using S2D::HollowPolygon;
using S2D::Point;
using S2D::Polygon;
using S2D::Polyline;

namespace {

HollowPolygon SquareWithHole()
{
    HollowPolygon h(Square(0, 0, 10, 10));
    h.AddInner(Square(4, 4, 6, 6));
    return h;
}

double NetArea(const HollowPolygon& h)
{
    double a = h.Outer().Area();
    for (const Polygon& p : h.Inners())
        a -= p.Area();
    return a;
}

// Counts the change notifications.
class CountingRegion : public HollowPolygon {
public:
    using HollowPolygon::HollowPolygon;
    void OnChange() override { ++changes; }
    int changes = 0;
};

TEST(HollowPolygon, PointContainmentWithBorderRules)
{
    const HollowPolygon h = SquareWithHole();
    const double tol = 1e-9;
    EXPECT_TRUE(h.CheckIn(Point(1, 1), 1, tol, 1));
    EXPECT_FALSE(h.CheckIn(Point(5, 5), 1, tol, 1));
    EXPECT_FALSE(h.CheckIn(Point(5, 5), 0, tol, 1));
    EXPECT_FALSE(h.CheckIn(Point(11, 5), 1, tol, 1));
    // On the hole's border and on the outer border: the same rule.
    for (const Point& p : {Point(4, 5), Point(5, 6), Point(0, 5), Point(10, 10)}) {
        EXPECT_TRUE(h.CheckIn(p, 1, tol, 1)) << p.x << " " << p.y;
        EXPECT_FALSE(h.CheckIn(p, 0, tol, 1)) << p.x << " " << p.y;
    }
    // Within the tolerance of the hole's border.
    EXPECT_TRUE(h.CheckIn(Point(4 + 1e-10, 5), 1, tol, 1));
    EXPECT_FALSE(h.CheckIn(Point(4 + 1e-10, 5), 0, tol, 1));

    unsigned index = 99;
    EXPECT_TRUE(h.FindInner(Point(5, 5), &index, tol));
    EXPECT_EQ(index, 0u);
    EXPECT_TRUE(h.FindInner(Point(4, 5), nullptr, tol));   // border included
    index = 99;
    EXPECT_FALSE(h.FindInner(Point(1, 1), &index, tol));
    EXPECT_EQ(index, 99u);

    HollowPolygon two = SquareWithHole();
    two.AddInner(Square(5, 5, 8, 8));   // overlaps hole 0
    EXPECT_EQ(two.FindInners(Point(5.5, 5.5), tol), (std::vector<unsigned>{0, 1}));
    EXPECT_EQ(two.FindInners(Point(7, 7), tol), (std::vector<unsigned>{1}));
    EXPECT_TRUE(two.FindInners(Point(1, 1), tol).empty());

    EXPECT_FALSE(HollowPolygon().CheckIn(Point(0, 0), 1, tol, 1));
}

TEST(HollowPolygon, CorrectReportsTheFirstFailure)
{
    const double tol = 1e-9;
    int code = -1;
    EXPECT_TRUE(SquareWithHole().Correct(1, tol, &code));
    EXPECT_EQ(code, 0);

    // A hole reaching outside a triangle; its index goes into the code.
    HollowPolygon tri(Polygon(std::vector<Point>{{0, 0}, {10, 0}, {0, 10}}));
    tri.AddInner(Square(6, 1, 8, 3));
    EXPECT_FALSE(tri.Correct(1, tol, &code));
    EXPECT_EQ(code, 0xF30000);
    tri.Inner(0, Square(1, 1, 2, 2));
    tri.AddInner(Square(6, 1, 8, 3));
    EXPECT_FALSE(tri.Correct(0, tol, &code));
    EXPECT_EQ(code, 0xF30001);
    // A hole touching the outer ring from inside is not strictly inside.
    HollowPolygon touch(Square(0, 0, 10, 10));
    touch.AddInner(Square(0, 4, 2, 6));
    EXPECT_FALSE(touch.Correct(0, tol, &code));
    EXPECT_EQ(code, 0xF30000);

    // Two overlapping holes: only looked for with checkHoles.
    HollowPolygon overlap(Square(0, 0, 10, 10));
    overlap.AddInner(Square(1, 1, 4, 4));
    overlap.AddInner(Square(3, 3, 6, 6));
    EXPECT_FALSE(overlap.Correct(1, tol, &code));
    EXPECT_EQ(code, 0xF40001);
    EXPECT_TRUE(overlap.Correct(0, tol, &code));
    EXPECT_EQ(code, 0);
    // Nested holes and holes sharing a corner fail too; the indices go into
    // the code, and a hole's pairs are checked before the next hole itself.
    HollowPolygon nested(Square(0, 0, 10, 10));
    nested.AddInner(Square(8, 8, 9, 9));
    nested.AddInner(Square(1, 1, 5, 5));
    nested.AddInner(Square(2, 2, 3, 3));
    nested.AddInner(Square(5, 5, 6, 6));
    EXPECT_FALSE(nested.Correct(1, tol, &code));
    EXPECT_EQ(code, 0xF40102);
    nested.RemoveInner(2);
    EXPECT_FALSE(nested.Correct(1, tol, &code));
    EXPECT_EQ(code, 0xF40102);   // holes 1 and 2 share the corner (5, 5)
    nested.Inner(2, Polygon(std::vector<Point>{{6, 6}, {7, 6}}));
    EXPECT_FALSE(nested.Correct(1, tol, &code));
    EXPECT_EQ(code, 0xF20002);

    // The outer ring is checked before any hole.
    HollowPolygon line(Polygon(std::vector<Point>{{0, 0}, {10, 0}}));
    line.AddInner(Polygon());
    EXPECT_FALSE(line.Correct(1, tol, &code));
    EXPECT_EQ(code, 0xF10000);
    HollowPolygon bow(Polygon(std::vector<Point>{{0, 0}, {10, 10}, {10, 0}, {0, 10}}));
    EXPECT_FALSE(bow.Correct(1, tol, nullptr));
    HollowPolygon badHole(Square(0, 0, 10, 10));
    badHole.AddInner(Polygon(std::vector<Point>{{1, 1}, {3, 3}, {3, 1}, {1, 3}}));
    EXPECT_FALSE(badHole.Correct(0, tol, &code));
    EXPECT_EQ(code, 0xF20000);
}

TEST(HollowPolygon, NormalizeRebuildsThroughTheBooleanEngine)
{
    // A hole poking out of the outer ring bites into its side.
    HollowPolygon bite(Square(0, 0, 10, 10));
    bite.AddInner(Square(8, 4, 12, 6));
    bite.Normalize();
    EXPECT_EQ(bite.InnersCount(), 0u);
    EXPECT_EQ(bite.Outer().Size(), 8u);
    EXPECT_DOUBLE_EQ(bite.Outer().Area(), 96);
    EXPECT_TRUE(bite.CheckIn(Point(9, 5), 1, 1e-9, 1) == 0);

    // Two overlapping holes merge; a hole outside disappears.
    HollowPolygon merge(Square(0, 0, 10, 10));
    merge.AddInner(Square(2, 2, 5, 5));
    merge.AddInner(Square(4, 4, 7, 7));
    merge.AddInner(Square(20, 20, 21, 21));
    merge.Normalize();
    ASSERT_EQ(merge.InnersCount(), 1u);
    EXPECT_DOUBLE_EQ(NetArea(merge), 100 - 17);
    int code = -1;
    EXPECT_TRUE(merge.Correct(1, 1e-9, &code));

    // A hole that cuts the region in two leaves two outer rings: the object
    // is emptied.
    HollowPolygon cut(Square(0, 0, 10, 10));
    cut.AddInner(Square(4, -1, 6, 11));
    CountingRegion counted(Square(0, 0, 10, 10));
    counted.AddInner(Square(4, -1, 6, 11));
    cut.Normalize();
    EXPECT_TRUE(cut.IsEmpty());
    EXPECT_EQ(cut.InnersCount(), 0u);
    counted.changes = 0;
    counted.Normalize();
    EXPECT_GE(counted.changes, 1);

    // A hole covering everything: nothing left.
    HollowPolygon gone(Square(0, 0, 1, 1));
    gone.AddInner(Square(-1, -1, 2, 2));
    gone.Normalize();
    EXPECT_TRUE(gone.IsEmpty());
}

TEST(HollowPolygon, NormalizeKeepsTheRegion)
{
    // Random rectangles as holes of a fixed outer ring, overlapping each
    // other or the border: after Normalize the region holds the same points
    // (sampled off the lattice, so never on a border), and it validates.
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> u(-2, 12);
    std::uniform_real_distribution<double> sample(-2.9, 12.9);
    int kept = 0;
    for (int round = 0; round < 60; ++round) {
        HollowPolygon h(Polygon(std::vector<Point>{{0, 0}, {10, 0}, {10, 10}, {5, 13}, {0, 10}}));
        for (int k = 0; k < 1 + round % 4; ++k) {
            int x0 = u(rng), x1 = u(rng), y0 = u(rng), y1 = u(rng);
            if (x0 == x1 || y0 == y1)
                continue;
            h.AddInner(Square(x0, y0, x1, y1));
        }
        HollowPolygon n = h;
        n.Normalize();
        if (n.IsEmpty())
            continue;   // cut into pieces (or nothing left): no single region
        ++kept;
        int code = -1;
        EXPECT_TRUE(n.Correct(1, 1e-9, &code)) << round << " " << std::hex << code;
        for (int k = 0; k < 300; ++k) {
            const Point p(sample(rng) + 1e-7, sample(rng) + 1e-7);
            ASSERT_EQ(n.CheckIn(p, 1, 1e-12, 1), h.CheckIn(p, 1, 1e-12, 1)) << round << ": " << p.x << " " << p.y;
        }
    }
    EXPECT_GT(kept, 20);
}

TEST(HollowPolygon, CheckInnerAndCrossing)
{
    const HollowPolygon h = SquareWithHole();
    const Polyline inside(std::vector<Point>{{1, 1}, {2, 1}, {2, 2}});
    EXPECT_TRUE(h.CheckInner(inside, 1));
    // Across the hole: vertices clear of it but the chain crosses it.
    const Polyline across(std::vector<Point>{{3, 5}, {7, 5}});
    EXPECT_FALSE(h.CheckInner(across, 1));
    EXPECT_TRUE(h.CheckInner(across, 0));
    EXPECT_TRUE(h.IsCrossed(across, 0, 1e-10));
    // Inside the hole.
    const Polyline inHole(std::vector<Point>{{4.5, 4.5}, {5.5, 5.5}});
    EXPECT_FALSE(h.CheckInner(inHole, 1));
    EXPECT_FALSE(h.IsCrossed(inHole, 1, 1e-10));
    // Touching the outer ring is not strictly inside.
    EXPECT_FALSE(h.CheckInner(Polyline(std::vector<Point>{{0, 1}, {2, 2}}), 0));

    // A polygon around the hole holds it.
    const Polygon around = Square(3, 3, 7, 7);
    EXPECT_FALSE(h.CheckInner(around, 1));
    EXPECT_TRUE(h.CheckInner(around, 0));
    EXPECT_TRUE(h.CheckInner(Square(1, 1, 3, 3), 1));
    EXPECT_FALSE(h.IsCrossed(around, 1, 1e-10));
    EXPECT_TRUE(h.IsCrossed(Square(9, 9, 11, 11), 0, 1e-10));
}

TEST(HollowPolygon, RingNumberingViewsAndProximity)
{
    HollowPolygon h = SquareWithHole();
    h.AddInner(Square(7, 7, 8, 8));
    EXPECT_EQ(HollowPolygon::kOuter, 4294967295u);
    EXPECT_EQ(&h.GetPolygon(4294967295u), &h.Outer());
    EXPECT_EQ(&h.GetPolygon(1), &h.Inner(1));
    const auto rings = h.Polygons();
    ASSERT_EQ(rings.size(), 3u);
    EXPECT_EQ(rings.index(), (std::vector<unsigned>{4294967295u, 0, 1}));
    std::vector<const Polygon*> seen;
    for (const Polygon& p : rings)
        seen.push_back(&p);
    EXPECT_EQ(seen, (std::vector<const Polygon*>{&h.Outer(), &h.Inner(0), &h.Inner(1)}));

    unsigned ring = 0, vertex = 0;
    EXPECT_TRUE(h.CheckPtNearNode(Point(6.05, 6.05), 0.1, &ring, &vertex));
    EXPECT_EQ(ring, 0u);
    EXPECT_EQ(vertex, 2u);
    EXPECT_TRUE(h.CheckPtNearNode(Point(0.01, 10), 0.1, &ring, &vertex));
    EXPECT_EQ(ring, HollowPolygon::kOuter);
    EXPECT_EQ(vertex, 3u);
    EXPECT_FALSE(h.CheckPtNearNode(Point(3, 3), 0.1, &ring, &vertex));
    EXPECT_TRUE(h.CheckPtNearEdge(Point(7.5, 8.05), 0.1, &ring, &vertex));
    EXPECT_EQ(ring, 1u);
    EXPECT_EQ(vertex, 2u);

    // (6.5, 6.5) is near vertex 2 of hole 0 and vertex 0 of hole 1.
    std::vector<unsigned> polys;
    std::vector<std::vector<unsigned>> lists;
    EXPECT_EQ(h.CheckPtNearNodes(Point(6.5, 6.5), 0.75, &polys, &lists), 2u);
    EXPECT_EQ(polys, (std::vector<unsigned>{0, 1}));
    EXPECT_EQ(lists, (std::vector<std::vector<unsigned>>{{2}, {0}}));
    polys.clear();
    lists.clear();
    EXPECT_EQ(h.CheckPtNearEdges(Point(6.5, 6.5), 0.75, &polys, &lists), 4u);
    EXPECT_EQ(polys, (std::vector<unsigned>{0, 1}));
    EXPECT_EQ(lists, (std::vector<std::vector<unsigned>>{{1, 2}, {0, 3}}));
    EXPECT_EQ(h.CheckPtNearEdges(Point(6.5, 6.5), 0.75, nullptr, nullptr), 4u);

    h.SetPolygon(HollowPolygon::kOuter, Square(-1, -1, 11, 11));
    EXPECT_DOUBLE_EQ(h.Outer().Area(), 144);
    h.SetPolygon(0, Square(1, 1, 2, 2));
    EXPECT_DOUBLE_EQ(h.Inner(0).Area(), 1);
    // Bad indices are never followed.
    EXPECT_THROW(h.GetPolygon(2), std::out_of_range);
    EXPECT_THROW(h.Inner(7), std::out_of_range);
    h.SetPolygon(2, Square(0, 0, 1, 1));
    h.Inner(2, Square(0, 0, 1, 1));
    h.RemoveInner(2);
    EXPECT_EQ(h.InnersCount(), 2u);
    h.RemoveInner(0);
    ASSERT_EQ(h.InnersCount(), 1u);
    EXPECT_DOUBLE_EQ(h.Inner(0).Area(), 1);
    EXPECT_EQ(h.Inner(0)[0], Point(7, 7));
}

TEST(HollowPolygon, IdentityOrderCopiesAndNotifications)
{
    const HollowPolygon a = SquareWithHole();
    const HollowPolygon b = SquareWithHole();
    EXPECT_TRUE(a == a);
    EXPECT_FALSE(a == b);   // identity, not geometry
    const HollowPolygon left(Square(0, 0, 1, 1));
    const HollowPolygon right(Square(2, 0, 3, 1));
    EXPECT_TRUE(left < right);
    EXPECT_FALSE(right < left);

    HollowPolygon c;
    EXPECT_TRUE(c.IsEmpty());
    c = a;
    EXPECT_FALSE(c.IsEmpty());
    EXPECT_EQ(c.InnersCount(), 1u);
    EXPECT_EQ(c.Outer(), a.Outer());
    c.Clear();
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.InnersCount(), 0u);
    // A hole alone does not make the region non-empty.
    c.AddInner(Square(0, 0, 1, 1));
    EXPECT_TRUE(c.IsEmpty());

    CountingRegion n;
    n.changes = 0;
    n.Outer(Square(0, 0, 10, 10));
    n.AddInner(Square(1, 1, 2, 2));
    n.Inner(0, Square(1, 1, 3, 3));
    n.Inners(std::vector<Polygon>{Square(1, 1, 2, 2), Square(3, 3, 4, 4)});
    n.SetPolygon(1, Square(5, 5, 6, 6));
    n.RemoveInner(0);
    static_cast<HollowPolygon&>(n) = SquareWithHole();
    n.Clear();
    EXPECT_EQ(n.changes, 8);
}

TEST(HollowPolygon, RingCleanUp)
{
    // Duplicated vertices in both rings.
    HollowPolygon h(Polygon(std::vector<Point>{{0, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    h.AddInner(Polygon(std::vector<Point>{{4, 4}, {6, 4}, {6, 6}, {6, 6}, {4, 6}}));
    EXPECT_EQ(h.RemoveClosest(1e-9), 3u);
    EXPECT_EQ(h.Outer().Size(), 4u);
    EXPECT_EQ(h.Inner(0).Size(), 4u);

    // Collinear middle vertices go; a hole that collapses is removed and the
    // next hole is examined at the same index.
    HollowPolygon r(Polygon(std::vector<Point>{{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}}));
    r.AddInner(Polygon(std::vector<Point>{{1, 1}, {2, 1}, {3, 1}}));           // flat: collapses
    r.AddInner(Polygon(std::vector<Point>{{4, 4}, {5, 4}, {6, 4}, {6, 6}, {4, 6}}));
    r.AddInner(Polygon(std::vector<Point>{{7, 7}, {8, 7}, {8, 8}}));
    EXPECT_EQ(r.ReduceGeometry(1e-9), 3u);
    EXPECT_EQ(r.Outer().Size(), 4u);
    ASSERT_EQ(r.InnersCount(), 2u);
    EXPECT_EQ(r.Inner(0).Size(), 4u);
    EXPECT_EQ(r.Inner(1).Size(), 3u);

    // The outer ring is kept whatever becomes of it.
    HollowPolygon flat(Polygon(std::vector<Point>{{0, 0}, {1, 0}, {2, 0}}));
    flat.ReduceGeometry(1e-9);
    EXPECT_FALSE(flat.IsEmpty());
}

} // namespace
