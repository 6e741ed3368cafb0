#include <zeltmath/numeric/interpolation.h>

#include <cstddef>

namespace {

// Index of the table segment that holds v: 0 when v <= T[0], otherwise the
// first i in 1 .. n-1 with T[i-1] <= v <= T[i], or n when there is none.
int Locate(double v, const double* T, int n)
{
    if (v <= T[0])
        return 0;
    for (int i = 1; i < n; ++i) {
        if (T[i - 1] <= v && v <= T[i])
            return i;
    }
    return n;
}

// Position of v in [lo, hi] as a fraction; a zero-width range gives 1/2.
double Fraction(double v, double lo, double hi)
{
    return lo != hi ? (v - lo) / (hi - lo) : 0.5;
}

} // namespace

double Interpol(double x, const double* X, const double* Y, int n, int stride)
{
    if (n < 1 || !X || !Y)
        return 0.0;
    const std::ptrdiff_t s = stride < 1 ? 1 : stride;
    if (x <= X[0])
        return Y[0];
    const int i = Locate(x, X, n);
    if (i == n)
        return Y[(n - 1) * s];
    const double x0 = X[i - 1], x1 = X[i];
    const double y0 = Y[(i - 1) * s], y1 = Y[i * s];
    if (x0 != x1)
        return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
    return (y0 + y1) / 2;
}

double InterpolTable(double x, double y, const double* X, const double* Y, const double* Z,
                     int nx, int ny)
{
    if (nx < 1 || ny < 1 || !X || !Y || !Z)
        return 0.0;
    const std::ptrdiff_t cols = nx;
    const std::ptrdiff_t last = cols * ny - 1;
    const int ix = Locate(x, X, nx);
    const int iy = Locate(y, Y, ny);
    if (ix == 0 && iy == 0)
        return Z[0];
    if (ix == nx && iy == ny)
        return Z[last];
    if (ix == 0)
        return Interpol(y, Y, Z, ny, nx);
    if (ix == nx)
        return Interpol(y, Y, Z + nx - 1, ny, nx);
    if (iy == 0)
        return Interpol(x, X, Z, nx, 1);
    if (iy == ny)
        return Interpol(x, X, Z + (ny - 1) * cols, nx, 1);

    // The first enclosing cell, rows outermost.  ix and iy are the first
    // enclosing columns and rows, so the search ends at (ix, iy).
    const std::ptrdiff_t i = ix, j = iy;
    const double a = Z[(j - 1) * cols + i - 1];
    const double b = Z[(j - 1) * cols + i];
    const double c = Z[j * cols + i - 1];
    const double d = Z[j * cols + i];
    const double t = Fraction(x, X[i - 1], X[i]);
    const double u = Fraction(y, Y[j - 1], Y[j]);
    return a + (b - a) * t + (c - a) * u + (a - b - c + d) * t * u;
}
