#ifndef ZELTMATH_OPTIMIZE_SHOR_H
#define ZELTMATH_OPTIMIZE_SHOR_H
/// \file
/// Constrained minimisation by Shor's r-algorithm.

#include <zeltmath/base/export.h>
#include <zeltmath/optimize/opt.h>

/// Constrained minimisation by Shor's r-algorithm: subgradient steps in a
/// space dilated along the difference of successive gradients, constraints
/// handled by an exact penalty on the largest constraint residual, every
/// gradient taken by finite differences.  Nothing is printed.
///
/// Derive from it, override ObjFunction (and ObjConstraint when there are
/// nonlinear constraints) and call Optimize.  The object keeps the arguments
/// and the working state of its current run: one object runs one
/// optimisation at a time.
class ZELTMATH_API CZELTMathOptShor : public CZELTMathOpt {
public:
    /// Minimises the objective of n variables from the start point x.
    ///
    /// x receives the point where the run ended: its last accepted point (the
    /// recorded best point when the run had gone back to it), whatever the
    /// reason the run ended for.
    ///
    ///   nNonlin   number of nonlinear constraints, ObjConstraint(0 .. nNonlin-1)
    ///   lower     n lower bounds, or null;  upper: n upper bounds, or null
    ///   eq        nEq rows of n + 1 values a0 .. a(n-1), b: a.x + b = 0
    ///   ineq      nIneq rows of n + 1 values:                a.x + b <= 0
    ///   maxIter   iteration limit, used when options is null
    ///   options   null, or 13 doubles:
    ///     [0] |value| other than 1 sets the smallest initial step (default -1)
    ///     [1] relative tolerance on the argument    [2] ... on the function
    ///     [3] iteration limit                       [4] display (no effect)
    ///     [5] largest constraint residual counted as feasible
    ///     [6] space-dilation coefficient            [7] relative step of the
    ///         finite differences;  [8] .. [12] are outputs of the run, which
    ///         works on a private copy: the caller's array is never written.
    ///         A positive value passed in [8] raises the argument tolerance to
    ///         100 times it; pass 0 there.
    ///     Zero entries take the solver defaults (-1, 1e-4, 1e-6, 15000, 0,
    ///     1e-8, 2.5, 1e-11); without options the run uses -1, 1e-8, 1e-6,
    ///     maxIter, 0, 1e-6, 2.5, 1e-9.
    ///   reserved, reserved2   stored with the other arguments, read by nothing.
    ///
    /// Always returns 33; whether the run met its goals shows only in x (the
    /// caller evaluates the objective and the constraints there).  n < 2, or a
    /// start point where the objective is 1e100 or more in magnitude, leaves x
    /// unchanged.  Negative counts act as 0, a null row array as no rows, a
    /// null x as an empty run; n above 65535 is not accepted (x unchanged).
    /// An exception thrown by a callback passes through; x then holds the
    /// last point the run had moved to.
    int Optimize(int n, double* x, int nNonlin, double reserved, const double* lower, const double* upper, int nEq,
                 const double* eq, int nIneq, const double* ineq, int maxIter, int reserved2,
                 const double* options) const override;

    /// A copy of the optimizer's state.
    CZELTMathOptShor(const CZELTMathOptShor&) = default;
    /// Copies the optimizer's state.
    CZELTMathOptShor& operator=(const CZELTMathOptShor&) = default;
    /// Virtual, so that derived objects are destroyed completely.
    ~CZELTMathOptShor() override;

protected:
    /// Created as the base of an application class that supplies the objective.
    CZELTMathOptShor() = default;

    /// Never called by this optimizer (all gradients are approximated); they
    /// report failure and leave grad unchanged.
    bool ObjGradient(int index, int n, const double* x, double* grad) const override;
    /// As ObjGradient, for the constraints.
    bool ObjConstraintGradient(int index, int n, const double* x, double* grad) const override;

private:
    typedef double (CZELTMathOptShor::*Function)(double* x) const;
    typedef void (CZELTMathOptShor::*Gradient)(double* x, double* grad) const;

    /// Objective at x.
    double f_fun(double* x) const;
    /// Largest constraint residual at x (bounds, linear rows, nonlinear
    /// constraints); -(largest double) when there are no constraints.
    double f_func(double* x) const;
    /// Finite-difference gradient into g at x, where the value is f; t = 1
    /// for the objective, 0 for the constraint function.
    void ApproxGradient(unsigned short n, double* g, double* x, double f, Function fun, double* deltax,
                        unsigned short t) const;
    /// The r-algorithm.  grad and gradc may be null (gradients approximated);
    /// func null means an unconstrained run.  options: 13 doubles, read and
    /// written.  Returns the objective at the point left in x.
    double RunSolver(unsigned short n, double* x, Function fun, Gradient grad, double* options, Function func,
                     Gradient gradc) const;

    /// Arguments of the last Optimize call.
    mutable int m_n = 0;
    mutable double* m_x = nullptr;
    mutable int m_nNonlin = 0;
    mutable double m_reserved = 0.0;
    mutable const double* m_lower = nullptr;
    mutable const double* m_upper = nullptr;
    mutable int m_nEq = 0;
    mutable const double* m_eq = nullptr;
    mutable int m_nIneq = 0;
    mutable const double* m_ineq = nullptr;
    mutable int m_maxIter = 0;
    mutable int m_reserved2 = 0;
    /// Evaluation counter of the function ApproxGradient is differencing.
    mutable double* m_counter = nullptr;
};

#endif
