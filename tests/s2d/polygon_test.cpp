#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/circle.h>
#include <zeltmath/s2d/polygon.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

using S2D::Circle;
using S2D::Point;
using S2D::Polygon;
using S2D::Polyline;

namespace {

Polygon Ring(std::initializer_list<Point> points)
{
    return Polygon(std::vector<Point>(points));
}

Polygon UnitSquare()
{
    return Ring({Point(0, 0), Point(1, 0), Point(1, 1), Point(0, 1)});
}

// The point-in-polygon test written out literally: a pass over the edges for
// the border, then the crossing count.  The library fuses the two passes and
// skips the exact border test for edges far from the point; it must answer
// exactly like this.
unsigned char ReferenceCheckIn(const std::vector<Point>& v, const Point& p, unsigned char onBorder, double tol,
                               unsigned char checkBorder)
{
    const std::size_t n = v.size();
    if (n == 0)
        return 0;
    if (n == 1)
        return (checkBorder && p.IsEqual(v[0], tol)) ? onBorder : 0;
    if (n == 2)
        return (checkBorder && S2D::IsBetween(p, v[0], v[1], tol) != 0.0) ? onBorder : 0;
    if (checkBorder)
        for (std::size_t i = 0; i < n; ++i)
            if (S2D::IsBetween(p, v[i], v[(i + 1) % n], tol) != 0.0)
                return onBorder;
    bool flag = false;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = i == 0 ? n - 1 : i - 1;
        if ((IsNonGreater(v[i].y, p.y, tol) && IsLess(p.y, v[j].y, tol)) ||
            (IsNonGreater(v[j].y, p.y, tol) && IsLess(p.y, v[i].y, tol))) {
            if (IsLess(p.x, (p.y - v[i].y) * (v[j].x - v[i].x) / (v[j].y - v[i].y) + v[i].x, tol))
                flag = !flag;
        }
    }
    return flag ? 1 : 0;
}

TEST(Polygon, AreaOrientationCentroid)
{
    Polygon ccw = UnitSquare();
    EXPECT_EQ(ccw.IsClockwise(), 0);
    EXPECT_DOUBLE_EQ(ccw.Area(), 1.0);
    EXPECT_TRUE(ccw.MassCenter().IsEqual(Point(0.5, 0.5), 1e-15));

    Polygon cw = Ring({Point(0, 0), Point(0, 1), Point(1, 1), Point(1, 0)});
    EXPECT_EQ(cw.IsClockwise(), 1);
    EXPECT_DOUBLE_EQ(cw.Area(), 1.0);
    EXPECT_TRUE(cw.MassCenter().IsEqual(Point(0.5, 0.5), 1e-15));

    // An L shape: two rectangles 2x1 and 1x1, centroid by hand.
    Polygon ell = Ring({Point(0, 0), Point(2, 0), Point(2, 1), Point(1, 1), Point(1, 2), Point(0, 2)});
    EXPECT_DOUBLE_EQ(ell.Area(), 3.0);
    const Point expected((2 * 1.0 + 1 * 0.5) / 3, (2 * 0.5 + 1 * 1.5) / 3);
    EXPECT_TRUE(ell.MassCenter().IsEqual(expected, 1e-14));

    // Translation moves the centroid along and keeps the area; renumbering
    // keeps both.
    Polygon moved = ell;
    for (Point& p : moved.Points())
        p += Point(100, -50);
    EXPECT_NEAR(moved.Area(), 3.0, 1e-11);
    EXPECT_TRUE(moved.MassCenter().IsEqual(expected + Point(100, -50), 1e-11));
    moved >>= 3;
    EXPECT_NEAR(moved.Area(), 3.0, 1e-11);
    EXPECT_TRUE(moved.MassCenter().IsEqual(expected + Point(100, -50), 1e-11));

    // Degenerate rings: no area, no orientation, no centroid.
    Polygon flat = Ring({Point(0, 0), Point(1, 1), Point(2, 2)});
    EXPECT_EQ(flat.Area(), 0.0);
    EXPECT_EQ(flat.IsClockwise(), 0);
    const Point none = flat.MassCenter();
    EXPECT_FALSE(std::isfinite(none.x) && std::isfinite(none.y));
    Polygon empty;
    EXPECT_EQ(empty.Area(), 0.0);
    EXPECT_EQ(empty.IsClockwise(), 0);
}

