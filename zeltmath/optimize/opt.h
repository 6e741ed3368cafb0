#ifndef ZELTMATH_OPTIMIZE_OPT_H
#define ZELTMATH_OPTIMIZE_OPT_H
/// \file
/// The interface of the nonlinear optimizers.

#include <zeltmath/base/export.h>
#include <zeltmath/base/zelt_base.h>

/// Abstract base of the nonlinear optimizers.  An application derives from a
/// concrete optimizer, supplies the objective (and its nonlinear constraints)
/// through the protected callbacks and calls Optimize.
///
/// The callbacks are const and may be called any number of times, in any
/// order the algorithm chooses; they must not rely on a calling sequence.
class ZELTMATH_API CZELTMathOpt : public virtual CZELTBase {
protected:
    /// Stores in value the objective at x (n variables).  The optimizers pass
    /// index 0 and ignore the result.
    virtual bool ObjFunction(int index, int n, const double* x, double& value) const = 0;
    /// Stores in value the residual of nonlinear constraint index at x; the
    /// constraint holds when the residual is at most the feasibility
    /// tolerance.  The result is ignored.  This default stores ZT_INFINITY and
    /// returns true: a class that announces nonlinear constraints overrides it.
    virtual bool ObjConstraint(int index, int n, const double* x, double& value) const;
    /// Analytic gradients (grad receives n values), for optimizers that use them.
    virtual bool ObjGradient(int index, int n, const double* x, double* grad) const = 0;
    /// Analytic gradient of nonlinear constraint index (grad receives n values).
    virtual bool ObjConstraintGradient(int index, int n, const double* x, double* grad) const = 0;

public:
    /// Minimises the objective; see the concrete optimizer for the arguments
    /// and the result.
    virtual int Optimize(int n, double* x, int nNonlin, double reserved, const double* lower, const double* upper,
                         int nEq, const double* eq, int nIneq, const double* ineq, int maxIter, int reserved2,
                         const double* options) const = 0;

    /// Copies the optimizer.
    CZELTMathOpt(const CZELTMathOpt&) = default;
    /// Copies the optimizer.
    CZELTMathOpt& operator=(const CZELTMathOpt&) = default;

protected:
    /// Only derived optimizers are created.
    CZELTMathOpt() = default;
    /// Virtual, so that derived objects are destroyed completely.
    ~CZELTMathOpt() override;
};

#endif
