// SimplexSolve (lp_solve underneath) against GLPK's simplex on random
// feasible, bounded programs of growing size, and the minimax fit against
// the same program handed to GLPK.
#include <zeltmath/approx/chebyshev.h>
#include <zeltmath/approx/simplex.h>

#include <benchmark/benchmark.h>
#include <glpk.h>

#include <cmath>
#include <random>

namespace {

struct Program {
    std::vector<double> cost;
    std::vector<constraint> eqs, ges;
};

Program Random(int n, int rows)
{
    std::mt19937 rng(static_cast<unsigned>(n * 7919 + rows));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Program p;
    std::vector<double> x0(static_cast<std::size_t>(n));
    for (double& v : x0)
        v = 3 * unit(rng);
    for (int r = 0; r < rows; ++r) {
        constraint c;
        c.a.resize(static_cast<std::size_t>(n));
        double s = 0;
        for (int j = 0; j < n; ++j) {
            c.a[j] = unit(rng) < 0.5 ? 0.0 : 10 * unit(rng) - 5;
            s += c.a[j] * x0[j];
        }
        c.b = r % 5 == 0 ? s : s - unit(rng);
        (r % 5 == 0 ? p.eqs : p.ges).push_back(c);
    }
    p.cost.resize(static_cast<std::size_t>(n));
    for (double& v : p.cost)
        v = 0.1 + unit(rng);
    return p;
}

double Glpk(const Program& p)
{
    const int n = static_cast<int>(p.cost.size());
    glp_prob* lp = glp_create_prob();
    glp_add_cols(lp, n);
    for (int j = 1; j <= n; ++j) {
        glp_set_col_bnds(lp, j, GLP_LO, 0, 0);
        glp_set_obj_coef(lp, j, p.cost[j - 1]);
    }
    glp_add_rows(lp, static_cast<int>(p.eqs.size() + p.ges.size()));
    std::vector<int> ia{0}, ja{0};
    std::vector<double> ar{0};
    int r = 0;
    for (int pass = 0; pass < 2; ++pass)
        for (const constraint& c : pass == 0 ? p.eqs : p.ges) {
            ++r;
            glp_set_row_bnds(lp, r, pass == 0 ? GLP_FX : GLP_LO, c.b, c.b);
            for (int j = 0; j < n; ++j)
                if (c.a[j] != 0) {
                    ia.push_back(r);
                    ja.push_back(j + 1);
                    ar.push_back(c.a[j]);
                }
        }
    glp_load_matrix(lp, static_cast<int>(ia.size()) - 1, ia.data(), ja.data(), ar.data());
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    glp_simplex(lp, &parm);
    const double f = glp_get_obj_val(lp);
    glp_delete_prob(lp);
    return f;
}

void Ours(benchmark::State& state)
{
    const Program p = Random(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::vector<double> x(p.cost.size());
    double f = 0;
    for (auto _ : state) {
        Program copy = p;
        benchmark::DoNotOptimize(SimplexSolve(copy.cost, copy.eqs, copy.ges, x));
    }
    for (std::size_t j = 0; j < x.size(); ++j)
        f += p.cost[j] * x[j];
    state.counters["objective"] = f;
}

void PeerGlpk(benchmark::State& state)
{
    const Program p = Random(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    double f = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(f = Glpk(p));
    state.counters["objective"] = f;
}

BENCHMARK(Ours)->Args({10, 15})->Args({40, 60})->Args({150, 200})->Unit(benchmark::kMicrosecond);
BENCHMARK(PeerGlpk)->Args({10, 15})->Args({40, 60})->Args({150, 200})->Unit(benchmark::kMicrosecond);

void Chebyshev(benchmark::State& state)
{
    const int m = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
    std::vector<point_d> data, nodes;
    for (int k = 0; k < m; ++k) {
        const double t = 3.0 * k / (m - 1);
        data.push_back(point_d{t, std::sin(2 * t) + 0.3 * t});
    }
    for (int i = 0; i < n; ++i)
        nodes.push_back(point_d{3.0 * i / (n - 1), 0});
    for (auto _ : state)
        benchmark::DoNotOptimize(ChebyshevApproaching(data, nodes));
}

BENCHMARK(Chebyshev)->Args({200, 8})->Args({1000, 20})->Unit(benchmark::kMicrosecond);

} // namespace