TEST(Polygon, PointInPolygonBorderHandling)
{
    const Polygon sq = UnitSquare();
    const double tol = 1e-9;
    EXPECT_EQ(sq.CheckIn(Point(0.5, 0), 1, tol, 1), 1);
    EXPECT_EQ(sq.CheckIn(Point(0.5, 0), 0, tol, 1), 0);
    EXPECT_EQ(sq.CheckIn(Point(0.5, 5e-10), 0, tol, 1), 0);   // within tol of the border
    EXPECT_EQ(sq.CheckIn(Point(0.5, 2e-9), 0, tol, 1), 1);    // inside by more than tol
    EXPECT_EQ(sq.CheckIn(Point(0.5, -2e-9), 1, tol, 1), 0);   // outside by more than tol
    EXPECT_EQ(sq.CheckIn(Point(1, 1), 7, tol, 1), 7);         // a corner gives onBorder as passed
    EXPECT_EQ(sq.CheckIn(Point(0.5, 0.5), 0, tol, 1), 1);
    EXPECT_EQ(sq.CheckIn(Point(1.5, 0.5), 1, tol, 1), 0);

    // Without the border check the crossing count alone decides: the lower
    // and left sides count as inside, the upper and right ones as outside.
    EXPECT_EQ(sq.CheckIn(Point(0.5, 0), 0, tol, 0), 1);
    EXPECT_EQ(sq.CheckIn(Point(0, 0.5), 0, tol, 0), 1);
    EXPECT_EQ(sq.CheckIn(Point(0.5, 1), 1, tol, 0), 0);
    EXPECT_EQ(sq.CheckIn(Point(1, 0.5), 1, tol, 0), 0);
    // A point level with a horizontal edge and a vertex.
    const Polygon step = Ring({Point(0, 0), Point(4, 0), Point(4, 2), Point(2, 2), Point(2, 4), Point(0, 4)});
    EXPECT_EQ(step.CheckIn(Point(1, 2), 0, tol, 1), 1);
    EXPECT_EQ(step.CheckIn(Point(3, 3), 1, tol, 1), 0);
    EXPECT_EQ(step.CheckIn(Point(-1, 2), 1, tol, 1), 0);
    EXPECT_EQ(step.CheckIn(Point(5, 2), 1, tol, 1), 0);

    // Degenerate rings.
    EXPECT_EQ(Polygon().CheckIn(Point(), 1, 1.0, 1), 0);
    const Polygon dot = Ring({Point(2, 3)});
    EXPECT_EQ(dot.CheckIn(Point(2, 3.5), 1, 0.5, 1), 1);  // per-coordinate tolerance
    EXPECT_EQ(dot.CheckIn(Point(2, 3.5), 1, 0.4, 1), 0);
    EXPECT_EQ(dot.CheckIn(Point(2, 3), 1, 0.5, 0), 0);
    const Polygon seg = Ring({Point(0, 0), Point(2, 0)});
    EXPECT_EQ(seg.CheckIn(Point(1, 0), 1, tol, 1), 1);
    EXPECT_EQ(seg.CheckIn(Point(1, 0), 1, tol, 0), 0);
    EXPECT_EQ(seg.CheckIn(Point(3, 0), 1, tol, 1), 0);
}

