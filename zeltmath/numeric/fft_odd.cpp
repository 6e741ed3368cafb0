#include <zeltmath/numeric/detail/fft_odd.h>

#include <zeltmath/numeric/detail/fft_passes.h>

#include <cmath>
#include <cstddef>

namespace {

using zeltmath::detail::FftLoad2;
using zeltmath::detail::FftStore2;
using zeltmath::detail::FftV2;
using zeltmath::detail::kFftMaxPrimeFactor;

// The trigonometric table and the butterfly of the general kernel.
double g_trigCos[kFftMaxPrimeFactor];
double g_trigSin[kFftMaxPrimeFactor];
double g_workRe[kFftMaxPrimeFactor];
double g_workIm[kFftMaxPrimeFactor];
// For factors above kSmallOdd the cosines and sines sit side by side,
// (cos, sin) of 2 pi j / p at 2j and 2j + 1, so one cache line serves both.
double g_trigPairs[2 * kFftMaxPrimeFactor];

// The general kernel for an odd factor p evaluates each p-point DFT directly,
// pairing the inputs k and p - k so that every cosine and sine serves two
// outputs:  y_q = a_0 + sum_k cos(2 pi k q / p) (a_k + a_(p-k))
//                     -/+ i sum_k sin(2 pi k q / p) (a_k - a_(p-k)),
// y_q taking the minus and y_(p-q) the plus sign, k, q = 1 ... (p-1)/2.
//
// Factors up to kSmallOdd keep the products k q reduced modulo p in a table
// of (p-1)/2 rows by (p-1)/2 columns, and run two butterflies at once; larger
// factors step through the table of cos and sin(2 pi j / p), j = 0 ... p-1,
// computing four outputs per sweep.
constexpr int kSmallOdd = 61;

void FillOddTable(int p, double pi)
{
    const int half = (p - 1) / 2;
    if (p <= kSmallOdd) {
        for (int q = 1; q <= half; ++q)
            for (int k = 1; k <= half; ++k) {
                const double a = 2.0 * pi * ((k * q) % p) / p;
                g_trigCos[(q - 1) * half + k - 1] = std::cos(a);
                g_trigSin[(q - 1) * half + k - 1] = std::sin(a);
            }
    } else {
        for (int j = 0; j < p; ++j) {
            const double a = 2.0 * pi * j / p;
            g_trigPairs[2 * j] = std::cos(a);
            g_trigPairs[2 * j + 1] = std::sin(a);
        }
    }
}

// Turns a[1 .. p-1] into sums at k and differences at p - k; returns y_0.
template <class T>
inline void OddSumsAndDifferences(int p, T* ar, T* ai, T& y0r, T& y0i)
{
    const int half = (p - 1) / 2;
    y0r = ar[0];
    y0i = ai[0];
    for (int k = 1; k <= half; ++k) {
        const T sr = ar[k] + ar[p - k], si = ai[k] + ai[p - k];
        const T dr = ar[k] - ar[p - k], di = ai[k] - ai[p - k];
        ar[k] = sr;
        ai[k] = si;
        ar[p - k] = dr;
        ai[p - k] = di;
        y0r += sr;
        y0i += si;
    }
}

// One (T = double) or two (T = FftV2) butterflies of a small odd factor on
// a[0 .. p-1]; store(q, re, im) receives the outputs.
template <class T, class Store>
inline void OddButterflySmall(int p, T* ar, T* ai, Store store)
{
    const int half = (p - 1) / 2;
    T y0r, y0i;
    OddSumsAndDifferences(p, ar, ai, y0r, y0i);
    for (int q = 1; q <= half; ++q) {
        const double* ct = g_trigCos + (q - 1) * half;
        const double* st = g_trigSin + (q - 1) * half;
        T cr = ar[0], ci = ai[0], sr = T{}, si = T{};
        for (int k = 1; k <= half; ++k) {
            cr += ct[k - 1] * ar[k];
            ci += ct[k - 1] * ai[k];
            sr += st[k - 1] * ar[p - k];
            si += st[k - 1] * ai[p - k];
        }
        store(q, cr + si, ci - sr);
        store(p - q, cr - si, ci + sr);
    }
    store(0, y0r, y0i);
}

template <class Store>
inline void OddButterflyLarge(int p, double* ar, double* ai, Store store)
{
    const int half = (p - 1) / 2;
    double y0r, y0i;
    OddSumsAndDifferences(p, ar, ai, y0r, y0i);
    const double* cs = g_trigPairs;
    // four outputs q ... q + 3 per sweep over the inputs, real and imaginary
    // parts side by side in vectors of two
    int q = 1;
    for (; q + 3 <= half; q += 4) {
        const FftV2 a0 = FftV2{ar[0], ai[0]};
        FftV2 c0 = a0, c1 = a0, c2 = a0, c3 = a0;
        FftV2 s0 = FftV2{0.0, 0.0}, s1 = s0, s2 = s0, s3 = s0;
        int i0 = 0, i1 = 0, i2 = 0, i3 = 0;
        for (int k = 1; k <= half; ++k) {
            i0 += q;
            i0 = i0 >= p ? i0 - p : i0;
            i1 += q + 1;
            i1 = i1 >= p ? i1 - p : i1;
            i2 += q + 2;
            i2 = i2 >= p ? i2 - p : i2;
            i3 += q + 3;
            i3 = i3 >= p ? i3 - p : i3;
            const FftV2 sum = FftV2{ar[k], ai[k]};
            const FftV2 dif = FftV2{ar[p - k], ai[p - k]};
            c0 += cs[2 * i0] * sum;
            s0 += cs[2 * i0 + 1] * dif;
            c1 += cs[2 * i1] * sum;
            s1 += cs[2 * i1 + 1] * dif;
            c2 += cs[2 * i2] * sum;
            s2 += cs[2 * i2 + 1] * dif;
            c3 += cs[2 * i3] * sum;
            s3 += cs[2 * i3 + 1] * dif;
        }
        const FftV2 cc[4] = {c0, c1, c2, c3};
        const FftV2 ss[4] = {s0, s1, s2, s3};
        for (int t = 0; t < 4; ++t) {
            // y_q = c - i s, y_(p-q) = c + i s
            store(q + t, cc[t][0] + ss[t][1], cc[t][1] - ss[t][0]);
            store(p - q - t, cc[t][0] - ss[t][1], cc[t][1] + ss[t][0]);
        }
    }
    for (; q + 1 <= half; q += 2) {
        double cr1 = ar[0], ci1 = ai[0], sr1 = 0.0, si1 = 0.0;
        double cr2 = ar[0], ci2 = ai[0], sr2 = 0.0, si2 = 0.0;
        int idx1 = 0, idx2 = 0;
        for (int k = 1; k <= half; ++k) {
            idx1 += q;
            idx1 = idx1 >= p ? idx1 - p : idx1;
            idx2 += q + 1;
            idx2 = idx2 >= p ? idx2 - p : idx2;
            const double c1 = cs[2 * idx1], s1 = cs[2 * idx1 + 1];
            const double c2 = cs[2 * idx2], s2 = cs[2 * idx2 + 1];
            const double a = ar[k], b = ai[k], d = ar[p - k], e = ai[p - k];
            cr1 += c1 * a;
            ci1 += c1 * b;
            sr1 += s1 * d;
            si1 += s1 * e;
            cr2 += c2 * a;
            ci2 += c2 * b;
            sr2 += s2 * d;
            si2 += s2 * e;
        }
        store(q, cr1 + si1, ci1 - sr1);
        store(p - q, cr1 - si1, ci1 + sr1);
        store(q + 1, cr2 + si2, ci2 - sr2);
        store(p - q - 1, cr2 - si2, ci2 + sr2);
    }
    for (; q <= half; ++q) {
        double cr = ar[0], ci = ai[0], sr = 0.0, si = 0.0;
        int idx = 0;
        for (int k = 1; k <= half; ++k) {
            idx += q;
            idx = idx >= p ? idx - p : idx;
            const double c = cs[2 * idx], sn = cs[2 * idx + 1];
            cr += c * ar[k];
            ci += c * ai[k];
            sr += sn * ar[p - k];
            si += sn * ai[p - k];
        }
        store(q, cr + si, ci - sr);
        store(p - q, cr - si, ci + sr);
    }
    store(0, y0r, y0i);
}

} // namespace

