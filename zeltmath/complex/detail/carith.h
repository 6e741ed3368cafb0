#ifndef ZELTMATH_COMPLEX_DETAIL_CARITH_H
#define ZELTMATH_COMPLEX_DETAIL_CARITH_H

#include <cmath>

// The complex arithmetic of dcomplex on a plain pair of doubles, inline, so
// that the root finder's inner loops do not pay for calls and for passing
// objects with a table of virtual operations.  dcomplex's members forward
// here, so both give the same results bit for bit.

namespace zeltmath {
namespace detail {

struct Cx {
    double re;
    double im;
};

inline Cx CxAdd(Cx a, Cx b) { return {a.re + b.re, a.im + b.im}; }
inline Cx CxSub(Cx a, Cx b) { return {a.re - b.re, a.im - b.im}; }
inline Cx CxMul(Cx a, Cx b) { return {a.re * b.re - a.im * b.im, a.im * b.re + a.re * b.im}; }
inline Cx CxConj(Cx z) { return {z.re, -z.im}; }
inline Cx CxRMul(double x, Cx a) { return {x * a.re, x * a.im}; }
inline Cx CxRAdd(double x, Cx a) { return {x + a.re, a.im}; }

// a / b, scaled by the larger part of b (ties: the real part).
inline Cx CxDiv(Cx a, Cx b)
{
    if (std::fabs(b.re) >= std::fabs(b.im)) {
        const double r = b.im / b.re;
        const double den = b.re + r * b.im;
        return {(a.re + r * a.im) / den, (a.im - r * a.re) / den};
    }
    const double r = b.re / b.im;
    const double den = b.im + r * b.re;
    return {(a.re * r + a.im) / den, (a.im * r - a.re) / den};
}

// The modulus without squaring a part.
inline double CxAbs(Cx z)
{
    const double x = std::fabs(z.re);
    const double y = std::fabs(z.im);
    if (x == 0.0)
        return y;
    if (y == 0.0)
        return x;
    if (x > y) {
        const double t = y / x;
        return x * std::sqrt(1.0 + t * t);
    }
    const double t = x / y;
    return y * std::sqrt(1.0 + t * t);
}

// The principal square root (real part >= 0).
inline Cx CxSqrt(Cx z)
{
    if (z.re == 0.0 && z.im == 0.0)
        return {0.0, 0.0};
    const double x = std::fabs(z.re);
    const double y = std::fabs(z.im);
    double w;
    if (x >= y) {
        const double r = y / x;
        w = std::sqrt(x) * std::sqrt(0.5 * (1.0 + std::sqrt(1.0 + r * r)));
    } else {
        const double r = x / y;
        w = std::sqrt(y) * std::sqrt(0.5 * (r + std::sqrt(1.0 + r * r)));
    }
    if (z.re >= 0.0)
        return {w, z.im / (2.0 * w)};
    const double im = z.im >= 0.0 ? w : -w;
    return {z.im / (2.0 * im), im};
}

} // namespace detail
} // namespace zeltmath

#endif
