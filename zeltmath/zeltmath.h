#ifndef ZELTMATH_ZELTMATH_H
#define ZELTMATH_ZELTMATH_H

// Every public header of the library.

#include <zeltmath/base/export.h>
#include <zeltmath/base/zelt_base.h>
#include <zeltmath/base/exception.h>
#include <zeltmath/base/string.h>
#include <zeltmath/base/settings.h>

#include <zeltmath/numeric/core.h>

#include <zeltmath/s2d/win_types.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/rect.h>
#include <zeltmath/s2d/circle.h>
#include <zeltmath/s2d/matrix.h>
#include <zeltmath/s2d/edge.h>
#include <zeltmath/s2d/smooth_corner.h>
#include <zeltmath/s2d/region.h>

// Chains and rings
#include <zeltmath/s2d/polyline.h>
#include <zeltmath/s2d/views.h>
#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/triangle.h>

// Sets of rings and their Boolean operations
#include <zeltmath/s2d/poly_polygon.h>

#endif
