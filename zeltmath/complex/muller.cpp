#include <zeltmath/complex/muller.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

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

// Function values and iterates beyond this are treated as overflowing.
double OverflowBound()
{
    static const double bound = std::sqrt(DBL_MAX) / 10000.0;
    return bound;
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
    const std::size_t size = n < 20 ? 20 : static_cast<std::size_t>(n) + 1;
    std::vector<dcomplex> p(size), pred(size), root(size);
    for (int i = 0; i <= n; ++i)
        p[i] = dcomplex(coef[i], 0.0);
    CZELTMuller solver;
    double maxerr = 0.0;
    if (solver.null(p.data(), pred.data(), &n, root.data(), &maxerr, 0) != 0)
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
    if (lin_or_quad(p, nred, root) == 0) {
        *maxerr = kMachEps;
        return 0;
    }
    monic(p, n);
    for (int i = 0; i <= *n; ++i)
        pred[i] = p[i];

    double newerr = 0.0;
    dcomplex* work = pred;
    while (nred > 2) {
        dcomplex ns = muller(work, nred);
        ns = newton(p, *n, ns, &newerr, flag);
        root[nred - 1] = ns;
        *maxerr = std::max(*maxerr, newerr);
        const int red = poldef(work, nred, root, flag);
        work += red;
        nred -= red;
    }
    lin_or_quad(work, nred, root);
    if (nred == 2) {
        root[1] = newton(p, *n, root[1], &newerr, flag);
        *maxerr = std::max(*maxerr, newerr);
    }
    root[0] = newton(p, *n, root[0], &newerr, flag);
    *maxerr = std::max(*maxerr, newerr);
    return 0;
}

unsigned char CZELTMuller::poly_check(dcomplex* pred, int* nred, int* n, dcomplex*)
{
    if (*n < 0)
        return 1;
    int top = -1;
    for (int i = *n; i >= 0; --i) {
        if (Cabs(pred[i]) != 0.0) {
            top = i;
            break;
        }
    }
    if (top < 0)
        return 2;
    if (top == 0)
        return 3;
    *n = top;
    *nred = top;
    return 0;
}

unsigned char CZELTMuller::lin_or_quad(dcomplex* pred, int nred, dcomplex* root)
{
    if (nred == 1) {
        root[0] = Cdiv(RCmul(-1.0, pred[0]), pred[1]);
        return 0;
    }
    if (nred == 2) {
        quadratic(pred, root);
        return 0;
    }
    return 1;
}

void CZELTMuller::quadratic(dcomplex* pred, dcomplex* root)
{
    const dcomplex discr = Csub(Cmul(pred[1], pred[1]), RCmul(4.0, Cmul(pred[2], pred[0])));
    const dcomplex sq = Csqrt(discr);
    const dcomplex z1 = Cadd(RCmul(-1.0, pred[1]), sq);
    const dcomplex z2 = Csub(RCmul(-1.0, pred[1]), sq);
    const dcomplex den = RCmul(2.0, pred[2]);
    root[0] = Cdiv(z1, den);
    root[1] = Cdiv(z2, den);
}

void CZELTMuller::monic(dcomplex* pred, int* n)
{
    const double factor = 1.0 / Cabs(pred[*n]);
    if (factor != 1.0) {
        for (int i = 0; i <= *n; ++i)
            pred[i] = RCmul(factor, pred[i]);
    }
}

dcomplex CZELTMuller::muller(dcomplex* pred, int n)
{
    double f1absq = kBig, f2absq = kBig, f2absqb = kBig;
    int seconditer = 0, rootd = 0, noise = 0;
    dcomplex xb, df;
    double epsilon = 0.0;
    initialize(pred, &xb, &epsilon);
    fdvalue(pred, n, &f0, &df, x0, 0);
    fdvalue(pred, n, &f1, &df, x1, 0);
    fdvalue(pred, n, &f2, &df, x2, 0);
    do {
        do {
            root_of_parabola();
            x0 = x1;
            x1 = x2;
            double h2abs = Cabs(h2);
            iteration_equation(&h2abs);
            f0 = f1;
            f1 = f2;
            f1absq = f2absq;
            compute_function(pred, n, f1absq, &f2absq, epsilon);
            check_x_value(&xb, &f2absqb, &rootd, f1absq, f2absq, epsilon, &noise);
            const double xbabs = Cabs(xb);
            if (std::fabs((xbabs - Cabs(x2)) / xbabs) < kNoiseStart)
                ++noise;
        } while (iter <= kIterMax && rootd == 0 && noise <= kNoiseMax);
        ++seconditer;
        root_check(pred, n, f2absqb, &seconditer, &rootd, &noise, xb);
    } while (seconditer == 2);
    return xb;
}

