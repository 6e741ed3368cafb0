#include <zeltmath/s3d/point.h>

#include <gtest/gtest.h>

#include <cmath>

using S3D::Point;
using S3D::Vector;

namespace {

void ExpectPoint(const Point& p, double x, double y, double z, double tol = 0)
{
    EXPECT_NEAR(p.V1(), x, tol);
    EXPECT_NEAR(p.V2(), y, tol);
    EXPECT_NEAR(p.V3(), z, tol);
}

// Keeps its coordinates outside the inherited fields, so every operation that
// bypasses the virtual accessors reads zeros and gets caught.
class ExternalPoint : public Point {
public:
    double store[3] = {0, 0, 0};
    ExternalPoint(double a, double b, double c) : Point() { store[0] = a; store[1] = b; store[2] = c; }
    const double& V1() const override { return store[0]; }
    double& V1() override { return store[0]; }
    const double& V2() const override { return store[1]; }
    double& V2() override { return store[1]; }
    const double& V3() const override { return store[2]; }
    double& V3() override { return store[2]; }
    void Reset() { Initialize(); }
};

TEST(S3DPoint, ConstructionAndAccess)
{
    ExpectPoint(Point(), 0, 0, 0);
    ExpectPoint(Point(static_cast<const Point*>(nullptr)), 0, 0, 0);
    const Point src(1.5, -2, 7);
    ExpectPoint(Point(&src), 1.5, -2, 7);
    ExpectPoint(Vector(static_cast<const Vector*>(nullptr)), 0, 0, 0);

    Point p;
    p.V1() = 4;
    p.V2() = 5;
    p.V3() = 6;
    double x = 0, y = 0, z = 0;
    p.GetV123(x, y, z);
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 5);
    EXPECT_EQ(z, 6);
    p.SetV123(-1, -2, -3);
    EXPECT_TRUE(p == Point(-1, -2, -3));
    p = src;
    EXPECT_TRUE(p == src);
    EXPECT_TRUE(Point(p).SetPoint(Point(9, 8, 7)) == Point(9, 8, 7));
}

TEST(S3DPoint, MeasuresAndTolerance)
{
    EXPECT_EQ(Point::IsEqual(Point(0, 0, 0), Point(1e-6, -1e-6, 1e-6), 1e-6), 1);
    EXPECT_EQ(Point::IsEqual(Point(0, 0, 0), Point(1e-6, -1e-6, 1e-6), 1e-7), 0);
    EXPECT_EQ(Point(0, 0, 0).IsEqual(Point(0, 0, 2e-6), -1e-6), 0);  // box on z alone
    EXPECT_EQ(Point(0, 0, 0).IsEqual(Point(0, 0, 1e-6), -1e-6), 1);  // |tol| counts

    const Point o(0, 0, 0);
    const Point p(1, 2, 2);
    EXPECT_DOUBLE_EQ(o.Distance(p), 3);
    EXPECT_DOUBLE_EQ(p.GetLengthSqr(), 9);
    EXPECT_DOUBLE_EQ(p.GetLength(), 3);
    EXPECT_EQ(o.IsDistMore(p, 3), 0);
    EXPECT_EQ(o.IsDistMore(p, 2.999), 1);
    EXPECT_EQ(o.IsDistMore(Point(0, 0, 5), 4), 1);  // one coordinate decides
    EXPECT_EQ(o.IsDistMore(o, -1), 1);              // d keeps its sign
}

TEST(S3DPoint, LexicographicOrder)
{
    EXPECT_TRUE(Point(1, 2, 3) < Point(1, 2, 4));
    EXPECT_FALSE(Point(1, 3, 0) < Point(1, 2, 9));
    EXPECT_FALSE(Point(1, 1, 5) <= Point(1, 1, 2));
    EXPECT_TRUE(Point(1, 1, 2) <= Point(1, 1, 2));
    EXPECT_FALSE(Point(1, 2, 0) <= Point(1, 1, 9));
    EXPECT_TRUE(Point(1, 2, 0) >= Point(1, 1, 9));
    EXPECT_FALSE(Point(1, 1, 2) >= Point(1, 1, 5));
    EXPECT_TRUE(Point(0, 9, 9) < Point(1, 0, 0));
    EXPECT_TRUE(Point(2, 0, 0) > Point(1, 9, 9));
    EXPECT_FALSE(Point(1, 1, 1) > Point(1, 1, 1));
    EXPECT_TRUE(Point(1, 1, 1) >= Point(1, 1, 1));
    EXPECT_FALSE(Point(1, 1, 1) < Point(1, 1, 1));
    EXPECT_FALSE(Point(0, 0, 1) == Point(0, 0, 1 + 1e-15));
}

