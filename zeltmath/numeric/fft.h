#ifndef ZELTMATH_NUMERIC_FFT_H
#define ZELTMATH_NUMERIC_FFT_H
/// \file
/// The mixed-radix fast Fourier transform.

#include <zeltmath/base/export.h>

/// Discrete Fourier transform of a complex sequence of any length n:
///
///     Y[k] = sum over j of x[j] * exp(-2 pi i j k / n),   k = 0 ... n-1
///
/// (forward sign, no scaling), computed by a mixed-radix algorithm with
/// dedicated kernels for the radices 2, 3, 4, 5, 8 and 10 and a general kernel
/// for any other (odd prime) factor.
///
/// xRe / xIm hold the real and imaginary parts of the input; either may be
/// null, which stands for n zeros.  yRe / yIm receive n values each.  The input
/// may share storage with the output (an in-place call); the input is then
/// copied before it is overwritten.
///
/// Result: 1 on success.  0 when the length has a prime factor above 6173, the
/// size of the work arrays; the function then prints the two lines
///     "Prime factor of FFT length too large :  nnnn"
///     "Please modify the value of maxPrimeFactor in FastFourier"
/// on standard output and leaves the outputs unwritten.
///
/// A length below 1 and null output pointers are rejected with the result 0,
/// without printing and without writing the output.
///
/// Memory for the work tables is allocated before any output is written: when
/// it cannot be had, std::bad_alloc passes through to the caller unchanged and
/// the outputs are left as they were.
///
/// The function keeps process-wide work arrays (and the twiddle factors of the
/// most recent length, so that repeated transforms of one length do not
/// recompute them): it is not reentrant, and two threads must not call it at
/// the same time.
ZELTMATH_API int FastFourier(int n, const double* xRe, const double* xIm, double* yRe,
                             double* yIm);

#endif