TEST(Polygon, PointInPolygonMatchesTheLiteralAlgorithm)
{
    // Random rings with repeated vertices, horizontal and vertical runs and
    // tiny edges; query points on vertices, on edges, a tolerance away and
    // random.  Every answer must agree with the two-pass formulation.
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> grid(-4, 4);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double tols[] = {0.0, 1e-9, -1e-3, 0.25};
    unsigned checked = 0;
    for (int ring = 0; ring < 300; ++ring) {
        const int n = 3 + ring % 9;
        std::vector<Point> v;
        for (int i = 0; i < n; ++i) {
            Point p(grid(rng), grid(rng));
            if (ring % 3 == 0)
                p += Point(unit(rng) * 1e-11, unit(rng) * 1e-11);  // near-duplicates
            v.push_back(p);
        }
        if (ring % 4 == 0)
            v.push_back(v.back());  // a zero-length edge
        const Polygon poly(v);
        for (int q = 0; q < 60; ++q) {
            Point p;
            const std::size_t k = static_cast<std::size_t>(rng()) % v.size();
            const Point& a = v[k];
            const Point& b = v[(k + 1) % v.size()];
            switch (q % 4) {
            case 0: p = a; break;
            case 1: p = Point(a, b, unit(rng)); break;
            case 2: p = Point(a, b, unit(rng)) + Point(1e-9 * (unit(rng) - 0.5), 1e-3 * (unit(rng) - 0.5)); break;
            default: p = Point(grid(rng) + unit(rng), grid(rng) + unit(rng)); break;
            }
            for (double tol : tols)
                for (unsigned char border = 0; border < 2; ++border) {
                    ASSERT_EQ(poly.CheckIn(p, 2, tol, border), ReferenceCheckIn(v, p, 2, tol, border))
                        << "ring " << ring << " query " << q << " tol " << tol;
                    ++checked;
                }
        }
    }
    EXPECT_EQ(checked, 300u * 60u * 8u);

    // A duplicated vertex is a degenerate edge; the border test treats the
    // whole horizontal line through it as on that edge.
    const std::vector<Point> dup{Point(0, 0), Point(4, 0), Point(4, 4), Point(4, 4), Point(0, 4)};
    const Point far(100, 4 + 1e-12);
    EXPECT_EQ(Polygon(dup).CheckIn(far, 5, 1e-9, 1), ReferenceCheckIn(dup, far, 5, 1e-9, 1));
}

TEST(Polygon, PolylineAndPointSetContainment)
{
    const Polygon sq = Ring({Point(0, 0), Point(4, 0), Point(4, 4), Point(0, 4)});
    const Polyline inside(std::vector<Point>{Point(1, 1), Point(3, 1), Point(3, 3)});
    const Polyline touching(std::vector<Point>{Point(1, 1), Point(4, 2)});
    // Only the vertices count: this chain leaves the square between them.
    const Polygon notch = Ring({Point(0, 0), Point(4, 0), Point(4, 4), Point(2, 1), Point(0, 4)});
    const Polyline across(std::vector<Point>{Point(0.3, 3), Point(3.7, 3)});
    EXPECT_EQ(sq.CheckIn(inside, 0, 1e-9, 1), 1);
    EXPECT_EQ(sq.CheckIn(touching, 0, 1e-9, 1), 0);
    EXPECT_EQ(sq.CheckIn(touching, 1, 1e-9, 1), 1);
    EXPECT_EQ(notch.CheckIn(across, 0, 1e-9, 1), 1);
    EXPECT_EQ(sq.CheckIn(Polyline(), 0, 1e-9, 1), 1);

    const Polygon small = Ring({Point(1, 1), Point(2, 1), Point(9, 9), Point(1, 2)});
    EXPECT_EQ(small.CheckPointsIn(sq, 0, 1e-9, 1), (std::vector<unsigned>{0, 1, 3}));
    EXPECT_EQ(sq.CheckPointsIn(small, 1, 1e-9, 1), (std::vector<unsigned>{2}));  // (4, 4) lies in the sliver
    EXPECT_EQ(Polygon().CheckPointsIn(sq, 1, 1e-9, 1), (std::vector<unsigned>{}));
}

