#ifndef ZELTMATH_NUMERIC_DETAIL_FFT_ODD_H
#define ZELTMATH_NUMERIC_DETAIL_FFT_ODD_H

#include <cstddef>

// The general kernel of the transform, for odd factors other than 3 and 5.
// Its trigonometric table and its butterfly live in process-wide work arrays
// of kFftMaxPrimeFactor values, so the kernel is not reentrant.

namespace zeltmath {
namespace detail {

// The largest factor the work arrays can take.
constexpr int kFftMaxPrimeFactor = 6173;

// The first pass (sofar = 1) fused with the reordering: group g takes the
// inputs base[g] + k * stride, k = 0 ... p-1, and writes positions g p + q.
void OddFirstPass(int p, double pi, const double* xr, const double* xi, double* yr, double* yi,
                  std::size_t groups, std::size_t stride, const std::size_t* base);

// A later pass (sofar >= 2) on the values in yr, yi, with the twiddle factors
// laid out as for FixedRadixPass.
void OddLaterPass(int p, double pi, double* yr, double* yi, std::size_t sofar,
                  std::size_t groups, const double* tw);

} // namespace detail
} // namespace zeltmath

#endif
