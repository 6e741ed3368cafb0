#include <zeltmath/numeric/fft.h>

#include <zeltmath/numeric/detail/fft_factor.h>
#include <zeltmath/numeric/detail/fft_kernels.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

using zeltmath::detail::FftFactors;

namespace {

// The largest factor the general kernel can take: its trigonometric table and
// its butterfly live in these work arrays.
constexpr int kMaxPrimeFactor = 6173;

double g_trigCos[kMaxPrimeFactor];
double g_trigSin[kMaxPrimeFactor];
double g_workRe[kMaxPrimeFactor];
double g_workIm[kMaxPrimeFactor];

// Twiddle factors exp(-2 pi i j / n), j = 0 ... n-1, of the most recent length.
// Lengths above kTwiddleCacheLimit get a table of their own that is released
// after the call.
constexpr int kTwiddleCacheLimit = 1 << 20;
int g_twiddleLength = 0;
std::vector<double> g_twiddleRe;
std::vector<double> g_twiddleIm;

void FillTwiddles(int n, double pi, std::vector<double>& re, std::vector<double>& im)
{
    re.assign(static_cast<std::size_t>(n), 0.0);
    im.assign(static_cast<std::size_t>(n), 0.0);
    re[0] = 1.0;
    // W[n - j] is the conjugate of W[j].
    for (int j = 1; 2 * static_cast<long long>(j) <= n; ++j) {
        const double a = 2.0 * pi * j / n;
        const double c = std::cos(a), s = std::sin(a);
        re[j] = c;
        im[j] = -s;
        re[n - j] = c;
        im[n - j] = s;
    }
}

// A pass of the general kernel for an odd factor p: each butterfly evaluates
// the p-point DFT directly, pairing the inputs k and p - k so that every
// cosine and sine is used for two outputs at once.
void OddRadixPass(int p, double pi, double* yr, double* yi, std::size_t sofar,
                  std::size_t groups, const double* wr, const double* wi)
{
    const int half = (p - 1) / 2;
    for (int j = 0; j < p; ++j) {
        const double a = 2.0 * pi * j / p;
        g_trigCos[j] = std::cos(a);
        g_trigSin[j] = std::sin(a);
    }
    const std::size_t span = sofar * static_cast<std::size_t>(p);
    double* ar = g_workRe;
    double* ai = g_workIm;
    for (std::size_t m = 0; m < sofar; ++m) {
        const std::size_t step = m * groups;
        for (std::size_t g = 0; g < groups; ++g) {
            double* br = yr + g * span + m;
            double* bi = yi + g * span + m;
            ar[0] = br[0];
            ai[0] = bi[0];
            if (m == 0) {
                for (int k = 1; k < p; ++k) {
                    ar[k] = br[k * sofar];
                    ai[k] = bi[k * sofar];
                }
            } else {
                for (int k = 1; k < p; ++k) {
                    const double xr = br[k * sofar], xi = bi[k * sofar];
                    const double cr = wr[k * step], ci = wi[k * step];
                    ar[k] = xr * cr - xi * ci;
                    ai[k] = xr * ci + xi * cr;
                }
            }
            // sums at k, differences at p - k
            double y0r = ar[0], y0i = ai[0];
            for (int k = 1; k <= half; ++k) {
                const double sr = ar[k] + ar[p - k], si = ai[k] + ai[p - k];
                const double dr = ar[k] - ar[p - k], di = ai[k] - ai[p - k];
                ar[k] = sr;
                ai[k] = si;
                ar[p - k] = dr;
                ai[p - k] = di;
                y0r += sr;
                y0i += si;
            }
            for (int q = 1; q <= half; ++q) {
                double cr = ar[0], ci = ai[0], sr = 0.0, si = 0.0;
                int idx = 0;
                for (int k = 1; k <= half; ++k) {
                    idx += q;
                    if (idx >= p)
                        idx -= p;
                    const double c = g_trigCos[idx], s = g_trigSin[idx];
                    cr += c * ar[k];
                    ci += c * ai[k];
                    sr += s * ar[p - k];
                    si += s * ai[p - k];
                }
                // y_q = c - i s, y_(p-q) = c + i s
                br[q * sofar] = cr + si;
                bi[q * sofar] = ci - sr;
                br[(p - q) * sofar] = cr - si;
                bi[(p - q) * sofar] = ci + sr;
            }
            br[0] = y0r;
            bi[0] = y0i;
        }
    }
}

bool Overlaps(const double* a, const double* b, int n)
{
    if (!a || !b)
        return false;
    const std::less<const double*> less;
    return less(a, b + n) && less(b, a + n);
}

} // namespace

