#ifndef ZELTMATH_S2D_POLY_POLYGON_H
#define ZELTMATH_S2D_POLY_POLYGON_H
/// \file
/// Sets of rings with roles, their Boolean operations and their assembly from edges.

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/views.h>

#include <vector>

namespace S2D {

class Matrix;
class PolyPolygon;

namespace Transform {
/// Maps every ring of out (assigned from in first when they differ) by m.
///
/// The rings are mapped in place, roles kept, then out.OnChange() is called
/// once; the containment-order cache is rebuilt on the next query.
ZELTMATH_API void Transform(const Matrix& m, const PolyPolygon& in, PolyPolygon& out);
} // namespace Transform

/// The Boolean operations of PolyPolygon::Clip.  a.Clip(op, b) treats a as
/// the subject and b as the clip operand; only the difference depends on
/// that order.
enum PPOLY_OPERATION {
    PPOLY_DIFFERENCE = 0,     ///< the area of a not covered by b
    PPOLY_INTERSECTION = 1,   ///< the area covered by both
    PPOLY_XOR = 2,            ///< the area covered by exactly one
    PPOLY_UNION = 3           ///< the area covered by either
};

/// A read-only view of some rings of a poly-polygon.
using PolyPolygonRings = GenericEnumeration<Polygon, PolyPolygon, unsigned>;

/// A planar region made of several rings, each marked as outer (material) or
/// inner (a hole).  Several outer rings, islands inside holes and so on are
/// all allowed.  The role of a ring comes only from the two index lists, never
/// from its orientation.
///
/// Containment order.  CheckIn visits the rings in an order cached by
/// CheckOrder, innermost first, and lets the first ring that contains the
/// point decide.  The cache always lists every current ring exactly once:
/// every operation that adds, removes or replaces a ring (AddPolygon,
/// RemovePolygon, SetPolygon, Clear, and so Normalize) empties it, and
/// CheckIn rebuilds an empty cache, or one whose length does not match the
/// ring count, before it walks.  GetOrder() therefore returns an empty list
/// after such a change until the next CheckOrder or CheckIn.  CheckOrder
/// ranks the rings by area first (smaller first, ties by index) and then
/// stable-sorts them with PolygonOrderComparer: a ring whose vertices all lie
/// inside another comes before it.  The area pre-order keeps nested rings in
/// the right order even where the containment test, which is not a strict
/// weak ordering, leaves pairs of rings unordered.
///
/// Not thread-safe for concurrent const use: CheckIn may fill the cache.
class ZELTMATH_API PolyPolygon {
public:
    /// No rings.
    PolyPolygon();
    /// One ring, outer.
    PolyPolygon(const Polygon& p);
    /// Copies the rings and both index lists; the order cache starts empty.
    PolyPolygon(const PolyPolygon& other);
    /// Virtual, so that derived objects are destroyed completely.
    virtual ~PolyPolygon();

    /// Copies rings, index lists and the order cache.
    virtual PolyPolygon& operator=(const PolyPolygon& other);
    /// Empties all lists.
    virtual void Clear();
    /// Called at the end of every change; does nothing here.
    virtual void OnChange();
    /// Rebuilds the containment-order cache.
    virtual void CheckOrder() const;
    /// Appends p; it is a hole when isInner is exactly 1, outer otherwise.
    virtual void AddPolygon(const Polygon& p, unsigned char isInner);
    /// Removes ring i and renumbers the later rings in both index lists.  An
    /// index >= Size() changes nothing.
    virtual void RemovePolygon(unsigned i);
    /// Rebuilds the rings so that they no longer overlap: the union of all
    /// outer rings minus all holes, each ring's role set by the result.
    /// Rings with a NaN or infinite coordinate are dropped.
    virtual void Normalize();
    /// The region this op other, by one of the four Boolean operations.
    /// Each operand is read by the even-odd rule over all of
    /// its rings (roles play no part), and the result's rings come back with
    /// their roles set.  Degenerate rings (fewer than three vertices at
    /// different heights, zero area) simply add nothing, and no result ring
    /// has fewer than 3 vertices.  Rings with a NaN or infinite coordinate are
    /// treated as empty; an op outside the four values gives an empty result.
    /// The vertex order of a result ring is whatever the sweep builds (the
    /// unit square united with nothing comes out as (1,0), (0,0), (0,1),
    /// (1,1), clockwise whatever the input orientation); read a ring's role
    /// from the index lists, not from its orientation.
    virtual PolyPolygon Clip(PPOLY_OPERATION op, const PolyPolygon& other) const;
    /// Whether p lies in the region: the first ring in containment order that
    /// contains p (Polygon::CheckIn with the same arguments) decides, and the
    /// answer is whether that ring is outer.  Its index goes to *index when
    /// index is not null; with no containing ring the answer is 0 and *index
    /// is untouched.
    virtual unsigned char CheckIn(const Point& p, unsigned char onBorder, double tol,
                                  unsigned char checkBorder, unsigned* index) const;

