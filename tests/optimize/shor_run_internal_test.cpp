// Termination codes and counters of the r-algorithm, read from the options
// that the public interface keeps private.
#include <zeltmath/optimize/detail/shor_gradient.h>
#include <zeltmath/optimize/detail/shor_run.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using namespace zeltmath::detail;

// A run as Optimize makes it: the library's finite differences, each
// evaluation counted where Optimize counts it, the residual function (when
// given) as the constraint function.
ShorProblem Make(std::function<double(double*)> f, std::function<double(double*)> c = nullptr, int n = 2,
                 double* counters = nullptr)
{
    ShorProblem p;
    p.fun = f;
    p.func = c;
    p.approx = [f, c, n, counters](double* g, double* x, double fx, bool objective, double* deltax) {
        ApproxGradient(
            static_cast<unsigned>(n), g, x, fx,
            [&](double* v) {
                if (counters)
                    counters[objective ? 9 : 11] += 1;
                return objective ? f(v) : c(v);
            },
            deltax, objective);
    };
    return p;
}

// Largest violation of the bounds lo <= x <= hi (the constraint function of
// a problem with bounds only).
std::function<double(double*)> Bounds(std::vector<double> lo, std::vector<double> hi)
{
    return [lo, hi](double* x) {
        double r = -DBL_MAX;
        for (std::size_t i = 0; i < lo.size(); ++i)
            r = std::max({r, lo[i] - x[i], x[i] - hi[i]});
        return r;
    };
}

// The options Optimize builds when the caller passes none.
std::vector<double> OptimizeDefaults(int maxIter)
{
    return {-1, 1e-8, 1e-6, static_cast<double>(maxIter), 0, 1e-6, 2.5, 1e-9, 0, 0, 0, 0, 0};
}

double Code(std::vector<double>& x, std::vector<double> options, const ShorProblem& p)
{
    options.resize(13, 0.0);
    RunShor(static_cast<unsigned>(x.size()), x.data(), options.data(), p);
    return options[8];
}

double Bowl(double* x) { return (x[0] - 1) * (x[0] - 1) + 4 * (x[1] + 2) * (x[1] + 2) + 3; }
double NoConstraint(double*) { return -DBL_MAX; }

TEST(ShorRun, TerminationCodes)
{
    std::vector<double> x{0, 0};
    // Normal end: a positive iteration count, at the optimum.
    double opts[13] = {-1, 1e-8, 1e-8, 15000, 0, 1e-6, 2.5, 1e-9, 0, 0, 0, 0, 0};
    RunShor(2, x.data(), opts, Make(Bowl, NoConstraint));
    EXPECT_GT(opts[8], 5);
    EXPECT_NEAR(x[0], 1, 1e-5);
    EXPECT_NEAR(x[1], -2, 1e-5);
    EXPECT_GT(opts[9], opts[8]);  // evaluations counted
    EXPECT_EQ(opts[10], 0);       // no analytic gradients
    EXPECT_EQ(opts[12], 0);
    EXPECT_GT(opts[11], 0);       // constraint function called with the objective

    std::vector<double> one{3};
    EXPECT_EQ(Code(one, {}, Make(Bowl)), kShorBadSetup);
    EXPECT_EQ(one[0], 3);

    x = {0, 0};
    EXPECT_EQ(Code(x, {}, Make([](double*) { return 1e100; })), kShorInfiniteValue);
    EXPECT_EQ(x, (std::vector<double>{0, 0}));
    EXPECT_EQ(Code(x, {}, Make([](double*) { return std::nan(""); })), kShorInfiniteValue);

    EXPECT_EQ(Code(x, {}, Make([](double*) { return 5.0; })), kShorBadGradient);  // flat at the start

    EXPECT_EQ(Code(x, {}, Make(Bowl, [](double*) { return DBL_MAX; })), kShorInfiniteResidual);
    EXPECT_EQ(Code(x, {}, Make(Bowl, [](double*) { return std::nan(""); })), kShorInfiniteResidual);

    EXPECT_EQ(Code(x, {}, Make([](double* v) { return -v[0] - 2 * v[1]; })), kShorUnbounded);

    x = {-1.2, 1};
    auto rosen = [](double* v) { return 100 * std::pow(v[1] - v[0] * v[0], 2) + std::pow(1 - v[0], 2); };
    EXPECT_EQ(Code(x, {0, 0, 0, 4}, Make(rosen)), kShorIterationLimit);
    // The limit is a 16-bit count: 65540 allows 4 iterations.
    std::vector<double> y{-1.2, 1};
    EXPECT_EQ(Code(y, {0, 0, 0, 65540}, Make(rosen)), kShorIterationLimit);
    EXPECT_EQ(x, y);
}

