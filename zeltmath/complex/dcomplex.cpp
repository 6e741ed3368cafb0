#include <zeltmath/complex/dcomplex.h>

#include <cmath>

dcomplex::~dcomplex() = default;

dcomplex dcomplex::Cadd(dcomplex a, dcomplex b) const
{
    return dcomplex(a.re + b.re, a.im + b.im);
}

dcomplex dcomplex::Csub(dcomplex a, dcomplex b) const
{
    return dcomplex(a.re - b.re, a.im - b.im);
}

dcomplex dcomplex::Cmul(dcomplex a, dcomplex b) const
{
    return dcomplex(a.re * b.re - a.im * b.im, a.im * b.re + a.re * b.im);
}

dcomplex dcomplex::Cdiv(dcomplex a, dcomplex b) const
{
    if (std::fabs(b.re) >= std::fabs(b.im)) {
        const double r = b.im / b.re;
        const double den = b.re + r * b.im;
        return dcomplex((a.re + r * a.im) / den, (a.im - r * a.re) / den);
    }
    const double r = b.re / b.im;
    const double den = b.im + r * b.re;
    return dcomplex((a.re * r + a.im) / den, (a.im * r - a.re) / den);
}

dcomplex dcomplex::Complex(double re_, double im_) const
{
    return dcomplex(re_, im_);
}

double dcomplex::Cabs(dcomplex z) const
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

dcomplex dcomplex::Conjg(dcomplex z) const
{
    return dcomplex(z.re, -z.im);
}

dcomplex dcomplex::Csqrt(dcomplex z) const
{
    if (z.re == 0.0 && z.im == 0.0)
        return dcomplex(0.0, 0.0);
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
        return dcomplex(w, z.im / (2.0 * w));
    const double im = z.im >= 0.0 ? w : -w;
    return dcomplex(z.im / (2.0 * im), im);
}

dcomplex dcomplex::RCmul(double x, dcomplex a) const
{
    return dcomplex(x * a.re, x * a.im);
}

dcomplex dcomplex::RCadd(double x, dcomplex a) const
{
    return dcomplex(x + a.re, a.im);
}

bool operator<(const dcomplex&, dcomplex)
{
    return false;
}

bool operator==(const dcomplex&, dcomplex)
{
    return false;
}
