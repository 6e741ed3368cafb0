#include <zeltmath/approx/chebyshev.h>
#include <zeltmath/approx/simplex.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <stdexcept>

namespace {

std::vector<point_d> Sample(const std::function<double(double)>& f, double a, double b, int count)
{
    std::vector<point_d> data;
    for (int k = 0; k < count; ++k) {
        const double t = a + (b - a) * k / (count - 1);
        data.push_back(point_d{t, f(t)});
    }
    return data;
}

std::vector<point_d> Nodes(std::vector<double> xs)
{
    std::vector<point_d> nodes;
    for (double x : xs)
        nodes.push_back(point_d{x, -999.0});
    return nodes;
}

// The broken line through the nodes (sorted), extended linearly.
double Line(const std::vector<point_d>& nodes, double t)
{
    std::size_t i = 0;
    while (i + 2 < nodes.size() && nodes[i + 1].x < t)
        ++i;
    const point_d& a = nodes[i];
    const point_d& b = nodes[i + 1];
    return a.y + (t - a.x) * (b.y - a.y) / (b.x - a.x);
}

std::vector<double> Errors(const std::vector<point_d>& data, const std::vector<point_d>& nodes)
{
    std::vector<double> e;
    for (const point_d& d : data)
        e.push_back(d.y - Line(nodes, d.x));
    return e;
}

double MaxAbs(const std::vector<double>& e)
{
    double m = 0.0;
    for (double v : e)
        m = std::max(m, std::fabs(v));
    return m;
}

// Optimum of the fitting program posed directly through SimplexSolve with
// nodes at the ends of the data: the deviation bound e.
double LpOptimum(const std::vector<point_d>& data, const std::vector<double>& xs)
{
    const std::size_t n = xs.size();
    std::vector<double> cost(2 * n + 1, 0.0), x(2 * n + 1);
    cost[2 * n] = 1.0;
    std::vector<constraint> eqs, ges;
    for (const point_d& d : data) {
        constraint up;
        up.a.assign(2 * n + 1, 0.0);
        for (std::size_t i = 0; i + 1 < n; ++i)
            if (d.x >= xs[i] && d.x <= xs[i + 1]) {
                const double s = (d.x - xs[i]) / (xs[i + 1] - xs[i]);
                up.a[2 * i] = 1 - s;
                up.a[2 * i + 1] = s - 1;
                up.a[2 * i + 2] = s;
                up.a[2 * i + 3] = -s;
                break;
            }
        up.a[2 * n] = 1.0;
        up.b = d.y;
        constraint down = up;
        for (std::size_t j = 0; j < 2 * n; ++j)
            down.a[j] = -down.a[j];
        down.b = -d.y;
        ges.push_back(up);
        ges.push_back(down);
    }
    EXPECT_EQ(SimplexSolve(cost, eqs, ges, x), 0);
    return x[2 * n];
}

TEST(PointD, ComparesAbscissasOnly)
{
    const point_d a{1.0, 5.0}, b{1.0, -5.0}, c{1.0 + 1e-15, 5.0};
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == c);
    EXPECT_TRUE(a < c);
    EXPECT_FALSE(c < a);
    EXPECT_FALSE(a < b);
    EXPECT_TRUE((point_d{1e-16, 0} == point_d{-2e-16, 0}));  // both within eps of 0
    EXPECT_FALSE((point_d{0, 0} == point_d{3e-16, 0}));
    point_d d;
    d = c;
    EXPECT_EQ(d.x, c.x);
    EXPECT_EQ(d.y, c.y);
}

TEST(Chebyshev, ExactAndHandComputedFits)
{
    // Data on a straight line, nodes at its ends: reproduced, deviation 0.
    std::vector<point_d> data = Sample([](double t) { return 2 * t - 1; }, 0.0, 4.0, 9);
    std::vector<point_d> nodes = Nodes({0.0, 4.0});
    ASSERT_EQ(ChebyshevApproaching(data, nodes), 0);
    EXPECT_NEAR(nodes[0].y, -1.0, 1e-12);
    EXPECT_NEAR(nodes[1].y, 7.0, 1e-12);

    // A single node at the first abscissa: its hat is 1 there and 0 at the
    // last abscissa, so data on that ramp is fitted exactly.
    data = {{0, 3}, {1, 2}, {3, 0}};
    nodes = Nodes({0.0});
    ASSERT_EQ(ChebyshevApproaching(data, nodes), 0);
    EXPECT_NEAR(nodes[0].y, 3.0, 1e-12);

    // x^2 on [0, 1] by one segment: the line x - 1/8, deviation 1/8 with
    // alternation at 0, 1/2 and 1.
    data = Sample([](double t) { return t * t; }, 0.0, 1.0, 101);
    nodes = Nodes({0.0, 1.0});
    ASSERT_EQ(ChebyshevApproaching(data, nodes), 0);
    EXPECT_NEAR(nodes[0].y, -0.125, 1e-12);
    EXPECT_NEAR(nodes[1].y, 0.875, 1e-12);

    std::vector<point_d> none;
    nodes = Nodes({0.0, 1.0});
    EXPECT_EQ(ChebyshevApproaching(none, nodes), 100);
    EXPECT_EQ(nodes[0].y, -999.0);
    EXPECT_EQ(ChebyshevApproaching(data, none), 100);
}

// Longest run of extremal points (|error| within tol of the optimum) with
// alternating signs, within [lo, hi].
int Alternations(const std::vector<point_d>& data, const std::vector<double>& err, double e, double lo,
                 double hi)
{
    int count = 0, lastSign = 0;
    for (std::size_t k = 0; k < data.size(); ++k) {
        if (data[k].x < lo || data[k].x > hi || std::fabs(err[k]) < e - 1e-9)
            continue;
        const int sign = err[k] > 0 ? 1 : -1;
        if (sign != lastSign) {
            ++count;
            lastSign = sign;
        }
    }
    return count;
}

