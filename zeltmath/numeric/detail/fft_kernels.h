#ifndef ZELTMATH_NUMERIC_DETAIL_FFT_KERNELS_H
#define ZELTMATH_NUMERIC_DETAIL_FFT_KERNELS_H

#include <cstddef>

// Small forward DFTs (sign -1 in the exponent) on values held in local
// arrays, in place: on entry r[k], i[k] hold the input a_k, on exit the output
// y_q = sum_k a_k exp(-2 pi i k q / P).

namespace zeltmath {
namespace detail {

inline void Dft2(double* r, double* i)
{
    const double ur = r[0] - r[1], ui = i[0] - i[1];
    r[0] += r[1];
    i[0] += i[1];
    r[1] = ur;
    i[1] = ui;
}

inline void Dft3(double* r, double* i)
{
    const double s60 = 0.86602540378443864676;  // sin(2 pi / 3)
    const double tr = r[1] + r[2], ti = i[1] + i[2];
    const double dr = s60 * (r[1] - r[2]), di = s60 * (i[1] - i[2]);
    const double mr = r[0] - 0.5 * tr, mi = i[0] - 0.5 * ti;
    r[0] += tr;
    i[0] += ti;
    r[1] = mr + di;
    i[1] = mi - dr;
    r[2] = mr - di;
    i[2] = mi + dr;
}

inline void Dft4(double* r, double* i)
{
    const double t0r = r[0] + r[2], t0i = i[0] + i[2];
    const double t1r = r[0] - r[2], t1i = i[0] - i[2];
    const double t2r = r[1] + r[3], t2i = i[1] + i[3];
    const double t3r = r[1] - r[3], t3i = i[1] - i[3];
    r[0] = t0r + t2r;
    i[0] = t0i + t2i;
    r[2] = t0r - t2r;
    i[2] = t0i - t2i;
    r[1] = t1r + t3i;
    i[1] = t1i - t3r;
    r[3] = t1r - t3i;
    i[3] = t1i + t3r;
}

inline void Dft5(double* r, double* i)
{
    const double c1 = 0.30901699437494742410;   // cos(2 pi / 5)
    const double c2 = -0.80901699437494742410;  // cos(4 pi / 5)
    const double s1 = 0.95105651629515357212;   // sin(2 pi / 5)
    const double s2 = 0.58778525229247312917;   // sin(4 pi / 5)
    const double t1r = r[1] + r[4], t1i = i[1] + i[4];
    const double t2r = r[2] + r[3], t2i = i[2] + i[3];
    const double t3r = r[1] - r[4], t3i = i[1] - i[4];
    const double t4r = r[2] - r[3], t4i = i[2] - i[3];
    const double m1r = r[0] + c1 * t1r + c2 * t2r, m1i = i[0] + c1 * t1i + c2 * t2i;
    const double m2r = r[0] + c2 * t1r + c1 * t2r, m2i = i[0] + c2 * t1i + c1 * t2i;
    const double n1r = s1 * t3r + s2 * t4r, n1i = s1 * t3i + s2 * t4i;
    const double n2r = s2 * t3r - s1 * t4r, n2i = s2 * t3i - s1 * t4i;
    r[0] += t1r + t2r;
    i[0] += t1i + t2i;
    // y1 = m1 - i n1, y4 = m1 + i n1, y2 = m2 - i n2, y3 = m2 + i n2
    r[1] = m1r + n1i;
    i[1] = m1i - n1r;
    r[4] = m1r - n1i;
    i[4] = m1i + n1r;
    r[2] = m2r + n2i;
    i[2] = m2i - n2r;
    r[3] = m2r - n2i;
    i[3] = m2i + n2r;
}

// Two radix-4 transforms of the even and odd inputs, joined by the factors
// exp(-2 pi i q / 8).
inline void Dft8(double* r, double* i)
{
    const double h = 0.70710678118654752440;  // sqrt(1/2)
    double er[4] = {r[0], r[2], r[4], r[6]}, ei[4] = {i[0], i[2], i[4], i[6]};
    double orr[4] = {r[1], r[3], r[5], r[7]}, oi[4] = {i[1], i[3], i[5], i[7]};
    Dft4(er, ei);
    Dft4(orr, oi);
    // odd terms times exp(-i pi q / 4), q = 1, 2, 3
    const double w1r = h * (orr[1] + oi[1]), w1i = h * (oi[1] - orr[1]);
    const double w2r = oi[2], w2i = -orr[2];
    const double w3r = h * (oi[3] - orr[3]), w3i = -h * (orr[3] + oi[3]);
    r[0] = er[0] + orr[0];
    i[0] = ei[0] + oi[0];
    r[4] = er[0] - orr[0];
    i[4] = ei[0] - oi[0];
    r[1] = er[1] + w1r;
    i[1] = ei[1] + w1i;
    r[5] = er[1] - w1r;
    i[5] = ei[1] - w1i;
    r[2] = er[2] + w2r;
    i[2] = ei[2] + w2i;
    r[6] = er[2] - w2r;
    i[6] = ei[2] - w2i;
    r[3] = er[3] + w3r;
    i[3] = ei[3] + w3i;
    r[7] = er[3] - w3r;
    i[7] = ei[3] - w3i;
}

// 10 = 2 * 5 with coprime factors: with the index maps j = (5 j1 + 2 j2) mod
// 10 and k = (5 k1 + 6 k2) mod 10 the transform splits into five radix-2 and
// two radix-5 transforms without twiddle factors.
inline void Dft10(double* r, double* i)
{
    // input j2 = 0..4 pairs (2 j2, 2 j2 + 5) mod 10
    double ar[5] = {r[0] + r[5], r[2] + r[7], r[4] + r[9], r[6] + r[1], r[8] + r[3]};
    double ai[5] = {i[0] + i[5], i[2] + i[7], i[4] + i[9], i[6] + i[1], i[8] + i[3]};
    double br[5] = {r[0] - r[5], r[2] - r[7], r[4] - r[9], r[6] - r[1], r[8] - r[3]};
    double bi[5] = {i[0] - i[5], i[2] - i[7], i[4] - i[9], i[6] - i[1], i[8] - i[3]};
    Dft5(ar, ai);
    Dft5(br, bi);
    // k1 = 0: outputs 0, 6, 2, 8, 4; k1 = 1: outputs 5, 1, 7, 3, 9
    r[0] = ar[0]; i[0] = ai[0];
    r[6] = ar[1]; i[6] = ai[1];
    r[2] = ar[2]; i[2] = ai[2];
    r[8] = ar[3]; i[8] = ai[3];
    r[4] = ar[4]; i[4] = ai[4];
    r[5] = br[0]; i[5] = bi[0];
    r[1] = br[1]; i[1] = bi[1];
    r[7] = br[2]; i[7] = bi[2];
    r[3] = br[3]; i[3] = bi[3];
    r[9] = br[4]; i[9] = bi[4];
}

// One combining pass of radix P over an array of groups * sofar * P values:
// every group holds P consecutive sub-transforms of length sofar, which are
// joined into one transform of length sofar * P.  Element k of butterfly m is
// multiplied by exp(-2 pi i k m / (sofar P)) = w[k m groups], where w is the
// table of exp(-2 pi i j / n), n = groups * sofar * P.
template <int P, void (*Kernel)(double*, double*)>
void FixedRadixPass(double* yr, double* yi, std::size_t sofar, std::size_t groups,
                    const double* wr, const double* wi)
{
    const std::size_t span = sofar * P;
    double r[P], i[P];
    for (std::size_t g = 0; g < groups; ++g) {
        double* br = yr + g * span;
        double* bi = yi + g * span;
#pragma GCC unroll 16
        for (int k = 0; k < P; ++k) {
            r[k] = br[k * sofar];
            i[k] = bi[k * sofar];
        }
        Kernel(r, i);
#pragma GCC unroll 16
        for (int k = 0; k < P; ++k) {
            br[k * sofar] = r[k];
            bi[k * sofar] = i[k];
        }
    }
    double cr[P], ci[P];
    for (std::size_t m = 1; m < sofar; ++m) {
        const std::size_t step = m * groups;
#pragma GCC unroll 16
        for (int k = 1; k < P; ++k) {
            cr[k] = wr[k * step];
            ci[k] = wi[k * step];
        }
        for (std::size_t g = 0; g < groups; ++g) {
            double* br = yr + g * span + m;
            double* bi = yi + g * span + m;
            r[0] = br[0];
            i[0] = bi[0];
#pragma GCC unroll 16
            for (int k = 1; k < P; ++k) {
                const double xr = br[k * sofar], xi = bi[k * sofar];
                r[k] = xr * cr[k] - xi * ci[k];
                i[k] = xr * ci[k] + xi * cr[k];
            }
            Kernel(r, i);
#pragma GCC unroll 16
            for (int k = 0; k < P; ++k) {
                br[k * sofar] = r[k];
                bi[k * sofar] = i[k];
            }
        }
    }
}

} // namespace detail
} // namespace zeltmath

#endif
