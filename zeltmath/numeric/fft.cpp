#include <zeltmath/numeric/fft.h>

#include <zeltmath/numeric/detail/fft_factor.h>
#include <zeltmath/numeric/detail/fft_odd.h>
#include <zeltmath/numeric/detail/fft_passes.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <new>
#include <vector>

using zeltmath::detail::FftFactors;

namespace {

constexpr int kMaxFactors = 32;

// What a length needs besides its data: the factors, the twiddle factors of
// every pass, and the input offsets of the groups of the first pass.  The plan
// of the most recent length is kept; lengths above kPlanCacheLimit get a plan
// of their own that is released after the call.
struct FftPlan {
    int n = 0;
    int nFact = 0;
    // actual[1..nFact], sofar[1..nFact], remain[0..nFact]
    std::size_t actual[kMaxFactors + 2] = {};
    std::size_t sofar[kMaxFactors + 2] = {};
    std::size_t remain[kMaxFactors + 2] = {};
    // the twiddle factors of pass i start at tw[twOffset[i]], laid out as
    // FixedRadixPass expects
    std::size_t twOffset[kMaxFactors + 2] = {};
    std::vector<double> tw;
    // input offset of every group of the first pass
    std::vector<std::size_t> groupBase;
};

constexpr int kPlanCacheLimit = 1 << 20;
FftPlan g_plan;

void BuildPlan(int n, const FftFactors& f, double pi, FftPlan& plan)
{
    plan.n = 0;
    plan.nFact = f.count;
    plan.remain[0] = static_cast<std::size_t>(n);
    for (int i = 1; i <= f.count; ++i) {
        plan.actual[i] = static_cast<std::size_t>(f.factor[i - 1]);
        plan.sofar[i] = i == 1 ? 1 : plan.sofar[i - 1] * plan.actual[i - 1];
        plan.remain[i] = plan.remain[i - 1] / plan.actual[i];
    }

    // exp(-2 pi i j / n) for j = 0 ... n-1; W[n - j] is the conjugate of W[j].
    const std::size_t N = static_cast<std::size_t>(n);
    std::vector<double> wr(N), wi(N);
    wr[0] = 1.0;
    wi[0] = 0.0;
    for (std::size_t j = 1; 2 * j <= N; ++j) {
        const double a = 2.0 * pi * static_cast<double>(j) / n;
        const double c = std::cos(a), s = std::sin(a);
        wr[j] = c;
        wi[j] = -s;
        wr[N - j] = c;
        wi[N - j] = s;
    }
    // Pass i multiplies value k of butterfly m by
    // exp(-2 pi i k m / (sofar[i] actual[i])) = W[k m remain[i]].
    std::size_t total = 0;
    for (int i = 1; i <= f.count; ++i) {
        plan.twOffset[i] = total;
        const std::size_t pairs = plan.sofar[i] / 2;  // pairs of m = 1 ... sofar-1
        total += pairs * (plan.actual[i] - 1) * 4;
    }
    plan.tw.assign(total, 0.0);
    for (int i = 1; i <= f.count; ++i) {
        const std::size_t s = plan.sofar[i], g = plan.remain[i], p = plan.actual[i];
        double* t = plan.tw.data() + plan.twOffset[i];
        for (std::size_t m = 1; m < s; ++m) {
            const std::size_t j = (m - 1) / 2, lane = (m - 1) % 2;
            for (std::size_t k = 1; k < p; ++k) {
                double* q = t + (j * (p - 1) + k - 1) * 4;
                q[lane] = wr[k * m * g];
                q[2 + lane] = wi[k * m * g];
            }
        }
    }

    // Output position q, written with digit 1 (radix actual[1]) least
    // significant, holds input index sum of digit_j * remain[j].  Group g of
    // the first pass is the position g * actual[1]; its digits 2 ... nFact are
    // those of g.
    {
        const std::size_t groups = plan.remain[1];
        plan.groupBase.resize(groups);
        std::size_t digit[kMaxFactors + 2] = {};
        std::size_t k = 0;
        for (std::size_t g = 0; g < groups; ++g) {
            plan.groupBase[g] = k;
            if (g + 1 == groups)
                break;
            k += plan.remain[2];
            int j = 2;
            while (++digit[j] == plan.actual[j] && j < f.count) {
                digit[j] = 0;
                k = k - plan.remain[j - 1] + plan.remain[j + 1];
                ++j;
            }
        }
    }
    plan.n = n;
}

template <int P>
void FirstPass(const FftPlan& plan, const double* xr, const double* xi, double* yr, double* yi)
{
    zeltmath::detail::FirstRadixPass<P>(xr, xi, yr, yi, plan.remain[1], plan.remain[1],
                                        plan.groupBase.data());
}

template <int P>
void LaterPass(const FftPlan& plan, int i, double* yr, double* yi)
{
    zeltmath::detail::FixedRadixPass<P>(yr, yi, plan.sofar[i], plan.remain[i],
                                        plan.tw.data() + plan.twOffset[i]);
}

bool Overlaps(const double* a, const double* b, int n)
{
    if (!a || !b)
        return false;
    const std::less<const double*> less;
    return less(a, b + n) && less(b, a + n);
}

} // namespace

