#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/point.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <thread>

using S2D::Point;
using S2D::Vector;

namespace {

TEST(Point, ConstructionAndIntegerConversion)
{
    EXPECT_EQ(Point(static_cast<const Point*>(nullptr)), Point(0, 0));
    const Point src(1.5, -2);
    EXPECT_EQ(Point(&src), src);
    const tagPOINT ip{-7, 9};
    EXPECT_EQ(Point(ip), Point(-7.0, 9.0));
    EXPECT_EQ(Point(static_cast<const _POINTL*>(nullptr)), Point());
    EXPECT_EQ(Point(Point(0, 0), Point(4, 8), 0.25), Point(1, 2));

    tagPOINT out{};
    Point(2.5, -2.5).GetPoint(out);
    EXPECT_EQ(out.x, 3);
    EXPECT_EQ(out.y, -3);
    _POINTL outl{};
    Point(-0.5, 0.49).GetPoint(outl);
    EXPECT_EQ(outl.x, -1);
    EXPECT_EQ(outl.y, 0);

    // The buffer of GetPoint() belongs to the calling thread.
    const tagPOINT& mine = Point(1, 2).GetPoint();
    std::thread([] { Point(100, 200).GetPoint(); }).join();
    EXPECT_EQ(mine.x, 1);
    EXPECT_EQ(mine.y, 2);
}

TEST(Point, EqualityDistanceAndOrder)
{
    EXPECT_TRUE(Point::IsEqual(Point(0, 0), Point(1e-6, 1e-6), 1e-6));
    EXPECT_FALSE(Point::IsEqual(Point(0, 0), Point(1e-6, 1e-6), 1e-7));
    EXPECT_TRUE(Point::IsEqual(Point(0, 0), Point(1e-6, 1e-6), -1e-6));

    EXPECT_FALSE(Point(1, 1).IsDistMore(Point(4, 5), 5));
    EXPECT_TRUE(Point(1, 1).IsDistMore(Point(4, 5), 4.999));
    EXPECT_TRUE(Point(1, 1).IsDistMore(Point(1, 1), -1));
    EXPECT_DOUBLE_EQ(Point(1, 1).Distance(Point(4, 5)), 5);

    EXPECT_TRUE(Point(1, 2) < Point(1, 3));
    EXPECT_TRUE(Point(0, 9) < Point(1, 0));
    EXPECT_TRUE(Point(1, 2) <= Point(1, 2));
    EXPECT_FALSE(Point(1, 2) < Point(1, 2));
    EXPECT_TRUE(Point(1, 3) > Point(1, 2));
    EXPECT_TRUE(Point(1, 2) >= Point(1, 2));
    EXPECT_TRUE(Point(1, 2) != Point(1, 2.0000001));
}

TEST(Point, PolarAngle)
{
    EXPECT_EQ(Point(1, 0).GetPolarAngle(), 0);
    EXPECT_EQ(Point(0, 1).GetPolarAngle(), ZT_PI_2);
    EXPECT_EQ(Point(-1, 0).GetPolarAngle(), ZT_PI);
    EXPECT_EQ(Point(0, -1).GetPolarAngle(), ZT_PI + ZT_PI_2);
    EXPECT_DOUBLE_EQ(Point(1, -1).GetPolarAngle(), 7 * ZT_PI / 4);
    EXPECT_EQ(Point(0, 0).GetPolarAngle(), 0);
    EXPECT_EQ(Point(1e-17, 1).GetPolarAngle(), ZT_PI_2);
    EXPECT_EQ(Point(1e-17, 0).GetPolarAngle(), 0);
    // y more than 510 binary orders below x: horizontal.
    EXPECT_EQ(Point(1e200, -1e-200).GetPolarAngle(), 0);
    EXPECT_EQ(Point(-1e200, -1e-200).GetPolarAngle(), ZT_PI);

    // Property: the angle reproduces the direction.
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-100, 100);
    for (int i = 0; i < 1000; ++i) {
        const Point p(u(rng), u(rng));
        const double a = p.GetPolarAngle();
        ASSERT_GE(a, 0);
        ASSERT_LT(a, ZT_2PI);
        EXPECT_NEAR(std::cos(a) * p.GetLength(), p.x, 1e-9);
        EXPECT_NEAR(std::sin(a) * p.GetLength(), p.y, 1e-9);
    }
}

