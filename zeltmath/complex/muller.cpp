#include <zeltmath/complex/muller.h>

#include <zeltmath/complex/detail/carith.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <vector>

// The public steps are thin wrappers around the functions of the anonymous
// namespace below, which call each other directly (and inline) in the
// iteration loops.

namespace {

using namespace zeltmath::detail;

constexpr double kBig = 1e36;                          // "no value yet"
constexpr double kMullerEps = 2.220446049250313e-11;   // root acceptance
constexpr double kMachEps = 2.220446049250313e-16;
constexpr double kNoiseStart = 2.220446049250313e-14;  // no-progress test
constexpr int kIterMax = 150;
constexpr int kNoiseMax = 5;
constexpr double kMaxStepGrowth = 1000.0;
constexpr int kHalvingMax = 1000;
constexpr double kRestartBound = 1e-5;
constexpr double kRealRootBound = 1e-8;

// Iterates and function values beyond this are treated as overflowing.
const double kOverflowBound = std::sqrt(DBL_MAX) / 10000.0;
const double kOverflowExponent = std::log10(kOverflowBound) - 4.0;

// 0.999 * 10^(kOverflowExponent / n) for the degrees n = 1 ... 99, filled
// once at load time: no iterate below it can be pulled back.
struct QuickBounds {
    double bound[100];
    QuickBounds()
    {
        bound[0] = 0.0;
        for (int n = 1; n < 100; ++n)
            bound[n] = 0.999 * std::pow(10.0, kOverflowExponent / n);
    }
};
const QuickBounds kQuickBounds;

inline double QuickOverflowBound(int nred)
{
    const int n = nred < 0 ? -nred : nred;
    return n > 0 && n < 100 ? kQuickBounds.bound[n] : 0.0;
}

inline Cx C(const dcomplex& z)
{
    return {z.re, z.im};
}

inline void Set(dcomplex& d, Cx v)
{
    d.re = v.re;
    d.im = v.im;
}

inline Cx Turn(int iter)
{
    return {std::cos(static_cast<double>(iter)), std::sin(static_cast<double>(iter))};
}

// p(x) by Horner's scheme; p'(x) too when withDerivative.
inline void Horner(const dcomplex* p, int n, Cx x, Cx& f, Cx* df)
{
    double fr = p[n].re, fi = p[n].im;
    if (df) {
        double dr = 0.0, di = 0.0;
        for (int i = n - 1; i >= 0; --i) {
            const double ndr = dr * x.re - di * x.im + fr;
            di = dr * x.im + di * x.re + fi;
            dr = ndr;
            const double nfr = fr * x.re - fi * x.im + p[i].re;
            fi = fr * x.im + fi * x.re + p[i].im;
            fr = nfr;
        }
        *df = {dr, di};
    } else {
        for (int i = n - 1; i >= 0; --i) {
            const double nfr = fr * x.re - fi * x.im + p[i].re;
            fi = fr * x.im + fi * x.re + p[i].im;
            fr = nfr;
        }
    }
    f = {fr, fi};
}

inline void Evaluate(const dcomplex* p, int n, const dcomplex& x, dcomplex& f)
{
    Cx v;
    Horner(p, n, C(x), v, nullptr);
    Set(f, v);
}

void RootOfParabola(CZELTMuller& s)
{
    const Cx q = C(s.q2), f0 = C(s.f0), f1 = C(s.f1), f2 = C(s.f2);
    const Cx a2 = CxMul(q, CxSub(CxAdd(f2, CxMul(q, f0)), CxMul(f1, CxRAdd(1.0, q))));
    const Cx b2 = CxAdd(CxSub(f2, f1),
                        CxMul(q, CxAdd(CxMul(q, CxSub(f0, f1)), CxRMul(2.0, CxSub(f2, f1)))));
    const Cx c2 = CxMul(f2, CxRAdd(1.0, q));
    const Cx discr = CxSub(CxMul(b2, b2), CxRMul(4.0, CxMul(a2, c2)));
    const Cx sq = CxSqrt(discr);
    const Cx n1 = CxSub(b2, sq);
    const Cx n2 = CxAdd(b2, sq);
    // The larger denominator, if it is above machine epsilon.  Squared moduli
    // decide clear cases without divisions and square roots; close calls go
    // to the moduli themselves, so the choice is always that of the moduli.
    int pick = -1;  // 1: n1, 2: n2, 0: neither, -1: undecided
    const double a = n1.re * n1.re + n1.im * n1.im;
    const double b = n2.re * n2.re + n2.im * n2.im;
    constexpr double kMargin = 1.0 + 1e-9;
    constexpr double kEpsSq = kMachEps * kMachEps * kMargin;
    if (a > 1e-280 && b > 1e-280 && a < 1e280 && b < 1e280) {
        if (a > b * kMargin && a > kEpsSq)
            pick = 1;
        else if (b > a * kMargin && b > kEpsSq)
            pick = 2;
    }
    if (pick < 0) {
        const double n1abs = CxAbs(n1), n2abs = CxAbs(n2);
        if (n1abs > n2abs && n1abs > kMachEps)
            pick = 1;
        else if (n2abs > kMachEps)
            pick = 2;
        else
            pick = 0;
    }
    if (pick == 1)
        Set(s.q2, CxDiv(CxRMul(-2.0, c2), n1));
    else if (pick == 2)
        Set(s.q2, CxDiv(CxRMul(-2.0, c2), n2));
    else
        Set(s.q2, Turn(s.iter));
}

void IterationEquation(CZELTMuller& s, double* h2abs)
{
    Cx h2 = CxMul(C(s.h2), C(s.q2));
    const double h2absnew = CxAbs(h2);
    if (h2absnew > kMaxStepGrowth * *h2abs) {
        const double help = kMaxStepGrowth / h2absnew;
        h2 = CxRMul(help, h2);
        Set(s.q2, CxRMul(help, C(s.q2)));
    }
    Set(s.h2, h2);
    *h2abs = h2absnew;
    Set(s.x2, CxAdd(C(s.x2), h2));
}

// Halves the latest step: q2, h2 halved and x2 moved back by the new h2.
inline void HalveStep(CZELTMuller& s)
{
    Set(s.h2, CxRMul(0.5, C(s.h2)));
    Set(s.q2, CxRMul(0.5, C(s.q2)));
    Set(s.x2, CxSub(C(s.x2), C(s.h2)));
}

void SuppressOverflow(CZELTMuller& s, int nred)
{
    // |x2| below 10^(kOverflowExponent / |nred|) cannot pass the test; the
    // logarithm is taken only for iterates near or above that bound.
    const double quickBound = QuickOverflowBound(nred);
    int kiter = 0;
    for (;;) {
        const double help = CxAbs(C(s.x2));
        if (!(help > 1.0 && help > quickBound &&
              std::fabs(nred * std::log10(help)) > kOverflowExponent))
            break;
        ++kiter;
        if (kiter >= kHalvingMax)
            break;
        HalveStep(s);
    }
}

void TooBigFunctionValues(const CZELTMuller& s, double* f2absq)
{
    const double sum = std::fabs(s.f2.re) + std::fabs(s.f2.im);
    if (sum > kOverflowBound)
        *f2absq = sum;
    else
        *f2absq = s.f2.re * s.f2.re + s.f2.im * s.f2.im;
}

void ConvergenceCheck(CZELTMuller& s, int* overflow, double f1absq, double f2absq,
                      double epsilon)
{
    if (f2absq > 100.0 * f1absq && CxAbs(C(s.q2)) > epsilon && s.iter < kIterMax) {
        HalveStep(s);
        *overflow = 1;
    }
}

void ComputeFunction(CZELTMuller& s, const dcomplex* pred, int n, double f1absq,
                     double* f2absq, double epsilon)
{
    int overflow;
    do {
        overflow = 0;
        SuppressOverflow(s, n);
        Evaluate(pred, n, s.x2, s.f2);
        TooBigFunctionValues(s, f2absq);
        ++s.iter;
        ConvergenceCheck(s, &overflow, f1absq, *f2absq, epsilon);
    } while (overflow != 0);
}

void CheckXValue(CZELTMuller& s, dcomplex* xb, double* f2absqb, int* rootd, double f1absq,
                 double f2absq, double epsilon, int* noise)
{
    if (0.99 * f1absq <= f2absq && f2absq <= 1.01 * f1absq) {
        // stagnation: enlarge a small step, turn a large one
        if (CxAbs(C(s.h2)) < 0.01) {
            Set(s.q2, CxRMul(2.0, C(s.q2)));
            Set(s.h2, CxRMul(2.0, C(s.h2)));
        } else {
            Set(s.q2, Turn(s.iter));
            Set(s.h2, CxMul(C(s.h2), C(s.q2)));
        }
    } else if (f2absq < *f2absqb) {
        *f2absqb = f2absq;
        *xb = s.x2;
        *noise = 0;
        if (std::sqrt(f2absq) < epsilon &&
            CxAbs(CxDiv(CxSub(C(s.x2), C(s.x1)), C(s.x2))) < epsilon)
            *rootd = 1;
    }
}

void RootCheck(CZELTMuller& s, const dcomplex* pred, int n, double f2absqb, int* seconditer,
               int* rootd, int* noise, const dcomplex& xb)
{
    if (*seconditer != 1 || !(f2absqb > 0.0))
        return;
    Cx f, df;
    Horner(pred, n, C(xb), f, &df);
    Set(s.f2, f);
    if (CxAbs(f) / (CxAbs(df) * CxAbs(C(xb))) > kRestartBound) {
        s.x0 = dcomplex(1.0, 0.0);
        s.x1 = dcomplex(-1.0, 0.0);
        s.x2 = dcomplex(0.0, 0.0);
        Evaluate(pred, n, s.x0, s.f0);
        Evaluate(pred, n, s.x1, s.f1);
        Evaluate(pred, n, s.x2, s.f2);
        s.iter = 0;
        ++*seconditer;
        *rootd = 0;
        *noise = 0;
    }
}

void Initialize(CZELTMuller& s, dcomplex* xb, double* epsilon)
{
    const double h = 1.0 / std::sqrt(2.0);
    s.x0 = dcomplex(0.0, 0.0);
    s.x1 = dcomplex(-h, -h);
    s.x2 = dcomplex(h, h);
    Set(s.h1, CxSub(C(s.x1), C(s.x0)));
    Set(s.h2, CxSub(C(s.x2), C(s.x1)));
    Set(s.q2, CxDiv(C(s.h2), C(s.h1)));
    *xb = s.x2;
    *epsilon = kMullerEps;
    s.iter = 0;
}

dcomplex Muller(CZELTMuller& s, const dcomplex* pred, int n)
{
    double f1absq = kBig, f2absq = kBig, f2absqb = kBig;
    int seconditer = 0, rootd = 0, noise = 0;
    dcomplex xb;
    double epsilon = 0.0;
    Initialize(s, &xb, &epsilon);
    Evaluate(pred, n, s.x0, s.f0);
    Evaluate(pred, n, s.x1, s.f1);
    Evaluate(pred, n, s.x2, s.f2);
    do {
        do {
            RootOfParabola(s);
            s.x0 = s.x1;
            s.x1 = s.x2;
            double h2abs = CxAbs(C(s.h2));
            IterationEquation(s, &h2abs);
            s.f0 = s.f1;
            s.f1 = s.f2;
            f1absq = f2absq;
            ComputeFunction(s, pred, n, f1absq, &f2absq, epsilon);
            CheckXValue(s, &xb, &f2absqb, &rootd, f1absq, f2absq, epsilon, &noise);
            // no progress when |x2| stays within 1e2 machine epsilon of |xb|
            // (which includes the step that has just made x2 the best point)
            if (xb.re == s.x2.re && xb.im == s.x2.im && (xb.re != 0.0 || xb.im != 0.0) &&
                std::fabs(xb.re) < 1e300 && std::fabs(xb.im) < 1e300) {
                ++noise;
            } else {
                const double xbabs = CxAbs(C(xb));
                if (std::fabs((xbabs - CxAbs(C(s.x2))) / xbabs) < kNoiseStart)
                    ++noise;
            }
        } while (s.iter <= kIterMax && rootd == 0 && noise <= kNoiseMax);
        ++seconditer;
        RootCheck(s, pred, n, f2absqb, &seconditer, &rootd, &noise, xb);
    } while (seconditer == 2);
    return xb;
}

Cx Newton(const dcomplex* p, int n, Cx ns, double* dxmax, unsigned char flag)
{
    Cx x = ns, xmin = ns, fx, dfx, dx{1.0, 0.0};
    double fabsmin = kBig;
    int noise = 0;
    *dxmax = CxAbs(dx);
    for (int it = 0; it < kIterMax; ++it) {
        Horner(p, n, x, fx, &dfx);
        const double fabsx = CxAbs(fx);
        if (fabsx < fabsmin) {
            xmin = x;
            fabsmin = fabsx;
            noise = 0;
        }
        if (CxAbs(dfx) != 0.0) {
            dx = CxDiv(fx, dfx);
            const double dxabs = CxAbs(dx);
            if (dxabs < 1e5 * *dxmax)
                *dxmax = dxabs;
        }
        const double xminabs = CxAbs(xmin);
        if (xminabs != 0.0 && (*dxmax / xminabs < kMachEps || noise == kNoiseMax))
            break;
        x = CxSub(x, dx);
        ++noise;
    }
    if (flag == 0 && std::fabs(xmin.im) < std::sqrt(kMachEps))
        xmin.im = 0.0;
    const double xminabs = CxAbs(xmin);
    if (xminabs != 0.0)
        *dxmax = *dxmax / xminabs;
    return xmin;
}

void Hornc(dcomplex* pred, int n, Cx x, unsigned char flag)
{
    if (flag & 1) {
        for (int i = n - 1; i >= 1; --i)
            Set(pred[i], CxAdd(C(pred[i]), CxMul(x, C(pred[i + 1]))));
    } else {
        for (int i = n - 1; i >= 1; --i)
            pred[i].re += x.re * pred[i + 1].re;
    }
}

void Horncd(dcomplex* pred, int n, double a, double b)
{
    pred[n - 1].re += a * pred[n].re;
    for (int i = n - 2; i >= 2; --i)
        pred[i].re += a * pred[i + 1].re + b * pred[i + 2].re;
}

int Poldef(dcomplex* pred, int n, dcomplex* root, unsigned char flag)
{
    const Cx x = C(root[n - 1]);
    if (x.im != 0.0)
        flag |= 2;
    if (flag == 2 && n >= 2) {
        Set(root[n - 2], CxConj(x));
        Horncd(pred, n, 2.0 * x.re, -(x.re * x.re + x.im * x.im));
        return 2;
    }
    Hornc(pred, n, x, flag);
    return 1;
}

void Quadratic(const dcomplex* pred, dcomplex* root)
{
    const Cx p0 = C(pred[0]), p1 = C(pred[1]), p2 = C(pred[2]);
    const Cx discr = CxSub(CxMul(p1, p1), CxRMul(4.0, CxMul(p2, p0)));
    const Cx sq = CxSqrt(discr);
    const Cx z1 = CxAdd(CxRMul(-1.0, p1), sq);
    const Cx z2 = CxSub(CxRMul(-1.0, p1), sq);
    const Cx den = CxRMul(2.0, p2);
    Set(root[0], CxDiv(z1, den));
    Set(root[1], CxDiv(z2, den));
}

unsigned char LinOrQuad(const dcomplex* pred, int nred, dcomplex* root)
{
    if (nred == 1) {
        Set(root[0], CxDiv(CxRMul(-1.0, C(pred[0])), C(pred[1])));
        return 0;
    }
    if (nred == 2) {
        Quadratic(pred, root);
        return 0;
    }
    return 1;
}

} // namespace

