// Termination codes and counters of the r-algorithm, read from the options
// that the public interface keeps private.
#include <zeltmath/optimize/detail/shor_run.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using namespace zeltmath::detail;

// Forward differences with the relative step of deltax, one evaluation per
// coordinate (enough for these checks).
ShorProblem Make(std::function<double(double*)> f, std::function<double(double*)> c = nullptr, int n = 2)
{
    ShorProblem p;
    p.fun = f;
    p.func = c;
    p.approx = [f, c, n](double* g, double* x, double fx, bool objective, double* deltax) {
        for (int i = 0; i < n; ++i) {
            const double y = x[i];
            const double d = std::max(std::fabs(y), 1.0) * deltax[i] * 100;
            x[i] = y + d;
            g[i] = ((objective ? f(x) : c(x)) - fx) / d;
            x[i] = y;
        }
    };
    return p;
}

double Code(std::vector<double>& x, std::vector<double> options, const ShorProblem& p)
{
    options.resize(13, 0.0);
    RunShor(static_cast<unsigned>(x.size()), x.data(), options.data(), p);
    return options[8];
}

double Bowl(double* x) { return (x[0] - 1) * (x[0] - 1) + 4 * (x[1] + 2) * (x[1] + 2); }
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
    EXPECT_NEAR(x[0], -std::sqrt(0.5), 1e-4);
    EXPECT_NEAR(x[1], -std::sqrt(0.5), 1e-4);
    EXPECT_LE(x[0] * x[0] + x[1] * x[1] - 1, 1e-8);
}

} // namespace