    /// Status codes of Assemble.
    enum AssembleStatus : int {
        ASSEMBLE_OK = 0,            ///< success (also an empty result)
        ASSEMBLE_BAD_INPUT = 1,     ///< odd edge list, or fewer than 3 points
        ASSEMBLE_BAD_DEGREE = 2,    ///< a point not used by exactly two edges
        ASSEMBLE_TRACE_FAILED = 3,  ///< a ring could not be closed; for the
                                    ///< polygon overload: no polygons
        ASSEMBLE_NO_MEMORY = 4      ///< storage could not be obtained
    };

    /// A region from loose edges.  edges holds index pairs into points; edge
    /// k joins points[edges[2k]] and points[edges[2k + 1]].  Edges listed
    /// twice (either direction) cancel pairwise in list order, so the sides
    /// shared by neighbouring cells drop out; unused points are dropped, and
    /// after them the edges naming a point beyond the list (whose other end
    /// thus stays and needs two more edges).  Every remaining point must
    /// then be used by exactly two edges, and an edge from a point to itself
    /// fails that check too (it bounds nothing and would only yield a ring of
    /// one vertex).  The edges are then traced into rings: each ring
    /// starts at the smallest remaining point (Point::operator<, the first of
    /// equals in list order) and follows the first unused edge in list order.
    /// The rings, in tracing order, go to *rings (when not null, and only on
    /// success).  Rings are then ordered so that a ring holding the first
    /// vertex of another comes before it, and a ring whose first vertex lies
    /// strictly inside (tolerance 1e-10) an outer ring added before it becomes
    /// a hole; every other ring is outer.  Only one level of nesting is
    /// recognised: a ring inside a hole is a hole too.
    /// *status (when not null) receives one of AssembleStatus; on failure the
    /// result is empty.  Nothing is thrown: running out of memory (any
    /// std::bad_alloc on the way) gives ASSEMBLE_NO_MEMORY, with everything
    /// allocated so far released and *rings left as it was.
    static PolyPolygon Assemble(const std::vector<Point>& points, const std::vector<unsigned>& edges,
                                std::vector<Polygon>* rings, int* status);
    /// The even-odd region of the polygons, through the union of the Boolean
    /// engine with an empty subject: overlaps of two polygons cancel, a
    /// polygon inside another becomes a hole.  Roles of the input play no
    /// part.  An empty list gives ASSEMBLE_TRACE_FAILED; running out of memory
    /// ASSEMBLE_NO_MEMORY, each with an empty result.  rings is accepted and
    /// never used.
    static PolyPolygon Assemble(const std::vector<Polygon>& polygons, std::vector<Polygon>* rings,
                                int* status);

    /// The number of rings.
    unsigned Size() const { return static_cast<unsigned>(polygons_.size()); }
    /// The number of holes.
    unsigned InnersCount() const { return static_cast<unsigned>(inners_.size()); }
    /// The number of outer rings.
    unsigned OutersCount() const { return static_cast<unsigned>(outers_.size()); }
    /// The indices of the holes.
    const std::vector<unsigned>& InnerNdxs() const { return inners_; }
    /// The indices of the outer rings.
    const std::vector<unsigned>& OuterNdxs() const { return outers_; }
    /// The cached containment order (empty after a change until the next CheckOrder or CheckIn).
    const std::vector<unsigned>& GetOrder() const { return order_; }
    /// All rings in storage order.
    const std::vector<Polygon>& Polygons() const { return polygons_; }
    /// A view of the outer rings.
    PolyPolygonRings Outers() const;
    /// A view of the holes.
    PolyPolygonRings Inners() const;
    /// Ring i (checked: std::out_of_range for i >= Size()); *isInner, when
    /// isInner is not null, tells whether it is a hole.
    const Polygon& GetPolygon(unsigned i, unsigned char* isInner) const;
    /// Replaces ring i, keeping its role (checked like GetPolygon).
    void SetPolygon(unsigned i, const Polygon& p);

protected:
    /// Ring i, unchecked; used by the views.
    const Polygon& operator[](unsigned i) const { return polygons_[i]; }

private:
    /// The ring views read the rings through operator[].
    friend class GenericEnumeration<Polygon, PolyPolygon, unsigned>;
    friend void Transform::Transform(const Matrix& m, const PolyPolygon& in, PolyPolygon& out);
    /// Fills the result of the Boolean engine in place.
    struct ResultFill;
    /// What AddPolygon does, with the ring handed over rather than copied.
    void Append(Polygon&& p, unsigned char isInner);

    std::vector<Polygon> polygons_;
    std::vector<unsigned> inners_;
    std::vector<unsigned> outers_;
    mutable std::vector<unsigned> order_;
};

extern template class GenericEnumeration<Polygon, PolyPolygon, unsigned>;

} // namespace S2D

#endif