CZELTMuller::CZELTMuller() : iter(0) {}

CZELTMuller::CZELTMuller(const CZELTMuller& o)
    : dcomplex(o), x0(o.x0), x1(o.x1), x2(o.x2), f0(o.f0), f1(o.f1), f2(o.f2), h1(o.h1),
      h2(o.h2), q2(o.q2), iter(o.iter)
{
}

CZELTMuller& CZELTMuller::operator=(const CZELTMuller& o)
{
    dcomplex::operator=(o);
    x0 = o.x0;
    x1 = o.x1;
    x2 = o.x2;
    f0 = o.f0;
    f1 = o.f1;
    f2 = o.f2;
    h1 = o.h1;
    h2 = o.h2;
    q2 = o.q2;
    iter = o.iter;
    return *this;
}

CZELTMuller::~CZELTMuller() = default;

int CZELTMuller::StepMuller(int n, double* coef, int& nRoots, double* roots)
{
    nRoots = 0;
    if (!coef || !roots)
        return 1;
    // Three work arrays of 20 values (coefficients, deflated copy, roots); a
    // higher degree gets arrays of its size.
    constexpr int kFixed = 20;
    dcomplex fixed[3 * kFixed];
    std::vector<dcomplex> grown;
    dcomplex* work = fixed;
    std::size_t size = kFixed;
    if (n >= kFixed) {
        size = static_cast<std::size_t>(n) + 1;
        grown.resize(3 * size);
        work = grown.data();
    }
    dcomplex* p = work;
    dcomplex* pred = work + size;
    dcomplex* root = work + 2 * size;
    for (int i = 0; i <= n; ++i)
        p[i] = dcomplex(coef[i], 0.0);
    CZELTMuller solver;
    double maxerr = 0.0;
    if (solver.null(p, pred, &n, root, &maxerr, 0) != 0)
        return 1;
    for (int i = 0; i < n; ++i) {
        if (std::fabs(root[i].im) < kRealRootBound)
            roots[nRoots++] = root[i].re;
    }
    return 0;
}

