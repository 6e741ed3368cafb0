#ifndef ZELTMATH_NUMERIC_DETAIL_FFT_FACTOR_H
#define ZELTMATH_NUMERIC_DETAIL_FFT_FACTOR_H

namespace zeltmath {
namespace detail {

// The factors of a transform length in the order of the combining passes.
// Every factor is at least 2, so a 32-bit length has at most 31 of them.
struct FftFactors {
    int count = 0;
    int factor[32] = {};
};

// Splits n >= 1 into the kernel radices 10, 8, 5, 4, 3, 2 (greedily, largest
// first, with a trailing 8 * 2 rewritten as 4 * 4), then into trial factors,
// then the prime that is left; the list is returned reversed, so the largest
// trial factor (or the leftover prime) comes first.  n = 1 gives the list (1).
FftFactors FactorFftLength(int n);

} // namespace detail
} // namespace zeltmath

#endif