TEST(Polygon, CircleContainment)
{
    const Polygon sq = Ring({Point(0, 0), Point(4, 0), Point(4, 4), Point(0, 4)});
    EXPECT_EQ(sq.CheckIn(Circle(2, 2, 1), 0, 1e-9), 1);
    EXPECT_EQ(sq.CheckIn(Circle(2, 2, 2), 0, 1e-9), 0);  // tangent to all four sides
    EXPECT_EQ(sq.CheckIn(Circle(2, 2, 2), 1, 1e-9), 1);
    EXPECT_EQ(sq.CheckIn(Circle(2, 2, 2.5), 1, 1e-9), 0);  // pokes out through the sides
    EXPECT_EQ(sq.CheckIn(Circle(1, 2, 1.5), 1, 1e-9), 0);  // out through the left side only
    EXPECT_EQ(sq.CheckIn(Circle(6, 2, 0.5), 1, 1e-9), 0);  // centre outside
    EXPECT_EQ(sq.CheckIn(Circle(0, 2, 0.5), 1, 1e-9), 0);  // centre on the border
    // A circle that fits only between the corners of a notch.
    const Polygon notch = Ring({Point(0, 0), Point(4, 0), Point(4, 4), Point(2, 1.5), Point(0, 4)});
    EXPECT_EQ(notch.CheckIn(Circle(2, 0.6, 0.5), 0, 1e-9), 1);
    EXPECT_EQ(notch.CheckIn(Circle(2, 0.8, 0.75), 1, 1e-9), 0);  // reaches the notch tip
    EXPECT_EQ(Polygon().CheckIn(Circle(0, 0, 1), 1, 1e-9), 0);
}

TEST(Polygon, CrossingWithPolylines)
{
    const Polygon sq = UnitSquare();
    const double tol = 1e-9;
    const Polyline inside(std::vector<Point>{Point(0.2, 0.2), Point(0.8, 0.3), Point(0.5, 0.8)});
    EXPECT_EQ(sq.IsCrossed(inside, 1, tol), 0);
    const Polyline inOut(std::vector<Point>{Point(0.5, 0.5), Point(2, 0.5)});
    EXPECT_EQ(sq.IsCrossed(inOut, 0, tol), 1);
    // Touching an edge from outside counts only with `touching`.
    const Polyline kiss(std::vector<Point>{Point(2, 0.5), Point(1, 0.5), Point(2, 0.7)});
    EXPECT_EQ(sq.IsCrossed(kiss, 1, tol), 1);
    EXPECT_EQ(sq.IsCrossed(kiss, 0, tol), 0);
    // A vertex of the square on the polyline, from outside.
    const Polyline corner(std::vector<Point>{Point(0.5, 1.5), Point(1.5, 0.5)});
    EXPECT_EQ(sq.IsCrossed(corner, 1, tol), 1);
    EXPECT_EQ(sq.IsCrossed(corner, 0, tol), 0);
    // Both vertices outside, the segment passes right through.
    const Polyline through(std::vector<Point>{Point(-1, 0.5), Point(2, 0.5)});
    EXPECT_EQ(sq.IsCrossed(through, 0, tol), 1);
    // Through two opposite corners: touching pairs whose midpoint is inside.
    const Polyline diagonal(std::vector<Point>{Point(0, 0), Point(1, 1)});
    EXPECT_EQ(sq.IsCrossed(diagonal, 0, tol), 1);
    // Along an edge (collinear pairs are skipped, the rest only touch).
    const Polyline along(std::vector<Point>{Point(-1, 0), Point(2, 0)});
    EXPECT_EQ(sq.IsCrossed(along, 0, tol), 0);
    EXPECT_EQ(sq.IsCrossed(along, 1, tol), 1);
    // Far away.
    const Polyline far(std::vector<Point>{Point(5, 5), Point(6, 7)});
    EXPECT_EQ(sq.IsCrossed(far, 1, tol), 0);
    EXPECT_EQ(sq.IsCrossed(Polyline(), 1, tol), 0);
    EXPECT_EQ(Polygon().IsCrossed(through, 1, tol), 0);
}

