#include "shor_problem.h"

#include <zeltmath/numeric/core.h>
#include <zeltmath/optimize/shor.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

using testproblems::Problem;
using testproblems::ShorRunner;

TEST(ShorOptimizer, ClassicProblemsReachTheirPublishedOptima)
{
    for (const Problem& p : testproblems::All()) {
        SCOPED_TRACE(p.name);
        ShorRunner runner(p);
        std::vector<double> x;
        EXPECT_EQ(runner.Run(x), 33);
        EXPECT_NEAR(p.objective(x.data()), p.optimum, p.tolerance * std::max(1.0, std::fabs(p.optimum)));
        EXPECT_LE(testproblems::Violation(p, x.data()), 1e-5);
        for (int i = 0; i < p.n; ++i)
            EXPECT_NEAR(x[i], p.solution[i], p.xTolerance) << "x[" << i << "]";
        EXPECT_EQ(runner.lastIndex, 0);
        EXPECT_EQ(runner.lastN, p.n);
        if (p.nonlinear.empty()) {
            EXPECT_EQ(runner.constraintCalls, 0);  // never asked without nonlinear constraints
        }
    }
}

// Objective given as a function, for the small cases below.
class Fn : public CZELTMathOptShor {
public:
    explicit Fn(std::function<double(const double*)> f) : f_(std::move(f)) {}
    using CZELTMathOptShor::ObjConstraint;
    mutable long calls = 0;

protected:
    bool ObjFunction(int, int, const double* x, double& value) const override
    {
        ++calls;
        value = f_(x);
        return true;
    }

private:
    std::function<double(const double*)> f_;
};

double Bowl(const double* x) { return (x[0] - 1) * (x[0] - 1) + (x[1] + 2) * (x[1] + 2); }

TEST(ShorOptimizer, SmallCasesAndArgumentHandling)
{
    // A quadratic bowl from the origin.
    Fn bowl(Bowl);
    double x[2] = {0, 0};
    EXPECT_EQ(bowl.Optimize(2, x, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 1000, 0, nullptr), 33);
    EXPECT_NEAR(x[0], 1.0, 1e-6);
    EXPECT_NEAR(x[1], -2.0, 1e-6);

    // One variable is not accepted: x unchanged, nothing evaluated.
    Fn line([](const double* v) { return (v[0] - 3) * (v[0] - 3); });
    double one[1] = {0.5};
    EXPECT_EQ(line.Optimize(1, one, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 100, 0, nullptr), 33);
    EXPECT_EQ(one[0], 0.5);
    EXPECT_EQ(line.calls, 0);

    // An objective of 1e100 or more at the start leaves x unchanged.
    Fn huge([](const double* v) { return v[0] < 10 ? 1e100 : v[0] * v[0] + v[1] * v[1]; });
    double start[2] = {1, 2};
    EXPECT_EQ(huge.Optimize(2, start, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 100, 0, nullptr), 33);
    EXPECT_EQ(start[0], 1.0);
    EXPECT_EQ(start[1], 2.0);
    EXPECT_EQ(huge.calls, 1);

    // Announced nonlinear constraints without an ObjConstraint override make
    // every point infinitely infeasible: the run stops at the start.
    double value = 0;
    EXPECT_TRUE(bowl.ObjConstraint(0, 2, x, value));
    EXPECT_EQ(value, ZT_INFINITY);
    double s2[2] = {0, 0};
    EXPECT_EQ(bowl.Optimize(2, s2, 1, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 100, 0, nullptr), 33);
    EXPECT_EQ(s2[0], 0.0);
    EXPECT_EQ(s2[1], 0.0);

    // Null x, negative counts and null row arrays do no harm.
    EXPECT_EQ(bowl.Optimize(2, nullptr, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 100, 0, nullptr), 33);
    double s3[2] = {0, 0};
    EXPECT_EQ(bowl.Optimize(2, s3, -3, 0, nullptr, nullptr, 4, nullptr, -1, nullptr, 1000, 0, nullptr), 33);
    EXPECT_NEAR(s3[0], 1.0, 1e-6);
    EXPECT_EQ(bowl.Optimize(-5, s3, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 100, 0, nullptr), 33);
}

TEST(ShorOptimizer, EndsAtTheLastAcceptedPoint)
{
    // Four iterations on a bowl: x is the point of the fourth accepted step,
    // not the best point seen on the way.
    Fn bowl(Bowl);
    double x[2] = {3, -4};
    EXPECT_EQ(bowl.Optimize(2, x, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 4, 0, nullptr), 33);
    EXPECT_NEAR(x[0], 0.92057, 1e-5);
    EXPECT_NEAR(x[1], -2.16717, 1e-5);

    // The unbounded case: a linear objective over the unit square
    // from its centre stops as unbounded, at a finite point.
    Fn down([](const double* v) { return -v[0] - v[1]; });
    const double lower[2] = {0, 0}, upper[2] = {1, 1};
    double y[2] = {0.5, 0.5};
    EXPECT_EQ(down.Optimize(2, y, 0, 0, lower, upper, 0, nullptr, 0, nullptr, 15000, 0, nullptr), 33);
    EXPECT_GT(y[0] + y[1], 1e90);
    EXPECT_LT(y[0] + y[1], 1e100);
}