TEST(Chebyshev, SmoothFunctionFitIsTheLinearProgramOptimumAndEquioscillates)
{
    const std::vector<std::function<double(double)>> functions{
        [](double t) { return std::sin(3 * t); }, [](double t) { return std::exp(t); },
        [](double t) { return 1.0 / (1.0 + 10 * t * t); }};
    const std::vector<std::vector<double>> layouts{{0.0, 2.0}, {0.0, 0.5, 1.2, 2.0}, {0.0, 0.3, 0.7, 1.0, 1.6, 2.0}};
    std::mt19937 rng(7);
    for (const auto& f : functions)
        for (const auto& xs : layouts) {
            std::vector<point_d> data = Sample(f, 0.0, 2.0, 201);
            std::vector<point_d> nodes = Nodes(xs);
            ASSERT_EQ(ChebyshevApproaching(data, nodes), 0);
            const std::vector<double> err = Errors(data, nodes);
            const double e = MaxAbs(err);
            EXPECT_NEAR(e, LpOptimum(data, xs), 1e-9);

            // Best approximation by a broken line with fixed nodes: some
            // node interval [x_i, x_j] holds at least j - i + 2 alternating
            // extremal points.
            bool characterised = false;
            for (std::size_t i = 0; i < xs.size() && !characterised; ++i)
                for (std::size_t j = i + 1; j < xs.size() && !characterised; ++j)
                    characterised = Alternations(data, err, e, xs[i], xs[j]) >= static_cast<int>(j - i + 2);
            EXPECT_TRUE(characterised);

            // No nearby set of ordinates does better.
            std::normal_distribution<double> jitter(0.0, 1e-3);
            for (int trial = 0; trial < 20; ++trial) {
                std::vector<point_d> other = nodes;
                for (point_d& p : other)
                    p.y += jitter(rng);
                EXPECT_GE(MaxAbs(Errors(data, other)), e - 1e-12);
            }
        }
}

TEST(Chebyshev, UnusualNodes)
{
    const auto f = [](double t) { return std::cos(2 * t) + t; };
    std::vector<point_d> data = Sample(f, 0.0, 3.0, 61);
    std::vector<point_d> sorted = Nodes({0.0, 1.0, 2.0, 3.0});
    ASSERT_EQ(ChebyshevApproaching(data, sorted), 0);
    const double e = MaxAbs(Errors(data, sorted));

    // Any order: each node gets the ordinate at its own abscissa.
    std::vector<point_d> shuffled = Nodes({2.0, 0.0, 3.0, 1.0});
    ASSERT_EQ(ChebyshevApproaching(data, shuffled), 0);
    std::vector<point_d> back = shuffled;
    std::sort(back.begin(), back.end());
    EXPECT_NEAR(MaxAbs(Errors(data, back)), e, 1e-9);

    // Repeated abscissas are one break point sharing its ordinate.
    std::vector<point_d> doubled = Nodes({0.0, 1.0, 1.0, 2.0, 3.0});
    ASSERT_EQ(ChebyshevApproaching(data, doubled), 0);
    EXPECT_EQ(doubled[1].y, doubled[2].y);
    doubled.erase(doubled.begin() + 2);
    EXPECT_NEAR(MaxAbs(Errors(data, doubled)), e, 1e-9);

    // Nodes beyond the data: end segments reach over the data, and nodes
    // that touch no data point continue the fitted line.
    data = Sample([](double t) { return 2 * t + 1; }, 0.0, 1.0, 11);
    std::vector<point_d> wide = Nodes({-2.0, -1.0, 2.0, 4.0});
    ASSERT_EQ(ChebyshevApproaching(data, wide), 0);
    EXPECT_NEAR(wide[0].y, -3.0, 1e-9);
    EXPECT_NEAR(wide[1].y, -1.0, 1e-9);
    EXPECT_NEAR(wide[2].y, 5.0, 1e-9);
    EXPECT_NEAR(wide[3].y, 9.0, 1e-9);

    // A gap in the data: the nodes inside it are interpolated.
    data = {{0, 1}, {10, 21}};
    std::vector<point_d> gap = Nodes({0.0, 4.0, 6.0, 10.0});
    ASSERT_EQ(ChebyshevApproaching(data, gap), 0);
    EXPECT_NEAR(gap[0].y, 1.0, 1e-9);
    EXPECT_NEAR(gap[1].y, 9.0, 1e-9);
    EXPECT_NEAR(gap[2].y, 13.0, 1e-9);
    EXPECT_NEAR(gap[3].y, 21.0, 1e-9);

    // Unordered data is fitted as if sorted.
    data = Sample(f, 0.0, 3.0, 61);
    std::reverse(data.begin(), data.end());
    std::vector<point_d> again = Nodes({0.0, 1.0, 2.0, 3.0});
    ASSERT_EQ(ChebyshevApproaching(data, again), 0);
    EXPECT_NEAR(MaxAbs(Errors(data, again)), e, 1e-9);

    // Non-finite input is refused.
    data.push_back(point_d{std::numeric_limits<double>::quiet_NaN(), 0.0});
    EXPECT_THROW(ChebyshevApproaching(data, again), std::invalid_argument);
    data.back() = point_d{1.0, std::numeric_limits<double>::infinity()};
    EXPECT_THROW(ChebyshevApproaching(data, again), std::invalid_argument);
}

} // namespace
