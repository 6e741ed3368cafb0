#ifndef ZELTMATH_NUMERIC_INTERPOLATION_H
#define ZELTMATH_NUMERIC_INTERPOLATION_H

#include <zeltmath/base/export.h>

/// \file
/// Linear interpolation in tables of doubles owned by the caller.  Abscissae
/// are expected in ascending order; every comparison is exact and the tables
/// are clamped at their ends, never extrapolated.  Empty tables (and null
/// table pointers) give 0.

/// Piecewise-linear interpolation at x in the table X[0..n-1] -> Y[i * stride]
/// (stride 1 walks a row of a two-dimensional table, stride = row length a
/// column; a stride below 1 counts as 1).  At a repeated abscissa that
/// encloses x the result is the mean of the two ordinates.
ZELTMATH_API double Interpol(double x, const double* X, const double* Y, int n, int stride);

/// Bilinear interpolation at (x, y) in the table Z[j * nx + i] over the
/// abscissae X[0..nx-1] and ordinates Y[0..ny-1].  Outside the table in x or y
/// the result is the one-dimensional interpolation along the nearest edge row
/// or column; outside in both it is the nearest corner value.
///
/// Zero-width cells: where the cell that encloses the point has two equal
/// abscissae (or ordinates) its fraction in that direction is taken as 1/2,
/// so the result is the mean of the two sides - the same rule Interpol applies
/// in one dimension.  Because the first enclosing cell is used, such a cell is
/// only ever reached when the table contains NaN entries ahead of it.
ZELTMATH_API double InterpolTable(double x, double y, const double* X, const double* Y,
                                  const double* Z, int nx, int ny);

#endif
