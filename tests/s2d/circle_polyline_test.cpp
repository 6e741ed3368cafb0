#include <zeltmath/s2d/circle.h>
#include <zeltmath/s2d/polyline.h>

#include <gtest/gtest.h>

#include <vector>

using S2D::Circle;
using S2D::Point;
using S2D::Polyline;

namespace {

Polyline Chain(std::initializer_list<Point> points)
{
    return Polyline(std::vector<Point>(points));
}

TEST(CirclePolyline, CheckInTestsTheVertices)
{
    const Circle unit(0, 0, 1);
    EXPECT_EQ(unit.CheckIn(Polyline(), 0, 1e-9), 1);
    EXPECT_EQ(unit.CheckIn(Chain({Point(0.5, 0), Point(0, -0.5), Point(-0.7, 0.7)}), 0, 1e-9), 1);
    // A vertex on the circle answers onBorder.
    const Polyline onCircle = Chain({Point(0, 0), Point(0.6, 0.8)});
    EXPECT_EQ(unit.CheckIn(onCircle, 1, 1e-9), 1);
    EXPECT_EQ(unit.CheckIn(onCircle, 0, 1e-9), 0);
    EXPECT_EQ(unit.CheckIn(Chain({Point(0, 0), Point(2, 0), Point(0.1, 0)}), 1, 1e-9), 0);
}

TEST(CirclePolyline, IsCrossedByVerticesAndEdges)
{
    const Circle unit(0, 0, 1);
    const double tol = 1e-9;
    // Both vertices outside, the edge through the centre.
    EXPECT_EQ(unit.IsCrossed(Chain({Point(-2, 0), Point(2, 0)}), 0, tol), 1);
    EXPECT_EQ(unit.IsCrossed(Chain({Point(-2, 2), Point(2, 2)}), 1, tol), 0);
    // Wholly inside.
    EXPECT_EQ(unit.IsCrossed(Chain({Point(0.1, 0), Point(0.2, 0)}), 1, tol), 0);
    // One vertex in, one out.
    EXPECT_EQ(unit.IsCrossed(Chain({Point(0.1, 0), Point(0.2, 0), Point(3, 3)}), 0, tol), 1);
    EXPECT_EQ(unit.IsCrossed(Polyline(), 1, tol), 0);

    // First vertex on the circle: with touching at once; without, both
    // vertices count as outside and the edge stays at distance 1.
    const Polyline fromCircle = Chain({Point(1, 0), Point(3, 0)});
    EXPECT_EQ(unit.IsCrossed(fromCircle, 1, tol), 1);
    EXPECT_EQ(unit.IsCrossed(fromCircle, 0, tol), 0);

    // An edge tangent to the circle between two outside vertices.
    const Polyline tangent = Chain({Point(-3, 1), Point(3, 1)});
    EXPECT_EQ(unit.IsCrossed(tangent, 1, tol), 1);
    EXPECT_EQ(unit.IsCrossed(tangent, 0, tol), 0);
    // Only a later edge of a longer chain passes through.
    EXPECT_EQ(unit.IsCrossed(Chain({Point(5, 5), Point(5, -5), Point(-5, 5)}), 0, tol), 1);
    // A single point outside has no edge.
    EXPECT_EQ(unit.IsCrossed(Chain({Point(5, 5)}), 1, tol), 0);
}

} // namespace
