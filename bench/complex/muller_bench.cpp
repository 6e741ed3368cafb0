// CZELTMuller against GSL's companion-matrix solver on random real
// polynomials of degree 5, 10 and 19.  The "residual" counter is the largest
// backward error |p(r)| / sum |p_i| |r|^i over all roots, so the accuracy of
// both solvers is visible next to their times.
#include <zeltmath/complex/muller.h>

#include <benchmark/benchmark.h>

#include <gsl/gsl_poly.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace {

std::vector<double> Coefficients(int degree)
{
    std::mt19937 gen(static_cast<unsigned>(degree) * 17u + 3u);
    std::normal_distribution<double> d(0, 1);
    std::vector<double> c(degree + 1);
    for (double& v : c)
        v = d(gen);
    return c;
}

double MaxResidual(const std::vector<double>& coef, const std::vector<std::complex<double>>& roots)
{
    double worst = 0;
    for (std::complex<double> r : roots) {
        std::complex<double> f = 0;
        double scale = 0;
        for (size_t i = coef.size(); i-- > 0;) {
            f = f * r + coef[i];
            scale = scale * std::abs(r) + std::abs(coef[i]);
        }
        worst = std::max(worst, std::abs(f) / scale);
    }
    return worst;
}

void BM_StepMuller(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> coef = Coefficients(n);
    std::vector<double> work(coef), roots(n);
    int nRoots = 0;
    for (auto _ : state) {
        work = coef;
        CZELTMuller::StepMuller(n, work.data(), nRoots, roots.data());
        benchmark::DoNotOptimize(roots.data());
    }
    // the same computation through null, for the residual of every root
    std::vector<dcomplex> p(n + 1), pred(n + 1), root(n);
    for (int i = 0; i <= n; ++i)
        p[i] = dcomplex(coef[i], 0);
    int deg = n;
    double maxerr = 0;
    CZELTMuller m;
    m.null(p.data(), pred.data(), &deg, root.data(), &maxerr, 0);
    std::vector<std::complex<double>> all;
    for (int i = 0; i < deg; ++i)
        all.emplace_back(root[i].re, root[i].im);
    state.counters["residual"] = MaxResidual(coef, all);
    state.counters["real_roots"] = nRoots;
}
BENCHMARK(BM_StepMuller)->Arg(5)->Arg(10)->Arg(19);

void BM_GslPolySolve(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> coef = Coefficients(n);
    std::vector<double> z(2 * n);
    gsl_poly_complex_workspace* w = gsl_poly_complex_workspace_alloc(n + 1);
    for (auto _ : state) {
        gsl_poly_complex_solve(coef.data(), n + 1, w, z.data());
        benchmark::DoNotOptimize(z.data());
    }
    gsl_poly_complex_workspace_free(w);
    std::vector<std::complex<double>> all;
    for (int i = 0; i < n; ++i)
        all.emplace_back(z[2 * i], z[2 * i + 1]);
    state.counters["residual"] = MaxResidual(coef, all);
}
BENCHMARK(BM_GslPolySolve)->Arg(5)->Arg(10)->Arg(19);

} // namespace
