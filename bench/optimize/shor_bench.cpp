// The r-algorithm against NLopt (SLSQP with forward-difference gradients,
// and the derivative-free COBYLA) on classic problems.  Counters: objective
// evaluations per solve and the objective reached.
#include "nlopt_runner.h"
#include "shor_problem.h"

#include <benchmark/benchmark.h>

namespace {

using namespace testproblems;

const Problem& Get(int index)
{
    static const std::vector<Problem> problems = All();
    return problems[static_cast<std::size_t>(index)];
}

void Ours(benchmark::State& state)
{
    const Problem& p = Get(static_cast<int>(state.range(0)));
    state.SetLabel(p.name);
    long evaluations = 0;
    double f = 0;
    for (auto _ : state) {
        ShorRunner runner(p);
        std::vector<double> x;
        runner.Run(x);
        evaluations = runner.objectiveCalls;
        f = p.objective(x.data());
        benchmark::DoNotOptimize(x.data());
    }
    state.counters["evals"] = static_cast<double>(evaluations);
    state.counters["f"] = f;
}

void Peer(benchmark::State& state, nlopt_algorithm algorithm)
{
    const Problem& p = Get(static_cast<int>(state.range(0)));
    state.SetLabel(p.name);
    PeerResult r;
    for (auto _ : state) {
        r = SolveWithNlopt(p, algorithm);
        benchmark::DoNotOptimize(r.x.data());
    }
    state.counters["evals"] = static_cast<double>(r.evaluations);
    state.counters["f"] = r.f;
}

void NloptSlsqp(benchmark::State& state) { Peer(state, NLOPT_LD_SLSQP); }
void NloptCobyla(benchmark::State& state) { Peer(state, NLOPT_LN_COBYLA); }

// Rosenbrock, HS21, HS35, HS43, HS76 (indices into All()).
void Problems(benchmark::internal::Benchmark* b)
{
    for (int i : {0, 3, 5, 6, 8})
        b->Arg(i);
}

BENCHMARK(Ours)->Apply(Problems);
BENCHMARK(NloptSlsqp)->Apply(Problems);
BENCHMARK(NloptCobyla)->Apply(Problems);

} // namespace
