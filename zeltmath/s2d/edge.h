#ifndef ZELTMATH_S2D_EDGE_H
#define ZELTMATH_S2D_EDGE_H
/// \file
/// Planar segments and lines, and the layout bits of their crossings.

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/circle.h>
#include <zeltmath/s2d/point.h>

/// Result bits of Edge::CalcLayout; several may be set at once.
constexpr unsigned int LAYOUT_APART = 1;     ///< no crossing: apart, or meeting only at end points
constexpr unsigned int LAYOUT_CROSS = 2;     ///< crossing, or (collinear edges) overlapping
constexpr unsigned int LAYOUT_TOUCH = 4;     ///< an end point of an edge lies on the other figure
constexpr unsigned int LAYOUT_PARALLEL = 8;  ///< edge and edge: parallel
constexpr unsigned int LAYOUT_OUTSIDE = 16;  ///< edge and circle: the edge lies outside the circle

namespace S2D {

using ::LAYOUT_APART;
using ::LAYOUT_CROSS;
using ::LAYOUT_TOUCH;
using ::LAYOUT_PARALLEL;
using ::LAYOUT_OUTSIDE;

/// A directed segment from P1 to P2.  Positions along it are parameters t of
/// P1 + t (P2 - P1).  A parameter is inside the edge when it lies in [0, 1]
/// widened by 1e-10, and at an end when it is inside and within 1e-10 of 0 or
/// 1; this range tolerance applies to the parameter and so is relative to the
/// length, while the distance tolerances passed in are absolute lengths.
/// Equal end points make a degenerate edge with defined results.
///
/// Operations that use other operations of the same object call them
/// virtually; Line overrides the ones that depend on the ends.
class ZELTMATH_API Edge {
public:
    /// Both ends (0, 0).
    Edge() = default;
    /// The edge from p1 to p2.
    Edge(const Point& p1, const Point& p2) : p1_(p1), p2_(p2) {}
    /// A null pointer gives the end (0, 0).
    Edge(const Point* p1, const Point* p2) : p1_(p1), p2_(p2) {}
    /// A copy of e.
    Edge(const Edge& e) : p1_(e.p1_), p2_(e.p2_) {}

    /// The start point.
    const Point& P1() const { return p1_; }
    /// The start point, writable.
    Point& P1() { return p1_; }
    /// The end point.
    const Point& P2() const { return p2_; }
    /// P1 for 0, P2 for every other index.
    const Point& operator[](unsigned int i) const { return i == 0 ? p1_ : p2_; }
    /// P1() for 0, P2() (through the virtual table) for every other index; writable.
    Point& operator[](unsigned int i) { return i == 0 ? p1_ : P2(); }
    /// Sets both ends.
    Edge& SetP12(const Point& p1, const Point& p2);
    /// Both ends into p1 and p2.
    void GetP12(Point& p1, Point& p2) const;
    /// P2 - P1.
    Vector GetVector() const;
    /// (dy, -dx) for P2 - P1 = (dx, dy): the normal to the right of the
    /// direction of travel (y up), not normalised.
    Vector GetNorm() const;
    /// Length of the segment.
    double GetLength() const;
    /// Polar angle of P2 - P1 in [0, 2 pi).
    double GetPolarAngle() const;
    /// P1 + (P2 - P1) * t.
    Point GetPoint(double t) const;

    /// Virtual, so that derived objects are destroyed completely.
    virtual ~Edge();
    /// Copies both ends.
    virtual Edge& operator=(const Edge& e);
    /// The end point, writable.
    virtual Point& P2();
    /// Squared length of the segment.
    virtual double GetLengthSqr() const;
    /// Both ends equal within the per-coordinate tolerance; direction matters.
    virtual unsigned char IsEqual(const Edge& e, double tol) const;
    /// Distance from p to the nearest point of the segment; *t receives the
    /// parameter of p's projection on the line (0 for a degenerate edge).
    virtual double GetDistance(const Point& p, double* t) const;
    /// The point of the segment nearest to p.
    virtual Point GetProjection(const Point& p) const;
    /// p within |tol| of the line and its parameter inside the edge.  *t is
    /// written whenever p is near the line, also when the parameter is out of
    /// range.
    virtual unsigned char CheckPtBelongs(const Point& p, double* t, double tol) const;
    /// Layout against a circle: a sum of LAYOUT_ bits.  *t1 <= *t2 receive the
    /// parameters where the line meets the circle (not written when it
    /// misses it).  A line that passes within 1e-10 outside the circle counts
    /// as tangent: both parameters are then the foot of the perpendicular
    /// from the centre.
    virtual unsigned int CalcLayout(const Circle& c, double* t1, double* t2) const;
    /// Layout of e against this edge: a sum of LAYOUT_ bits.  Crossing lines:
    /// *t1 and *t2 are the parameters of the crossing along this edge and
    /// along e.  Collinear edges: *t1 and *t2 are the parameters of e's ends
    /// along this edge.  Distinct parallel lines: nothing is written.
    virtual unsigned int CalcLayout(const Edge& e, double* t1, double* t2) const;
    /// Exact comparison of both ends.
    virtual bool operator==(const Edge& e) const;
    /// Both ends compare less; edges whose ends compare in different
    /// directions are unordered.
    virtual bool operator<(const Edge& e) const;
    /// As the static form with this edge first.
    virtual bool Intersect(const Edge& e, Point& out) const;

    /// a.IsEqual(b, tol).
    static unsigned char IsEqual(const Edge& a, const Edge& b, double tol);
    /// The crossing point of two segments in exact arithmetic, end points
    /// included; parallel and collinear segments never intersect here.  out
    /// is written only when the result is true.
    static bool Intersect(const Edge& e1, const Edge& e2, Point& out);

protected:
    /// The start point.
    Point p1_;
    /// The end point.
    Point p2_;
};

/// The infinite line through two points.  Distance, projection and membership
/// ignore the ends; everything else is inherited from Edge.
class ZELTMATH_API Line : public Edge {
public:
    /// The line through p1 and p2.
    Line(const Point& p1, const Point& p2) : Edge(p1, p2) {}
    /// The line through the pointees; a null pointer gives the point (0, 0).
    Line(const Point* p1, const Point* p2) : Edge(p1, p2) {}
    /// A copy of l.
    Line(const Line& l) : Edge(l) {}
    /// The line through the ends of e.
    Line(const Edge& e) : Edge(e) {}

    /// Virtual, so that derived objects are destroyed completely.
    ~Line() override;
    /// Perpendicular distance to the line; *t as for Edge.
    double GetDistance(const Point& p, double* t) const override;
    /// Foot of the perpendicular on the line.
    Point GetProjection(const Point& p) const override;
    /// p within |tol| of the line, wherever along it.
    unsigned char CheckPtBelongs(const Point& p, double* t, double tol) const override;
    /// Copies both points.
    virtual Line& operator=(const Line& l);
    /// Assignment from an edge, taking its two ends.
    using Edge::operator=;
};

} // namespace S2D

#endif
