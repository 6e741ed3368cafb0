#ifndef ZELTMATH_S2D_HOLLOW_POLYGON_H
#define ZELTMATH_S2D_HOLLOW_POLYGON_H
/// \file
/// A planar region with holes.

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/matrix.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/polyline.h>
#include <zeltmath/s2d/region.h>
#include <zeltmath/s2d/views.h>

#include <vector>

namespace S2D {

class HollowPolygon;

namespace Transform {
/// Maps the outer ring and every hole of out (assigned from in first when they differ) by m.
///
/// The rings are mapped in place, then out.OnChange() is called once.
ZELTMATH_API void Transform(const Matrix& m, const HollowPolygon& in, HollowPolygon& out);
} // namespace Transform

/// A read-only view of the rings of a hollow polygon: the outer ring first
/// (index HollowPolygon::kOuter), then the holes in order.
using HollowPolygonRings = GenericEnumeration<Polygon, HollowPolygon, unsigned>;

/// One planar region with holes: an outer ring and any number of inner rings
/// (holes), all held by value.  Rings are numbered with the outer ring as
/// kOuter (4294967295, -1 as an unsigned) and the holes from 0 in insertion
/// order; GetPolygon, SetPolygon, the proximity queries and Polygons() use
/// that numbering.
///
/// Nothing is enforced when rings are stored: holes may lie outside the outer
/// ring or cross it or each other until Correct() is asked or Normalize()
/// rebuilds the object.  Roles come from where a ring is stored, never from
/// its orientation.
///
/// Every changing operation ends with the virtual OnChange(), an empty hook
/// here, so a derived class can keep data computed from the rings.
///
/// Containment queries take onBorder (the answer for a point on a border),
/// tol (an absolute length) and checkBorder (whether borders are looked for
/// at all), as the polygon tests do.
class ZELTMATH_API HollowPolygon {
public:
    /// The index of the outer ring.
    static constexpr unsigned kOuter = 0xFFFFFFFFu;

    /// Codes of Correct(); hole indices go into the low bits.
    static constexpr int kBadOuter = 0xF10000;       ///< outer ring: < 3 vertices or self-crossing
    static constexpr int kBadHole = 0xF20000;        ///< | i: hole i has < 3 vertices or crosses itself
    static constexpr int kHoleOutside = 0xF30000;    ///< | i: hole i not strictly inside the outer ring
    static constexpr int kHolesMeet = 0xF40000;      ///< | (i << 8) | j: holes i < j cross, touch or nest

    /// Empty outer ring, no holes.
    HollowPolygon();
    /// The outer ring, no holes.
    HollowPolygon(const Polygon& outer);
    /// A copy of the outer ring and the holes.
    HollowPolygon(const HollowPolygon& other);
    /// Virtual, so that derived objects are destroyed completely.
    virtual ~HollowPolygon();

    /// Copies the outer ring and the holes.
    virtual HollowPolygon& operator=(const HollowPolygon& other);
    /// True when the outer ring has no vertices (holes are not looked at).
    virtual unsigned char IsEmpty() const;
    /// Empties the outer ring and removes every hole.
    virtual void Clear();
    /// The number of holes.
    virtual unsigned InnersCount() const;
    /// Indices, ascending, of the holes that contain p, border included
    /// (hole.CheckIn(p, 1, tol, 1)).
    virtual std::vector<unsigned> FindInners(const Point& p, double tol) const;
    /// The first of FindInners(p, tol) goes to *index (when not null); false
    /// when no hole contains p.
    virtual unsigned char FindInner(const Point& p, unsigned* index, double tol) const;
    /// Rebuilds the region through the Boolean engine: the outer ring minus
    /// every hole.  When the result is exactly one outer ring, it becomes the
    /// outer ring and the result's holes become the holes; with no outer ring
    /// or several, the object is left empty.
    virtual void Normalize();
    /// Called at the end of every change; does nothing here.
    virtual void OnChange();
    /// Whether the region is valid; *code receives the first failure.
    /// Validates the region and reports the first failure found:
    ///   kBadOuter             the outer ring has fewer than 3 vertices or
    ///                         crosses itself;
    ///   kBadHole | i          hole i has fewer than 3 vertices or crosses
    ///                         itself (i in the low 16 bits);
    ///   kHoleOutside | i      some vertex of hole i is not strictly inside
    ///                         the outer ring (within tol counts as outside);
    ///   kHolesMeet | i<<8 | j only when checkHoles is non-zero: holes i < j
    ///                         cross or touch within tol, or one lies inside
    ///                         the other (each index keeps its low 8 bits).
    /// Holes are examined in order, each against all later ones before the
    /// next hole's own checks.  The code goes to *code (when not null), 0 on
    /// success; the result is whether the region is valid.  Nothing changes.
    virtual unsigned char Correct(int checkHoles, double tol, int* code) const;
    /// p lies inside the outer ring and in no hole.  A point on a hole's
    /// border belongs to the region exactly when onBorder is set, as on the
    /// outer border: holes are asked with the border answer inverted.
    virtual unsigned char CheckIn(const Point& p, unsigned char onBorder, double tol,
                                  unsigned char checkBorder) const;
    /// pl crosses (with touching set: or touches within tol) the outer ring or
    /// any hole.
    virtual unsigned char IsCrossed(const Polyline& pl, unsigned char touching, double tol) const;
    /// The polygon lies in the region: as the polyline test below, and with
    /// checkHoles no hole lies inside the polygon.  Tolerance 1e-10.
    virtual unsigned char CheckInner(const Polygon& pg, unsigned char checkHoles) const;
    /// Every vertex of pl lies strictly inside the outer ring; with checkHoles
    /// also no hole holds all of pl (border included) and pl neither crosses
    /// nor touches any hole.  Tolerance 1e-10.
    virtual unsigned char CheckInner(const Polyline& pl, unsigned char checkHoles) const;
    /// Polyline::RemoveClosest over the outer ring and every hole; the total
    /// number of removed vertices.
    virtual unsigned RemoveClosest(double tol);
    /// Polyline::ReduceGeometry over the outer ring and every hole.  A hole
    /// left with fewer than 3 vertices or crossing itself is removed (later
    /// holes move down).  The outer ring is never removed.  Returns the
    /// number of removed vertices; removed holes add nothing of their own.
    virtual unsigned ReduceGeometry(double tol);
    /// Identity: true only for the very same object.
    virtual bool operator==(const HollowPolygon& other) const;
    /// Outer() < other.Outer() (Polyline::operator<).
    virtual bool operator<(const HollowPolygon& other) const;
    /// A new integer region of the region mapped by m, or null on failure;
    /// the caller owns it and releases it with DeleteObject.  Vertices are
    /// rounded to integers (halves away from zero); the outer ring and every
    /// hole are rasterised with the winding rule and the holes taken away.
    /// A pixel belongs to a ring when its centre lies inside (see region.h).
    /// Null when the outer ring is empty, when a hole has no vertices, or when
    /// the region layer fails (a ring too tall for it, no memory); nothing is
    /// leaked on any of these paths.
    virtual HRGN CreateRgn(const Matrix& m) const;

