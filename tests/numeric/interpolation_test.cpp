#include <zeltmath/numeric/interpolation.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Interpol, LinearInsideClampedOutside)
{
    const double X[] = {0, 1, 2};
    const double Y[] = {0, 10, 20};
    EXPECT_EQ(Interpol(-5, X, Y, 3, 1), 0.0);
    EXPECT_EQ(Interpol(0.5, X, Y, 3, 1), 5.0);
    EXPECT_EQ(Interpol(1.25, X, Y, 3, 1), 12.5);
    EXPECT_EQ(Interpol(2, X, Y, 3, 1), 20.0);
    EXPECT_EQ(Interpol(7, X, Y, 3, 1), 20.0);
    // a stride below 1 counts as 1
    EXPECT_EQ(Interpol(0.5, X, Y, 3, 0), 5.0);
    EXPECT_EQ(Interpol(0.5, X, Y, 3, -4), 5.0);

    // one point: constant
    const double x1[] = {3};
    const double y1[] = {-2};
    for (double x : {-1e9, 3.0, 4.0, 1e9})
        EXPECT_EQ(Interpol(x, x1, y1, 1, 1), -2.0);

    // empty or missing tables give 0
    EXPECT_EQ(Interpol(1, X, Y, 0, 1), 0.0);
    EXPECT_EQ(Interpol(1, nullptr, Y, 3, 1), 0.0);
    EXPECT_EQ(Interpol(1, X, nullptr, 3, 1), 0.0);
}

TEST(Interpol, RepeatedAbscissaAndStride)
{
    // a step at x = 1 reached through the repeated abscissa: with x = 1 the
    // first segment (0, 1) already encloses it
    const double X[] = {0, 1, 1, 2};
    const double Y[] = {0, 4, 8, 10};
    EXPECT_EQ(Interpol(1, X, Y, 4, 1), 4.0);
    EXPECT_EQ(Interpol(1.5, X, Y, 4, 1), 9.0);
    // repeated abscissa that is the first segment to enclose x: the mean
    const double Xs[] = {0, 2, 2};
    const double Ys[] = {0, 4, 6};
    EXPECT_EQ(Interpol(2, Xs, Ys, 3, 1), 4.0);  // (0, 2] encloses 2 first
    const double Xr[] = {0, -1, 2, 2};
    const double Yr[] = {0, 1, 4, 6};
    EXPECT_EQ(Interpol(2, Xr, Yr, 4, 1), 4.0);
    // only a NaN ahead of it lets the zero-width segment be the first match
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double Xn[] = {0, nan, 2, 2};
    const double Yn[] = {0, 1, 4, 6};
    EXPECT_EQ(Interpol(2, Xn, Yn, 4, 1), 5.0);

    // walking a column of a 3-wide table with stride 3
    const double Z[] = {1, 2, 3,
                        4, 5, 6,
                        7, 8, 9};
    const double T[] = {0, 10, 20};
    EXPECT_DOUBLE_EQ(Interpol(5, T, Z + 1, 3, 3), 3.5);
    EXPECT_DOUBLE_EQ(Interpol(15, T, Z + 2, 3, 3), 7.5);
}

TEST(InterpolTable, BilinearInsideAndEdgesOutside)
{
    // z = 1 + 2x + 3y + xy over X = {0, 1, 3}, Y = {0, 2}
    const double X[] = {0, 1, 3};
    const double Y[] = {0, 2};
    double Z[6];
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i)
            Z[j * 3 + i] = 1 + 2 * X[i] + 3 * Y[j] + X[i] * Y[j];
    auto f = [](double x, double y) { return 1 + 2 * x + 3 * y + x * y; };
    // bilinear functions are reproduced exactly inside each cell
    for (double x : {0.25, 1.0, 2.0, 2.9})
        for (double y : {0.5, 1.0, 1.75})
            EXPECT_NEAR(InterpolTable(x, y, X, Y, Z, 3, 2), f(x, y), 1e-13) << x << "," << y;

    // left of the table with y inside: along the first column
    EXPECT_DOUBLE_EQ(InterpolTable(-4, 1, X, Y, Z, 3, 2), f(0, 1));
    // right of the table: the last column
    EXPECT_DOUBLE_EQ(InterpolTable(9, 0.5, X, Y, Z, 3, 2), f(3, 0.5));
    // below and above: the first and last rows
    EXPECT_DOUBLE_EQ(InterpolTable(2, -1, X, Y, Z, 3, 2), f(2, 0));
    EXPECT_DOUBLE_EQ(InterpolTable(0.5, 5, X, Y, Z, 3, 2), f(0.5, 2));
    // corners
    EXPECT_EQ(InterpolTable(-1, -1, X, Y, Z, 3, 2), Z[0]);
    EXPECT_EQ(InterpolTable(10, 10, X, Y, Z, 3, 2), Z[5]);
    // left and above: the first column clamps to its top
    EXPECT_EQ(InterpolTable(-1, 10, X, Y, Z, 3, 2), Z[3]);

    EXPECT_EQ(InterpolTable(1, 1, X, Y, Z, 0, 2), 0.0);
    EXPECT_EQ(InterpolTable(1, 1, X, Y, Z, 3, 0), 0.0);
    EXPECT_EQ(InterpolTable(1, 1, X, Y, nullptr, 3, 2), 0.0);
}

TEST(InterpolTable, ZeroWidthCellTakesTheMeanOfItsSides)
{
    // The NaN abscissa hides the cells before the repeated abscissa, so the
    // zero-width cell [1, 1] is the first to enclose x = 1.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double X[] = {0, nan, 1, 1};
    const double Y[] = {0, 2};
    const double Z[] = {0, 0, 10, 20,
                        0, 0, 30, 40};
    // halfway up in y: left side 20, right side 30, mean 25
    EXPECT_DOUBLE_EQ(InterpolTable(1, 1, X, Y, Z, 4, 2), 25.0);
    // zero width in both directions: the mean of the four corners
    const double Y2[] = {0, nan, 1, 1};
    const double Z2[] = {0, 0, 0, 0,
                         0, 0, 0, 0,
                         0, 0, 1, 2,
                         0, 0, 3, 6};
    EXPECT_DOUBLE_EQ(InterpolTable(1, 1, X, Y2, Z2, 4, 4), 3.0);
}

} // namespace