TEST(Polygon, SelfCrossing)
{
    unsigned first = 77, second = 77, flags = 77;
    EXPECT_EQ(UnitSquare().IsSelfCrossed(&first, &second, &flags), 0);
    // The only pair the walk finds is edge 0 against the closing edge, which
    // share vertex 0: reported, but not a crossing.
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(second, 3u);
    EXPECT_EQ(flags & S2D::LAYOUT_TOUCH, unsigned(S2D::LAYOUT_TOUCH));

    const Polygon bowtie = Ring({Point(0, 0), Point(1, 1), Point(1, 0), Point(0, 1)});
    ASSERT_EQ(bowtie.IsSelfCrossed(&first, &second, &flags), 1);
    EXPECT_EQ(first, 0u);  // the two diagonals
    EXPECT_EQ(second, 2u);
    EXPECT_EQ(flags, unsigned(S2D::LAYOUT_CROSS));

    // A ring touching itself at a vertex.
    const Polygon pinch = Ring({Point(0, 0), Point(2, 0), Point(1, 1), Point(2, 2), Point(0, 2), Point(1, 1)});
    EXPECT_EQ(pinch.IsSelfCrossed(nullptr, nullptr, nullptr), 1);

    first = 77;
    EXPECT_EQ(Polygon().IsSelfCrossed(&first, nullptr, nullptr), 0);
    EXPECT_EQ(first, 77u);
    EXPECT_EQ(Ring({Point(1, 1)}).IsSelfCrossed(&first, nullptr, nullptr), 0);
    EXPECT_EQ(first, 77u);
}

TEST(Polygon, RotationOfTheNumbering)
{
    const Point A(0, 0), B(1, 0), C(1, 1), D(0, 1);
    const Polygon abcd = Ring({A, B, C, D});
    Polygon p = abcd;
    EXPECT_TRUE((p >>= 1) == Ring({B, C, D, A}));
    p = abcd;
    EXPECT_TRUE((p <<= 1) == Ring({D, A, B, C}));
    p = abcd;
    EXPECT_TRUE((p >>= -1) == Ring({D, A, B, C}));
    p = abcd;
    EXPECT_TRUE((p >>= 4) == abcd);
    EXPECT_TRUE((p >>= 4001) == Ring({B, C, D, A}));
    EXPECT_TRUE((p <<= 4001) == abcd);
    // Extreme shifts do not overflow.
    p >>= std::numeric_limits<int>::min();  // -2^31 = 0 mod 4
    EXPECT_TRUE(p == abcd);
    p <<= std::numeric_limits<int>::min();
    EXPECT_TRUE(p == abcd);
    p <<= std::numeric_limits<int>::max();  // 2^31 - 1 = 3 mod 4
    EXPECT_TRUE(p == Ring({B, C, D, A}));

    Polygon empty;
    empty >>= 3;
    empty <<= -5;
    EXPECT_EQ(empty.Size(), 0u);
}

// A ring that records what reaches its virtual operators.
class RecordingPolygon : public Polygon {
public:
    using Polygon::Polygon;
    Polygon& operator=(const Polygon& other) override
    {
        ++assignments;
        return Polygon::operator=(other);
    }
    Polygon& operator>>=(int k) override
    {
        shifts.push_back(k);
        return Polygon::operator>>=(k);
    }
    int assignments = 0;
    std::vector<int> shifts;
};

class RecordingPolyline : public Polyline {
public:
    Polyline& operator=(const Polyline& other) override
    {
        ++assignments;
        return Polyline::operator=(other);
    }
    int assignments = 0;
};

