// The r-algorithm against NLopt's SLSQP (with the same forward-difference
// gradients) and COBYLA on the classic problems: both must reach the same
// optimum; the evaluation counts are recorded for comparison.
#include "nlopt_runner.h"
#include "shor_problem.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace testproblems;

TEST(ShorAgainstNlopt, SameOptimaOnTheClassicProblems)
{
    std::printf("%-10s %14s %14s %14s %14s %10s %10s %10s\n", "problem", "ours f", "SLSQP f", "COBYLA f", "known f", "ours ev",
                "SLSQP ev", "COBYLA ev");
    for (const Problem& p : All()) {
        SCOPED_TRACE(p.name);
        ShorRunner runner(p);
        std::vector<double> x;
        runner.Run(x);
        const double ours = p.objective(x.data());
        const PeerResult slsqp = SolveWithNlopt(p, NLOPT_LD_SLSQP);
        const PeerResult cobyla = SolveWithNlopt(p, NLOPT_LN_COBYLA);
        std::printf("%-10s %14.9g %14.9g %14.9g %14.9g %10ld %10ld %10ld\n", p.name.c_str(), ours, slsqp.f, cobyla.f, p.optimum,
                    runner.objectiveCalls, slsqp.evaluations, cobyla.evaluations);
        ASSERT_GT(slsqp.status, 0);
        // The peer confirms the published optimum, and we agree with it
        // within the tolerance our method is held to.
        EXPECT_NEAR(slsqp.f, p.optimum, 1e-6 * std::max(1.0, std::fabs(p.optimum)));
        EXPECT_NEAR(ours, slsqp.f, p.tolerance * std::max(1.0, std::fabs(p.optimum)));
    }
}

} // namespace
