#include <zeltmath/numeric/gauss.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

TEST(Gauss, RowExchangeAndSeveralRightHandSides)
{
    double A[] = {0, 1,
                  1, 0};
    double b[] = {2, 3};
    ASSERT_TRUE(Gauss(2, A, 1, b));
    EXPECT_EQ(b[0], 3.0);
    EXPECT_EQ(b[1], 2.0);

    // 2x + y = 5, x + 3y = 10 -> (1, 3); second side (3, 4) -> (1, 1)
    double M[] = {2, 1,
                  1, 3};
    double B[] = {5, 10, 3, 4};
    ASSERT_TRUE(Gauss(2, M, 2, B));
    EXPECT_NEAR(B[0], 1.0, 1e-15);
    EXPECT_NEAR(B[1], 3.0, 1e-15);
    EXPECT_NEAR(B[2], 1.0, 1e-15);
    EXPECT_NEAR(B[3], 1.0, 1e-15);

    double one[] = {4};
    double rhs[] = {2};
    ASSERT_TRUE(Gauss(1, one, 1, rhs));
    EXPECT_EQ(rhs[0], 0.5);
}

TEST(Gauss, RandomSystemsSolveToTheKnownSolution)
{
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> d(-1, 1);
    for (int n : {3, 7, 20}) {
        const int m = 3;
        std::vector<double> A(n * n), X(n * m), B(n * m, 0.0);
        for (double& v : A)
            v = d(gen);
        for (double& v : X)
            v = d(gen);
        for (int k = 0; k < m; ++k)
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c)
                    B[k * n + r] += A[r * n + c] * X[k * n + c];
        ASSERT_TRUE(Gauss(n, A.data(), m, B.data()));
        for (int i = 0; i < n * m; ++i)
            EXPECT_NEAR(B[i], X[i], 1e-11) << n;
    }
}

TEST(Gauss, SingularMatricesAndBadArguments)
{
    // a zero column
    double A[] = {1, 0, 0,
                  2, 0, 1,
                  3, 0, 5};
    double b[] = {1, 2, 3};
    EXPECT_FALSE(Gauss(3, A, 1, b));
    // dependent rows: an exact zero pivot after elimination
    double D[] = {1, 2,
                  2, 4};
    double e[] = {1, 1};
    EXPECT_FALSE(Gauss(2, D, 1, e));

    double M[] = {1};
    double r[] = {1};
    EXPECT_FALSE(Gauss(0, M, 1, r));
    EXPECT_FALSE(Gauss(1, M, 0, r));
    EXPECT_FALSE(Gauss(1, nullptr, 1, r));
    EXPECT_FALSE(Gauss(1, M, 1, nullptr));
}

} // namespace
