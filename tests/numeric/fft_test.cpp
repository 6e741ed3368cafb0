#include <zeltmath/numeric/fft.h>

#include <gtest/gtest.h>

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>
#include <string>
#include <vector>

namespace {

struct Signal {
    std::vector<double> re, im;
};

Signal RandomSignal(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> d(-1.0, 1.0);
    Signal s{std::vector<double>(n), std::vector<double>(n)};
    for (int i = 0; i < n; ++i) {
        s.re[i] = d(gen);
        s.im[i] = d(gen);
    }
    return s;
}

// Largest deviation from FFTW's forward transform, relative to the largest
// output magnitude.
double ErrorAgainstFftw(int n, unsigned seed)
{
    const Signal x = RandomSignal(n, seed);
    Signal y{std::vector<double>(n), std::vector<double>(n)};
    if (FastFourier(n, x.re.data(), x.im.data(), y.re.data(), y.im.data()) != 1)
        return 1e300;
    fftw_complex* in = fftw_alloc_complex(n);
    fftw_complex* out = fftw_alloc_complex(n);
    fftw_plan plan = fftw_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_ESTIMATE);
    for (int i = 0; i < n; ++i) {
        in[i][0] = x.re[i];
        in[i][1] = x.im[i];
    }
    fftw_execute(plan);
    double maxErr = 0.0, maxMag = 0.0;
    for (int i = 0; i < n; ++i) {
        maxErr = std::max(maxErr, std::hypot(y.re[i] - out[i][0], y.im[i] - out[i][1]));
        maxMag = std::max(maxMag, std::hypot(out[i][0], out[i][1]));
    }
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
    return maxMag > 0 ? maxErr / maxMag : maxErr;
}

TEST(FastFourier, MatchesFftwForEveryLengthUpTo2000)
{
    double worst = 0.0;
    int worstN = 0;
    for (int n = 1; n <= 2000; ++n) {
        const double e = ErrorAgainstFftw(n, static_cast<unsigned>(n));
        EXPECT_LT(e, 1e-12) << "n = " << n;
        if (e > worst) {
            worst = e;
            worstN = n;
        }
    }
    std::printf("largest relative error %.3g at n = %d\n", worst, worstN);
}

TEST(FastFourier, MatchesFftwForLargePrimeFactors)
{
    // 2 * 6151 and 6173: the largest primes the general kernel takes;
    // 4096 * 3 * 5 * 7: many passes; 3 * 5 * 7 * 11 * 13: several odd kernels;
    // 1024: the 8 * 2 -> 4 * 4 rewrite; 10^4: radix 10 only; 67 * 71 and
    // 127 * 3 * 8: a large odd factor after the first pass and before others;
    // 59 * 61 * 2: the largest table-driven odd factors.
    for (int n : {2 * 6151, 6173, 4096 * 3 * 5 * 7, 3 * 5 * 7 * 11 * 13, 1024, 10000,
                  7 * 7 * 7 * 7, 6151 * 3, 67 * 71, 127 * 3 * 8, 59 * 61 * 2})
        EXPECT_LT(ErrorAgainstFftw(n, 7u), 1e-12) << "n = " << n;
}

TEST(FastFourier, HandComputedTransforms)
{
    // length 1 copies the input
    double re = 2.5, im = -1.0, yr = 0, yi = 0;
    EXPECT_EQ(FastFourier(1, &re, &im, &yr, &yi), 1);
    EXPECT_EQ(yr, 2.5);
    EXPECT_EQ(yi, -1.0);

    // a unit impulse at j = 1 gives exp(-2 pi i k / n)
    const int n = 12;
    std::vector<double> xr(n, 0.0), outR(n), outI(n);
    xr[1] = 1.0;
    ASSERT_EQ(FastFourier(n, xr.data(), nullptr, outR.data(), outI.data()), 1);
    for (int k = 0; k < n; ++k) {
        EXPECT_NEAR(outR[k], std::cos(2 * M_PI * k / n), 1e-15);
        EXPECT_NEAR(outI[k], -std::sin(2 * M_PI * k / n), 1e-15);
    }

    // a constant sequence transforms into n at k = 0 and zeros elsewhere
    std::vector<double> ones(7, 1.0), r7(7), i7(7);
    ASSERT_EQ(FastFourier(7, ones.data(), nullptr, r7.data(), i7.data()), 1);
    EXPECT_NEAR(r7[0], 7.0, 1e-14);
    for (int k = 1; k < 7; ++k) {
        EXPECT_NEAR(r7[k], 0.0, 1e-14);
        EXPECT_NEAR(i7[k], 0.0, 1e-14);
    }

    // no input at all: zeros
    std::vector<double> zr(30, 9.0), zi(30, 9.0);
    ASSERT_EQ(FastFourier(30, nullptr, nullptr, zr.data(), zi.data()), 1);
    for (int k = 0; k < 30; ++k) {
        EXPECT_EQ(zr[k], 0.0);
        EXPECT_EQ(zi[k], 0.0);
    }
}

