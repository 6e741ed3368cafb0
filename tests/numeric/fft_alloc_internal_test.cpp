// FastFourier under memory exhaustion: every allocation it makes is refused
// in turn; the refusal reaches the caller as std::bad_alloc and the output is
// not written.
#include <zeltmath/numeric/fft.h>
#include "../support/failing_new.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(FftAllocationFailure, BadAllocPassesThroughAndLeavesTheOutput)
{
    for (int n : {7 * 16, 1000, 97 * 3 * 2, 6173}) {
        SCOPED_TRACE(n);
        std::vector<double> re(static_cast<std::size_t>(n)), im(static_cast<std::size_t>(n));
        for (int j = 0; j < n; ++j) {
            re[static_cast<std::size_t>(j)] = std::sin(0.37 * j);
            im[static_cast<std::size_t>(j)] = std::cos(1.3 * j);
        }
        std::vector<double> wantRe(re.size()), wantIm(re.size());
        ASSERT_EQ(FastFourier(n, re.data(), nullptr, wantRe.data(), wantIm.data()), 1);

        int refusals = 0;
        for (long k = 0; k < 1000; ++k) {
            // A fresh length first, so that the plan of n is built again.
            std::vector<double> a(2), b(2);
            ASSERT_EQ(FastFourier(2, a.data(), nullptr, a.data(), b.data()), 1);

            std::vector<double> yRe(re.size(), -7.0), yIm(re.size(), -7.0);
            g_failed = false;
            g_countdown = k;
            int result = -1;
            bool threw = false;
            try {
                result = FastFourier(n, re.data(), nullptr, yRe.data(), yIm.data());
            } catch (const std::bad_alloc&) {
                threw = true;
            }
            g_countdown = -1;
            if (!g_failed) {
                EXPECT_FALSE(threw);
                EXPECT_EQ(result, 1);
                EXPECT_EQ(yRe, wantRe);
                EXPECT_EQ(yIm, wantIm);
                break;
            }
            ++refusals;
            EXPECT_TRUE(threw) << "refusal " << k << " gave " << result;
            EXPECT_EQ(yRe, std::vector<double>(re.size(), -7.0));
            EXPECT_EQ(yIm, std::vector<double>(re.size(), -7.0));
        }
        EXPECT_GT(refusals, 0);
    }
}

} // namespace
