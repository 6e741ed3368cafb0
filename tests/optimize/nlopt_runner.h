// Runs a test problem through NLopt, counting objective evaluations the same
// way as for the r-algorithm (every call of the objective, including those
// of finite-difference gradients).
#ifndef ZELTMATH_TESTS_OPTIMIZE_NLOPT_RUNNER_H
#define ZELTMATH_TESTS_OPTIMIZE_NLOPT_RUNNER_H

#include "problems.h"

#include <nlopt.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace testproblems {

struct PeerResult {
    std::vector<double> x;
    double f = 0;
    long evaluations = 0;
    int status = 0;
};

namespace peer {

struct Context {
    const Problem* p;
    const Fn* fn;
    long* counter;
};

// Value of fn, with a forward-difference gradient when grad is requested.
inline double Eval(unsigned n, const double* x, double* grad, const Context& c)
{
    ++*c.counter;
    const double f = (*c.fn)(x);
    if (grad) {
        std::vector<double> y(x, x + n);
        for (unsigned i = 0; i < n; ++i) {
            const double d = 1e-8 * std::max(1.0, std::fabs(x[i]));
            y[i] = x[i] + d;
            ++*c.counter;
            grad[i] = ((*c.fn)(y.data()) - f) / d;
            y[i] = x[i];
        }
    }
    return f;
}

inline double Callback(unsigned n, const double* x, double* grad, void* data)
{
    return Eval(n, x, grad, *static_cast<Context*>(data));
}

inline double Row(unsigned n, const double* x, double* grad, void* data)
{
    const std::vector<double>& a = *static_cast<std::vector<double>*>(data);
    double s = a[n];
    for (unsigned i = 0; i < n; ++i) {
        s += a[i] * x[i];
        if (grad)
            grad[i] = a[i];
    }
    return s;
}

} // namespace peer

// algorithm: NLOPT_LD_SLSQP (gradients by forward differences) or
// NLOPT_LN_COBYLA (no gradients).
inline PeerResult SolveWithNlopt(const Problem& p, nlopt_algorithm algorithm)
{
    PeerResult r;
    long objectiveCalls = 0, constraintCalls = 0;
    nlopt_opt opt = nlopt_create(algorithm, static_cast<unsigned>(p.n));
    peer::Context objective{&p, &p.objective, &objectiveCalls};
    nlopt_set_min_objective(opt, peer::Callback, &objective);
    if (!p.lower.empty())
        nlopt_set_lower_bounds(opt, p.lower.data());
    if (!p.upper.empty())
        nlopt_set_upper_bounds(opt, p.upper.data());
    std::vector<std::vector<double>> eq = p.eq, ineq = p.ineq;
    for (auto& a : eq)
        nlopt_add_equality_constraint(opt, peer::Row, &a, 1e-10);
    for (auto& a : ineq)
        nlopt_add_inequality_constraint(opt, peer::Row, &a, 1e-10);
    std::vector<peer::Context> contexts;
    contexts.reserve(p.nonlinear.size());
    for (std::size_t j = 0; j < p.nonlinear.size(); ++j) {
        contexts.push_back(peer::Context{&p, &p.nonlinear[j], &constraintCalls});
        if (j < p.nonlinearEq.size() && p.nonlinearEq[j])
            nlopt_add_equality_constraint(opt, peer::Callback, &contexts.back(), 1e-8);
        else
            nlopt_add_inequality_constraint(opt, peer::Callback, &contexts.back(), 1e-8);
    }
    nlopt_set_xtol_rel(opt, 1e-8);
    nlopt_set_maxeval(opt, 200000);
    r.x = p.start;  // NLopt wants a start within the bounds
    for (std::size_t i = 0; i < r.x.size(); ++i) {
        if (i < p.lower.size())
            r.x[i] = std::max(r.x[i], p.lower[i]);
        if (i < p.upper.size())
            r.x[i] = std::min(r.x[i], p.upper[i]);
    }
    r.status = nlopt_optimize(opt, r.x.data(), &r.f);
    nlopt_destroy(opt);
    r.evaluations = objectiveCalls;
    return r;
}

} // namespace testproblems

#endif