TEST(FastFourier, RealInputIsHermitianAndTheInverseCancels)
{
    for (int n : {16, 6, 7, 100, 77, 210}) {
        Signal x = RandomSignal(n, 3u);
        std::vector<double> yr(n), yi(n);
        ASSERT_EQ(FastFourier(n, x.re.data(), nullptr, yr.data(), yi.data()), 1);
        for (int k = 1; k < n; ++k) {
            EXPECT_NEAR(yr[n - k], yr[k], 1e-12) << n;
            EXPECT_NEAR(yi[n - k], -yi[k], 1e-12) << n;
        }
        EXPECT_NEAR(yi[0], 0.0, 1e-12);

        // x = conj(F(conj(F(x)))) / n
        ASSERT_EQ(FastFourier(n, x.re.data(), x.im.data(), yr.data(), yi.data()), 1);
        for (double& v : yi)
            v = -v;
        std::vector<double> zr(n), zi(n);
        ASSERT_EQ(FastFourier(n, yr.data(), yi.data(), zr.data(), zi.data()), 1);
        for (int j = 0; j < n; ++j) {
            EXPECT_NEAR(zr[j] / n, x.re[j], 1e-13) << n;
            EXPECT_NEAR(-zi[j] / n, x.im[j], 1e-13) << n;
        }

        // Parseval: sum |x|^2 = sum |y|^2 / n
        ASSERT_EQ(FastFourier(n, x.re.data(), x.im.data(), yr.data(), yi.data()), 1);
        double ex = 0, ey = 0;
        for (int j = 0; j < n; ++j) {
            ex += x.re[j] * x.re[j] + x.im[j] * x.im[j];
            ey += yr[j] * yr[j] + yi[j] * yi[j];
        }
        EXPECT_NEAR(ey / n, ex, 1e-12 * ex);
    }
}

TEST(FastFourier, InPlaceCallGivesTheSameResult)
{
    const int n = 360;
    Signal x = RandomSignal(n, 11u);
    std::vector<double> yr(n), yi(n);
    ASSERT_EQ(FastFourier(n, x.re.data(), x.im.data(), yr.data(), yi.data()), 1);
    ASSERT_EQ(FastFourier(n, x.re.data(), x.im.data(), x.re.data(), x.im.data()), 1);
    EXPECT_EQ(x.re, yr);
    EXPECT_EQ(x.im, yi);
    // real and imaginary parts swapped in place: the transform of i * conj(x)
    Signal z = RandomSignal(n, 12u);
    std::vector<double> sr(n), si(n);
    ASSERT_EQ(FastFourier(n, z.im.data(), z.re.data(), sr.data(), si.data()), 1);
    ASSERT_EQ(FastFourier(n, z.im.data(), z.re.data(), z.re.data(), z.im.data()), 1);
    EXPECT_EQ(z.re, sr);
    EXPECT_EQ(z.im, si);
}

TEST(FastFourier, RejectedLengthsLeaveTheOutputAlone)
{
    // 6451 is prime and beyond the work arrays
    const int n = 2 * 6451;
    std::vector<double> xr(n, 1.0), yr(n, 5.0), yi(n, 5.0);
    testing::internal::CaptureStdout();
    EXPECT_EQ(FastFourier(n, xr.data(), nullptr, yr.data(), yi.data()), 0);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed,
              "\nPrime factor of FFT length too large :   6451"
              "\nPlease modify the value of maxPrimeFactor in FastFourier");
    EXPECT_TRUE(std::all_of(yr.begin(), yr.end(), [](double v) { return v == 5.0; }));
    EXPECT_TRUE(std::all_of(yi.begin(), yi.end(), [](double v) { return v == 5.0; }));

    // lengths below 1 and missing outputs: result 0, nothing written, no text
    double r = 3.0, i = 4.0, x = 1.0;
    testing::internal::CaptureStdout();
    EXPECT_EQ(FastFourier(0, &x, &x, &r, &i), 0);
    EXPECT_EQ(FastFourier(-5, &x, &x, &r, &i), 0);
    EXPECT_EQ(FastFourier(1, &x, &x, nullptr, &i), 0);
    EXPECT_EQ(FastFourier(1, &x, &x, &r, nullptr), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(r, 3.0);
    EXPECT_EQ(i, 4.0);
}

} // namespace
