// Shape transforms: each shape keeps its kind and its non-geometric parts,
// in and out may be one object, and a transform followed by its inverse
// gives the shape back.

#include <zeltmath/s2d/transform.h>
#include "shapes.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using S2D::Circle;
using S2D::Edge;
using S2D::HollowPolygon;
using S2D::Line;
using S2D::Matrix;
using S2D::Point;
using S2D::Polygon;
using S2D::Polyline;
using S2D::PolyPolygon;

namespace {

void ExpectNear(const Point& a, const Point& b)
{
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_NEAR(a.y, b.y, 1e-9);
}

class CountingPolyPolygon : public PolyPolygon {
public:
    void OnChange() override { ++changes; }
    int changes = 0;
};

class CountingRegion : public HollowPolygon {
public:
    using HollowPolygon::HollowPolygon;
    void OnChange() override { ++changes; }
    int changes = 0;
};

TEST(Transform, PrimitiveShapes)
{
    const Matrix m = Matrix::Scale(2, 3) * Matrix::Move(1, -1);
    Point p;
    S2D::Transform::Transform(m, Point(1, 1), p);
    EXPECT_EQ(p, Point(3, 2));
    S2D::Transform::Transform(m, p, p);
    EXPECT_EQ(p, Point(7, 5));

    // A circle's centre moves, its radius stays.
    Circle c(1, 2, 5);
    Circle out;
    S2D::Transform::Transform(Matrix::Scale(2, 2), c, out);
    EXPECT_EQ(out.x, 2);
    EXPECT_EQ(out.y, 4);
    EXPECT_EQ(out.Radius(), 5);
    S2D::Transform::Transform(Matrix::Scale(2, 2), c, c);
    EXPECT_EQ(c.x, 2);
    EXPECT_EQ(c.Radius(), 5);

    Edge e;
    S2D::Transform::Transform(m, Edge(Point(0, 0), Point(1, 1)), e);
    EXPECT_EQ(e.P1(), Point(1, -1));
    EXPECT_EQ(e.P2(), Point(3, 2));
    Line l(Point(0, 0), Point(1, 0));
    S2D::Transform::Transform(Matrix::Rotate90(), l, l);
    ExpectNear(l.P1(), Point(0, 0));
    ExpectNear(l.P2(), Point(0, 1));
    Line l2(Point(5, 5), Point(6, 6));
    S2D::Transform::Transform(m, l, l2);
    ExpectNear(l2.P2(), Point(1, 2));
}

TEST(Transform, ChainsAndRingsIntoThemselvesAndBack)
{
    // Into itself: every vertex mapped exactly once.
    Polygon sq = Square(0, 0, 1, 1);
    S2D::Transform::Transform(Matrix::Move(1, 0), sq, sq);
    EXPECT_EQ(sq[0], Point(1, 0));
    EXPECT_EQ(sq[2], Point(2, 1));
    Polyline chain(std::vector<Point>{{0, 0}, {1, 2}});
    Polyline moved;
    S2D::Transform::Transform(Matrix::Move(1, 1), chain, moved);
    EXPECT_EQ(moved.Points(), (std::vector<Point>{{1, 1}, {2, 3}}));
    EXPECT_EQ(chain[1], Point(1, 2));

    // A rotation, scale and move followed by its inverse cancel; area
    // scales by the determinant.
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(-50, 50);
    for (int round = 0; round < 20; ++round) {
        std::vector<Point> pts;
        for (int i = 0; i < 3 + round % 5; ++i)
            pts.emplace_back(u(rng), u(rng));
        const Polygon ring(pts);
        const Matrix m = Matrix::Rotate(u(rng)) * Matrix::Scale(2, 2) * Matrix::Move(u(rng), u(rng));
        const Matrix back = Matrix::Invert(m);
        Polygon there, again;
        S2D::Transform::Transform(m, ring, there);
        EXPECT_NEAR(there.Area(), 4 * ring.Area(), 1e-9 * (1 + ring.Area()));
        S2D::Transform::Transform(back, there, again);
        ASSERT_EQ(again.Size(), ring.Size());
        for (unsigned i = 0; i < ring.Size(); ++i)
            ExpectNear(again[i], ring[i]);
    }
}

TEST(Transform, RegionsKeepTheirRoles)
{
    CountingPolyPolygon pp;
    pp.AddPolygon(Square(0, 0, 10, 10), 0);
    pp.AddPolygon(Square(4, 4, 6, 6), 1);
    pp.AddPolygon(Square(20, 0, 30, 10), 0);
    EXPECT_TRUE(pp.CheckIn(Point(1, 1), 1, 1e-9, 1, nullptr));
    CountingPolyPolygon out;
    out.changes = 0;
    S2D::Transform::Transform(Matrix::Move(100, 0), pp, out);
    EXPECT_EQ(out.changes, 2);  // the assignment, then the transform once for all rings
    ASSERT_EQ(out.Size(), 3u);
    EXPECT_EQ(out.OuterNdxs(), (std::vector<unsigned>{0, 2}));
    EXPECT_EQ(out.InnerNdxs(), (std::vector<unsigned>{1}));
    EXPECT_EQ(out.GetPolygon(1, nullptr)[0], Point(104, 4));
    EXPECT_TRUE(out.CheckIn(Point(101, 1), 1, 1e-9, 1, nullptr));
    EXPECT_FALSE(out.CheckIn(Point(105, 5), 1, 1e-9, 1, nullptr));
    EXPECT_TRUE(out.CheckIn(Point(125, 5), 1, 1e-9, 1, nullptr));
    out.changes = 0;
    S2D::Transform::Transform(Matrix::Move(-100, 0), out, out);
    EXPECT_EQ(out.changes, 1);
    EXPECT_EQ(out.GetPolygon(2, nullptr)[0], Point(20, 0));

    CountingRegion h(Square(0, 0, 10, 10));
    h.AddInner(Square(4, 4, 6, 6));
    h.AddInner(Square(7, 7, 8, 8));
    CountingRegion hout;
    hout.changes = 0;
    S2D::Transform::Transform(Matrix::Scale(2, 2), h, hout);
    EXPECT_EQ(hout.changes, 2);   // the assignment, then the transform itself
    ASSERT_EQ(hout.InnersCount(), 2u);
    EXPECT_EQ(hout.Outer()[2], Point(20, 20));
    EXPECT_EQ(hout.Inner(1)[0], Point(14, 14));
    EXPECT_TRUE(hout.CheckIn(Point(2, 2), 1, 1e-9, 1));
    EXPECT_FALSE(hout.CheckIn(Point(10, 10), 1, 1e-9, 1));
    h.changes = 0;
    S2D::Transform::Transform(Matrix::Scale(2, 2), h, h);
    EXPECT_EQ(h.changes, 1);
    EXPECT_EQ(h.Inner(0)[0], Point(8, 8));
}

} // namespace
