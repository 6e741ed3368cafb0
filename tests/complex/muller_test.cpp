#include <zeltmath/complex/muller.h>

#include <gtest/gtest.h>

#include <gsl/gsl_poly.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

namespace {

using cplx = std::complex<double>;

std::vector<double> RealCoefficientsFromRoots(const std::vector<double>& roots)
{
    std::vector<double> p{1.0};
    for (double r : roots) {
        std::vector<double> q(p.size() + 1, 0.0);
        for (size_t i = 0; i < p.size(); ++i) {
            q[i + 1] += p[i];
            q[i] -= r * p[i];
        }
        p = q;
    }
    return p;
}

std::vector<cplx> CoefficientsFromRoots(const std::vector<cplx>& roots, cplx lead)
{
    std::vector<cplx> p{lead};
    for (cplx r : roots) {
        std::vector<cplx> q(p.size() + 1, 0.0);
        for (size_t i = 0; i < p.size(); ++i) {
            q[i + 1] += p[i];
            q[i] -= r * p[i];
        }
        p = q;
    }
    return p;
}

// All roots by CZELTMuller::null; maxerr and the degree come back too.
struct MullerResult {
    int status = -1;
    int degree = 0;
    double maxerr = 0;
    std::vector<cplx> roots;
};

MullerResult SolveMuller(const std::vector<cplx>& coef, bool complexCoefficients)
{
    const int n = static_cast<int>(coef.size()) - 1;
    std::vector<dcomplex> p(n + 1), pred(n + 1), root(std::max(n, 1));
    for (int i = 0; i <= n; ++i)
        p[i] = dcomplex(coef[i].real(), coef[i].imag());
    MullerResult r;
    r.degree = n;
    CZELTMuller m;
    r.status = m.null(p.data(), pred.data(), &r.degree, root.data(), &r.maxerr,
                      complexCoefficients ? 1 : 0);
    for (int i = 0; r.status == 0 && i < r.degree; ++i)
        r.roots.emplace_back(root[i].re, root[i].im);
    return r;
}

std::vector<cplx> SolveGsl(const std::vector<double>& coef)
{
    const size_t n = coef.size();
    std::vector<double> z(2 * (n - 1));
    gsl_poly_complex_workspace* w = gsl_poly_complex_workspace_alloc(n);
    const int status = gsl_poly_complex_solve(coef.data(), n, w, z.data());
    gsl_poly_complex_workspace_free(w);
    std::vector<cplx> roots;
    if (status == 0)
        for (size_t i = 0; i + 1 < n; ++i)
            roots.emplace_back(z[2 * i], z[2 * i + 1]);
    return roots;
}

// Pairs every root with a distinct reference root (nearest first) and
// returns the largest distance relative to max(|reference|, floor).
double MatchRoots(const std::vector<cplx>& ours, std::vector<cplx> ref, double floor)
{
    double worst = 0.0;
    for (cplx r : ours) {
        if (ref.empty())
            return 1e300;
        auto best = std::min_element(ref.begin(), ref.end(), [r](cplx a, cplx b) {
            return std::abs(a - r) < std::abs(b - r);
        });
        worst = std::max(worst, std::abs(*best - r) / std::max(std::abs(*best), floor));
        ref.erase(best);
    }
    return worst;
}

// Backward error of a root: |p(r)| / sum |p_i| |r|^i.
double Residual(const std::vector<cplx>& coef, cplx r)
{
    cplx f = 0.0;
    double scale = 0.0;
    for (size_t i = coef.size(); i-- > 0;) {
        f = f * r + coef[i];
        scale = scale * std::abs(r) + std::abs(coef[i]);
    }
    return std::abs(f) / scale;
}

double MaxResidual(const std::vector<cplx>& coef, const std::vector<cplx>& roots)
{
    double worst = 0.0;
    for (cplx r : roots)
        worst = std::max(worst, Residual(coef, r));
    return worst;
}

TEST(StepMuller, SmallPolynomialsByHand)
{
    double q[] = {2, -3, 1};
    double roots[20];
    int nRoots = -1;
    EXPECT_EQ(CZELTMuller::StepMuller(2, q, nRoots, roots), 0);
    ASSERT_EQ(nRoots, 2);
    EXPECT_EQ(roots[0], 2.0);  // the plus sign of the quadratic formula first
    EXPECT_EQ(roots[1], 1.0);

    double noReal[] = {1, 0, 1};
    EXPECT_EQ(CZELTMuller::StepMuller(2, noReal, nRoots, roots), 0);
    EXPECT_EQ(nRoots, 0);

    double cubic[] = {-6, 11, -6, 1};
    EXPECT_EQ(CZELTMuller::StepMuller(3, cubic, nRoots, roots), 0);
    ASSERT_EQ(nRoots, 3);
    std::sort(roots, roots + 3);
    EXPECT_NEAR(roots[0], 1.0, 1e-14);
    EXPECT_NEAR(roots[1], 2.0, 1e-14);
    EXPECT_NEAR(roots[2], 3.0, 1e-14);

    // (x - 2)(x^2 + 2x + 5) = x^3 + x - 10: one real root
    double oneReal[] = {-10, 1, 0, 1};
    EXPECT_EQ(CZELTMuller::StepMuller(3, oneReal, nRoots, roots), 0);
    ASSERT_EQ(nRoots, 1);
    EXPECT_NEAR(roots[0], 2.0, 1e-14);

    // leading zeros: solved at degree 2
    double padded[] = {2, -3, 1, 0, 0};
    EXPECT_EQ(CZELTMuller::StepMuller(4, padded, nRoots, roots), 0);
    EXPECT_EQ(nRoots, 2);

    // failures: result 1, no roots
    double zero[] = {0, 0, 0};
    double constant[] = {5, 0, 0};
    nRoots = 7;
    EXPECT_EQ(CZELTMuller::StepMuller(2, zero, nRoots, roots), 1);
    EXPECT_EQ(nRoots, 0);
    EXPECT_EQ(CZELTMuller::StepMuller(2, constant, nRoots, roots), 1);
    EXPECT_EQ(CZELTMuller::StepMuller(-1, constant, nRoots, roots), 1);
    EXPECT_EQ(CZELTMuller::StepMuller(2, nullptr, nRoots, roots), 1);
    EXPECT_EQ(nRoots, 0);

    // degrees beyond 19 are accepted: x^25 - 1 has the single real root 1
    std::vector<double> high(26, 0.0);
    high[0] = -1;
    high[25] = 1;
    std::vector<double> out(25);
    EXPECT_EQ(CZELTMuller::StepMuller(25, high.data(), nRoots, out.data()), 0);
    ASSERT_EQ(nRoots, 1);
    EXPECT_NEAR(out[0], 1.0, 1e-12);
}

TEST(MullerNull, StatusDegreeErrorAndScaling)
{
    CZELTMuller m;
    dcomplex p[4], pred[4], root[3];
    double maxerr = -1;
    int n = -1;
    EXPECT_EQ(m.null(p, pred, &n, root, &maxerr, 0), 1);
    n = 3;
    EXPECT_EQ(m.null(p, pred, &n, root, &maxerr, 0), 2);
    p[0] = dcomplex(4, 0);
    EXPECT_EQ(m.null(p, pred, &n, root, &maxerr, 0), 3);
    EXPECT_EQ(m.null(nullptr, pred, &n, root, &maxerr, 0), 1);

    // 2x - 3 at declared degree 3: the degree drops to 1, no polishing
    p[0] = dcomplex(-3, 0);
    p[1] = dcomplex(2, 0);
    n = 3;
    EXPECT_EQ(m.null(p, pred, &n, root, &maxerr, 0), 0);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(root[0].re, 1.5);
    EXPECT_EQ(maxerr, 2.220446049250313e-16);
    EXPECT_EQ(p[1].re, 2.0);  // degree 1 and 2 are not scaled

    // complex quadratic (x - i)(x + 2): x^2 + (2 - i) x - 2i
    dcomplex q[3] = {dcomplex(0, -2), dcomplex(2, -1), dcomplex(1, 0)};
    n = 2;
    EXPECT_EQ(m.null(q, pred, &n, root, &maxerr, 1), 0);
    EXPECT_EQ(maxerr, 2.220446049250313e-16);
    const std::vector<cplx> got{{root[0].re, root[0].im}, {root[1].re, root[1].im}};
    EXPECT_LT(MatchRoots(got, {{0, 1}, {-2, 0}}, 1.0), 1e-15);

    // cubic with leading coefficient 3 - 4i: scaled in place to modulus 1
    dcomplex c[4] = {dcomplex(1, 0), dcomplex(0, 2), dcomplex(-1, 1), dcomplex(3, -4)};
    n = 3;
    EXPECT_EQ(m.null(c, pred, &n, root, &maxerr, 1), 0);
    EXPECT_DOUBLE_EQ(std::hypot(c[3].re, c[3].im), 1.0);
    EXPECT_DOUBLE_EQ(c[3].re, 0.6);
    EXPECT_DOUBLE_EQ(c[0].re, 0.2);
    EXPECT_GT(maxerr, 0.0);
    EXPECT_LT(maxerr, 1e-12);
}

TEST(MullerNull, RandomRealPolynomialsAgreeWithGsl)
{
    std::mt19937 gen(2024);
    std::normal_distribution<double> d(0.0, 1.0);
    double worstMatch = 0, worstResidual = 0;
    for (int degree = 3; degree <= 19; ++degree) {
        for (int trial = 0; trial < 5; ++trial) {
            std::vector<double> coef(degree + 1);
            for (double& v : coef)
                v = d(gen);
            std::vector<cplx> c(coef.begin(), coef.end());
            const MullerResult r = SolveMuller(c, false);
            ASSERT_EQ(r.status, 0);
            ASSERT_EQ(r.degree, degree);
            const double match = MatchRoots(r.roots, SolveGsl(coef), 1.0);
            EXPECT_LT(match, 1e-7) << "degree " << degree << " trial " << trial;
            // conjugate pairs of a real polynomial come out exactly paired
            for (cplx z : r.roots) {
                if (z.imag() != 0) {
                    EXPECT_EQ(std::count(r.roots.begin(), r.roots.end(), std::conj(z)), 1);
                }
            }
            worstMatch = std::max(worstMatch, match);
            worstResidual = std::max(worstResidual, MaxResidual(c, r.roots));
        }
    }
    EXPECT_LT(worstResidual, 1e-13);
    std::printf("real degree 3..19: largest distance to GSL %.3g, largest residual %.3g\n",
                worstMatch, worstResidual);
}

TEST(MullerNull, RandomComplexPolynomialsAgreeWithGsl)
{
    // GSL takes real coefficients only: p * conj(p) is real and has the roots
    // of p and their conjugates, so every root of p must be among its roots.
    std::mt19937 gen(77);
    std::normal_distribution<double> d(0.0, 1.0);
    double worstKnown = 0, worstGsl = 0, worstResidual = 0;
    for (int degree = 3; degree <= 19; ++degree) {
        std::vector<cplx> roots(degree);
        for (cplx& z : roots)
            z = cplx(d(gen), d(gen));
        const std::vector<cplx> c = CoefficientsFromRoots(roots, cplx(d(gen), d(gen)));
        const MullerResult r = SolveMuller(c, true);
        ASSERT_EQ(r.status, 0);
        ASSERT_EQ(r.degree, degree);
        const double known = MatchRoots(r.roots, roots, 1.0);
        EXPECT_LT(known, 1e-6) << "degree " << degree;

        std::vector<double> product(2 * degree + 1, 0.0);
        for (int i = 0; i <= degree; ++i)
            for (int j = 0; j <= degree; ++j)
                product[i + j] += (c[i] * std::conj(c[j])).real();
        const double gsl = MatchRoots(r.roots, SolveGsl(product), 1.0);
        EXPECT_LT(gsl, 1e-5) << "degree " << degree;
        worstKnown = std::max(worstKnown, known);
        worstGsl = std::max(worstGsl, gsl);
        worstResidual = std::max(worstResidual, MaxResidual(c, r.roots));
    }
    EXPECT_LT(worstResidual, 1e-13);
    std::printf("complex degree 3..19: largest distance to the true roots %.3g, to GSL %.3g, "
                "largest residual %.3g\n", worstKnown, worstGsl, worstResidual);
}

TEST(MullerNull, MultipleRootsAndWidelySpreadMagnitudes)
{
    struct Case {
        std::vector<double> roots;
        double tolerance;  // relative to max(|root|, floor)
        double floor;
    };
    const Case cases[] = {
        {{1, 1, 1, -2, -2, 0.5}, 1e-4, 1.0},                 // triple and double roots
        {{3, 3, 3, 3, -1, 2}, 1e-3, 1.0},                    // a fourfold root
        {{0, 0, 0, 1, 2}, 1e-4, 1.0},                        // a triple zero root
        {{1e-4, 1e-2, 1, 1e2, 1e4}, 1e-10, 0.0},             // magnitudes 1e-4 .. 1e4
        {{-1e-6, 1e-3, -1, 1e3, 1e6, 7}, 1e-9, 0.0},         // magnitudes 1e-6 .. 1e6
    };
    for (const Case& k : cases) {
        const std::vector<double> coef = RealCoefficientsFromRoots(k.roots);
        const std::vector<cplx> c(coef.begin(), coef.end());
        const MullerResult r = SolveMuller(c, false);
        ASSERT_EQ(r.status, 0);
        const std::vector<cplx> exact(k.roots.begin(), k.roots.end());
        const double ours = MatchRoots(r.roots, exact, k.floor);
        const double gsl = MatchRoots(SolveGsl(coef), exact, k.floor);
        EXPECT_LT(ours, k.tolerance) << "roots from " << k.roots.front();
        std::printf("degree %zu: distance to the exact roots %.3g (GSL %.3g), residual %.3g\n",
                    k.roots.size(), ours, gsl, MaxResidual(c, r.roots));

        // Simple roots all count as real in StepMuller; multiple roots split
        // into close pairs whose imaginary parts (about 1e-5) exceed 1e-8.
        if (k.floor != 0.0)
            continue;
        std::vector<double> co = coef, out(coef.size());
        int nRoots = 0;
        EXPECT_EQ(CZELTMuller::StepMuller(static_cast<int>(coef.size()) - 1, co.data(), nRoots,
                                          out.data()), 0);
        EXPECT_EQ(nRoots, static_cast<int>(k.roots.size()));
    }
}

TEST(MullerSteps, HornerDeflationAndQuadratic)
{
    CZELTMuller m;
    // p(x) = x^3 - 2x + 1 at x = 2: 5, p'(2) = 10
    dcomplex p[4] = {dcomplex(1, 0), dcomplex(-2, 0), dcomplex(0, 0), dcomplex(1, 0)};
    dcomplex f, df;
    m.fdvalue(p, 3, &f, &df, dcomplex(2, 0), 1);
    EXPECT_EQ(f.re, 5.0);
    EXPECT_EQ(df.re, 10.0);
    // complex point: p(i) = -i - 2i + 1 = 1 - 3i
    m.fdvalue(p, 3, &f, &df, dcomplex(0, 1), 0);
    EXPECT_EQ(f.re, 1.0);
    EXPECT_EQ(f.im, -3.0);

    // x^3 - 2x + 1 = (x - 1)(x^2 + x - 1): the quotient starts at pred[1]
    dcomplex d[4] = {p[0], p[1], p[2], p[3]};
    dcomplex root[3];
    root[2] = dcomplex(1, 0);
    EXPECT_EQ(m.poldef(d, 3, root, 0), 1);
    EXPECT_EQ(d[1].re, -1.0);
    EXPECT_EQ(d[2].re, 1.0);
    EXPECT_EQ(d[3].re, 1.0);

    // (x^2 + 1)(x - 3) = x^3 - 3x^2 + x - 3 deflated by the pair +-i
    dcomplex e[4] = {dcomplex(-3, 0), dcomplex(1, 0), dcomplex(-3, 0), dcomplex(1, 0)};
    root[2] = dcomplex(0, 1);
    EXPECT_EQ(m.poldef(e, 3, root, 0), 2);
    EXPECT_EQ(root[1].re, 0.0);
    EXPECT_EQ(root[1].im, -1.0);
    EXPECT_EQ(e[2].re, -3.0);
    EXPECT_EQ(e[3].re, 1.0);

    // complex coefficients: (x - i)(x + 1) = x^2 + (1 - i) x - i, divided by (x - i)
    dcomplex g[3] = {dcomplex(0, -1), dcomplex(1, -1), dcomplex(1, 0)};
    root[1] = dcomplex(0, 1);
    EXPECT_EQ(m.poldef(g, 2, root, 1), 1);
    EXPECT_EQ(g[1].re, 1.0);
    EXPECT_EQ(g[1].im, 0.0);

    // Newton polishes a rough root and reports the relative correction
    double err = 0;
    const dcomplex r = m.newton(p, 3, dcomplex(0.7, 0.01), &err, 0);
    EXPECT_NEAR(r.re, (std::sqrt(5.0) - 1) / 2, 1e-15);
    EXPECT_EQ(r.im, 0.0);  // a real polynomial's tiny imaginary part is dropped
    EXPECT_LT(err, 1e-15);
}

} // namespace

