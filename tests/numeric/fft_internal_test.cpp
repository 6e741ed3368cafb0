#include <zeltmath/numeric/detail/fft_factor.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Factors(int n)
{
    const zeltmath::detail::FftFactors f = zeltmath::detail::FactorFftLength(n);
    return std::vector<int>(f.factor, f.factor + f.count);
}

TEST(FftFactorization, PassOrderAndRewrite)
{
    using V = std::vector<int>;
    EXPECT_EQ(Factors(1), V({1}));
    EXPECT_EQ(Factors(2), V({2}));
    EXPECT_EQ(Factors(6), V({2, 3}));
    EXPECT_EQ(Factors(7), V({7}));
    // 2 * 8 is rewritten as 4 * 4
    EXPECT_EQ(Factors(16), V({4, 4}));
    EXPECT_EQ(Factors(1024), V({4, 4, 8, 8}));
    EXPECT_EQ(Factors(160), V({4, 4, 10}));
    // no rewrite when the last factor is not 2 or no 8 precedes it
    EXPECT_EQ(Factors(4096), V({8, 8, 8, 8}));
    EXPECT_EQ(Factors(20), V({2, 10}));
    EXPECT_EQ(Factors(1000), V({10, 10, 10}));
    // trial factors come first, the leftover prime leads
    EXPECT_EQ(Factors(3 * 5 * 7 * 11 * 13), V({13, 11, 7, 3, 5}));
    EXPECT_EQ(Factors(49), V({7, 7}));
    EXPECT_EQ(Factors(2 * 6451), V({6451, 2}));
    EXPECT_EQ(Factors(6173), V({6173}));
    EXPECT_EQ(Factors(1162261467), V(19, 3));  // 3^19
    int product = 1;
    for (int f : Factors(4096 * 3 * 5 * 7))
        product *= f;
    EXPECT_EQ(product, 4096 * 3 * 5 * 7);
}

} // namespace