TEST(S3DPoint, Arithmetic)
{
    ExpectPoint(Point(1, 2, 3) + 1.0, 2, 3, 4);
    ExpectPoint(1.0 + Point(1, 2, 3), 2, 3, 4);
    ExpectPoint(Point(1, 2, 3) - 1.0, 0, 1, 2);
    ExpectPoint(2.0 * Point(1, 2, 3), 2, 4, 6);
    ExpectPoint(Point(1, 2, 3) * 2.0, 2, 4, 6);
    ExpectPoint(Point(1, 2, 3) / 2.0, 0.5, 1, 1.5);
    ExpectPoint(Point(1, 2, 3) + Point(10, 20, 30), 11, 22, 33);
    ExpectPoint(Point(1, 2, 3) - Point(10, 20, 30), -9, -18, -27);
    ExpectPoint(-Point(1, -2, 3), -1, 2, -3);

    const Point inf = Point(1, -1, 0) / 0.0;
    EXPECT_EQ(inf.V1(), HUGE_VAL);
    EXPECT_EQ(inf.V2(), -HUGE_VAL);
    EXPECT_TRUE(std::isnan(inf.V3()));
}

TEST(S3DVector, ConstructionAndNormalize)
{
    Vector v(Point(1, 1, 1), Point(2, 3, 3));
    ExpectPoint(v, 1, 2, 2);
    v.Normalize();
    ExpectPoint(v, 1.0 / 3, 2.0 / 3, 2.0 / 3, 1e-15);

    Vector zero;
    zero.Normalize();
    ExpectPoint(zero, 0, 0, 0);
    Vector tiny(4e-16, 0, 0);  // at most 4.44e-16 long: left alone
    tiny.Normalize();
    ExpectPoint(tiny, 4e-16, 0, 0);

    Vector w;
    w.SetVector(Point(5, 5, 5), Point(2, 1, 0));
    ExpectPoint(w, -3, -4, -5);
    w.SetVector(Vector(7, 8, 9));
    ExpectPoint(w, 7, 8, 9);
    const Vector neg = -Vector(1, -2, 3);
    ExpectPoint(neg, -1, 2, -3);
    w = Point(1, 0, 0);
    ExpectPoint(w, 1, 0, 0);
}

// Every operation must go through the virtual accessors: the inherited fields
// of ExternalPoint stay zero throughout.
TEST(S3DPoint, OperationsReadThroughAccessors)
{
    ExternalPoint e(1, 2, 2);
    EXPECT_DOUBLE_EQ(e.GetLength(), 3);
    EXPECT_DOUBLE_EQ(Point().Distance(e), 3);
    EXPECT_DOUBLE_EQ(e.Distance(Point()), 3);
    EXPECT_EQ(Point().IsDistMore(e, 2.5), 1);
    EXPECT_EQ(e.IsEqual(Point(1, 2, 2), 0), 1);
    EXPECT_TRUE(e == Point(1, 2, 2));
    EXPECT_TRUE(Point(1, 2, 2) == e);
    EXPECT_TRUE(Point(1, 2, 1) < e);
    EXPECT_TRUE(e > Point(1, 2, 1));

    const Point copy(e);
    ExpectPoint(copy, 1, 2, 2);
    ExpectPoint(e + Point(1, 1, 1), 2, 3, 3);

    e += Point(1, 1, 1);
    e *= 2.0;
    e -= 1.0;
    e /= 0.5;
    EXPECT_EQ(e.store[0], 6);
    EXPECT_EQ(e.store[1], 10);
    EXPECT_EQ(e.store[2], 10);
    EXPECT_EQ(e.x, 0);

    e.SetPoint(Point(3, 4, 5));
    EXPECT_EQ(e.store[2], 5);
    double x = 0, y = 0, z = 0;
    e.GetV123(x, y, z);
    EXPECT_EQ(x + y + z, 12);

    Vector v(Point(), e);
    ExpectPoint(v, 3, 4, 5);

    e.Reset();
    EXPECT_EQ(e.store[0] + e.store[1] + e.store[2], 0);
    EXPECT_EQ(e.x + e.y + e.z, 0);
}

} // namespace
