#ifndef ZELTMATH_OPTIMIZE_DETAIL_SHOR_RUN_H
#define ZELTMATH_OPTIMIZE_DETAIL_SHOR_RUN_H

#include <functional>

namespace zeltmath {
namespace detail {

// What one run of the r-algorithm calls.  fun is the objective; func, when
// set, the largest constraint residual.  approx fills g with the
// finite-difference gradient at x of the objective (objective = true) or of
// the constraint function, whose value there is f, with the signed relative
// steps deltax; it counts its own evaluations.  grad / gradc, when set,
// replace approx by analytic gradients.
struct ShorProblem {
    std::function<double(double* x)> fun;
    std::function<double(double* x)> func;
    std::function<void(double* g, double* x, double f, bool objective, double* deltax)> approx;
    std::function<void(double* x, double* g)> grad;
    std::function<void(double* x, double* g)> gradc;
};

// Termination codes left in options[8] (a positive value there is the
// iteration count of a normal end).
enum ShorCode {
    kShorBadSetup = -1,       // fewer than 2 variables, or no memory
    kShorInfiniteValue = -3,  // objective infinite at the start or repeatedly in a search
    kShorBadGradient = -4,    // objective gradient infinite, or zero at the start
    kShorInfiniteResidual = -5,
    kShorBadConstraintGradient = -6,
    kShorUnbounded = -7,
    kShorZeroGradient = -8,
    kShorIterationLimit = -9,
    kShorPremature = -11,     // a normal end after persistent ravine jumps
    kShorVanishingStep = -14,
};

// Runs the penalised r-algorithm from x (n values, receives the point found)
// with the 13 options (read and written: defaults filled in, counters and
// the termination code stored).  Returns the objective at x.
double RunShor(unsigned n, double* x, double* options, const ShorProblem& problem);

} // namespace detail
} // namespace zeltmath

#endif