unsigned char CZELTMuller::null(dcomplex* p, dcomplex* pred, int* n, dcomplex* root,
                                double* maxerr, unsigned char flag)
{
    if (!p || !pred || !n || !root || !maxerr)
        return 1;
    *maxerr = 0.0;
    int nred = 0;
    const unsigned char status = poly_check(p, &nred, n, root);
    if (status != 0)
        return status;
    if (LinOrQuad(p, nred, root) == 0) {
        *maxerr = kMachEps;
        return 0;
    }
    monic(p, n);
    for (int i = 0; i <= *n; ++i)
        pred[i] = p[i];

    double newerr = 0.0;
    dcomplex* work = pred;
    while (nred > 2) {
        Cx ns = C(Muller(*this, work, nred));
        ns = Newton(p, *n, ns, &newerr, flag);
        Set(root[nred - 1], ns);
        *maxerr = std::max(*maxerr, newerr);
        const int red = Poldef(work, nred, root, flag);
        work += red;
        nred -= red;
    }
    LinOrQuad(work, nred, root);
    if (nred == 2) {
        Set(root[1], Newton(p, *n, C(root[1]), &newerr, flag));
        *maxerr = std::max(*maxerr, newerr);
    }
    Set(root[0], Newton(p, *n, C(root[0]), &newerr, flag));
    *maxerr = std::max(*maxerr, newerr);
    return 0;
}

