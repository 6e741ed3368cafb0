#include <zeltmath/numeric/core.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <climits>

namespace {

std::uint64_t Bits(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

TEST(NumericConstants, ExactBits)
{
    EXPECT_EQ(Bits(ZT_PI), 0x400921FB54442D18ULL);
    EXPECT_EQ(Bits(ZT_2PI), 0x401921FB54442D18ULL);
    EXPECT_EQ(Bits(ZT_PI_2), 0x3FF921FB54442D18ULL);
    EXPECT_EQ(Bits(ZT_INFINITY), 0x7FEFFFFFFFFFFFFFULL);
    EXPECT_TRUE(std::isfinite(ZT_INFINITY));
}

TEST(TolerantPredicates, NonStrictAndSignless)
{
    EXPECT_TRUE(IsZero(-0.001, 0.001));
    EXPECT_TRUE(IsZero(0.001, -0.001));
    EXPECT_TRUE(IsZero(0, 0));
    EXPECT_TRUE(IsZero(-0.0, 0));
    EXPECT_FALSE(IsZero(0.0010001, 0.001));
    EXPECT_FALSE(IsZero(1e-300, 0));

    EXPECT_FALSE(IsLess(1.0, 1.0005, 0.001));
    EXPECT_TRUE(IsLess(1.0, 1.002, 0.001));
    EXPECT_FALSE(IsLess(2, 1, 0.5));

    EXPECT_TRUE(IsNonGreater(1.0005, 1.0, 0.001));
    EXPECT_FALSE(IsNonGreater(1.002, 1.0, 0.001));
    EXPECT_TRUE(IsNonGreater(1, 1, 0));

    // IsNonGreater(a, b) is the negation of IsLess(b, a) for ordered values.
    const double values[] = {-2, -1, -0.5, 0, 0.25, 0.4999, 0.5, 1, 3};
    for (double a : values)
        for (double b : values)
            for (double eps : {0.0, 0.5, -0.5, 2.0})
                EXPECT_EQ(IsNonGreater(a, b, eps), IsLess(b, a, eps) ? 0 : 1) << a << " " << b << " " << eps;
}

TEST(TolerantPredicates, IsLiesBothDirectionsAndCollapsed)
{
    EXPECT_TRUE(IsLies(0.5, 1, 1e-9));
    EXPECT_TRUE(IsLies(-1e-10, 1, 1e-9));
    EXPECT_TRUE(IsLies(1 + 1e-10, 1, 1e-9));
    EXPECT_FALSE(IsLies(1 + 1e-8, 1, 1e-9));
    EXPECT_FALSE(IsLies(-1e-8, 1, 1e-9));
    EXPECT_TRUE(IsLies(-0.5, -1, 1e-9));
    EXPECT_FALSE(IsLies(0.5, -1, 1e-9));
    EXPECT_FALSE(IsLies(-1.1, -1, 1e-9));
    EXPECT_TRUE(IsLies(1e-10, 1e-12, 1e-9));
    EXPECT_FALSE(IsLies(2e-9, 1e-12, 1e-9));
}

TEST(Rounding, HalvesAwayFromZeroAndSign)
{
    EXPECT_EQ(Round(2.5), 3);
    EXPECT_EQ(Round(-2.5), -3);
    EXPECT_EQ(Round(0.5), 1);
    EXPECT_EQ(Round(-0.5), -1);
    EXPECT_EQ(Round(-0.4), 0);
    EXPECT_EQ(Round(0.49), 0);
    EXPECT_EQ(Round(0), 0);
    EXPECT_EQ(Round(1e300), INT_MAX);
    EXPECT_EQ(Round(-1e300), INT_MIN);
    EXPECT_EQ(Round(std::nan("")), 0);

    EXPECT_EQ(Sign(-0.0), 0);
    EXPECT_EQ(Sign(0.0), 0);
    EXPECT_EQ(Sign(1e-300), 1);
    EXPECT_EQ(Sign(-1e-300), -1);
    EXPECT_EQ(Sqr(-3), 9);
}

TEST(Angles, ConversionsAndSnapping)
{
    EXPECT_EQ(GradToRad(180), ZT_PI);
    EXPECT_EQ(RadToGrad(ZT_PI), 180);
    EXPECT_EQ(GradToRad(90), 90 * ZT_PI / 180.0);

    EXPECT_EQ(GoodCos(ZT_PI_2), 0.0);
    EXPECT_EQ(GoodSin(ZT_PI / 6), 0.5);
    EXPECT_EQ(Bits(GoodCos(ZT_PI / 6)), 0x3FEBB67AE8584CAAULL);
    EXPECT_EQ(Bits(GoodCos(5 * ZT_PI / 6)), 0xBFEBB67AE8584CAAULL);
    EXPECT_EQ(GoodSin(0.0015), std::sin(0.0015));
    EXPECT_EQ(GoodSin(0.0009), 0.0);
    EXPECT_EQ(GoodSin(ZT_PI), 0.0);
    EXPECT_EQ(GoodSin(-ZT_PI_2), -1.0);
    EXPECT_EQ(GoodCos(2 * ZT_PI / 3), -0.5);
    // Strictly less than 0.001: a value 0.0011 away stays as it is.
    const double x = std::asin(0.5011);
    EXPECT_EQ(GoodSin(x), std::sin(x));
}

TEST(Cubic, ThreeRealOneRealAndDouble)
{
    std::vector<double> r{42.0};
    ASSERT_EQ(Cubic(r, -6, 11, -6), 3);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_NEAR(r[0], 1, 1e-12);
    EXPECT_NEAR(r[1], 3, 1e-12);
    EXPECT_NEAR(r[2], 2, 1e-12);

    ASSERT_EQ(Cubic(r, 0, 0, -1), 1);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_NEAR(r[0], 1, 1e-15);
    EXPECT_NEAR(r[1], -0.5, 1e-15);
    EXPECT_NEAR(r[2], std::sqrt(3.0) / 2, 1e-15);

    ASSERT_EQ(Cubic(r, 0, 0, 1), 1);
    EXPECT_NEAR(r[0], -1, 1e-15);

    // (x - 1)^2 (x + 2) = x^3 - 3x + 2: R^2 equals Q^3, one real root and
    // the double root.
    ASSERT_EQ(Cubic(r, 0, -3, 2), 2);
    EXPECT_NEAR(r[0], -2, 1e-12);
    EXPECT_NEAR(r[1], 1, 1e-12);
    EXPECT_EQ(r[2], 0.0);

    // Every reported real root satisfies the equation.
    for (double a : {-3.0, 0.5, 2.0})
        for (double b : {-4.0, 0.0, 1.5})
            for (double c : {-2.0, 0.3, 5.0}) {
                Cubic(r, a, b, c);
                const double x = r[0];
                EXPECT_NEAR(((x + a) * x + b) * x + c, 0, 1e-9 * (1 + std::fabs(x * x * x)));
            }
}

} // namespace