int FastFourier(int n, const double* xRe, const double* xIm, double* yRe, double* yIm)
{
    if (n < 1 || !yRe || !yIm)
        return 0;
    const double pi = 4.0 * std::atan(1.0);

    const FftFactors f = zeltmath::detail::FactorFftLength(n);
    if (f.factor[0] > kMaxPrimeFactor) {
        std::printf("\nPrime factor of FFT length too large : %6d", f.factor[0]);
        std::printf("\nPlease modify the value of maxPrimeFactor in FastFourier");
        std::fflush(stdout);
        return 0;
    }

    // An in-place call: keep a copy of the input before the output is written.
    std::vector<double> copyRe, copyIm;
    if (Overlaps(xRe, yRe, n) || Overlaps(xRe, yIm, n)) {
        copyRe.assign(xRe, xRe + n);
        xRe = copyRe.data();
    }
    if (Overlaps(xIm, yRe, n) || Overlaps(xIm, yIm, n)) {
        copyIm.assign(xIm, xIm + n);
        xIm = copyIm.data();
    }

    if (n == 1) {
        yRe[0] = xRe ? xRe[0] : 0.0;
        yIm[0] = xIm ? xIm[0] : 0.0;
        return 1;
    }

    // actual[1..nFact], sofar[1..nFact], remain[0..nFact]
    const int nFact = f.count;
    std::size_t actual[34], sofar[34], remain[34];
    remain[0] = static_cast<std::size_t>(n);
    for (int i = 1; i <= nFact; ++i) {
        actual[i] = static_cast<std::size_t>(f.factor[i - 1]);
        sofar[i] = i == 1 ? 1 : sofar[i - 1] * actual[i - 1];
        remain[i] = remain[i - 1] / actual[i];
    }
    remain[nFact + 1] = 0;

    // Reorder by mixed-radix digit reversal: position i, written with digit 1
    // least significant, takes the input index sum of digit_j * remain[j].
    {
        std::size_t digit[34] = {};
        std::size_t k = 0;
        const std::size_t last = static_cast<std::size_t>(n) - 1;
        for (std::size_t i = 0; i < last; ++i) {
            yRe[i] = xRe ? xRe[k] : 0.0;
            yIm[i] = xIm ? xIm[k] : 0.0;
            k += remain[1];
            int j = 1;
            while (++digit[j] == actual[j] && j < nFact) {
                digit[j] = 0;
                k = k - remain[j - 1] + remain[j + 1];
                ++j;
            }
        }
        yRe[last] = xRe ? xRe[last] : 0.0;
        yIm[last] = xIm ? xIm[last] : 0.0;
    }

    std::vector<double> ownRe, ownIm;
    const double* wr;
    const double* wi;
    if (n <= kTwiddleCacheLimit) {
        if (g_twiddleLength != n) {
            g_twiddleLength = 0;
            FillTwiddles(n, pi, g_twiddleRe, g_twiddleIm);
            g_twiddleLength = n;
        }
        wr = g_twiddleRe.data();
        wi = g_twiddleIm.data();
    } else {
        FillTwiddles(n, pi, ownRe, ownIm);
        wr = ownRe.data();
        wi = ownIm.data();
    }

    using namespace zeltmath::detail;
    for (int i = 1; i <= nFact; ++i) {
        const std::size_t s = sofar[i], g = remain[i];
        switch (actual[i]) {
        case 2: FixedRadixPass<2, Dft2>(yRe, yIm, s, g, wr, wi); break;
        case 3: FixedRadixPass<3, Dft3>(yRe, yIm, s, g, wr, wi); break;
        case 4: FixedRadixPass<4, Dft4>(yRe, yIm, s, g, wr, wi); break;
        case 5: FixedRadixPass<5, Dft5>(yRe, yIm, s, g, wr, wi); break;
        case 8: FixedRadixPass<8, Dft8>(yRe, yIm, s, g, wr, wi); break;
        case 10: FixedRadixPass<10, Dft10>(yRe, yIm, s, g, wr, wi); break;
        default:
            OddRadixPass(static_cast<int>(actual[i]), pi, yRe, yIm, s, g, wr, wi);
            break;
        }
    }
    return 1;
}
