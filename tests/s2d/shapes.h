#ifndef ZELTMATH_TESTS_S2D_SHAPES_H
#define ZELTMATH_TESTS_S2D_SHAPES_H

// Shapes and measures that the planar tests share.

#include <zeltmath/s2d/poly_polygon.h>
#include <zeltmath/s2d/polygon.h>

#include <vector>

// The axis-parallel rectangle (x0, y0)-(x1, y1), counter-clockwise when
// x0 < x1 and y0 < y1.
inline S2D::Polygon Square(double x0, double y0, double x1, double y1)
{
    return S2D::Polygon(std::vector<S2D::Point>{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

// Outer area minus hole area.
inline double NetArea(const S2D::PolyPolygon& pp)
{
    double a = 0;
    for (const S2D::Polygon& p : pp.Outers())
        a += p.Area();
    for (const S2D::Polygon& p : pp.Inners())
        a -= p.Area();
    return a;
}

#endif