TEST(Polygon, AssignmentAndRotationGoThroughTheVirtualTable)
{
    const Point A(0, 0), B(1, 0), C(1, 1), D(0, 1);
    RecordingPolygon derived;
    Polygon& base = derived;
    base = Polygon(std::vector<Point>{A, B, C});  // a temporary, too
    EXPECT_EQ(derived.assignments, 1);
    Polygon other = Ring({A, B, C, D});
    base = other;
    EXPECT_EQ(derived.assignments, 2);
    base = std::move(other);
    EXPECT_EQ(derived.assignments, 3);
    EXPECT_TRUE(base == Ring({A, B, C, D}));

    RecordingPolyline chain;
    Polyline& line = chain;
    line = Polyline(std::vector<Point>{A, B});
    EXPECT_EQ(chain.assignments, 1);
    EXPECT_EQ(line.Size(), 2u);

    // <<= k hands n - k to >>= as it is whenever that fits an int.
    derived.shifts.clear();
    base <<= 0;
    base <<= 5;
    base <<= 1;
    base <<= -3;
    EXPECT_EQ(derived.shifts, (std::vector<int>{4, -1, 3, 7}));
    EXPECT_TRUE(base == Ring({B, C, D, A}));  // 4 - 1 + 3 + 7 = 13 = 1 mod 4
    // n - INT_MIN does not fit an int; it arrives brought back by a multiple
    // of n (0 mod 4 here), so nothing overflows and nothing moves.
    derived.shifts.clear();
    base <<= std::numeric_limits<int>::min();
    ASSERT_EQ(derived.shifts.size(), 1u);
    EXPECT_EQ(((derived.shifts[0] % 4) + 4) % 4, 0);
    EXPECT_TRUE(base == Ring({B, C, D, A}));
}

TEST(Polygon, ClosingEdgeAssignmentAndOrder)
{
    // The closing edge takes part in every inherited edge walk.
    const Polygon tri = Ring({Point(0, 0), Point(2, 0), Point(2, 3)});
    EXPECT_EQ(tri.EdgeCount(), 3u);
    EXPECT_EQ(tri.EdgeAt(2).P1(), Point(2, 3));
    EXPECT_EQ(tri.EdgeAt(2).P2(), Point(0, 0));
    EXPECT_THROW(tri.EdgeAt(3), std::out_of_range);
    EXPECT_EQ(tri.CheckPtNearEdge(Point(0.9, 1.5), 0.2, nullptr), 1);
    Polygon line4 = Ring({Point(0, 0), Point(1, 0), Point(2, 0), Point(3, 0)});
    EXPECT_EQ(line4.ReduceGeometry(1e-9), 2u);
    EXPECT_EQ(line4.Size(), 2u);

    Polygon a = UnitSquare();
    Polygon b;
    b = a;
    EXPECT_TRUE(b == a);
    Polyline chain(std::vector<Point>{Point(5, 5), Point(6, 6)});
    b = chain;
    EXPECT_EQ(b.Size(), 2u);
    EXPECT_EQ(b.EdgeCount(), 2u);

    // A move construction hands the points over and leaves the source empty;
    // an assignment from an rvalue copies through the virtual operator=; a
    // growing vector of polygons keeps every ring intact.
    Polygon moved(std::move(a));
    EXPECT_TRUE(moved == UnitSquare());
    EXPECT_EQ(a.Size(), 0u);
    a = std::move(moved);
    EXPECT_TRUE(a == UnitSquare());
    EXPECT_TRUE(moved == UnitSquare());
    std::vector<Polygon> many;
    for (int i = 0; i < 100; ++i)
        many.push_back(Ring({Point(i, 0), Point(i + 1, 0), Point(i, 1)}));
    EXPECT_EQ(many[57][1], Point(58, 0));
    EXPECT_DOUBLE_EQ(many[99].Area(), 0.5);

    const std::vector<Polygon> rings{
        Ring({Point(0, 0), Point(10, 0), Point(10, 10), Point(0, 10)}),
        Ring({Point(4, 4), Point(6, 4), Point(6, 6), Point(4, 6)}),
        Ring({Point(1, 1), Point(9, 1), Point(9, 9), Point(1, 9)}),
    };
    S2D::PolygonOrderComparer inner(rings);
    EXPECT_TRUE(inner(1, 0));
    EXPECT_FALSE(inner(0, 1));
    EXPECT_TRUE(inner(2, 0));
    EXPECT_TRUE(inner(1, 2));
    EXPECT_FALSE(inner(0, 0));  // the border belongs to a ring only partly
    std::vector<unsigned> order{0, 1, 2};
    std::sort(order.begin(), order.end(), inner);
    EXPECT_EQ(order, (std::vector<unsigned>{1, 2, 0}));
}

} // namespace
