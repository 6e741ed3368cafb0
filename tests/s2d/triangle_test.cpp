#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/triangle.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

using S2D::Point;
using Triangle = S2D::GenericTriangle<S2D::Point>;

namespace {

TEST(Triangle, MeasuresOfTheUnitTriangle)
{
    Triangle t(Point(0, 0), Point(1, 0), Point(0, 1));
    EXPECT_EQ(t.IsClockWise(), 0);
    EXPECT_DOUBLE_EQ(t.Area(), 0.5);
    EXPECT_TRUE(t.MassCenter().IsEqual(Point(1.0 / 3, 1.0 / 3), 1e-15));
    const S2D::Rect box = Triangle(Point(3, -1), Point(-2, 4), Point(1, 7)).BoundRect();
    EXPECT_EQ(box.Left(), -2);
    EXPECT_EQ(box.Top(), -1);
    EXPECT_EQ(box.Right(), 3);
    EXPECT_EQ(box.Bottom(), 7);

    Triangle cw(Point(0, 0), Point(0, 1), Point(1, 0));
    EXPECT_EQ(cw.IsClockWise(), 1);
    EXPECT_DOUBLE_EQ(cw.Area(), 0.5);
    EXPECT_EQ(Triangle().Area(), 0.0);
    EXPECT_EQ(Triangle().IsClockWise(), 0);

    // Access and copies.
    t[2] = Point(0, 2);
    EXPECT_EQ(t[2], Point(0, 2));
    EXPECT_EQ(t.Points()[1], Point(1, 0));
    Triangle copy(t);
    Triangle assigned;
    assigned = t;
    EXPECT_TRUE(copy == t);
    EXPECT_TRUE(assigned == t);
    EXPECT_DOUBLE_EQ(assigned.Area(), 1.0);
}

TEST(Triangle, ContainmentMatchesThePolygonTest)
{
    const Triangle t(Point(0, 0), Point(1, 0), Point(0, 1));
    EXPECT_EQ(t.CheckIn(Point(0.5, 0), 1, 1e-9, 1), 1);
    EXPECT_EQ(t.CheckIn(Point(0.5, 0), 0, 1e-9, 1), 0);
    EXPECT_EQ(t.CheckIn(Point(0.5, 0.5), 3, 1e-9, 1), 3);  // on the hypotenuse
    EXPECT_EQ(t.CheckIn(Point(0.2, 0.2), 0, 1e-9, 1), 1);
    EXPECT_EQ(t.CheckIn(Point(0.6, 0.6), 1, 1e-9, 1), 0);

    // On random triangles and points the answer is the polygon's.
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> grid(-3, 3);
    for (int k = 0; k < 2000; ++k) {
        const Point a(grid(rng), grid(rng)), b(grid(rng), grid(rng)), c(grid(rng), grid(rng));
        const Triangle tri(a, b, c);
        const S2D::Polygon poly(std::vector<Point>{a, b, c});
        const Point p(grid(rng) * 0.5, grid(rng) * 0.5);
        for (unsigned char border = 0; border < 2; ++border)
            ASSERT_EQ(tri.CheckIn(p, 2, 1e-9, border), poly.CheckIn(p, 2, 1e-9, border)) << k;
        EXPECT_DOUBLE_EQ(tri.Area(), poly.Area());
        EXPECT_EQ(tri.IsClockWise(), poly.IsClockwise());
    }
}

TEST(Triangle, ComparisonsAndTolerantEquality)
{
    const Triangle t(Point(0, 0), Point(1, 0), Point(0, 1));
    const Triangle rotated(Point(1, 0), Point(0, 1), Point(0, 0));
    EXPECT_FALSE(t == rotated);  // the order of the vertices matters
    EXPECT_TRUE(t == Triangle(t[0], t[1], t[2]));

    const Triangle shifted(Point(1e-7, 0), Point(1, -1e-7), Point(0, 1 + 1e-7));
    EXPECT_EQ(t.IsEqual(shifted, 1e-6), 1);
    EXPECT_EQ(t.IsEqual(shifted, -1e-6), 1);  // the tolerance acts by its magnitude
    EXPECT_EQ(t.IsEqual(shifted, 1e-8), 0);
    EXPECT_EQ(Triangle::IsEqual(t, shifted, 1e-6), 1);
    EXPECT_EQ(Triangle::IsEqual(t, rotated, 0.5), 0);

    const Triangle above(Point(1, 1), Point(2, 1), Point(1, 2));
    EXPECT_TRUE(t < above);
    EXPECT_FALSE(above < t);
    EXPECT_FALSE(t < rotated);  // vertex 0 of t is below, vertex 1 is not
    EXPECT_FALSE(t < t);
}

} // namespace
