#ifndef ZELTMATH_NUMERIC_DETAIL_FFT_PASSES_H
#define ZELTMATH_NUMERIC_DETAIL_FFT_PASSES_H

#include <zeltmath/numeric/detail/fft_kernels.h>

#include <cstddef>
#include <cstring>

// The combining passes of the dedicated radices.  A pass of radix P joins, in
// every group of sofar * P consecutive values, P sub-transforms of length
// sofar into one of length sofar * P: butterfly m (0 <= m < sofar) takes the
// values at m + k * sofar, multiplies value k by the twiddle factor
// exp(-2 pi i k m / (sofar P)) and transforms them with the radix-P kernel.
//
// Butterfly 0 needs no twiddle factors; the others run two at a time, m and
// m + 1 for m = 1, 3, 5, ..., on vectors of two doubles.  The factors of such
// a pair j = (m - 1) / 2 are stored together, in the order they are used:
// for k = 1 ... P-1 the four values (re_m, re_m+1, im_m, im_m+1) at
// tw[(j * (P - 1) + k - 1) * 4].  A last unpaired butterfly uses the first
// lane.  One sequential stream of factors per pass keeps the cache free for
// the data, whose rows lie sofar values apart.

namespace zeltmath {
namespace detail {

typedef double FftV2 __attribute__((vector_size(16)));

ZELTMATH_FFT_INLINE FftV2 FftLoad2(const double* p)
{
    FftV2 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

ZELTMATH_FFT_INLINE void FftStore2(double* p, FftV2 v)
{
    std::memcpy(p, &v, sizeof v);
}

template <int P>
struct FftKernel;
template <> struct FftKernel<2> { template <class T> static ZELTMATH_FFT_INLINE void Run(T* r, T* i) { Dft2(r, i); } };
template <> struct FftKernel<3> { template <class T> static ZELTMATH_FFT_INLINE void Run(T* r, T* i) { Dft3(r, i); } };
template <> struct FftKernel<4> { template <class T> static ZELTMATH_FFT_INLINE void Run(T* r, T* i) { Dft4(r, i); } };
template <> struct FftKernel<5> { template <class T> static ZELTMATH_FFT_INLINE void Run(T* r, T* i) { Dft5(r, i); } };
template <> struct FftKernel<8> { template <class T> static ZELTMATH_FFT_INLINE void Run(T* r, T* i) { Dft8(r, i); } };
template <> struct FftKernel<10> { template <class T> static ZELTMATH_FFT_INLINE void Run(T* r, T* i) { Dft10(r, i); } };

// A pass with sofar >= 2 on the reordered values in yr, yi.
template <int P>
void FixedRadixPass(double* yr, double* yi, std::size_t sofar, std::size_t groups,
                    const double* tw)
{
    const std::size_t s = sofar;
    for (std::size_t g = 0; g < groups; ++g) {
        double* br = yr + g * s * P;
        double* bi = yi + g * s * P;
        {
            // m = 0: every twiddle factor is 1
            double r[P], i[P];
#pragma GCC unroll 16
            for (int k = 0; k < P; ++k) {
                r[k] = br[k * s];
                i[k] = bi[k * s];
            }
            FftKernel<P>::Run(r, i);
#pragma GCC unroll 16
            for (int k = 0; k < P; ++k) {
                br[k * s] = r[k];
                bi[k * s] = i[k];
            }
        }
        std::size_t m = 1;
        const double* tp = tw;
        for (; m + 1 < s; m += 2, tp += 4 * (P - 1)) {
            FftV2 r[P], i[P];
            r[0] = FftLoad2(br + m);
            i[0] = FftLoad2(bi + m);
#pragma GCC unroll 16
            for (int k = 1; k < P; ++k) {
                const FftV2 xr = FftLoad2(br + k * s + m), xi = FftLoad2(bi + k * s + m);
                const FftV2 cr = FftLoad2(tp + 4 * (k - 1));
                const FftV2 ci = FftLoad2(tp + 4 * (k - 1) + 2);
                r[k] = xr * cr - xi * ci;
                i[k] = xr * ci + xi * cr;
            }
            FftKernel<P>::Run(r, i);
#pragma GCC unroll 16
            for (int k = 0; k < P; ++k) {
                FftStore2(br + k * s + m, r[k]);
                FftStore2(bi + k * s + m, i[k]);
            }
        }
        if (m < s) {
            double r[P], i[P];
            r[0] = br[m];
            i[0] = bi[m];
#pragma GCC unroll 16
            for (int k = 1; k < P; ++k) {
                const double xr = br[k * s + m], xi = bi[k * s + m];
                const double cr = tp[4 * (k - 1)], ci = tp[4 * (k - 1) + 2];
                r[k] = xr * cr - xi * ci;
                i[k] = xr * ci + xi * cr;
            }
            FftKernel<P>::Run(r, i);
#pragma GCC unroll 16
            for (int k = 0; k < P; ++k) {
                br[k * s + m] = r[k];
                bi[k * s + m] = i[k];
            }
        }
    }
}

// The first pass (sofar = 1, no twiddle factors) fused with the reordering:
// group g of the output takes the inputs base[g] + k * stride, k = 0 ... P-1,
// and two groups run at once.
template <int P>
void FirstRadixPass(const double* xr, const double* xi, double* yr, double* yi,
                    std::size_t groups, std::size_t stride, const std::size_t* base)
{
    std::size_t g = 0;
    for (; g + 1 < groups; g += 2) {
        const double* ar = xr + base[g];
        const double* ai = xi + base[g];
        const double* cr = xr + base[g + 1];
        const double* ci = xi + base[g + 1];
        FftV2 r[P], i[P];
#pragma GCC unroll 16
        for (int k = 0; k < P; ++k) {
            r[k] = FftV2{ar[k * stride], cr[k * stride]};
            i[k] = FftV2{ai[k * stride], ci[k * stride]};
        }
        FftKernel<P>::Run(r, i);
        double* o0r = yr + g * P;
        double* o0i = yi + g * P;
#pragma GCC unroll 16
        for (int k = 0; k < P; ++k) {
            o0r[k] = r[k][0];
            o0i[k] = i[k][0];
            o0r[P + k] = r[k][1];
            o0i[P + k] = i[k][1];
        }
    }
    if (g < groups) {
        const double* ar = xr + base[g];
        const double* ai = xi + base[g];
        double r[P], i[P];
#pragma GCC unroll 16
        for (int k = 0; k < P; ++k) {
            r[k] = ar[k * stride];
            i[k] = ai[k * stride];
        }
        FftKernel<P>::Run(r, i);
#pragma GCC unroll 16
        for (int k = 0; k < P; ++k) {
            yr[g * P + k] = r[k];
            yi[g * P + k] = i[k];
        }
    }
}

} // namespace detail
} // namespace zeltmath

#endif