void CZELTMuller::initialize(dcomplex*, dcomplex* xb, double* epsilon)
{
    const double h = 1.0 / std::sqrt(2.0);
    x0 = dcomplex(0.0, 0.0);
    x1 = dcomplex(-h, -h);
    x2 = dcomplex(h, h);
    h1 = Csub(x1, x0);
    h2 = Csub(x2, x1);
    q2 = Cdiv(h2, h1);
    *xb = x2;
    *epsilon = kMullerEps;
    iter = 0;
}

void CZELTMuller::root_of_parabola()
{
    const dcomplex a2 = Cmul(q2, Csub(Cadd(f2, Cmul(q2, f0)), Cmul(f1, RCadd(1.0, q2))));
    const dcomplex b2 =
        Cadd(Csub(f2, f1), Cmul(q2, Cadd(Cmul(q2, Csub(f0, f1)), RCmul(2.0, Csub(f2, f1)))));
    const dcomplex c2 = Cmul(f2, RCadd(1.0, q2));
    const dcomplex discr = Csub(Cmul(b2, b2), RCmul(4.0, Cmul(a2, c2)));
    const dcomplex sq = Csqrt(discr);
    const dcomplex n1 = Csub(b2, sq);
    const dcomplex n2 = Cadd(b2, sq);
    const double n1abs = Cabs(n1), n2abs = Cabs(n2);
    if (n1abs > n2abs && n1abs > kMachEps)
        q2 = Cdiv(RCmul(-2.0, c2), n1);
    else if (n2abs > kMachEps)
        q2 = Cdiv(RCmul(-2.0, c2), n2);
    else
        q2 = Complex(std::cos(static_cast<double>(iter)), std::sin(static_cast<double>(iter)));
}

void CZELTMuller::iteration_equation(double* h2abs)
{
    h2 = Cmul(h2, q2);
    const double h2absnew = Cabs(h2);
    if (h2absnew > kMaxStepGrowth * *h2abs) {
        const double help = kMaxStepGrowth / h2absnew;
        h2 = RCmul(help, h2);
        q2 = RCmul(help, q2);
    }
    *h2abs = h2absnew;
    x2 = Cadd(x2, h2);
}

void CZELTMuller::compute_function(dcomplex* pred, int n, double f1absq, double* f2absq,
                                   double epsilon)
{
    int overflow;
    dcomplex df;
    do {
        overflow = 0;
        suppress_overflow(n);
        fdvalue(pred, n, &f2, &df, x2, 0);
        too_big_functionvalues(f2absq);
        ++iter;
        convergence_check(&overflow, f1absq, *f2absq, epsilon);
    } while (overflow != 0);
}

void CZELTMuller::suppress_overflow(int nred)
{
    const double limit = std::log10(OverflowBound()) - 4.0;
    int kiter = 0;
    for (;;) {
        const double help = Cabs(x2);
        if (!(help > 1.0 && std::fabs(nred * std::log10(help)) > limit))
            break;
        ++kiter;
        if (kiter >= kHalvingMax)
            break;
        h2 = RCmul(0.5, h2);
        q2 = RCmul(0.5, q2);
        x2 = Csub(x2, h2);
    }
}

void CZELTMuller::too_big_functionvalues(double* f2absq)
{
    const double s = std::fabs(f2.re) + std::fabs(f2.im);
    if (s > OverflowBound())
        *f2absq = s;
    else
        *f2absq = f2.re * f2.re + f2.im * f2.im;
}

void CZELTMuller::convergence_check(int* overflow, double f1absq, double f2absq,
                                    double epsilon)
{
    if (f2absq > 100.0 * f1absq && Cabs(q2) > epsilon && iter < kIterMax) {
        q2 = RCmul(0.5, q2);
        h2 = RCmul(0.5, h2);
        x2 = Csub(x2, h2);
        *overflow = 1;
    }
}

void CZELTMuller::check_x_value(dcomplex* xb, double* f2absqb, int* rootd, double f1absq,
                                double f2absq, double epsilon, int* noise)
{
    if (0.99 * f1absq <= f2absq && f2absq <= 1.01 * f1absq) {
        // stagnation: enlarge a small step, turn a large one
        if (Cabs(h2) < 0.01) {
            q2 = RCmul(2.0, q2);
            h2 = RCmul(2.0, h2);
        } else {
            q2 = Complex(std::cos(static_cast<double>(iter)),
                         std::sin(static_cast<double>(iter)));
            h2 = Cmul(h2, q2);
        }
    } else if (f2absq < *f2absqb) {
        *f2absqb = f2absq;
        *xb = x2;
        *noise = 0;
        if (std::sqrt(f2absq) < epsilon && Cabs(Cdiv(Csub(x2, x1), x2)) < epsilon)
            *rootd = 1;
    }
}