unsigned char CZELTMuller::poly_check(dcomplex* pred, int* nred, int* n, dcomplex*)
{
    if (*n < 0)
        return 1;
    for (int i = *n; i >= 0; --i) {
        if (CxAbs(C(pred[i])) != 0.0) {
            if (i == 0)
                return 3;
            *n = i;
            *nred = i;
            return 0;
        }
    }
    return 2;
}

unsigned char CZELTMuller::lin_or_quad(dcomplex* pred, int nred, dcomplex* root)
{
    return LinOrQuad(pred, nred, root);
}

void CZELTMuller::quadratic(dcomplex* pred, dcomplex* root)
{
    Quadratic(pred, root);
}

void CZELTMuller::monic(dcomplex* pred, int* n)
{
    const double factor = 1.0 / CxAbs(C(pred[*n]));
    if (factor != 1.0) {
        for (int i = 0; i <= *n; ++i)
            Set(pred[i], CxRMul(factor, C(pred[i])));
    }
}

dcomplex CZELTMuller::muller(dcomplex* pred, int n)
{
    return Muller(*this, pred, n);
}

void CZELTMuller::initialize(dcomplex*, dcomplex* xb, double* epsilon)
{
    Initialize(*this, xb, epsilon);
}

void CZELTMuller::root_of_parabola()
{
    RootOfParabola(*this);
}