TEST(ShorRun, EveryOtherTerminationCode)
{
    // -3 inside a line search: every step from (1, 1) leaves the region of
    // finite values, three reductions of the step do not help.
    const std::vector<double> plain = OptimizeDefaults(15000);
    std::vector<double> x{1, 1};
    auto cliff = [](double* v) { return v[0] > 1 || v[1] > 1 ? 1e100 : -v[0] - v[1]; };
    EXPECT_EQ(Code(x, plain, Make(cliff)), kShorInfiniteValue);
    EXPECT_EQ(x, (std::vector<double>{1, 1}));

    // -6: an infeasible start where the residual does not change.
    x = {0, 0};
    EXPECT_EQ(Code(x, plain, Make(Bowl, [](double*) { return 1.0; })), kShorBadConstraintGradient);
    EXPECT_EQ(x, (std::vector<double>{0, 0}));

    // -8: the first search ends on a flat floor, where the gradient is 0.
    x = {1, 1};
    EXPECT_EQ(Code(x, plain, Make([](double* v) { return std::max(v[0] + v[1], -1.0); })), kShorZeroGradient);
    EXPECT_LE(x[0] + x[1], -1.0);

    // -14: the start is the tip of a kink that the one-sided differences see
    // as a slope; every step is worse, the step shrinks until it no longer
    // moves the point, five times.
    x = {1, 1};
    auto tip = [](double* v) { return std::fabs(v[0] - 1) + std::fabs(v[1] - 1); };
    EXPECT_EQ(Code(x, plain, Make(tip)), kShorVanishingStep);
    EXPECT_EQ(x, (std::vector<double>{1, 1}));

    // -11: a V-shaped valley crossed back and forth; the gradients of
    // successive iterations point against each other every time, far more
    // often than the ravine jumps allow, before the run settles at the
    // bottom of the valley.
    x = {3, 2};
    auto valley = [](double* v) { return std::fabs(v[0]) + 1; };
    EXPECT_EQ(Code(x, plain, Make(valley)), kShorPremature);
    EXPECT_NEAR(x[0], 0.0, 1e-6);
    EXPECT_EQ(x[1], 2.0);

    // -7: a linear objective against bounds; the penalty is not
    // strengthened, the unbounded trial ends the run, x keeps the last
    // accepted point.
    x = {0.5, 0.5};
    auto down = [](double* v) { return -v[0] - v[1]; };
    EXPECT_EQ(Code(x, OptimizeDefaults(15000), Make(down, Bounds({0, 0}, {1, 1}))), kShorUnbounded);
    EXPECT_TRUE(std::isfinite(x[0]) && std::isfinite(x[1]));
    EXPECT_GT(-down(x.data()), -1e100);
}

TEST(ShorRun, EndsAtTheLastAcceptedPoint)
{
    // Four iterations on a bowl from (3, -4), as Optimize runs them without
    // options: x is the point of the fourth accepted step.
    std::vector<double> x{3, -4};
    auto bowl = [](double* v) { return (v[0] - 1) * (v[0] - 1) + (v[1] + 2) * (v[1] + 2); };
    EXPECT_EQ(Code(x, OptimizeDefaults(4), Make(bowl, NoConstraint)), kShorIterationLimit);
    EXPECT_NEAR(x[0], 0.92057, 1e-5);
    EXPECT_NEAR(x[1], -2.16717, 1e-5);
}

