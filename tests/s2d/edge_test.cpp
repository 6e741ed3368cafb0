#include <zeltmath/s2d/edge.h>
#include <zeltmath/s2d/matrix.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using S2D::Circle;
using S2D::Edge;
using S2D::Line;
using S2D::Point;
using S2D::Vector;

namespace {

const double kUnset = -777;

// Layout of e against a, with both parameters; unwritten ones stay kUnset.
struct Layout {
    unsigned int bits;
    double t1, t2;
};

template <class Other>
Layout LayoutOf(const Edge& a, const Other& e)
{
    Layout l{0, kUnset, kUnset};
    l.bits = a.CalcLayout(e, &l.t1, &l.t2);
    return l;
}

Edge E(double x1, double y1, double x2, double y2)
{
    return Edge(Point(x1, y1), Point(x2, y2));
}

TEST(Edge, ConstructionAndAccess)
{
    const Edge d;
    EXPECT_EQ(d.P1(), Point(0, 0));
    EXPECT_EQ(d.P2(), Point(0, 0));
    const Point a(1, 2), b(4, 6);
    Edge e(&a, &b);
    EXPECT_EQ(e.P1(), a);
    EXPECT_EQ(e[0], a);
    EXPECT_EQ(e[1], b);
    EXPECT_EQ(e[7], b);
    EXPECT_EQ(Edge(&a, nullptr).P2(), Point(0, 0));
    EXPECT_EQ(e.GetVector(), Point(3, 4));
    EXPECT_EQ(e.GetNorm(), Point(4, -3));  // to the right of the travel
    EXPECT_EQ(e.GetLength(), 5);
    EXPECT_EQ(e.GetLengthSqr(), 25);
    EXPECT_DOUBLE_EQ(e.GetPolarAngle(), std::atan2(4.0, 3.0));
    EXPECT_EQ(E(0, 0, 1, -1).GetPolarAngle(), (Point(1, -1)).GetPolarAngle());
    EXPECT_EQ(e.GetPoint(0.5), Point(2.5, 4));
    e.P2() = Point(0, 0);
    e[0] = Point(-1, -1);
    EXPECT_EQ(e, E(-1, -1, 0, 0));
    e.SetP12(b, a);
    Point p, q;
    e.GetP12(p, q);
    EXPECT_EQ(p, b);
    EXPECT_EQ(q, a);

    Edge f;
    f = e;
    EXPECT_TRUE(f == e);
    Line l(a, b);
    l = Line(b, a);
    EXPECT_EQ(l.P1(), b);
    l = E(0, 0, 1, 1);
    EXPECT_EQ(l.P2(), Point(1, 1));
}

TEST(Edge, ComparisonAndEquality)
{
    EXPECT_TRUE(E(0, 0, 1, 1).IsEqual(E(1e-7, 0, 1, 1 - 1e-7), 1e-6));
    EXPECT_FALSE(E(0, 0, 1, 1).IsEqual(E(1, 1, 0, 0), 1e-6));  // direction matters
    EXPECT_TRUE(Edge::IsEqual(E(0, 0, 1, 1), E(0, 0, 1, 1), 0));
    EXPECT_TRUE(E(0, 0, 1, 1) == E(0, 0, 1, 1));
    EXPECT_FALSE(E(0, 0, 1, 1) == E(0, 0, 1, 1.0000001));
    EXPECT_TRUE(E(0, 0, 1, 1) < E(0, 1, 2, 0));
    // Ends ordered in different directions: unordered both ways.
    EXPECT_FALSE(E(0, 0, 5, 5) < E(1, 1, 2, 2));
    EXPECT_FALSE(E(1, 1, 2, 2) < E(0, 0, 5, 5));
}

TEST(Edge, PointMembership)
{
    const Edge e = E(0, 0, 10, 0);
    double t = kUnset;
    EXPECT_TRUE(e.CheckPtBelongs(Point(5, 1e-7), &t, 1e-6));
    EXPECT_DOUBLE_EQ(t, 0.5);
    t = kUnset;
    EXPECT_FALSE(e.CheckPtBelongs(Point(10.0000001, 0), &t, 1e-6));
    EXPECT_NEAR(t, 1.00000001, 1e-12);  // near the line: t written
    t = kUnset;
    EXPECT_FALSE(e.CheckPtBelongs(Point(5, 0.1), &t, 1e-6));
    EXPECT_EQ(t, kUnset);
    EXPECT_TRUE(e.CheckPtBelongs(Point(10 + 1e-10, 0), nullptr, 1e-6));  // the range tolerance

    const Line l(Point(0, 0), Point(10, 0));
    t = kUnset;
    EXPECT_TRUE(l.CheckPtBelongs(Point(-30, 1e-7), &t, 1e-6));
    EXPECT_DOUBLE_EQ(t, -3);
    EXPECT_FALSE(l.CheckPtBelongs(Point(5, 0.1), &t, 1e-6));
    EXPECT_EQ(S2D::IsBetween(Point(5, 0), Point(0, 0), Point(10, 0), 1e-9), 1.0);
}

TEST(Edge, DistanceAndProjection)
{
    const Edge e = E(0, 0, 10, 0);
    double t = kUnset;
    EXPECT_DOUBLE_EQ(e.GetDistance(Point(-3, 4), &t), 5);
    EXPECT_DOUBLE_EQ(t, -0.3);
    EXPECT_DOUBLE_EQ(e.GetDistance(Point(5, -2), nullptr), 2);
    EXPECT_DOUBLE_EQ(e.GetDistance(Point(13, 4), nullptr), 5);
    const Line l(Point(0, 0), Point(10, 0));
    EXPECT_DOUBLE_EQ(l.GetDistance(Point(-3, 4), &t), 4);
    EXPECT_DOUBLE_EQ(t, -0.3);

    const Point p0 = e.GetProjection(Point(-3, 4));
    EXPECT_EQ(p0, Point(0, 0));
    const Point p1 = e.GetProjection(Point(4, 4));
    EXPECT_NEAR(p1.x, 4, 1e-12);
    EXPECT_NEAR(p1.y, 0, 1e-12);
    const Point p2 = l.GetProjection(Point(-3, 4));
    EXPECT_NEAR(p2.x, -3, 1e-12);
    EXPECT_NEAR(p2.y, 0, 1e-12);

    // Edges running in the negative x direction, from the axes.
    const Point p3 = E(3, 0, -10, 0).GetProjection(Point(-4, 4));
    EXPECT_NEAR(p3.x, -4, 1e-12);
    EXPECT_NEAR(p3.y, 0, 1e-12);
    const Point p4 = Line(Point(0, 5), Point(-10, 5)).GetProjection(Point(-4, 4));
    EXPECT_NEAR(p4.x, -4, 1e-12);
    EXPECT_NEAR(p4.y, 5, 1e-12);

    // A degenerate edge: parameter 0, distance and projection to its point.
    const Edge dot = E(2, 2, 2, 2);
    EXPECT_DOUBLE_EQ(dot.GetDistance(Point(5, 6), &t), 5);
    EXPECT_EQ(t, 0);
    EXPECT_EQ(dot.GetProjection(Point(5, 6)), Point(2, 2));
}

// The projection is the nearest point of the segment (or of the line), and
// its distance is GetDistance, for edges of every direction.
TEST(Edge, ProjectionIsTheNearestPoint)
{
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> c(-50, 50);
    for (int i = 0; i < 3000; ++i) {
        const Point a(c(gen), c(gen)), b(c(gen), c(gen)), p(c(gen), c(gen));
        const Edge e(a, b);
        const Vector d(a, b);
        double t = std::max(0.0, std::min(1.0, Vector(a, p).ScalarMult(d) / d.GetLengthSqr()));
        const Point nearest(a, b, t);
        const Point proj = e.GetProjection(p);
        EXPECT_NEAR(proj.x, nearest.x, 1e-9);
        EXPECT_NEAR(proj.y, nearest.y, 1e-9);
        EXPECT_NEAR(e.GetDistance(p, nullptr), p.Distance(nearest), 1e-9);

        const Line l(a, b);
        const Point foot = l.GetProjection(p);
        EXPECT_NEAR(Vector(foot, p).ScalarMult(d) / d.GetLength(), 0, 1e-9);
        EXPECT_NEAR(l.GetDistance(p, &t), p.Distance(foot), 1e-9);
        EXPECT_TRUE(l.CheckPtBelongs(foot, nullptr, 1e-9));
    }
}

// The distance and the projection follow their own steps literally, each
// with its own rounding: the distance moves the points to P1 first and then
// turns them by -theta; the projection applies the product matrix
// Move(-P1) * Rotate(-theta) to each point and maps back by Rotate(theta) *
// Move(P1).  Same bits on random edges of every direction.
TEST(Edge, DistanceAndProjectionFollowTheirStepsBitForBit)
{
    using S2D::Matrix;
    std::mt19937 gen(29);
    std::uniform_real_distribution<double> c(-50, 50);
    for (int i = 0; i < 5000; ++i) {
        const Point a(c(gen), c(gen)), b(c(gen), c(gen)), p(c(gen), c(gen));
        const double theta = Vector(a, b).GetPolarAngle();

        Point q = p, b1 = b, a1 = a;
        q -= a1;
        b1 -= a1;
        a1 -= a1;
        const Matrix turn = Matrix::Rotate(-theta);
        const Point qd = turn.Transform(q), bd = turn.Transform(b1), ad = turn.Transform(a1);
        const double dist = qd.x <= ad.x ? qd.Distance(ad)
                          : qd.x >= bd.x ? qd.Distance(bd)
                                         : std::fabs(qd.y);
        EXPECT_EQ(Edge(a, b).GetDistance(p, nullptr), dist);
        EXPECT_EQ(Line(a, b).GetDistance(p, nullptr), std::fabs(qd.y));

        const Matrix m = Matrix::Move(-a.x, -a.y) * Matrix::Rotate(-theta);
        const Point pp = m.Transform(p), ap = m.Transform(a), bp = m.Transform(b);
        const Point mid(pp.x, (ap.y + bp.y) / 2);
        const Point r = pp.x <= ap.x ? ap : pp.x >= bp.x ? bp : mid;
        const Matrix back = Matrix::Rotate(theta) * Matrix::Move(a.x, a.y);
        EXPECT_EQ(Edge(a, b).GetProjection(p), back.Transform(r));
        EXPECT_EQ(Line(a, b).GetProjection(p), back.Transform(mid));
    }
}

TEST(Edge, LayoutOfCrossingLines)
{
    const Edge a = E(0, 0, 2, 0);
    Layout l = LayoutOf(a, E(1, -1, 1, 1));  // proper crossing
    EXPECT_EQ(l.bits, LAYOUT_CROSS);
    EXPECT_DOUBLE_EQ(l.t1, 0.5);
    EXPECT_DOUBLE_EQ(l.t2, 0.5);
    l = LayoutOf(a, E(1, 0, 1, 1));  // T-junction: e's end inside this edge
    EXPECT_EQ(l.bits, LAYOUT_CROSS | LAYOUT_TOUCH);
    EXPECT_DOUBLE_EQ(l.t1, 0.5);
    EXPECT_EQ(l.t2, 0);
    l = LayoutOf(E(1, 1, 1, 0), a);  // T-junction: this edge's end inside e
    EXPECT_EQ(l.bits, LAYOUT_CROSS | LAYOUT_TOUCH);
    EXPECT_DOUBLE_EQ(l.t1, 1);
    EXPECT_DOUBLE_EQ(l.t2, 0.5);
    l = LayoutOf(a, E(2, 0, 3, 5));  // shared end
    EXPECT_EQ(l.bits, LAYOUT_APART | LAYOUT_TOUCH);
    EXPECT_DOUBLE_EQ(l.t1, 1);
    EXPECT_EQ(l.t2, 0);
    l = LayoutOf(a, E(3, -1, 3, 1));  // the lines cross beyond this edge
    EXPECT_EQ(l.bits, LAYOUT_APART);
    EXPECT_DOUBLE_EQ(l.t1, 1.5);
    EXPECT_DOUBLE_EQ(l.t2, 0.5);
    l = LayoutOf(a, E(1, 1, 1, 2));  // ... beyond the other edge
    EXPECT_EQ(l.bits, LAYOUT_APART);
    EXPECT_DOUBLE_EQ(l.t2, -1);
    l = LayoutOf(a, E(1, 1e-11, 1, 1));  // an end within the parameter tolerance
    EXPECT_EQ(l.bits, LAYOUT_CROSS | LAYOUT_TOUCH);
}

TEST(Edge, LayoutOfParallelEdges)
{
    const Edge a = E(0, 0, 2, 0);
    Layout l = LayoutOf(a, E(1, 0, 3, 0));  // collinear overlap
    EXPECT_EQ(l.bits, LAYOUT_PARALLEL | LAYOUT_CROSS);
    EXPECT_DOUBLE_EQ(l.t1, 0.5);
    EXPECT_DOUBLE_EQ(l.t2, 1.5);
    l = LayoutOf(a, E(2, 0, 3, 0));  // collinear, touching at an end
    EXPECT_EQ(l.bits, LAYOUT_PARALLEL | LAYOUT_APART | LAYOUT_TOUCH);
    EXPECT_DOUBLE_EQ(l.t1, 1);
    l = LayoutOf(a, E(3, 0, 4, 0));  // collinear, apart
    EXPECT_EQ(l.bits, LAYOUT_PARALLEL | LAYOUT_APART);
    EXPECT_DOUBLE_EQ(l.t1, 1.5);
    EXPECT_DOUBLE_EQ(l.t2, 2);
    l = LayoutOf(a, E(0, 1, 2, 1));  // parallel lines apart: nothing written
    EXPECT_EQ(l.bits, LAYOUT_PARALLEL | LAYOUT_APART);
    EXPECT_EQ(l.t1, kUnset);
    EXPECT_EQ(l.t2, kUnset);
    l = LayoutOf(E(0, 0, 4, 0), E(1, 0, 2, 0));  // e inside this edge
    EXPECT_EQ(l.bits, LAYOUT_PARALLEL | LAYOUT_CROSS);
    l = LayoutOf(E(1, 0, 2, 0), E(4, 0, -1, 0));  // e covers this edge, reversed
    EXPECT_EQ(l.bits, LAYOUT_PARALLEL | LAYOUT_CROSS);
    EXPECT_DOUBLE_EQ(l.t1, 3);
    EXPECT_DOUBLE_EQ(l.t2, -2);
    l = LayoutOf(a, E(2, 0, 0, 0));  // the same edge reversed
    EXPECT_EQ(l.bits, LAYOUT_PARALLEL | LAYOUT_CROSS | LAYOUT_TOUCH);
    l = LayoutOf(a, E(0, 0, -1, 0));  // collinear, sharing P1, pointing away
    EXPECT_EQ(l.bits, LAYOUT_PARALLEL | LAYOUT_APART | LAYOUT_TOUCH);
    // A degenerate edge is parallel to everything.
    l = LayoutOf(E(1, 1, 1, 1), E(0, 0, 5, 3));
    EXPECT_EQ(l.bits & LAYOUT_PARALLEL, LAYOUT_PARALLEL);

    // On a Line the collinear test of e's second end is unbounded.
    EXPECT_EQ(LayoutOf(E(0, 0, 1, 0), E(2, 0, 3, 0)).bits, LAYOUT_PARALLEL | LAYOUT_APART);
    const Line line(Point(0, 0), Point(1, 0));
    l = LayoutOf(line, E(2, 0, 3, 0));
    EXPECT_EQ(l.bits, LAYOUT_PARALLEL | LAYOUT_CROSS);
    EXPECT_DOUBLE_EQ(l.t2, 3);
}

TEST(Edge, LayoutAgainstACircle)
{
    const Circle unit(Point(2, 0), 1);
    const Edge a = E(0, 0, 4, 0);
    Layout l = LayoutOf(a, unit);  // secant through the interior
    EXPECT_EQ(l.bits, LAYOUT_CROSS);
    EXPECT_DOUBLE_EQ(l.t1, 0.25);
    EXPECT_DOUBLE_EQ(l.t2, 0.75);
    l = LayoutOf(a, Circle(Point(2, -5), 1));  // the line misses the circle
    EXPECT_EQ(l.bits, LAYOUT_APART | LAYOUT_OUTSIDE);
    EXPECT_EQ(l.t1, kUnset);
    EXPECT_EQ(LayoutOf(a, Circle(Point(2, 5), 1)).bits, LAYOUT_APART | LAYOUT_OUTSIDE);
    l = LayoutOf(E(1.5, 0, 2.5, 0), unit);  // inside
    EXPECT_EQ(l.bits, LAYOUT_APART);
    EXPECT_DOUBLE_EQ(l.t1, -0.5);
    EXPECT_DOUBLE_EQ(l.t2, 1.5);
    l = LayoutOf(E(5, 0, 6, 0), unit);  // outside on a line through the circle
    EXPECT_EQ(l.bits, LAYOUT_APART | LAYOUT_OUTSIDE);
    l = LayoutOf(E(0, 1, 4, 1), unit);  // tangent inside the edge
    EXPECT_EQ(l.bits, LAYOUT_CROSS);
    EXPECT_DOUBLE_EQ(l.t1, 0.5);
    EXPECT_DOUBLE_EQ(l.t2, 0.5);
    l = LayoutOf(E(2, 1, 4, 1), unit);  // tangent at an end of the edge
    EXPECT_EQ(l.bits, LAYOUT_CROSS | LAYOUT_OUTSIDE | LAYOUT_TOUCH);
    EXPECT_EQ(l.t1, 0);
    EXPECT_EQ(LayoutOf(E(3, 1, 4, 1), unit).bits, LAYOUT_APART | LAYOUT_OUTSIDE);  // tangent beyond
    l = LayoutOf(E(3, 0, 5, 0), unit);  // from the circle outwards
    EXPECT_EQ(l.bits, LAYOUT_APART | LAYOUT_OUTSIDE | LAYOUT_TOUCH);
    EXPECT_EQ(LayoutOf(E(2, 0, 3, 0), unit).bits, LAYOUT_APART | LAYOUT_TOUCH);  // from inside to it
    EXPECT_EQ(LayoutOf(E(2, 0, 4, 0), unit).bits, LAYOUT_CROSS);                 // from inside out
    // A chord from circle to circle: both ends on it, P1 not strictly inside.
    EXPECT_EQ(LayoutOf(E(1, 0, 3, 0), unit).bits, LAYOUT_APART | LAYOUT_OUTSIDE | LAYOUT_TOUCH);

    // A line just outside, within the tolerance, counts as tangent.
    l = LayoutOf(E(0, 1 + 5e-11, 4, 1 + 5e-11), unit);
    EXPECT_EQ(l.bits, LAYOUT_CROSS);
    EXPECT_DOUBLE_EQ(l.t1, 0.5);
    EXPECT_DOUBLE_EQ(l.t2, 0.5);
    EXPECT_EQ(LayoutOf(E(0, 1 + 1e-9, 4, 1 + 1e-9), unit).bits, LAYOUT_APART | LAYOUT_OUTSIDE);

    // Degenerate edges: on the circle, or not.
    l = LayoutOf(E(3, 0, 3, 0), unit);
    EXPECT_EQ(l.bits, LAYOUT_CROSS | LAYOUT_TOUCH | LAYOUT_OUTSIDE);
    EXPECT_EQ(l.t1, 0);
    EXPECT_EQ(l.t2, 0);
    l = LayoutOf(E(2, 0, 2, 0), unit);
    EXPECT_EQ(l.bits, LAYOUT_APART);
    EXPECT_EQ(l.t1, kUnset);
}

TEST(Edge, Intersect)
{
    Point out(-9, -9);
    EXPECT_TRUE(Edge::Intersect(E(0, 0, 2, 2), E(0, 2, 2, 0), out));
    EXPECT_EQ(out, Point(1, 1));
    EXPECT_TRUE(E(0, 0, 1, 0).Intersect(E(1, 0, 2, 5), out));
    EXPECT_EQ(out, Point(1, 0));
    out = Point(-9, -9);
    EXPECT_FALSE(E(0, 0, 2, 0).Intersect(E(1, 0, 3, 0), out));  // collinear overlap
    EXPECT_FALSE(E(0, 0, 2, 0).Intersect(E(0, 1, 2, 1), out));  // parallel
    EXPECT_FALSE(E(0, 0, 2, 2).Intersect(E(3, 0, 2.6, 0.4), out));  // lines meet outside
    EXPECT_FALSE(E(0, 0, 1, 1).Intersect(E(5, 5, 6, 0), out));      // boxes apart
    EXPECT_EQ(out, Point(-9, -9));
    // Exact: an end just short of the other edge does not meet it.
    EXPECT_FALSE(E(0, 0, 2, 0).Intersect(E(1, 1e-300, 1, 1), out));
    EXPECT_TRUE(E(0, 0, 2, 0).Intersect(E(1, 0, 1, 1), out));

    // A crossing exactly at an end point counts (the parameter is -0 there),
    // from either side and for either edge.
    out = Point(-9, -9);
    EXPECT_TRUE(E(0, 0, 1, 0).Intersect(E(0, -1, 0, 1), out));
    EXPECT_EQ(out, Point(0, 0));
    out = Point(-9, -9);
    EXPECT_TRUE(E(0, -1, 0, 1).Intersect(E(0, 0, 1, 0), out));
    EXPECT_EQ(out, Point(0, 0));
    out = Point(-9, -9);
    EXPECT_TRUE(E(1, 0, 0, 0).Intersect(E(0, 1, 0, -1), out));
    EXPECT_EQ(out, Point(0, 0));
    EXPECT_TRUE(E(0, 0, 1, 0).Intersect(E(1, -1, 1, 1), out));
    EXPECT_EQ(out, Point(1, 0));
    out = Point(-9, -9);
    EXPECT_FALSE(E(0, 0, 1, 0).Intersect(E(-1e-300, -1, -1e-300, 1), out));
    EXPECT_EQ(out, Point(-9, -9));
}

} // namespace