void CZELTMuller::iteration_equation(double* h2abs)
{
    IterationEquation(*this, h2abs);
}

void CZELTMuller::compute_function(dcomplex* pred, int n, double f1absq, double* f2absq,
                                   double epsilon)
{
    ComputeFunction(*this, pred, n, f1absq, f2absq, epsilon);
}

void CZELTMuller::suppress_overflow(int nred)
{
    SuppressOverflow(*this, nred);
}

void CZELTMuller::too_big_functionvalues(double* f2absq)
{
    TooBigFunctionValues(*this, f2absq);
}

void CZELTMuller::convergence_check(int* overflow, double f1absq, double f2absq,
                                    double epsilon)
{
    ConvergenceCheck(*this, overflow, f1absq, f2absq, epsilon);
}

void CZELTMuller::check_x_value(dcomplex* xb, double* f2absqb, int* rootd, double f1absq,
                                double f2absq, double epsilon, int* noise)
{
    CheckXValue(*this, xb, f2absqb, rootd, f1absq, f2absq, epsilon, noise);
}

void CZELTMuller::root_check(dcomplex* pred, int n, double f2absqb, int* seconditer,
                             int* rootd, int* noise, dcomplex xb)
{
    RootCheck(*this, pred, n, f2absqb, seconditer, rootd, noise, xb);
}

void CZELTMuller::fdvalue(dcomplex* p, int n, dcomplex* f, dcomplex* df, dcomplex x,
                          unsigned char flag)
{
    Cx v, d;
    Horner(p, n, C(x), v, flag == 1 ? &d : nullptr);
    Set(*f, v);
    if (flag == 1)
        Set(*df, d);
}

dcomplex CZELTMuller::newton(dcomplex* p, int n, dcomplex ns, double* dxmax,
                             unsigned char flag)
{
    const Cx r = Newton(p, n, C(ns), dxmax, flag);
    return dcomplex(r.re, r.im);
}

int CZELTMuller::poldef(dcomplex* pred, int n, dcomplex* root, unsigned char flag)
{
    return Poldef(pred, n, root, flag);
}

void CZELTMuller::hornc(dcomplex* pred, int n, dcomplex x, unsigned char flag)
{
    Hornc(pred, n, C(x), flag);
}

void CZELTMuller::horncd(dcomplex* pred, int n, double a, double b)
{
    Horncd(pred, n, a, b);
}
