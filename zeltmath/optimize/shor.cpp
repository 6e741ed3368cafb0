#include <zeltmath/optimize/shor.h>

#include <zeltmath/optimize/detail/shor_gradient.h>
#include <zeltmath/optimize/detail/shor_run.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

CZELTMathOptShor::~CZELTMathOptShor() = default;

bool CZELTMathOptShor::ObjGradient(int, int, const double*, double*) const
{
    return false;
}

bool CZELTMathOptShor::ObjConstraintGradient(int, int, const double*, double*) const
{
    return false;
}

int CZELTMathOptShor::Optimize(int n, double* x, int nNonlin, double reserved, const double* lower,
                               const double* upper, int nEq, const double* eq, int nIneq, const double* ineq,
                               int maxIter, int reserved2, const double* options) const
{
    double opts[13] = {-1.0, 1e-8, 1e-6, static_cast<double>(maxIter), 0.0, 1e-6, 2.5, 1e-9, 0, 0, 0, 0, 0};
    if (options)
        std::copy(options, options + 13, opts);

    m_n = n;
    m_x = x;
    m_nNonlin = std::max(nNonlin, 0);
    m_reserved = reserved;
    m_lower = lower;
    m_upper = upper;
    m_nEq = eq ? std::max(nEq, 0) : 0;
    m_eq = eq;
    m_nIneq = ineq ? std::max(nIneq, 0) : 0;
    m_ineq = ineq;
    m_maxIter = maxIter;
    m_reserved2 = reserved2;

    // n outside the solver's 16-bit range is refused as a too small n is.
    if (x && n >= 0 && n <= 0xFFFF)
        RunSolver(static_cast<unsigned short>(n), x, &CZELTMathOptShor::f_fun, nullptr, opts,
                  &CZELTMathOptShor::f_func, nullptr);
    return 33;
}

double CZELTMathOptShor::f_fun(double* x) const
{
    double value = 0.0;
    ObjFunction(0, m_n, x, value);
    return value;
}

double CZELTMathOptShor::f_func(double* x) const
{
    double r = -DBL_MAX;
    const int n = m_n;
    if (m_lower)
        for (int i = 0; i < n; ++i)
            r = std::max(r, m_lower[i] - x[i]);
    if (m_upper)
        for (int i = 0; i < n; ++i)
            r = std::max(r, x[i] - m_upper[i]);
    auto row = [&](const double* a) {
        double s = a[n];
        for (int i = 0; i < n; ++i)
            s += a[i] * x[i];
        return s;
    };
    for (int k = 0; k < m_nIneq; ++k)
        r = std::max(r, row(m_ineq + static_cast<std::size_t>(k) * (n + 1)));
    for (int k = 0; k < m_nEq; ++k)
        r = std::max(r, std::fabs(row(m_eq + static_cast<std::size_t>(k) * (n + 1))));
    for (int j = 0; j < m_nNonlin; ++j) {
        double value = 0.0;
        ObjConstraint(j, n, x, value);
        // A NaN residual must not read as satisfied.
        r = std::isnan(value) ? value : std::max(r, value);
        if (std::isnan(r))
            break;
    }
    return r;
}

void CZELTMathOptShor::ApproxGradient(unsigned short n, double* g, double* x, double f, Function fun,
                                      double* deltax, unsigned short t) const
{
    zeltmath::detail::ApproxGradient(
        n, g, x, f,
        [this, fun](double* p) {
            if (m_counter)
                *m_counter += 1;
            return (this->*fun)(p);
        },
        deltax, t == 1);
}

double CZELTMathOptShor::RunSolver(unsigned short n, double* x, Function fun, Gradient grad, double* options,
                                   Function func, Gradient gradc) const
{
    zeltmath::detail::ShorProblem problem;
    problem.fun = [this, fun](double* p) { return (this->*fun)(p); };
    if (func)
        problem.func = [this, func](double* p) { return (this->*func)(p); };
    problem.approx = [this, n, fun, func, options](double* g, double* p, double f, bool objective,
                                                   double* deltax) {
        struct Counting {
            double*& slot;
            ~Counting() { slot = nullptr; }
        } counting{m_counter};
        m_counter = &options[objective ? 9 : 11];
        ApproxGradient(n, g, p, f, objective ? fun : func, deltax, objective ? 1 : 0);
    };
    if (grad)
        problem.grad = [this, grad](double* p, double* g) { (this->*grad)(p, g); };
    if (gradc)
        problem.gradc = [this, gradc](double* p, double* g) { (this->*gradc)(p, g); };
    return zeltmath::detail::RunShor(n, x, options, problem);
}