TEST(ShorRun, ValueBeyondTheAcceptanceFactorStartsTheSearchOver)
{
    // Falling towards (10, 10) until a wall at x0 + x1 = 4.  The first
    // search makes progress, then a trial lands behind the wall: the search
    // starts over from its start point with the last step divided by 5.1.
    auto value = [](const double* v) {
        return v[0] + v[1] > 4 ? 1e6 : (v[0] - 10) * (v[0] - 10) + (v[1] - 10) * (v[1] - 10);
    };
    std::vector<std::vector<double>> seen;
    auto walled = [&seen, value](double* v) {
        seen.emplace_back(v, v + 2);
        return value(v);
    };
    std::vector<double> x{1, 0};
    Code(x, OptimizeDefaults(1), Make(walled, NoConstraint));
    // The start, its gradient (central differences in x1: 3 values), then
    // the trials of the first search.
    const std::size_t firstTrial = 4;
    std::size_t wall = firstTrial;
    while (wall < seen.size() && seen[wall][0] + seen[wall][1] <= 4)
        ++wall;
    ASSERT_GT(wall, firstTrial + 2);  // progress before the wall
    ASSERT_LT(wall + 1, seen.size());
    EXPECT_LT(value(seen[firstTrial].data()), value(seen[0].data()));
    for (std::size_t k = firstTrial + 1; k < wall; ++k)  // every trial before the wall improved
        EXPECT_LT(value(seen[k].data()), value(seen[k - 1].data()));
    for (int i = 0; i < 2; ++i)
        EXPECT_NEAR(seen[wall + 1][i] - seen[0][i], (seen[wall][i] - seen[wall - 1][i]) / 5.1, 1e-12) << i;
}

TEST(ShorRun, OptionsAreCompletedAndClamped)
{
    std::vector<double> x{0, 0};
    double opts[13] = {0, 5, -3, 0, 0, 1e-20, 1.1, 0, 0, 7, 7, 7, 7};
    RunShor(2, x.data(), opts, Make(Bowl));
    EXPECT_EQ(opts[0], -1);
    EXPECT_EQ(opts[1], 1);       // clamped to [1e-12, 1]
    EXPECT_EQ(opts[2], 1e-12);
    EXPECT_EQ(opts[3], 15000);
    EXPECT_EQ(opts[5], 1e-12);
    EXPECT_EQ(opts[6], 1.5);     // dilation at least 1.5
    EXPECT_EQ(opts[7], 1e-11);
    EXPECT_EQ(opts[10], 0);
    EXPECT_EQ(opts[11], 0);      // unconstrained run: no constraint calls

    // A value passed in options[8] is a floor of 1/100 for the argument
    // tolerance.
    double floorOpts[13] = {0, 1e-6, 0, 0, 0, 0, 0, 0, 1e-5, 0, 0, 0, 0};
    x = {0, 0};
    RunShor(2, x.data(), floorOpts, Make(Bowl));
    EXPECT_EQ(floorOpts[1], 1e-3);
}

TEST(ShorRun, PenaltyDrivesAnInfeasibleStartIntoTheFeasibleSet)
{
    // min x0 + x1 subject to x0^2 + x1^2 <= 1 from far outside: (-1, -1)/sqrt 2.
    std::vector<double> x{3, 2};
    double opts[13] = {-1, 1e-8, 1e-8, 15000, 0, 1e-8, 2.5, 1e-9, 0, 0, 0, 0, 0};
    RunShor(2, x.data(), opts,
            Make([](double* v) { return v[0] + v[1]; }, [](double* v) { return v[0] * v[0] + v[1] * v[1] - 1; }));
    EXPECT_GT(opts[8], 0);
    EXPECT_NEAR(x[0], -std::sqrt(0.5), 5e-4);
    EXPECT_NEAR(x[1], -std::sqrt(0.5), 5e-4);
    EXPECT_LE(x[0] * x[0] + x[1] * x[1] - 1, 1e-8);
}

} // namespace
