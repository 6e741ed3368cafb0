#ifndef ZELTMATH_NUMERIC_GAUSS_H
#define ZELTMATH_NUMERIC_GAUSS_H
/// \file
/// Linear systems by Gauss-Jordan elimination.

#include <zeltmath/base/export.h>

/// Solves A x = b for m right-hand sides by Gauss-Jordan elimination with
/// partial pivoting (the first row of largest magnitude wins).
///
/// A is n x n in row order (A[r * n + c]) and is overwritten.  B holds the m
/// right-hand sides one after the other (component r of side k is
/// B[k * n + r]) and receives the solutions in the same layout.
///
/// Returns false for n < 1, m < 1 or a null array, and for a matrix that turns
/// out singular (a pivot exactly 0 after the row exchange); A and B are then
/// left part-way through the elimination.  No tolerance is used.
ZELTMATH_API bool Gauss(int n, double* A, int m, double* B);

#endif
