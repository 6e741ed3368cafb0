#ifndef ZELTMATH_S2D_POLY_POLYGON_H
#define ZELTMATH_S2D_POLY_POLYGON_H

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/views.h>

#include <vector>

namespace S2D {

class PolyPolygon;

// The Boolean operations of PolyPolygon::Clip.  a.Clip(op, b) treats a as
// the subject and b as the clip operand; only the difference depends on
// that order.
enum PPOLY_OPERATION {
    PPOLY_DIFFERENCE = 0,     // the area of a not covered by b
    PPOLY_INTERSECTION = 1,   // the area covered by both
    PPOLY_XOR = 2,            // the area covered by exactly one
    PPOLY_UNION = 3           // the area covered by either
};

// A read-only view of some rings of a poly-polygon.
using PolyPolygonRings = GenericEnumeration<Polygon, PolyPolygon, unsigned>;

// A planar region made of several rings, each marked as outer (material) or
// inner (a hole).  Several outer rings, islands inside holes and so on are
// all allowed.  The role of a ring comes only from the two index lists, never
// from its orientation.
//
// Containment order.  CheckIn visits the rings in an order cached by
// CheckOrder, innermost first, and lets the first ring that contains the
// point decide.  The cache always lists every current ring exactly once:
// every operation that adds, removes or replaces a ring (AddPolygon,
// RemovePolygon, SetPolygon, Clear, and so Normalize) empties it, and
// CheckIn rebuilds an empty cache, or one whose length does not match the
// ring count, before it walks.  GetOrder() therefore returns an empty list
// after such a change until the next CheckOrder or CheckIn.  CheckOrder
// ranks the rings by area first (smaller first, ties by index) and then
// stable-sorts them with PolygonOrderComparer: a ring whose vertices all lie
// inside another comes before it.  The area pre-order keeps nested rings in
// the right order even where the containment test, which is not a strict
// weak ordering, leaves pairs of rings unordered.
//
// Not thread-safe for concurrent const use: CheckIn may fill the cache.
class ZELTMATH_API PolyPolygon {
public:
    PolyPolygon();
    // One ring, outer.
    PolyPolygon(const Polygon& p);
    // Copies the rings and both index lists; the order cache starts empty.
    PolyPolygon(const PolyPolygon& other);
    virtual ~PolyPolygon();

    // Copies rings, index lists and the order cache.
    virtual PolyPolygon& operator=(const PolyPolygon& other);
    // Empties all lists.
    virtual void Clear();
    // Called at the end of every change; does nothing here.
    virtual void OnChange();
    // Rebuilds the containment-order cache.
    virtual void CheckOrder() const;
    // Appends p; it is a hole when isInner is exactly 1, outer otherwise.
    virtual void AddPolygon(const Polygon& p, unsigned char isInner);
    // Removes ring i and renumbers the later rings in both index lists.  An
    // index >= Size() changes nothing.
    virtual void RemovePolygon(unsigned i);
    // Rebuilds the rings so that they no longer overlap: the union of all
    // outer rings minus all holes, each ring's role set by the result.
    // Rings with a NaN or infinite coordinate are dropped.
    virtual void Normalize();
    // *this <op> other; each operand is read by the even-odd rule over all of
    // its rings (roles play no part), and the result's rings come back with
    // their roles set.  Degenerate rings (fewer than three vertices at
    // different heights, zero area) simply add nothing, and no result ring
    // has fewer than 3 vertices.  Rings with a NaN or infinite coordinate are
    // treated as empty; an op outside the four values gives an empty result.
    virtual PolyPolygon Clip(PPOLY_OPERATION op, const PolyPolygon& other) const;
    // Whether p lies in the region: the first ring in containment order that
    // contains p (Polygon::CheckIn with the same arguments) decides, and the
    // answer is whether that ring is outer.  Its index goes to *index when
    // index is not null; with no containing ring the answer is 0 and *index
    // is untouched.
    virtual unsigned char CheckIn(const Point& p, unsigned char onBorder, double tol,
                                  unsigned char checkBorder, unsigned* index) const;

    unsigned Size() const { return static_cast<unsigned>(polygons_.size()); }
    unsigned InnersCount() const { return static_cast<unsigned>(inners_.size()); }
    unsigned OutersCount() const { return static_cast<unsigned>(outers_.size()); }
    const std::vector<unsigned>& InnerNdxs() const { return inners_; }
    const std::vector<unsigned>& OuterNdxs() const { return outers_; }
    const std::vector<unsigned>& GetOrder() const { return order_; }
    const std::vector<Polygon>& Polygons() const { return polygons_; }
    PolyPolygonRings Outers() const;
    PolyPolygonRings Inners() const;
    // Ring i (checked: std::out_of_range for i >= Size()); *isInner, when
    // isInner is not null, tells whether it is a hole.
    const Polygon& GetPolygon(unsigned i, unsigned char* isInner) const;
    // Replaces ring i, keeping its role (checked like GetPolygon).
    void SetPolygon(unsigned i, const Polygon& p);

protected:
    // Ring i, unchecked; used by the views.
    const Polygon& operator[](unsigned i) const { return polygons_[i]; }

private:
    friend class GenericEnumeration<Polygon, PolyPolygon, unsigned>;

    std::vector<Polygon> polygons_;
    std::vector<unsigned> inners_;
    std::vector<unsigned> outers_;
    mutable std::vector<unsigned> order_;
};

extern template class GenericEnumeration<Polygon, PolyPolygon, unsigned>;

} // namespace S2D

#endif