namespace {

int Transform(int n, const double* xRe, const double* xIm, double* yRe, double* yIm);

} // namespace

int FastFourier(int n, const double* xRe, const double* xIm, double* yRe, double* yIm)
{
    if (n < 1 || !yRe || !yIm)
        return 0;
    // Every allocation happens before the output is written, so a
    // std::bad_alloc that passes through leaves the output untouched (and the
    // kept plan marked as empty).
    return Transform(n, xRe, xIm, yRe, yIm);
}

namespace {

int Transform(int n, const double* xRe, const double* xIm, double* yRe, double* yIm)
{
    const double pi = 4.0 * std::atan(1.0);

    const FftFactors f = zeltmath::detail::FactorFftLength(n);
    if (f.factor[0] > zeltmath::detail::kFftMaxPrimeFactor) {
        std::printf("\nPrime factor of FFT length too large : %6d", f.factor[0]);
        std::printf("\nPlease modify the value of maxPrimeFactor in FastFourier");
        std::fflush(stdout);
        return 0;
    }

    // A missing input part stands for zeros; an input that shares storage with
    // the output (an in-place call) is copied before the output is written.
    std::vector<double> copyRe, copyIm;
    if (!xRe || Overlaps(xRe, yRe, n) || Overlaps(xRe, yIm, n)) {
        copyRe = xRe ? std::vector<double>(xRe, xRe + n) : std::vector<double>(n, 0.0);
        xRe = copyRe.data();
    }
    if (!xIm || Overlaps(xIm, yRe, n) || Overlaps(xIm, yIm, n)) {
        copyIm = xIm ? std::vector<double>(xIm, xIm + n) : std::vector<double>(n, 0.0);
        xIm = copyIm.data();
    }

    if (n == 1) {
        yRe[0] = xRe[0];
        yIm[0] = xIm[0];
        return 1;
    }

    FftPlan ownPlan;
    FftPlan* plan = &g_plan;
    if (n > kPlanCacheLimit)
        plan = &ownPlan;
    if (plan->n != n)
        BuildPlan(n, f, pi, *plan);

    const FftPlan& pl = *plan;
    switch (pl.actual[1]) {
    case 2: FirstPass<2>(pl, xRe, xIm, yRe, yIm); break;
    case 3: FirstPass<3>(pl, xRe, xIm, yRe, yIm); break;
    case 4: FirstPass<4>(pl, xRe, xIm, yRe, yIm); break;
    case 5: FirstPass<5>(pl, xRe, xIm, yRe, yIm); break;
    case 8: FirstPass<8>(pl, xRe, xIm, yRe, yIm); break;
    case 10: FirstPass<10>(pl, xRe, xIm, yRe, yIm); break;
    default:
        zeltmath::detail::OddFirstPass(static_cast<int>(pl.actual[1]), pi, xRe, xIm, yRe, yIm, pl.remain[1],
                     pl.remain[1], pl.groupBase.data());
        break;
    }
    for (int i = 2; i <= pl.nFact; ++i) {
        switch (pl.actual[i]) {
        case 2: LaterPass<2>(pl, i, yRe, yIm); break;
        case 3: LaterPass<3>(pl, i, yRe, yIm); break;
        case 4: LaterPass<4>(pl, i, yRe, yIm); break;
        case 5: LaterPass<5>(pl, i, yRe, yIm); break;
        case 8: LaterPass<8>(pl, i, yRe, yIm); break;
        case 10: LaterPass<10>(pl, i, yRe, yIm); break;
        default:
            zeltmath::detail::OddLaterPass(static_cast<int>(pl.actual[i]), pi, yRe, yIm, pl.sofar[i],
                         pl.remain[i], pl.tw.data() + pl.twOffset[i]);
            break;
        }
    }
    return 1;
}

} // namespace
