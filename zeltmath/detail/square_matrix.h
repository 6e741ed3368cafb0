#ifndef ZELTMATH_DETAIL_SQUARE_MATRIX_H
#define ZELTMATH_DETAIL_SQUARE_MATRIX_H

#include <cmath>
#include <limits>

namespace zeltmath {
namespace detail {

// The element rules that the planar (N = 3) and the spatial (N = 4) matrix
// share.  The classes keep their own virtual operations and hooks; the loops
// and the rules for bad input live here once.

// Whether (i, j) names an element.
template <int N>
bool IsElement(int i, int j)
{
    return i >= 0 && i < N && j >= 0 && j < N;
}

// GetV(i, j): element m[j][i] (column i of row j); an index outside the
// matrix names no element and reads as a quiet NaN.
template <int N>
double ReadElement(const double (&m)[N][N], int i, int j)
{
    return IsElement<N>(i, j) ? m[j][i] : std::numeric_limits<double>::quiet_NaN();
}

// SetV(i, j, v): writes m[j][i]; an index outside the matrix writes nothing.
template <int N>
void WriteElement(double (&m)[N][N], int i, int j, double v)
{
    if (IsElement<N>(i, j))
        m[j][i] = v;
}

// m := a (a may alias m).
template <int N>
void CopyElements(double (&m)[N][N], const double (*a)[N])
{
    double copy[N][N];
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c)
            copy[r][c] = a[r][c];
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c)
            m[r][c] = copy[r][c];
}

template <int N>
void FillElements(double (&m)[N][N], double v)
{
    for (auto& row : m)
        for (double& e : row)
            e = v;
}

template <int N>
void SetDiagonalElements(double (&m)[N][N], double d)
{
    for (int i = 0; i < N; ++i)
        m[i][i] = d;
}

// m := m + sign * b, element by element (sign is +1 or -1).
template <int N>
void AddElements(double (&m)[N][N], const double (&b)[N][N], int sign)
{
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c)
            m[r][c] = sign > 0 ? m[r][c] + b[r][c] : m[r][c] - b[r][c];
}

template <int N>
void ScaleElements(double (&m)[N][N], double s)
{
    for (auto& row : m)
        for (double& e : row)
            e *= s;
}

// Whether operator/= divides: only when |s| >= 2.220446049250313e-16, so
// that a tiny or a NaN divisor leaves the matrix alone.
inline bool IsDivisor(double s)
{
    return std::fabs(s) >= 2.220446049250313e-16;
}

template <int N>
void DivideElements(double (&m)[N][N], double s)
{
    for (auto& row : m)
        for (double& e : row)
            e /= s;
}

// p := a * b, p[r][c] = a[r][0] * b[0][c] + ... + a[r][N-1] * b[N-1][c],
// summed from the left.
template <int N>
void MultiplyElements(const double (&a)[N][N], const double (&b)[N][N], double (&p)[N][N])
{
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c) {
            double sum = a[r][0] * b[0][c];
            for (int k = 1; k < N; ++k)
                sum += a[r][k] * b[k][c];
            p[r][c] = sum;
        }
}

} // namespace detail
} // namespace zeltmath

#endif