    /// The outer ring.
    const Polygon& Outer() const { return outer_; }
    /// Replaces the outer ring.
    void Outer(const Polygon& outer);
    /// The holes.
    const std::vector<Polygon>& Inners() const { return inners_; }
    /// Replaces all holes.
    void Inners(const std::vector<Polygon>& inners);
    /// Ring access by index.  A bad index is never followed: the readers
    /// throw std::out_of_range("invalid vector<T> subscript"), the writers
    /// and RemoveInner change nothing (and call no OnChange()).
    /// Hole i.
    const Polygon& Inner(unsigned i) const;
    /// Replaces hole i.
    void Inner(unsigned i, const Polygon& p);
    /// Appends a hole.
    void AddInner(const Polygon& p);
    /// Erases hole i; later holes move down.
    void RemoveInner(unsigned i);
    /// Ring i in the numbering above: kOuter or a hole index.
    const Polygon& GetPolygon(unsigned i) const;
    /// Replaces ring i (kOuter or a hole index).
    void SetPolygon(unsigned i, const Polygon& p);
    /// The outer ring, then the holes.
    HollowPolygonRings Polygons() const;

    /// Proximity queries over the rings in the order kOuter, 0, 1, ...
    /// The first ring with a vertex (edge) nearer than tol: its index goes to
    /// *polygon and the vertex (edge) to *vertex (*edge), each when not null.
    unsigned char CheckPtNearNode(const Point& p, double tol, unsigned* polygon, unsigned* vertex) const;
    /// As CheckPtNearNode, for the edges.
    unsigned char CheckPtNearEdge(const Point& p, double tol, unsigned* polygon, unsigned* edge) const;
    /// All near vertices (edges): for every ring that has some, its index is
    /// appended to *polygons and its list to *vertices (*edges), each when not
    /// null.  Returns the total number found.
    unsigned CheckPtNearNodes(const Point& p, double tol, std::vector<unsigned>* polygons,
                              std::vector<std::vector<unsigned>>* vertices) const;
    /// As CheckPtNearNodes, for the edges.
    unsigned CheckPtNearEdges(const Point& p, double tol, std::vector<unsigned>* polygons,
                              std::vector<std::vector<unsigned>>* edges) const;

protected:
    /// Same as GetPolygon; used by the ring view.
    const Polygon& operator[](unsigned i) const { return GetPolygon(i); }

private:
    /// The ring views read the rings through operator[].
    friend class GenericEnumeration<Polygon, HollowPolygon, unsigned>;
    friend void Transform::Transform(const Matrix& m, const HollowPolygon& in, HollowPolygon& out);

    Polygon& Ring(unsigned i) { return i == kOuter ? outer_ : inners_[i]; }

    Polygon outer_;
    std::vector<Polygon> inners_;
};

extern template class GenericEnumeration<Polygon, HollowPolygon, unsigned>;

} // namespace S2D

#endif
