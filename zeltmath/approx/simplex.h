#ifndef ZELTMATH_APPROX_SIMPLEX_H
#define ZELTMATH_APPROX_SIMPLEX_H
/// \file
/// Linear programming by the simplex method.

#include <zeltmath/base/export.h>

#include <vector>

/// One linear constraint a . x (relation) b; the relation is given by the list
/// the constraint is passed in.
struct ZELTMATH_API constraint {
    std::vector<double> a;  ///< one coefficient per variable
    double b = 0.0;         ///< right-hand side

    /// Always false, even for a constraint compared with itself: constraints
    /// carry no identity, the operator only lets vectors of them be compared
    /// (such vectors are equal only when both are empty).
    bool operator==(const constraint& other) const;
};

/// Linear program: minimise cost . x subject to eqs (a . x = b), ges
/// (a . x >= b) and x >= 0, solved by the lp_solve engine.
///
/// Result:
///   0    optimum found; x[0 .. n-1] receive it (n = cost.size()).
///   100  cost is empty; nothing is built and x is untouched.
///   2    the program is infeasible; x untouched.
///   3    the program is unbounded; x untouched.
///   4    any other failure of the engine; x untouched.
///
/// The engine's own breakdowns are thrown as CZELTException: code 0xFFFFFFFF
/// (no message) when memory runs out, code 1 (no message) when the simplex
/// loses a valid pivot row through numerical instability.
///
/// x is written element by element and never resized.  Misuse is rejected
/// with std::invalid_argument before anything is built (x untouched): x
/// holding fewer than n elements, a constraint with fewer than n
/// coefficients, or a NaN among the values read.  Only the first n
/// coefficients of a constraint are read; magnitudes of 1e30 and more count
/// as infinite for the engine.
ZELTMATH_API int SimplexSolve(std::vector<double>& cost, std::vector<constraint>& eqs,
                              std::vector<constraint>& ges, std::vector<double>& x);

#endif
