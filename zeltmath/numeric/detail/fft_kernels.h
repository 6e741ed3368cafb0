#ifndef ZELTMATH_NUMERIC_DETAIL_FFT_KERNELS_H
#define ZELTMATH_NUMERIC_DETAIL_FFT_KERNELS_H

#include <cstddef>

// Small forward DFTs (sign -1 in the exponent) on values held in local
// arrays (of doubles, or of vectors of two doubles for two butterflies at
// once), in place: on entry r[k], i[k] hold the input a_k, on exit the output
// y_q = sum_k a_k exp(-2 pi i k q / P).

#if defined(__GNUC__)
#define ZELTMATH_FFT_INLINE inline __attribute__((always_inline))
#else
#define ZELTMATH_FFT_INLINE inline
#endif

namespace zeltmath {
namespace detail {

template <class T>
ZELTMATH_FFT_INLINE void Dft2(T* r, T* i)
{
    const T ur = r[0] - r[1], ui = i[0] - i[1];
    r[0] += r[1];
    i[0] += i[1];
    r[1] = ur;
    i[1] = ui;
}

template <class T>
ZELTMATH_FFT_INLINE void Dft3(T* r, T* i)
{
    const double s60 = 0.86602540378443864676;  // sin(2 pi / 3)
    const T tr = r[1] + r[2], ti = i[1] + i[2];
    const T dr = s60 * (r[1] - r[2]), di = s60 * (i[1] - i[2]);
    const T mr = r[0] - 0.5 * tr, mi = i[0] - 0.5 * ti;
    r[0] += tr;
    i[0] += ti;
    r[1] = mr + di;
    i[1] = mi - dr;
    r[2] = mr - di;
    i[2] = mi + dr;
}

template <class T>
ZELTMATH_FFT_INLINE void Dft4(T* r, T* i)
{
    const T t0r = r[0] + r[2], t0i = i[0] + i[2];
    const T t1r = r[0] - r[2], t1i = i[0] - i[2];
    const T t2r = r[1] + r[3], t2i = i[1] + i[3];
    const T t3r = r[1] - r[3], t3i = i[1] - i[3];
    r[0] = t0r + t2r;
    i[0] = t0i + t2i;
    r[2] = t0r - t2r;
    i[2] = t0i - t2i;
    r[1] = t1r + t3i;
    i[1] = t1i - t3r;
    r[3] = t1r - t3i;
    i[3] = t1i + t3r;
}

template <class T>
ZELTMATH_FFT_INLINE void Dft5(T* r, T* i)
{
    const double c1 = 0.30901699437494742410;   // cos(2 pi / 5)
    const double c2 = -0.80901699437494742410;  // cos(4 pi / 5)
    const double s1 = 0.95105651629515357212;   // sin(2 pi / 5)
    const double s2 = 0.58778525229247312917;   // sin(4 pi / 5)
    const T t1r = r[1] + r[4], t1i = i[1] + i[4];
    const T t2r = r[2] + r[3], t2i = i[2] + i[3];
    const T t3r = r[1] - r[4], t3i = i[1] - i[4];
    const T t4r = r[2] - r[3], t4i = i[2] - i[3];
    const T m1r = r[0] + c1 * t1r + c2 * t2r, m1i = i[0] + c1 * t1i + c2 * t2i;
    const T m2r = r[0] + c2 * t1r + c1 * t2r, m2i = i[0] + c2 * t1i + c1 * t2i;
    const T n1r = s1 * t3r + s2 * t4r, n1i = s1 * t3i + s2 * t4i;
    const T n2r = s2 * t3r - s1 * t4r, n2i = s2 * t3i - s1 * t4i;
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
template <class T>
ZELTMATH_FFT_INLINE void Dft8(T* r, T* i)
{
    const double h = 0.70710678118654752440;  // sqrt(1/2)
    T er[4] = {r[0], r[2], r[4], r[6]}, ei[4] = {i[0], i[2], i[4], i[6]};
    T orr[4] = {r[1], r[3], r[5], r[7]}, oi[4] = {i[1], i[3], i[5], i[7]};
    Dft4(er, ei);
    Dft4(orr, oi);
    // odd terms times exp(-i pi q / 4), q = 1, 2, 3
    const T w1r = h * (orr[1] + oi[1]), w1i = h * (oi[1] - orr[1]);
    const T w2r = oi[2], w2i = -orr[2];
    const T w3r = h * (oi[3] - orr[3]), w3i = -h * (orr[3] + oi[3]);
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
template <class T>
ZELTMATH_FFT_INLINE void Dft10(T* r, T* i)
{
    // input j2 = 0..4 pairs (2 j2, 2 j2 + 5) mod 10
    T ar[5] = {r[0] + r[5], r[2] + r[7], r[4] + r[9], r[6] + r[1], r[8] + r[3]};
    T ai[5] = {i[0] + i[5], i[2] + i[7], i[4] + i[9], i[6] + i[1], i[8] + i[3]};
    T br[5] = {r[0] - r[5], r[2] - r[7], r[4] - r[9], r[6] - r[1], r[8] - r[3]};
    T bi[5] = {i[0] - i[5], i[2] - i[7], i[4] - i[9], i[6] - i[1], i[8] - i[3]};
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

} // namespace detail
} // namespace zeltmath

#endif
