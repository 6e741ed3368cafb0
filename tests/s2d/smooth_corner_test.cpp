#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/smooth_corner.h>

#include <gtest/gtest.h>

#include <cmath>

using S2D::Point;

namespace {

void ExpectOnCircle(const std::vector<Point>& arc, const Point& centre, double radius)
{
    for (const Point& p : arc)
        EXPECT_NEAR(p.Distance(centre), radius, 1e-12);
}

TEST(SmoothCorner, SquareCornerBothWays)
{
    std::vector<Point> arc;
    const std::vector<Point> left{Point(0, 0), Point(10, 0), Point(10, 10)};
    ASSERT_EQ(S2D::SmoothCorner(left, 1, 2, 360, arc), 1);
    ASSERT_EQ(arc.size(), 91u);
    EXPECT_TRUE(arc.front().IsEqual(Point(8, 0), 1e-12));
    EXPECT_TRUE(arc.back().IsEqual(Point(10, 2), 1e-12));
    ExpectOnCircle(arc, Point(8, 2), 2);
    // Counter-clockwise about the centre: the polar angle seen from it grows.
    for (std::size_t i = 1; i < arc.size(); ++i)
        EXPECT_GT(S2D::Simple(arc[i - 1] - Point(8, 2), arc[i] - Point(8, 2)), 0);

    const std::vector<Point> right{Point(10, 10), Point(10, 0), Point(0, 0)};
    ASSERT_EQ(S2D::SmoothCorner(right, 1, 2, 360, arc), 1);
    ASSERT_EQ(arc.size(), 91u);
    EXPECT_TRUE(arc.front().IsEqual(Point(10, 2), 1e-12));
    EXPECT_TRUE(arc.back().IsEqual(Point(8, 0), 1e-12));
    ExpectOnCircle(arc, Point(8, 2), 2);
}

TEST(SmoothCorner, WrapAroundAndCoarseSegments)
{
    // Corner 0 takes the last point as its predecessor.
    const std::vector<Point> square{Point(10, 0), Point(10, 10), Point(0, 10), Point(0, 0)};
    std::vector<Point> arc;
    ASSERT_EQ(S2D::SmoothCorner(square, 0, 2, 360, arc), 1);
    EXPECT_TRUE(arc.front().IsEqual(Point(8, 0), 1e-12));
    EXPECT_TRUE(arc.back().IsEqual(Point(10, 2), 1e-12));
    // The last corner takes point 0 as its successor.
    ASSERT_EQ(S2D::SmoothCorner(square, 3, 1, 360, arc), 1);
    EXPECT_TRUE(arc.front().IsEqual(Point(0, 1), 1e-12));
    EXPECT_TRUE(arc.back().IsEqual(Point(1, 0), 1e-12));

    // Three segments per circle leave no inner point on a right angle.
    ASSERT_EQ(S2D::SmoothCorner(square, 0, 2, 3, arc), 1);
    ASSERT_EQ(arc.size(), 2u);
    EXPECT_TRUE(arc[0].IsEqual(Point(8, 0), 1e-12));
    EXPECT_TRUE(arc[1].IsEqual(Point(10, 2), 1e-12));

    // A 60-degree corner of an equilateral triangle: the arc spans 120 degrees.
    const double h = std::sqrt(3.0) * 5;
    const std::vector<Point> tri{Point(0, 0), Point(10, 0), Point(5, h)};
    ASSERT_EQ(S2D::SmoothCorner(tri, 1, 1, 36, arc), 1);
    EXPECT_EQ(arc.size(), 13u);  // k = (2 pi / 3) * 36 / (2 pi) = 12
    const double d = 1 / std::tan(ZT_PI / 6);
    EXPECT_NEAR(arc.front().Distance(Point(10, 0)), d, 1e-12);
    EXPECT_NEAR(arc.back().Distance(Point(10, 0)), d, 1e-12);
}

TEST(SmoothCorner, CornersThatCannotBeRounded)
{
    std::vector<Point> arc{Point(1, 1)};
    const std::vector<Point> shortEdge{Point(5, 0), Point(10, 0), Point(10, 10)};
    EXPECT_EQ(S2D::SmoothCorner(shortEdge, 1, 6, 360, arc), 0);
    EXPECT_TRUE(arc.empty());
    const std::vector<Point> line{Point(0, 0), Point(1, 0), Point(2, 0)};
    EXPECT_EQ(S2D::SmoothCorner(line, 1, 0.5, 360, arc), 0);
    const std::vector<Point> square{Point(0, 0), Point(10, 0), Point(10, 10)};
    EXPECT_EQ(S2D::SmoothCorner(square, 1, 0, 360, arc), 0);
    EXPECT_EQ(S2D::SmoothCorner(square, 1, -2, 360, arc), 0);
    EXPECT_EQ(S2D::SmoothCorner(square, 3, 2, 360, arc), 0);
    EXPECT_EQ(S2D::SmoothCorner({Point(0, 0), Point(1, 1)}, 0, 2, 360, arc), 0);
    const std::vector<Point> bad{Point(0, 0), Point(NAN, 0), Point(10, 10)};
    EXPECT_EQ(S2D::SmoothCorner(bad, 1, 2, 360, arc), 0);
    EXPECT_TRUE(arc.empty());
}

} // namespace