namespace {

TEST(MullerNull, ExtremeCoefficientsEndWithoutFailure)
{
    // Huge, tiny and non-finite coefficients: the iteration is bounded by its
    // evaluation and halving limits, so every call returns.
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::vector<double>> polys = {
        {1e300, -1e-300, 1e300, 1.0},
        {1e-300, 1e-300, 1e-300, 1e-300, 1e-300},
        {1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1e-200},
        {1.0, 2.0, nan, 4.0},
        {1.0, inf, 3.0, 4.0, 5.0},
        {0.0, 0.0, 0.0, 1.0, 1e250},
        {-1e200, 1e-200, 1e200, -1e-200, 1e100, 1.0},
    };
    for (const std::vector<double>& coef : polys) {
        std::vector<dcomplex> p(coef.size()), pred(coef.size()), root(coef.size());
        for (size_t i = 0; i < coef.size(); ++i)
            p[i] = dcomplex(coef[i], 0);
        int n = static_cast<int>(coef.size()) - 1;
        double maxerr = 0;
        CZELTMuller m;
        EXPECT_EQ(m.null(p.data(), pred.data(), &n, root.data(), &maxerr, 0), 0);
        std::vector<double> co(coef), out(coef.size());
        int nRoots = -1;
        EXPECT_EQ(CZELTMuller::StepMuller(static_cast<int>(coef.size()) - 1, co.data(), nRoots,
                                          out.data()), 0);
        EXPECT_GE(nRoots, 0);
        EXPECT_LE(nRoots, static_cast<int>(coef.size()) - 1);
    }
}

} // namespace
