#ifndef ZELTMATH_DETAIL_MATRIX_INVERSE_H
#define ZELTMATH_DETAIL_MATRIX_INVERSE_H

#include <cmath>

namespace zeltmath {
namespace detail {

// The inverse of the N x N affine matrix A (the planar matrix with N = 3, the
// spatial one with N = 4) by Gauss-Jordan elimination without row exchanges:
//
// 1. Every diagonal element below 1 is raised to exactly 1 by adding a
//    multiple of the first other row whose element in that column exceeds
//    1e-10 in magnitude; when there is none the matrix counts as singular.
// 2. Each row is divided by its pivot and cleared from the other rows.  A
//    pivot below 2.220446049250313e-16 in magnitude counts as singular; a NaN
//    pivot is not below it, so a matrix holding a NaN inverts to NaNs.
//
// Every row operation is applied to R as well, which starts as the identity
// and ends as the inverse.  A is destroyed.  Returns false when singular; R
// is then unspecified.
template <int N>
bool InvertAffineMatrix(double (&A)[N][N], double (&R)[N][N])
{
    auto addRow = [&](int dst, int src, double f) {
        for (int c = 0; c < N; ++c) {
            A[dst][c] += f * A[src][c];
            R[dst][c] += f * R[src][c];
        }
    };
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c)
            R[r][c] = r == c ? 1.0 : 0.0;

    for (int i = 0; i < N; ++i) {
        if (!(A[i][i] < 1.0))
            continue;
        int k = 0;
        while (k < N && (k == i || !(std::fabs(A[k][i]) > 1e-10)))
            ++k;
        if (k == N)
            return false;
        addRow(i, k, (1.0 - A[i][i]) / A[k][i]);
    }

    for (int i = 0; i < N; ++i) {
        const double p = A[i][i];
        if (std::fabs(p) < 2.220446049250313e-16)
            return false;
        for (int c = 0; c < N; ++c) {
            A[i][c] /= p;
            R[i][c] /= p;
        }
        for (int k = 0; k < N; ++k)
            if (k != i)
                addRow(k, i, -A[k][i]);
    }
    return true;
}

} // namespace detail
} // namespace zeltmath

#endif