TEST(Point, OrientationAndCrossings)
{
    using S2D::Orientation;
    EXPECT_EQ(Point::CalcOrientation(Point(0, 0), Point(1, 0), Point(0, 1)), S2D::CounterClockwise);
    EXPECT_EQ(Point::CalcOrientation(Point(0, 0), Point(1, 0), Point(0, -1)), S2D::Clockwise);
    EXPECT_EQ(Point::CalcOrientation(Point(0, 0), Point(1, 1), Point(3, 3)), S2D::Collinear);
    EXPECT_EQ(Point::CalcOrientation(Point(0, 0), Point(1, 0), Point(0, 0.5), 1), S2D::Collinear);
    EXPECT_EQ(Point::CalcOrientation(Point(0, 0), Point(1, 0), Point(0, 0.5), 0.4), S2D::CounterClockwise);
    // The tolerance is used with its sign: a negative one accepts no |c|, and
    // the sign of c decides, c = 0 still being Collinear.
    EXPECT_EQ(Point::CalcOrientation(Point(0, 0), Point(1, 0), Point(0, 0.5), -1), S2D::CounterClockwise);
    EXPECT_EQ(Point::CalcOrientation(Point(0, 0), Point(1, 0), Point(0, -0.5), -1), S2D::Clockwise);
    EXPECT_EQ(Point::CalcOrientation(Point(0, 0), Point(1, 0), Point(5, 0), -1), S2D::Collinear);
    EXPECT_EQ(Point::CalcOrientation(Point(0, 0), Point(1, 0), Point(0, 0), -1e-300), S2D::Collinear);
    EXPECT_EQ(Vector::CalcOrientation(Vector(1, 0), Vector(0, 1)), S2D::CounterClockwise);
    EXPECT_EQ(Vector::CalcOrientation(Vector(1, 0), Vector(2, 0)), S2D::Collinear);

    double t = -1;
    EXPECT_TRUE(Point::LinesCrossed(Point(0, 0), Point(1, 0), Point(2, -1), Point(2, 1), &t));
    EXPECT_DOUBLE_EQ(t, 2);
    t = -1;
    EXPECT_FALSE(Point::LinesCrossed(Point(0, 0), Point(1, 0), Point(0, 1), Point(5, 1), &t));
    EXPECT_EQ(t, -1);  // not written

    EXPECT_TRUE(Point::EdgesCrossed(Point(0, 0), Point(2, 0), Point(1, -1), Point(1, 1), &t));
    EXPECT_DOUBLE_EQ(t, 0.5);
    EXPECT_TRUE(Point::EdgesCrossed(Point(0, 0), Point(1, 0), Point(1, 0), Point(1, 1), &t));
    EXPECT_DOUBLE_EQ(t, 1);
    EXPECT_FALSE(Point::EdgesCrossed(Point(0, 0), Point(1, 0), Point(2, -1), Point(2, 1), &t));
    EXPECT_DOUBLE_EQ(t, 2);
    EXPECT_FALSE(Point::EdgesCrossed(Point(0, 0), Point(2, 0), Point(1, 0), Point(3, 0), nullptr));
    t = -1;
    EXPECT_FALSE(Point::EdgesCrossed(Point(0, 0), Point(1, 0), Point(0.5, 1), Point(0.5, 2), &t));
    EXPECT_EQ(t, -1);  // the second segment misses the first line
}

