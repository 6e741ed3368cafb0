#include <zeltmath/complex/dcomplex.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const dcomplex c;  // arithmetic host; its own value takes no part

TEST(Dcomplex, ConstructionAndBasicArithmetic)
{
    const dcomplex z;
    EXPECT_EQ(z.re, 0.0);
    EXPECT_EQ(z.im, 0.0);
    dcomplex a(1, 2), b(3, -4);
    dcomplex copy(a);
    EXPECT_EQ(copy.re, 1.0);
    EXPECT_EQ(copy.im, 2.0);
    dcomplex assigned;
    EXPECT_EQ(&(assigned = b), &assigned);
    EXPECT_EQ(assigned.im, -4.0);

    const dcomplex s = c.Cadd(a, b), d = c.Csub(a, b), m = c.Cmul(a, b);
    EXPECT_EQ(s.re, 4.0);
    EXPECT_EQ(s.im, -2.0);
    EXPECT_EQ(d.re, -2.0);
    EXPECT_EQ(d.im, 6.0);
    EXPECT_EQ(m.re, 11.0);  // (1 + 2i)(3 - 4i) = 11 + 2i
    EXPECT_EQ(m.im, 2.0);
    const dcomplex k = c.Complex(5, 6), j = c.Conjg(k);
    EXPECT_EQ(j.re, 5.0);
    EXPECT_EQ(j.im, -6.0);
    const dcomplex r = c.RCmul(2, k), t = c.RCadd(2, k);
    EXPECT_EQ(r.re, 10.0);
    EXPECT_EQ(r.im, 12.0);
    EXPECT_EQ(t.re, 7.0);
    EXPECT_EQ(t.im, 6.0);
    // the host's own value is ignored
    const dcomplex host(100, 100);
    EXPECT_EQ(host.Cadd(a, b).re, 4.0);
}

TEST(Dcomplex, ScaledDivisionModulusAndSquareRoot)
{
    dcomplex q = c.Cdiv(dcomplex(1, 0), dcomplex(0, 1));
    EXPECT_EQ(q.re, 0.0);
    EXPECT_EQ(q.im, -1.0);
    q = c.Cdiv(dcomplex(11, 2), dcomplex(3, -4));  // back to 1 + 2i
    EXPECT_DOUBLE_EQ(q.re, 1.0);
    EXPECT_DOUBLE_EQ(q.im, 2.0);
    // |b.re| == |b.im| takes the first rule: r = -1, den = 2
    q = c.Cdiv(dcomplex(2, 0), dcomplex(1, -1));
    EXPECT_EQ(q.re, 1.0);
    EXPECT_EQ(q.im, 1.0);
    // huge divisor parts do not overflow
    q = c.Cdiv(dcomplex(1e300, 1e300), dcomplex(1e300, 1e300));
    EXPECT_DOUBLE_EQ(q.re, 1.0);
    EXPECT_EQ(q.im, 0.0);
    q = c.Cdiv(dcomplex(1, 1), dcomplex(0, 0));
    EXPECT_TRUE(std::isnan(q.re));
    EXPECT_TRUE(std::isnan(q.im));

    EXPECT_EQ(c.Cabs(dcomplex(3, 4)), 5.0);
    EXPECT_EQ(c.Cabs(dcomplex(0, -2)), 2.0);
    EXPECT_EQ(c.Cabs(dcomplex(-7, 0)), 7.0);
    const double big = c.Cabs(dcomplex(1e200, 1e200));
    EXPECT_TRUE(std::isfinite(big));
    EXPECT_NEAR(big / 1e200, std::sqrt(2.0), 1e-15);
    // no part is squared: parts near the largest double stay finite
    EXPECT_NEAR(c.Cabs(dcomplex(1e308, -1e308)) / 1e308, std::sqrt(2.0), 1e-15);
    EXPECT_DOUBLE_EQ(c.Cabs(dcomplex(1e308, 1e307)), std::hypot(1e308, 1e307));

    dcomplex r = c.Csqrt(dcomplex(-4, 0));
    EXPECT_EQ(r.re, 0.0);
    EXPECT_EQ(r.im, 2.0);
    r = c.Csqrt(dcomplex(0, 0));
    EXPECT_EQ(r.re, 0.0);
    EXPECT_EQ(r.im, 0.0);
    r = c.Csqrt(dcomplex(0, -2));
    EXPECT_DOUBLE_EQ(r.re, 1.0);
    EXPECT_DOUBLE_EQ(r.im, -1.0);
    r = c.Csqrt(dcomplex(9, 0));
    EXPECT_EQ(r.re, 3.0);
    EXPECT_EQ(r.im, 0.0);
    // squares back, in the right half-plane, for every quadrant
    for (double x : {-3.0, -0.5, 0.0, 2.0})
        for (double y : {-5.0, -1e-3, 1.0, 4.0}) {
            const dcomplex w = c.Csqrt(dcomplex(x, y));
            const dcomplex back = c.Cmul(w, w);
            EXPECT_GE(w.re, 0.0);
            EXPECT_NEAR(back.re, x, 1e-14);
            EXPECT_NEAR(back.im, y, 1e-14);
        }
}

TEST(Dcomplex, ComparisonsNeverHold)
{
    EXPECT_FALSE(dcomplex(1, 2) == dcomplex(1, 2));
    EXPECT_FALSE(dcomplex(0, 0) < dcomplex(1, 0));
    EXPECT_FALSE(dcomplex(1, 0) < dcomplex(0, 0));
    std::vector<dcomplex> a, b;
    EXPECT_TRUE(a == b);
    a.emplace_back(1, 1);
    b.emplace_back(1, 1);
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(a < b);
    EXPECT_FALSE(b < a);
}

} // namespace
