#ifndef ZELTMATH_ZELTMATH_H
#define ZELTMATH_ZELTMATH_H

/// \file
/// Every public header of the library.

// Base classes, exception, string and settings
#include <zeltmath/base/export.h>
#include <zeltmath/base/zelt_base.h>
#include <zeltmath/base/exception.h>
#include <zeltmath/base/string.h>
#include <zeltmath/base/settings.h>

// Tolerant comparisons, interpolation, elimination, Fourier transform
#include <zeltmath/numeric/core.h>
#include <zeltmath/numeric/interpolation.h>
#include <zeltmath/numeric/gauss.h>
#include <zeltmath/numeric/fft.h>

// Complex numbers and polynomial roots
#include <zeltmath/complex/dcomplex.h>
#include <zeltmath/complex/muller.h>

// Planar primitives
#include <zeltmath/s2d/win_types.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/rect.h>
#include <zeltmath/s2d/circle.h>
#include <zeltmath/s2d/matrix.h>
#include <zeltmath/s2d/edge.h>

// Chains, rings and regions
#include <zeltmath/s2d/polyline.h>
#include <zeltmath/s2d/views.h>
#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/triangle.h>
#include <zeltmath/s2d/poly_polygon.h>
#include <zeltmath/s2d/hollow_polygon.h>
#include <zeltmath/s2d/transform.h>
#include <zeltmath/s2d/smooth_corner.h>
#include <zeltmath/s2d/region.h>

// Spatial primitives
#include <zeltmath/s3d/point.h>
#include <zeltmath/s3d/matrix.h>

// Formula engine
#include <zeltmath/formula/formula.h>

// Optimisation, linear programming and minimax fitting
#include <zeltmath/optimize/opt.h>
#include <zeltmath/optimize/shor.h>
#include <zeltmath/approx/simplex.h>
#include <zeltmath/approx/chebyshev.h>

// Nearest-neighbour search
#include <zeltmath/ann/ann.h>

#endif
