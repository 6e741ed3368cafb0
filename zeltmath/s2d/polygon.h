#ifndef ZELTMATH_S2D_POLYGON_H
#define ZELTMATH_S2D_POLYGON_H
/// \file
/// The closed ring of vertices and the containment order of rings.

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/polyline.h>
#include <zeltmath/s2d/views.h>

#include <utility>
#include <vector>

namespace S2D {

class Circle;
class Polygon;

/// A view of some vertices of a polygon, read-only or writable.
using PolygonVertices = GenericEnumeration<Point, Polygon, unsigned>;
/// A writable view of some vertices of a polygon.
using PolygonVertexSlice = GenericSlice<Point, Polygon, unsigned>;

/// A closed ring of vertices: a polyline whose last vertex is joined back to
/// the first.  The last vertex is not repeated; edge Size() - 1 is the closing
/// edge, so EdgeCount() is Size() and every inherited edge walk (EdgeAt, the
/// near-edge queries, ReduceGeometry, the self-crossing walk) includes it.
///
/// No orientation is imposed.  With x to the right and y upward the signed
/// doubled area S = sum of Simple(v[i-1], v[i mod n]) is positive for a
/// counter-clockwise ring.
///
/// Containment tests take onBorder (the answer for a point on the border),
/// tol (an absolute length) and checkBorder (whether the border is looked for
/// at all).  Degenerate rings are answered, not rejected: an empty ring
/// contains nothing, a one-vertex ring only its vertex and a two-vertex ring
/// only its segment, both only when the border is looked for.
class ZELTMATH_API Polygon : public Polyline {
public:
    /// A ring without vertices.
    Polygon() = default;
    /// A copy of other.
    Polygon(const Polygon& other) : Polyline(other) {}
    /// The ring of the polyline's points.
    Polygon(const Polyline& other) : Polyline(other) {}
    /// Takes the points of other over; other is left empty.
    Polygon(Polygon&& other) noexcept : Polyline(std::move(other)) {}
    /// Takes the points of other over; other is left empty.
    Polygon(Polyline&& other) noexcept : Polyline(std::move(other)) {}
    /// The ring of the given points.
    Polygon(const std::vector<Point>& points) : Polyline(points) {}
    /// The ring of count points from the array (none when points is null).
    Polygon(const Point* points, unsigned count) : Polyline(points, count) {}
    /// Virtual, so that derived objects are destroyed completely.
    ~Polygon() override;

    /// The polyline assignments, with the closing edge counted.
    using Polyline::operator=;
    /// Size(): the closing edge counts.
    unsigned EdgeCount() const override;
    /// The self-crossing walk over all edges.  Edge 0 and the closing edge
    /// share vertex 0; when that pair is the one found and it only touches or
    /// lies apart, nothing crossed and the result is 0 (the pair and flags are
    /// written all the same).
    unsigned char IsSelfCrossed(unsigned* first, unsigned* second, unsigned* flags) const override;

    /// Copies the vertices.
    virtual Polygon& operator=(const Polygon& other);
    /// Whether the polyline crosses the border: one vertex strictly inside and
    /// one strictly outside; with `touching`, also a vertex within tol of an
    /// edge of the other shape; finally a proper crossing of two edges, or an
    /// edge of pl touching the border and running into the inside.
    virtual unsigned char IsCrossed(const Polyline& pl, unsigned char touching, double tol) const;
    /// Every vertex of pl passes CheckIn(vertex, ...); the edges of pl are not
    /// examined.  An empty polyline is inside.
    virtual unsigned char CheckIn(const Polyline& pl, unsigned char onBorder, double tol,
                                  unsigned char checkBorder) const;
    /// The circle lies inside: its centre is strictly inside (not within tol of
    /// the border), and every edge is at least the radius away from the
    /// centre.  An edge at the radius within tol (a tangent) is accepted only
    /// when onBorder is set; an edge nearer than the radius by more than tol
    /// means the circle pokes out, and the answer is 0.
    virtual unsigned char CheckIn(const Circle& c, unsigned char onBorder, double tol) const;
    /// Point in polygon.  With checkBorder, a point within tol of an edge
    /// (IsBetween) gives onBorder.  Otherwise the even-odd crossing test
    /// decides, with a half-open tolerant test on the heights of each edge so
    /// that a horizontal edge never counts.
    virtual unsigned char CheckIn(const Point& p, unsigned char onBorder, double tol,
                                  unsigned char checkBorder) const;
    /// The indices, ascending, of the vertices of this polygon that lie in
    /// `other` by other.CheckIn(vertex, onBorder, tol, checkBorder).
    virtual std::vector<unsigned> CheckPointsIn(const Polygon& other, unsigned char onBorder, double tol,
                                                unsigned char checkBorder) const;
    /// Rotate the numbering: after `>>= k` new vertex i is old vertex
    /// (i + k) mod n, after `<<= k` old vertex (i - k) mod n.  Any k is
    /// accepted (negative ones too); the ring and its orientation stay, only
    /// the starting vertex moves.  An empty polygon stays empty.
    virtual Polygon& operator>>=(int k);
    /// See operator>>=.
    virtual Polygon& operator<<=(int k);

    /// |S| / 2, never negative.
    double Area() const;
    /// S < 0, without tolerance: a ring of zero area is not clockwise.
    unsigned char IsClockwise() const;
    /// The centroid of the enclosed area.  A ring of zero area (or an empty
    /// one) has none: the result then has infinite or NaN coordinates.
    Point MassCenter();

    /// Views of the vertices at `indices` (unchecked), referring to this polygon.
    using Polyline::operator[];
    /// A read-only view of the vertices at indices.
    PolygonVertices operator[](const std::vector<unsigned>& indices) const;
    /// A writable view of the vertices at indices.
    PolygonVertexSlice operator[](const std::vector<unsigned>& indices);
};

/// Orders polygon indices by containment: a before b when every vertex of
/// polygon a lies inside polygon b by the plain crossing test (tolerance
/// 1e-10, border not looked for).  Holds the address of the vector, which it
/// does not own and which must outlive it.
class ZELTMATH_API PolygonOrderComparer {
public:
    /// A comparer over the given polygons.
    PolygonOrderComparer(const std::vector<Polygon>& polygons) : polygons_(&polygons) {}
    /// Whether polygon a comes before polygon b: every vertex of a lies inside b.
    bool operator()(unsigned a, unsigned b) const;

private:
    const std::vector<Polygon>* polygons_;
};

extern template class GenericEnumeration<Point, Polygon, unsigned>;
extern template class GenericSlice<Point, Polygon, unsigned>;

} // namespace S2D

#endif
