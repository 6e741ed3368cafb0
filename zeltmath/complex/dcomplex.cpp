#include <zeltmath/complex/dcomplex.h>

#include <zeltmath/complex/detail/carith.h>

namespace {

using zeltmath::detail::Cx;

Cx In(const dcomplex& z)
{
    return {z.re, z.im};
}

dcomplex Out(Cx z)
{
    return dcomplex(z.re, z.im);
}

} // namespace

dcomplex dcomplex::Cadd(dcomplex a, dcomplex b) const
{
    return Out(zeltmath::detail::CxAdd(In(a), In(b)));
}

dcomplex dcomplex::Csub(dcomplex a, dcomplex b) const
{
    return Out(zeltmath::detail::CxSub(In(a), In(b)));
}

dcomplex dcomplex::Cmul(dcomplex a, dcomplex b) const
{
    return Out(zeltmath::detail::CxMul(In(a), In(b)));
}

dcomplex dcomplex::Cdiv(dcomplex a, dcomplex b) const
{
    return Out(zeltmath::detail::CxDiv(In(a), In(b)));
}

dcomplex dcomplex::Complex(double re_, double im_) const
{
    return dcomplex(re_, im_);
}

double dcomplex::Cabs(dcomplex z) const
{
    return zeltmath::detail::CxAbs(In(z));
}

dcomplex dcomplex::Conjg(dcomplex z) const
{
    return Out(zeltmath::detail::CxConj(In(z)));
}

dcomplex dcomplex::Csqrt(dcomplex z) const
{
    return Out(zeltmath::detail::CxSqrt(In(z)));
}

dcomplex dcomplex::RCmul(double x, dcomplex a) const
{
    return Out(zeltmath::detail::CxRMul(x, In(a)));
}

dcomplex dcomplex::RCadd(double x, dcomplex a) const
{
    return Out(zeltmath::detail::CxRAdd(x, In(a)));
}

bool operator<(const dcomplex&, dcomplex)
{
    return false;
}

bool operator==(const dcomplex&, dcomplex)
{
    return false;
}
