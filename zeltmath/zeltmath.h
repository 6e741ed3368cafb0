#ifndef ZELTMATH_ZELTMATH_H
#define ZELTMATH_ZELTMATH_H

// Every public header of the library.

#include <zeltmath/base/export.h>
#include <zeltmath/base/zelt_base.h>
#include <zeltmath/base/exception.h>
#include <zeltmath/base/string.h>
#include <zeltmath/base/settings.h>

#include <zeltmath/numeric/core.h>
#include <zeltmath/numeric/interpolation.h>
#include <zeltmath/numeric/gauss.h>
#include <zeltmath/numeric/fft.h>

#include <zeltmath/complex/dcomplex.h>
#include <zeltmath/complex/muller.h>

#include <zeltmath/s2d/win_types.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/rect.h>
#include <zeltmath/s2d/circle.h>
#include <zeltmath/s2d/matrix.h>
#include <zeltmath/s2d/edge.h>
#include <zeltmath/s2d/smooth_corner.h>
#include <zeltmath/s2d/region.h>

#include <zeltmath/s3d/point.h>
#include <zeltmath/s3d/matrix.h>

#include <zeltmath/ann/ann.h>
// Chains and rings
#include <zeltmath/s2d/polyline.h>
#include <zeltmath/s2d/views.h>
#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/triangle.h>
#include <zeltmath/optimize/opt.h>
#include <zeltmath/optimize/shor.h>

#include <zeltmath/approx/simplex.h>
#include <zeltmath/approx/chebyshev.h>

// Sets of rings and their Boolean operations
#include <zeltmath/s2d/poly_polygon.h>

// Regions with holes and shape transforms
#include <zeltmath/s2d/hollow_polygon.h>
#include <zeltmath/s2d/transform.h>
#include <zeltmath/formula/formula.h>

#include <zeltmath/s3d/point.h>
#include <zeltmath/s3d/matrix.h>

#include <zeltmath/ann/ann.h>

#include <zeltmath/formula/formula.h>

#include <zeltmath/optimize/opt.h>
#include <zeltmath/optimize/shor.h>

#include <zeltmath/approx/simplex.h>
#include <zeltmath/approx/chebyshev.h>

#endif
