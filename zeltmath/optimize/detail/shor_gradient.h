#ifndef ZELTMATH_OPTIMIZE_DETAIL_SHOR_GRADIENT_H
#define ZELTMATH_OPTIMIZE_DETAIL_SHOR_GRADIENT_H

#include <functional>

namespace zeltmath {
namespace detail {

// Finite-difference gradient of fun at x, where its value is f, into g (n
// values), with the signed relative steps deltax.  objective selects the
// objective's rule (steps below 2e-10 become 2e-10 and central; an unchanged
// value retries with a ten times larger step, up to 3 times) over the
// constraint function's (steps below 5e-15 become 5e-15).  x is restored
// coordinate by coordinate, also when fun throws.
void ApproxGradient(unsigned n, double* g, double* x, double f, const std::function<double(double*)>& fun,
                    const double* deltax, bool objective);

} // namespace detail
} // namespace zeltmath

#endif
