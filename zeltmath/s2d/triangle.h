#ifndef ZELTMATH_S2D_TRIANGLE_H
#define ZELTMATH_S2D_TRIANGLE_H
/// \file
/// A fixed ring of three points.

#include <zeltmath/base/export.h>
#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/rect.h>

namespace S2D {

/// A fixed ring of three points, for callers that work with triangulated regions.
///
/// Edge i runs from vertex i to vertex (i + 1) mod 3.  The library builds
/// the one instance GenericTriangle<Point>: its containment test, orientation
/// and area are compiled into the library and run the polygon's ring code.
template <class P>
class ZELTMATH_API GenericTriangle {
public:
    /// Three default points.
    GenericTriangle() = default;
    /// The triangle a, b, c.
    GenericTriangle(const P& a, const P& b, const P& c) : v_{a, b, c} {}
    /// A copy of t.
    GenericTriangle(const GenericTriangle& t) : v_{t.v_[0], t.v_[1], t.v_[2]} {}
    /// Copies the vertices of t.
    GenericTriangle& operator=(const GenericTriangle& t)
    {
        for (int i = 0; i < 3; ++i)
            v_[i] = t.v_[i];
        return *this;
    }

    /// Virtual, so that derived objects are destroyed completely.
    virtual ~GenericTriangle() = default;

    /// Point in triangle, the tolerant test of Polygon::CheckIn for a ring of
    /// three vertices: with checkBorder a point within tol of an edge gives
    /// onBorder; otherwise the crossing count over the three edges decides.
    virtual unsigned char CheckIn(const P& p, unsigned char onBorder, double tol,
                                  unsigned char checkBorder) const;
    /// The same vertices in the same order, exactly.
    virtual bool operator==(const GenericTriangle& t) const
    {
        return v_[0] == t.v_[0] && v_[1] == t.v_[1] && v_[2] == t.v_[2];
    }
    /// Every vertex is less than the vertex of t at the same index.
    virtual bool operator<(const GenericTriangle& t) const
    {
        return v_[0] < t.v_[0] && v_[1] < t.v_[1] && v_[2] < t.v_[2];
    }
    /// The same vertices in the same order, each coordinate within |tol| (the
    /// per-coordinate tolerance of Point::IsEqual).  Like operator==, the
    /// order matters: a triangle is not equal to a renumbering of itself.
    virtual unsigned char IsEqual(const GenericTriangle& t, double tol) const
    {
        return (v_[0].IsEqual(t.v_[0], tol) && v_[1].IsEqual(t.v_[1], tol) && v_[2].IsEqual(t.v_[2], tol)) ? 1
                                                                                                           : 0;
    }
    /// a.IsEqual(b, tol).
    static unsigned char IsEqual(const GenericTriangle& a, const GenericTriangle& b, double tol)
    {
        return a.IsEqual(b, tol);
    }

    /// Unchecked vertex access.
    P operator[](int i) const { return v_[i]; }
    /// Unchecked vertex access, writable.
    P& operator[](int i) { return v_[i]; }
    /// The three vertices.
    const P* Points() const { return v_; }

    /// The signed doubled area is negative.
    unsigned char IsClockWise() const;
    /// The enclosed area, never negative.
    double Area() const;
    /// The centroid: the mean of the vertices.
    P MassCenter() { return (v_[0] + v_[1] + v_[2]) / 3.0; }
    /// The bounding box Rect(min x, min y, max x, max y).
    Rect BoundRect()
    {
        double minX = v_[0].x, maxX = minX, minY = v_[0].y, maxY = minY;
        for (int i = 1; i < 3; ++i) {
            minX = v_[i].x < minX ? v_[i].x : minX;
            maxX = v_[i].x > maxX ? v_[i].x : maxX;
            minY = v_[i].y < minY ? v_[i].y : minY;
            maxY = v_[i].y > maxY ? v_[i].y : maxY;
        }
        return Rect(minX, minY, maxX, maxY);
    }

private:
    P v_[3];
};

extern template class GenericTriangle<Point>;

} // namespace S2D

#endif