namespace zeltmath {
namespace detail {

// The first pass of the general kernel, fused with the reordering: group g
// takes the inputs base[g] + k * stride and writes positions g * p + q.
void OddFirstPass(int p, double pi, const double* xr, const double* xi, double* yr, double* yi,
                  std::size_t groups, std::size_t stride, const std::size_t* base)
{
    FillOddTable(p, pi);
    const std::size_t P = static_cast<std::size_t>(p);
    std::size_t g = 0;
    if (p <= kSmallOdd) {
        FftV2 ar[kSmallOdd], ai[kSmallOdd];
        for (; g + 1 < groups; g += 2) {
            for (std::size_t k = 0; k < P; ++k) {
                ar[k] = FftV2{xr[base[g] + k * stride], xr[base[g + 1] + k * stride]};
                ai[k] = FftV2{xi[base[g] + k * stride], xi[base[g + 1] + k * stride]};
            }
            double* o0r = yr + g * P;
            double* o0i = yi + g * P;
            OddButterflySmall(p, ar, ai, [&](int q, FftV2 re, FftV2 im) {
                o0r[q] = re[0];
                o0i[q] = im[0];
                o0r[P + q] = re[1];
                o0i[P + q] = im[1];
            });
        }
        double sr[kSmallOdd], si[kSmallOdd];
        for (; g < groups; ++g) {
            for (std::size_t k = 0; k < P; ++k) {
                sr[k] = xr[base[g] + k * stride];
                si[k] = xi[base[g] + k * stride];
            }
            double* o0r = yr + g * P;
            double* o0i = yi + g * P;
            OddButterflySmall(p, sr, si, [&](int q, double re, double im) {
                o0r[q] = re;
                o0i[q] = im;
            });
        }
        return;
    }
    for (; g < groups; ++g) {
        for (std::size_t k = 0; k < P; ++k) {
            g_workRe[k] = xr[base[g] + k * stride];
            g_workIm[k] = xi[base[g] + k * stride];
        }
        double* o0r = yr + g * P;
        double* o0i = yi + g * P;
        OddButterflyLarge(p, g_workRe, g_workIm, [&](int q, double re, double im) {
            o0r[q] = re;
            o0i[q] = im;
        });
    }
}

// A later pass of the general kernel (sofar >= 2), on the values in yr, yi.
void OddLaterPass(int p, double pi, double* yr, double* yi, std::size_t sofar,
                  std::size_t groups, const double* tw)
{
    FillOddTable(p, pi);
    const std::size_t s = sofar;
    const std::size_t P = static_cast<std::size_t>(p);
    const bool small = p <= kSmallOdd;
    for (std::size_t g = 0; g < groups; ++g) {
        double* br = yr + g * s * P;
        double* bi = yi + g * s * P;
        std::size_t m = 0;
        // m = 0: every twiddle factor is 1
        {
            double* ar = g_workRe;
            double* ai = g_workIm;
            for (std::size_t k = 0; k < P; ++k) {
                ar[k] = br[k * s];
                ai[k] = bi[k * s];
            }
            auto store = [&](int q, double re, double im) {
                br[q * s] = re;
                bi[q * s] = im;
            };
            if (small)
                OddButterflySmall(p, ar, ai, store);
            else
                OddButterflyLarge(p, ar, ai, store);
            m = 1;
        }
        if (small) {
            FftV2 ar[kSmallOdd], ai[kSmallOdd];
            for (; m + 1 < s; m += 2) {
                const double* tp = tw + ((m - 1) / 2) * (P - 1) * 4;
                ar[0] = FftLoad2(br + m);
                ai[0] = FftLoad2(bi + m);
                for (std::size_t k = 1; k < P; ++k) {
                    const FftV2 xr = FftLoad2(br + k * s + m), xi = FftLoad2(bi + k * s + m);
                    const FftV2 cr = FftLoad2(tp + 4 * (k - 1));
                    const FftV2 ci = FftLoad2(tp + 4 * (k - 1) + 2);
                    ar[k] = xr * cr - xi * ci;
                    ai[k] = xr * ci + xi * cr;
                }
                OddButterflySmall(p, ar, ai, [&](int q, FftV2 re, FftV2 im) {
                    FftStore2(br + q * s + m, re);
                    FftStore2(bi + q * s + m, im);
                });
            }
        }
        for (; m < s; ++m) {
            double* ar = g_workRe;
            double* ai = g_workIm;
            const double* tp = tw + ((m - 1) / 2) * (P - 1) * 4 + (m - 1) % 2;
            ar[0] = br[m];
            ai[0] = bi[m];
            for (std::size_t k = 1; k < P; ++k) {
                const double xr = br[k * s + m], xi = bi[k * s + m];
                const double cr = tp[4 * (k - 1)], ci = tp[4 * (k - 1) + 2];
                ar[k] = xr * cr - xi * ci;
                ai[k] = xr * ci + xi * cr;
            }
            auto store = [&](int q, double re, double im) {
                br[q * s + m] = re;
                bi[q * s + m] = im;
            };
            if (small)
                OddButterflySmall(p, ar, ai, store);
            else
                OddButterflyLarge(p, ar, ai, store);
        }
    }
}

} // namespace detail
} // namespace zeltmath
