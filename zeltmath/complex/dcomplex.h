#ifndef ZELTMATH_COMPLEX_DCOMPLEX_H
#define ZELTMATH_COMPLEX_DCOMPLEX_H
/// \file
/// Double-precision complex numbers.

#include <zeltmath/base/export.h>

/// Double-precision complex number with public parts.  The arithmetic comes as
/// members that take both operands as arguments and return a new value; the
/// object they are called on takes no part in the computation:
///
///     dcomplex c;
///     dcomplex q = c.Cdiv(c.Complex(1, 2), c.Complex(3, -1));
class ZELTMATH_API dcomplex {
public:
    /// The real part.
    double re;
    /// The imaginary part.
    double im;

    /// Zero, (0, 0).
    dcomplex() : re(0.0), im(0.0) {}
    /// re_ + i im_.
    dcomplex(double re_, double im_) : re(re_), im(im_) {}
    /// A copy of z.
    dcomplex(const dcomplex& z) : re(z.re), im(z.im) {}
    /// Copies both parts of z.
    dcomplex& operator=(const dcomplex& z)
    {
        re = z.re;
        im = z.im;
        return *this;
    }
    /// Virtual, so that derived objects are destroyed completely.
    virtual ~dcomplex() {}

    /// a + b.
    dcomplex Cadd(dcomplex a, dcomplex b) const;
    /// a - b.
    dcomplex Csub(dcomplex a, dcomplex b) const;
    /// a * b.
    dcomplex Cmul(dcomplex a, dcomplex b) const;
    /// a / b, scaled by the larger part of b so that no part is squared.  A
    /// zero divisor gives NaN parts (0 / 0); nothing is reported.
    dcomplex Cdiv(dcomplex a, dcomplex b) const;
    /// The number re_ + i im_.
    dcomplex Complex(double re_, double im_) const;
    /// The modulus, computed without squaring a part, so it does not overflow
    /// for parts near the largest double.
    double Cabs(dcomplex z) const;
    /// The conjugate of z: (z.re, -z.im).
    dcomplex Conjg(dcomplex z) const;
    /// The principal square root: real part >= 0; a negative real argument
    /// gives (0, +sqrt|re|).
    dcomplex Csqrt(dcomplex z) const;
    /// (x * a.re, x * a.im)
    dcomplex RCmul(double x, dcomplex a) const;
    /// (x + a.re, a.im)
    dcomplex RCadd(double x, dcomplex a) const;
};

/// Placeholders that let standard containers of dcomplex be compared: neither
/// looks at the values.  operator== is false for every pair (equal values
/// included) and operator< is false for every pair, so two vectors of dcomplex
/// compare equal only when both are empty.  Compare the parts to test values.
ZELTMATH_API bool operator<(const dcomplex& a, dcomplex b);
/// Always false (see operator<).
ZELTMATH_API bool operator==(const dcomplex& a, dcomplex b);

#endif