TEST(Point, LineMembershipAndBetween)
{
    double t = 0;
    EXPECT_TRUE(Point(3, 4).Belongs2Line(Point(0, 0), Point(6, 8), &t, 1e-9));
    EXPECT_NEAR(t, 0.5, 1e-15);
    EXPECT_FALSE(Point(3, 5).Belongs2Line(Point(0, 0), Point(6, 8), &t, 1e-9));
    EXPECT_NEAR(t, 0.58, 1e-12);
    // Coincident a and b: compares the y of p with the y of a.
    EXPECT_TRUE(Point::Belongs2Line(Point(9, 2), Point(1, 2), Point(1, 2), &t, 1e-9));
    EXPECT_EQ(t, 0);

    EXPECT_EQ(S2D::IsBetween(Point(1, 1), Point(0, 0), Point(2, 2), 1e-9), 1.0);
    EXPECT_EQ(S2D::IsBetween(Point(3, 3), Point(0, 0), Point(2, 2), 1e-9), 0.0);
    EXPECT_EQ(S2D::IsBetween(Point(1, 1.1), Point(0, 0), Point(2, 2), 1e-9), 0.0);

    // Property: the distance from the line bounds the answer, whatever the direction.
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(-50, 50);
    for (int i = 0; i < 500; ++i) {
        const Point a(u(rng), u(rng)), b(u(rng), u(rng));
        const double s = u(rng) / 25;
        Vector n(-(b.y - a.y), b.x - a.x);
        n.Normalize();
        const Point onLine(a, b, s);
        EXPECT_TRUE(onLine.Belongs2Line(a, b, &t, 1e-9));
        EXPECT_NEAR(t, s, 1e-9);
        EXPECT_FALSE((onLine + n * 1e-3).Belongs2Line(a, b, nullptr, 1e-4));
        EXPECT_TRUE((onLine + n * 1e-5).Belongs2Line(a, b, nullptr, 1e-4));
    }
}

TEST(Vector, ConstructionNormalizeAndOperators)
{
    Vector v(Point(1, 1), Point(4, 5));
    EXPECT_EQ(v, Point(3, 4));
    v.Normalize();
    EXPECT_DOUBLE_EQ(v.x, 0.6);
    EXPECT_DOUBLE_EQ(v.y, 0.8);
    Vector z(0, 0);
    z.Normalize();
    EXPECT_EQ(z, Point(0, 0));
    const tagSIZE sz{3, -4};
    EXPECT_EQ(Vector(sz), Point(3, -4));
    EXPECT_EQ(Vector(static_cast<const Vector*>(nullptr)), Point());

    const Vector neg = -Vector(1, -2);
    EXPECT_EQ(neg, Point(-1, 2));
    EXPECT_EQ(Point(1, 2) + Point(3, 4), Point(4, 6));
    EXPECT_EQ(Point(1, 2) - Point(3, 4), Point(-2, -2));
    EXPECT_EQ(Point(1, 2) + 1.0, Point(2, 3));
    EXPECT_EQ(1.0 + Point(1, 2), Point(2, 3));
    EXPECT_EQ(Point(1, 2) - 1.0, Point(0, 1));
    EXPECT_EQ(Point(1, 2) * 2.0, Point(2, 4));
    EXPECT_EQ(2.0 * Point(1, 2), Point(2, 4));
    EXPECT_EQ(Point(1, 2) / 2.0, Point(0.5, 1));
    EXPECT_EQ(S2D::Simple(Point(1, 0), Point(0, 1)), 1.0);
    EXPECT_EQ(Point::ScalarMult(Point(1, 2), Point(3, 4)), 11.0);
}

// A derived point that measures in the maximum norm: callers that go
// through the virtual table follow it.
class MaxNormPoint : public Point {
public:
    using Point::Point;
    double GetLengthSqr() const override { return Sqr(std::fmax(std::fabs(x), std::fabs(y))); }
    bool operator==(const Point& p) const override { return IsEqual(p, 0.5); }
};

TEST(Point, CallersGoThroughTheVirtualTable)
{
    const MaxNormPoint p(3, 4);
    EXPECT_DOUBLE_EQ(p.GetLength(), 4);  // GetLength calls GetLengthSqr
    EXPECT_FALSE(p != Point(3.2, 4.4));  // operator!= calls operator==

    const Point& base = p;
    EXPECT_DOUBLE_EQ(base.GetLength(), 4);
}

} // namespace
