#ifndef ZELTMATH_S2D_DETAIL_TOLERANT_H
#define ZELTMATH_S2D_DETAIL_TOLERANT_H

#include <cmath>

namespace S2D {
namespace detail {

// Inline copies of the numeric core's tolerant comparisons for the inner
// loops of the shape code.  `tolAbs` is the magnitude of the tolerance; the
// results agree with IsZero, IsLess and IsNonGreater bit for bit, NaN
// included.
inline bool ZeroWithin(double x, double tolAbs)
{
    return std::fabs(x) <= tolAbs;
}

inline bool LessBeyond(double a, double b, double tolAbs)
{
    if (a > b)
        return false;
    return !(std::fabs(a - b) <= tolAbs);
}

inline bool NonGreaterWithin(double a, double b, double tolAbs)
{
    return a <= b || std::fabs(a - b) <= tolAbs;
}

} // namespace detail
} // namespace S2D

#endif
