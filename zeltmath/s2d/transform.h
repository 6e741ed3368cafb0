#ifndef ZELTMATH_S2D_TRANSFORM_H
#define ZELTMATH_S2D_TRANSFORM_H
/// \file
/// Shape transforms: Transform(m, in, out) maps every shape of the library
/// into a shape of the same kind.  in and out may be the same object; when
/// they differ, out is first assigned from in (so it takes in's radius, ring
/// roles and so on) and then mapped in place.  Nothing can fail: non-finite
/// results are stored as they come.

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/circle.h>
#include <zeltmath/s2d/edge.h>
#include <zeltmath/s2d/hollow_polygon.h>
#include <zeltmath/s2d/matrix.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/poly_polygon.h>
#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/polyline.h>

namespace S2D {

/// The shape transforms: Transform::Transform(m, in, out) maps every shape of the library.
///
/// The result is a shape of the same kind.  in and out may be the same
/// object; when they differ, out is first assigned from in (so it takes in's
/// radius, ring roles and so on) and then mapped in place.  Nothing can fail:
/// non-finite results are stored as they come.  The forms for PolyPolygon
/// and HollowPolygon are declared beside their classes (poly_polygon.h,
/// hollow_polygon.h), which let them map the rings in place.
namespace Transform {

/// out = m applied to in.
ZELTMATH_API void Transform(const Matrix& m, const Point& in, Point& out);
/// Both ends mapped.
ZELTMATH_API void Transform(const Matrix& m, const Edge& in, Edge& out);
/// Both points mapped.
ZELTMATH_API void Transform(const Matrix& m, const Line& in, Line& out);
/// The centre mapped; the radius stays as it is, whatever the scale of m.
ZELTMATH_API void Transform(const Matrix& m, const Circle& in, Circle& out);
/// Every vertex mapped.
ZELTMATH_API void Transform(const Matrix& m, const Polyline& in, Polyline& out);
/// Every vertex mapped.
ZELTMATH_API void Transform(const Matrix& m, const Polygon& in, Polygon& out);

} // namespace Transform

} // namespace S2D

#endif
