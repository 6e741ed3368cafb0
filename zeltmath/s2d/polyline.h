#ifndef ZELTMATH_S2D_POLYLINE_H
#define ZELTMATH_S2D_POLYLINE_H
/// \file
/// The open chain of points, base of every planar shape.

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/edge.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/rect.h>

#include <utility>
#include <vector>

namespace S2D {

/// An ordered chain of points joined by straight edges; the base of every
/// planar shape.  Vertices are numbered 0 .. Size() - 1 in storage order and
/// edge i runs from vertex i to vertex (i + 1) modulo Size().  A polyline has
/// the edges 0 .. Size() - 2; Polygon overrides EdgeCount() to add the
/// closing edge.  No invariant is imposed: duplicates, collinear runs and
/// self-crossings stay until a caller removes them.
///
/// Every operation that walks edges asks the virtual EdgeCount() and EdgeAt(),
/// so the same code serves a derived ring with its closing edge.
///
/// An empty polyline is a chain without edges: EdgeCount() is 0 (not Size() - 1
/// wrapped around), so it has no near edge, no self-crossing and nothing to
/// remove, and EdgeAt() throws for every index.  A single point has no edge
/// either.
///
/// Predicates return 1 or 0; tolerances are absolute lengths.
class ZELTMATH_API Polyline {
public:
    /// A chain without points.
    Polyline() = default;
    /// A copy of other.
    Polyline(const Polyline& other) : points_(other.points_) {}
    /// Move construction takes the point list over; the source is left empty.
    ///
    /// There is no move assignment: every assignment, also from a temporary,
    /// goes through the virtual operator=, so a derived class sees it.
    Polyline(Polyline&& other) noexcept : points_(std::move(other.points_)) { other.points_.clear(); }
    /// The chain of the given points.
    Polyline(const std::vector<Point>& points) : points_(points) {}
    /// Copies `count` points from the array (none when `points` is null).
    Polyline(const Point* points, unsigned count);

    /// Virtual, so that derived objects are destroyed completely.
    virtual ~Polyline();
    /// Self-assignment does nothing; otherwise Clear() runs first (virtually),
    /// then the points are copied.
    virtual Polyline& operator=(const Polyline& other);
    /// Size() - 1, and 0 for an empty polyline.
    virtual unsigned EdgeCount() const;
    /// Removes every vertex.
    virtual void Clear();
    /// The edge from vertex i to vertex (i + 1) modulo Size().  Throws
    /// std::out_of_range("Polyline index error") when i >= EdgeCount().
    virtual Edge EdgeAt(unsigned i) const;
    /// True when two edges cross or touch.  Consecutive edges share a vertex,
    /// so only their overlap (folding back) counts; non-consecutive edges
    /// count when an end of one lies on the other.  The pair found first is the
    /// one with the highest first index and, for it, the lowest second index;
    /// it and the layout flags of Edge::CalcLayout go to the non-null
    /// out-parameters, which are left untouched when nothing crosses.
    virtual unsigned char IsSelfCrossed(unsigned* first, unsigned* second, unsigned* flags) const;
    /// True when every vertex of this chain is less (Point::operator<) than
    /// every vertex of the other; true when either is empty.
    virtual bool operator<(const Polyline& other) const;
    /// Same size and equal points (exactly) at equal indices.
    virtual bool operator==(const Polyline& other) const;
    /// Removes every vertex that equals its successor within tol per
    /// coordinate, comparing the last vertex with the first (also on an open
    /// chain).  A single vertex is compared with itself, so a chain whose
    /// points all coincide becomes empty.  Returns the number removed.
    virtual unsigned RemoveClosest(double tol);
    /// Removes middle vertices that lie on the segment between their two
    /// neighbours within tol, never the first or the last vertex and without
    /// wrapping around the end.  Returns the number removed.
    virtual unsigned ReduceGeometry(double tol);

    /// The number of vertices.
    unsigned Size() const { return static_cast<unsigned>(points_.size()); }
    /// Checked access: throws std::out_of_range("invalid vector<T> subscript").
    Point& At(unsigned i);
    /// Checked access (see the writable form).
    const Point& At(unsigned i) const;
    /// Unchecked access.
    Point& operator[](unsigned i) { return points_[i]; }
    /// Unchecked access.
    const Point& operator[](unsigned i) const { return points_[i]; }
    /// The vertices.
    const std::vector<Point>& Points() const { return points_; }
    /// The vertices, writable.
    std::vector<Point>& Points() { return points_; }

    /// Appends a copy; a null pointer appends the default point (0, 0).
    void Add(const Point& p) { points_.push_back(p); }
    /// Appends a copy of the pointee; a null pointer appends (0, 0).
    void Add(const Point* p) { points_.push_back(Point(p)); }
    /// Inserts a copy before position index (a null pointer inserts (0, 0)).
    /// The index is not meant to exceed Size(); one that does appends.
    void InsertAt(unsigned index, const Point& p);
    /// Inserts a copy of the pointee (see the reference form).
    void InsertAt(unsigned index, const Point* p) { InsertAt(index, Point(p)); }
    /// Removes vertex index, shifting the rest down.  The index is meant to be
    /// below Size(); one that is not removes nothing.
    void RemoveAt(unsigned index);

    /// Rect(min x, min y, max x, max y) over the vertices; all zero when empty.
    Rect BoundRect();

    /// A vertex (the first one in index order when index is given) at a
    /// distance strictly below tol from p.
    unsigned char CheckPtNearNode(const Point& p, double tol, unsigned* index) const;
    /// An edge (the first one) at a distance strictly below tol from p.
    unsigned char CheckPtNearEdge(const Point& p, double tol, unsigned* index) const;
    /// The number of vertices (edges) strictly nearer than tol; their indices
    /// are appended to *indices in ascending order (the vector is not cleared).
    unsigned CheckPtNearNodes(const Point& p, double tol, std::vector<unsigned>* indices) const;
    /// As CheckPtNearNodes, for the edges.
    unsigned CheckPtNearEdges(const Point& p, double tol, std::vector<unsigned>* indices) const;

protected:
    /// The vertices.
    std::vector<Point> points_;
};

} // namespace S2D

#endif
