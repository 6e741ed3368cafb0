#include <zeltmath/approx/simplex.h>
#include <zeltmath/base/exception.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constraint Row(std::vector<double> a, double b)
{
    constraint c;
    c.a = std::move(a);
    c.b = b;
    return c;
}

TEST(Constraint, NeverEqualButEmptyVectorsAre)
{
    constraint c = Row({1, 2}, 3);
    EXPECT_FALSE(c == c);
    constraint copy(c);
    EXPECT_EQ(copy.a, c.a);
    EXPECT_EQ(copy.b, 3);
    copy.a[0] = 7;  // deep copy
    EXPECT_EQ(c.a[0], 1);
    EXPECT_TRUE(std::vector<constraint>() == std::vector<constraint>());
    std::vector<constraint> v{c};
    EXPECT_FALSE(v == v);
    EXPECT_TRUE(constraint().a.empty());
}

TEST(SimplexSolve, SmallProgramsWithKnownAnswers)
{
    // min x0 + x1, x0 + x1 >= 1.
    std::vector<double> cost{1, 1}, x(2, -5);
    std::vector<constraint> eqs, ges{Row({1, 1}, 1)};
    ASSERT_EQ(SimplexSolve(cost, eqs, ges, x), 0);
    EXPECT_NEAR(x[0] + x[1], 1.0, 1e-12);
    EXPECT_GE(x[0], 0.0);
    EXPECT_GE(x[1], 0.0);

    // max 3x + 5y s.t. x <= 4, 2y <= 12, 3x + 2y <= 18: optimum (2, 6), 36.
    cost = {-3, -5};
    ges = {Row({-1, 0}, -4), Row({0, -2}, -12), Row({-3, -2}, -18)};
    ASSERT_EQ(SimplexSolve(cost, eqs, ges, x), 0);
    EXPECT_NEAR(x[0], 2.0, 1e-12);
    EXPECT_NEAR(x[1], 6.0, 1e-12);

    // Equalities and inequalities together, extra coefficients ignored and
    // a longer x keeps its tail: min x0 + 2 x1 + 3 x2, x0 + x1 + x2 = 6,
    // x1 - x2 >= 1, x0 <= 2 -> (2, 4, 0), 10.
    cost = {1, 2, 3};
    eqs = {Row({1, 1, 1, 99}, 6)};
    ges = {Row({0, 1, -1, 99}, 1), Row({-1, 0, 0}, -2)};
    x.assign(4, 42.0);
    ASSERT_EQ(SimplexSolve(cost, eqs, ges, x), 0);
    EXPECT_NEAR(x[0], 2.0, 1e-12);
    EXPECT_NEAR(x[1], 4.0, 1e-12);
    EXPECT_NEAR(x[2], 0.0, 1e-12);
    EXPECT_EQ(x[3], 42.0);
    EXPECT_EQ(x.size(), 4u);
}

TEST(SimplexSolve, StatusesLeaveXUntouched)
{
    std::vector<double> x{7, 8};
    std::vector<constraint> eqs, ges;

    std::vector<double> cost{-1, 0};  // min -x0, nothing bounds x0
    EXPECT_EQ(SimplexSolve(cost, eqs, ges, x), 3);
    EXPECT_EQ(x, (std::vector<double>{7, 8}));

    cost = {1, 1};  // x0 = 1 and x0 >= 2
    eqs = {Row({1, 0}, 1)};
    ges = {Row({1, 0}, 2)};
    EXPECT_EQ(SimplexSolve(cost, eqs, ges, x), 2);
    EXPECT_EQ(x, (std::vector<double>{7, 8}));

    // x >= 0 is implied: x0 + x1 = -1 cannot hold.
    eqs = {Row({1, 1}, -1)};
    ges.clear();
    EXPECT_EQ(SimplexSolve(cost, eqs, ges, x), 2);

    cost.clear();
    std::vector<double> none;
    EXPECT_EQ(SimplexSolve(cost, eqs, ges, none), 100);
    EXPECT_TRUE(none.empty());
}

TEST(SimplexSolve, MisuseIsRejectedBeforeAnythingIsBuilt)
{
    std::vector<double> cost{1, 1}, x{3, 4};
    std::vector<constraint> eqs, ges{Row({1}, 1)};
    EXPECT_THROW(SimplexSolve(cost, eqs, ges, x), std::invalid_argument);
    ges = {Row({1, 1}, std::numeric_limits<double>::quiet_NaN())};
    EXPECT_THROW(SimplexSolve(cost, eqs, ges, x), std::invalid_argument);
    ges = {Row({1, 1}, 1)};
    std::vector<double> shortX(1, 5.0);
    EXPECT_THROW(SimplexSolve(cost, eqs, ges, shortX), std::invalid_argument);
    EXPECT_EQ(shortX[0], 5.0);
    cost[1] = std::nan("");
    EXPECT_THROW(SimplexSolve(cost, eqs, ges, x), std::invalid_argument);
    EXPECT_EQ(x, (std::vector<double>{3, 4}));
}

} // namespace