void CZELTMuller::root_check(dcomplex* pred, int n, double f2absqb, int* seconditer,
                             int* rootd, int* noise, dcomplex xb)
{
    if (*seconditer != 1 || !(f2absqb > 0.0))
        return;
    dcomplex df;
    fdvalue(pred, n, &f2, &df, xb, 1);
    if (Cabs(f2) / (Cabs(df) * Cabs(xb)) > kRestartBound) {
        x0 = dcomplex(1.0, 0.0);
        x1 = dcomplex(-1.0, 0.0);
        x2 = dcomplex(0.0, 0.0);
        dcomplex unused;
        fdvalue(pred, n, &f0, &unused, x0, 0);
        fdvalue(pred, n, &f1, &unused, x1, 0);
        fdvalue(pred, n, &f2, &unused, x2, 0);
        iter = 0;
        ++*seconditer;
        *rootd = 0;
        *noise = 0;
    }
}

void CZELTMuller::fdvalue(dcomplex* p, int n, dcomplex* f, dcomplex* df, dcomplex x,
                          unsigned char flag)
{
    double fr = p[n].re, fi = p[n].im;
    if (flag == 1) {
        double dr = 0.0, di = 0.0;
        for (int i = n - 1; i >= 0; --i) {
            const double ndr = dr * x.re - di * x.im + fr;
            di = dr * x.im + di * x.re + fi;
            dr = ndr;
            const double nfr = fr * x.re - fi * x.im + p[i].re;
            fi = fr * x.im + fi * x.re + p[i].im;
            fr = nfr;
        }
        df->re = dr;
        df->im = di;
    } else {
        for (int i = n - 1; i >= 0; --i) {
            const double nfr = fr * x.re - fi * x.im + p[i].re;
            fi = fr * x.im + fi * x.re + p[i].im;
            fr = nfr;
        }
    }
    f->re = fr;
    f->im = fi;
}

dcomplex CZELTMuller::newton(dcomplex* p, int n, dcomplex ns, double* dxmax,
                             unsigned char flag)
{
    dcomplex x = ns, xmin = ns, fx, dfx, dx(1.0, 0.0);
    double fabsmin = kBig;
    int noise = 0;
    *dxmax = Cabs(dx);
    for (int it = 0; it < kIterMax; ++it) {
        fdvalue(p, n, &fx, &dfx, x, 1);
        const double fabsx = Cabs(fx);
        if (fabsx < fabsmin) {
            xmin = x;
            fabsmin = fabsx;
            noise = 0;
        }
        if (Cabs(dfx) != 0.0) {
            dx = Cdiv(fx, dfx);
            const double dxabs = Cabs(dx);
            if (dxabs < 1e5 * *dxmax)
                *dxmax = dxabs;
        }
        const double xminabs = Cabs(xmin);
        if (xminabs != 0.0 && (*dxmax / xminabs < kMachEps || noise == kNoiseMax))
            break;
        x = Csub(x, dx);
        ++noise;
    }
    if (flag == 0 && std::fabs(xmin.im) < std::sqrt(kMachEps))
        xmin.im = 0.0;
    const double xminabs = Cabs(xmin);
    if (xminabs != 0.0)
        *dxmax = *dxmax / xminabs;
    return xmin;
}

int CZELTMuller::poldef(dcomplex* pred, int n, dcomplex* root, unsigned char flag)
{
    const dcomplex x = root[n - 1];
    if (x.im != 0.0)
        flag |= 2;
    if (flag == 2 && n >= 2) {
        root[n - 2] = Conjg(x);
        horncd(pred, n, 2.0 * x.re, -(x.re * x.re + x.im * x.im));
        return 2;
    }
    hornc(pred, n, x, flag);
    return 1;
}

void CZELTMuller::hornc(dcomplex* pred, int n, dcomplex x, unsigned char flag)
{
    if (flag & 1) {
        for (int i = n - 1; i >= 1; --i)
            pred[i] = Cadd(pred[i], Cmul(x, pred[i + 1]));
    } else {
        for (int i = n - 1; i >= 1; --i)
            pred[i].re += x.re * pred[i + 1].re;
    }
}

void CZELTMuller::horncd(dcomplex* pred, int n, double a, double b)
{
    pred[n - 1].re += a * pred[n].re;
    for (int i = n - 2; i >= 2; --i)
        pred[i].re += a * pred[i + 1].re + b * pred[i + 2].re;
}
