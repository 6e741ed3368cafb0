// Adapter that runs a test problem through CZELTMathOptShor and counts the
// callbacks.
#ifndef ZELTMATH_TESTS_OPTIMIZE_SHOR_PROBLEM_H
#define ZELTMATH_TESTS_OPTIMIZE_SHOR_PROBLEM_H

#include "problems.h"

#include <zeltmath/optimize/shor.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace testproblems {

class ShorRunner : public CZELTMathOptShor {
public:
    explicit ShorRunner(const Problem& p) : p_(p) {}

    // Runs from the problem's start point; returns Optimize's result.
    int Run(std::vector<double>& x, int maxIter = 15000, const double* options = nullptr) const
    {
        x = p_.start;
        std::vector<double> eq, ineq;
        for (const auto& r : p_.eq)
            eq.insert(eq.end(), r.begin(), r.end());
        for (const auto& r : p_.ineq)
            ineq.insert(ineq.end(), r.begin(), r.end());
        return Optimize(p_.n, x.data(), static_cast<int>(p_.nonlinear.size()), 0.0,
                        p_.lower.empty() ? nullptr : p_.lower.data(), p_.upper.empty() ? nullptr : p_.upper.data(),
                        static_cast<int>(p_.eq.size()), eq.empty() ? nullptr : eq.data(),
                        static_cast<int>(p_.ineq.size()), ineq.empty() ? nullptr : ineq.data(), maxIter, 0, options);
    }

    mutable long objectiveCalls = 0;
    mutable long constraintCalls = 0;

protected:
    bool ObjFunction(int index, int n, const double* x, double& value) const override
    {
        ++objectiveCalls;
        lastIndex = index;
        lastN = n;
        value = p_.objective(x);
        return true;
    }
    bool ObjConstraint(int j, int, const double* x, double& value) const override
    {
        ++constraintCalls;
        const std::size_t k = static_cast<std::size_t>(j);
        value = p_.nonlinear[k](x);
        if (k < p_.nonlinearEq.size() && p_.nonlinearEq[k])
            value = std::fabs(value);  // an equality's residual is its magnitude
        return true;
    }

public:
    mutable int lastIndex = -1;
    mutable int lastN = -1;

private:
    const Problem& p_;
};

// Largest violation of the problem's constraints at x (<= 0 when met).
inline double Violation(const Problem& p, const double* x)
{
    double r = 0.0;
    for (std::size_t i = 0; i < p.lower.size(); ++i)
        r = std::max(r, p.lower[i] - x[i]);
    for (std::size_t i = 0; i < p.upper.size(); ++i)
        r = std::max(r, x[i] - p.upper[i]);
    auto row = [&](const std::vector<double>& a) {
        double s = a[static_cast<std::size_t>(p.n)];
        for (int i = 0; i < p.n; ++i)
            s += a[static_cast<std::size_t>(i)] * x[i];
        return s;
    };
    for (const auto& a : p.ineq)
        r = std::max(r, row(a));
    for (const auto& a : p.eq)
        r = std::max(r, std::fabs(row(a)));
    for (std::size_t k = 0; k < p.nonlinear.size(); ++k) {
        const double c = p.nonlinear[k](x);
        r = std::max(r, k < p.nonlinearEq.size() && p.nonlinearEq[k] ? std::fabs(c) : c);
    }
    return r;
}

} // namespace testproblems

#endif