TEST(ShorOptimizer, IterationLimitAndOptions)
{
    auto rosen = [](const double* v) { return 100 * std::pow(v[1] - v[0] * v[0], 2) + std::pow(1 - v[0], 2); };
    // Without options the limit is maxIter: three iterations cost a few
    // dozen evaluations, a full run hundreds.
    Fn shortRun(rosen), fullRun(rosen);
    double a[2] = {-1.2, 1}, b[2] = {-1.2, 1};
    shortRun.Optimize(2, a, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 3, 0, nullptr);
    fullRun.Optimize(2, b, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 15000, 0, nullptr);
    EXPECT_LT(shortRun.calls, 60);
    EXPECT_GT(fullRun.calls, 200);
    EXPECT_GT(std::fabs(a[0] - 1), 1e-2);
    EXPECT_NEAR(b[0], 1.0, 1e-5);

    // With options, maxIter is ignored in favour of options[3]; the
    // caller's array is not written.
    double options[13] = {-1, 1e-8, 1e-6, 3, 0, 1e-6, 2.5, 1e-9, 0, 0, 0, 0, 0};
    const std::vector<double> before(options, options + 13);
    Fn limited(rosen);
    double c[2] = {-1.2, 1};
    limited.Optimize(2, c, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 15000, 0, options);
    EXPECT_EQ(limited.calls, shortRun.calls);
    EXPECT_EQ(c[0], a[0]);
    EXPECT_EQ(std::vector<double>(options, options + 13), before);

    // Zero entries take the solver's defaults and still converge.
    double zeros[13] = {};
    Fn defaults(rosen);
    double d[2] = {-1.2, 1};
    defaults.Optimize(2, d, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 3, 0, zeros);
    EXPECT_NEAR(d[0], 1.0, 1e-3);
    EXPECT_NEAR(d[1], 1.0, 2e-3);
}

TEST(ShorOptimizer, NonsmoothBoundedAndIllBehavedObjectives)
{
    // A kink at the optimum: the r-algorithm's home ground.
    Fn kink([](const double* v) { return std::fabs(v[0] - 1) + 2 * std::fabs(v[1] + 0.5) + 3; });
    double x[2] = {4, 3};
    kink.Optimize(2, x, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 5000, 0, nullptr);
    EXPECT_NEAR(x[0], 1.0, 1e-5);
    EXPECT_NEAR(x[1], -0.5, 1e-5);

    // A bowl whose centre lies outside the bounds ends in the corner.
    Fn plane([](const double* v) { return (v[0] + 1) * (v[0] + 1) + (v[1] + 1) * (v[1] + 1); });
    const double lower[2] = {1, 2}, upper[2] = {5, 5};
    double y[2] = {3, 4};
    plane.Optimize(2, y, 0, 0, lower, upper, 0, nullptr, 0, nullptr, 5000, 0, nullptr);
    EXPECT_NEAR(y[0], 1.0, 1e-5);
    EXPECT_NEAR(y[1], 2.0, 1e-5);

    // A linear objective against bounds only: the penalty on the bounds does
    // not hold the objective, whose fall to -1e100 ends the run as unbounded;
    // x is the last accepted point, far outside the bounds, where the
    // objective is still finite.
    Fn linear([](const double* v) { return v[0] + v[1]; });
    double l[2] = {3, 4};
    linear.Optimize(2, l, 0, 0, lower, upper, 0, nullptr, 0, nullptr, 5000, 0, nullptr);
    EXPECT_LT(l[0] + l[1], -1e90);
    EXPECT_GT(l[0] + l[1], -1e100);
    Fn lp3([](const double* v) { return 3 * v[0] - v[1] + 0.5 * v[2]; });
    const double low3[3] = {0, 0, 0}, up3[3] = {1, 2, 3}, sum[4] = {1, 1, 1, -2};  // x0 + x1 + x2 = 2
    double m[3] = {0, 0, 0};
    lp3.Optimize(3, m, 0, 0, low3, up3, 1, sum, 0, nullptr, 5000, 0, nullptr);
    EXPECT_NEAR(m[0], 0.0, 1e-5);
    EXPECT_NEAR(m[1], 2.0, 1e-5);
    EXPECT_NEAR(m[2], 0.0, 1e-5);

    // An unbounded objective stops, with a finite point.
    Fn down([](const double* v) { return -v[0] - v[1]; });
    double z[2] = {0, 0};
    EXPECT_EQ(down.Optimize(2, z, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 15000, 0, nullptr), 33);
    EXPECT_TRUE(std::isfinite(z[0]) && std::isfinite(z[1]));
    EXPECT_GT(z[0] + z[1], 0.0);

    // NaN away from the start is treated as an infinite value.
    Fn partial([](const double* v) {
        return v[0] < 0 ? std::numeric_limits<double>::quiet_NaN() : (v[0] - 0.5) * (v[0] - 0.5) + v[1] * v[1];
    });
    double w[2] = {2, 1};
    partial.Optimize(2, w, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 5000, 0, nullptr);
    EXPECT_NEAR(w[0], 0.5, 1e-5);
    EXPECT_NEAR(w[1], 0.0, 1e-5);

    // Copies carry the optimizer's state and run on their own.
    Fn copy(kink);
    double v[2] = {-2, 2};
    copy.Optimize(2, v, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 5000, 0, nullptr);
    EXPECT_NEAR(v[0], 1.0, 1e-5);
}

TEST(ShorOptimizer, ThrowingCallbackPassesThrough)
{
    struct Boom {};
    long budget = 40;
    Fn failing([&budget](const double* v) {
        if (--budget < 0)
            throw Boom();
        return Bowl(v);
    });
    double x[2] = {0, 0};
    EXPECT_THROW(failing.Optimize(2, x, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 1000, 0, nullptr), Boom);
    EXPECT_TRUE(std::isfinite(x[0]) && std::isfinite(x[1]));
    // The object stays usable.
    budget = 1000000;
    double y[2] = {0, 0};
    EXPECT_EQ(failing.Optimize(2, y, 0, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 1000, 0, nullptr), 33);
    EXPECT_NEAR(y[0], 1.0, 1e-6);
}

} // namespace
