#ifndef ZELTMATH_NUMERIC_DETAIL_TOLERANCE_H
#define ZELTMATH_NUMERIC_DETAIL_TOLERANCE_H

#include <cmath>

namespace zeltmath {
namespace detail {

// The tolerant comparisons behind IsZero, IsLess and IsNonGreater, inline
// for the inner loops of the shape code.  The exported functions return
// these, so both agree bit for bit, NaN included.  The tolerance acts by its
// magnitude.

inline bool ZeroWithin(double x, double eps)
{
    return std::fabs(x) <= std::fabs(eps);
}

// a is below b by more than the tolerance.
inline bool LessBeyond(double a, double b, double eps)
{
    if (a > b)
        return false;
    return !ZeroWithin(a - b, eps);
}

// a is not above b by more than the tolerance.
inline bool NonGreaterWithin(double a, double b, double eps)
{
    return a <= b || ZeroWithin(a - b, eps);
}

} // namespace detail
} // namespace zeltmath

#endif
