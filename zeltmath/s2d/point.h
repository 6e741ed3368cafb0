#ifndef ZELTMATH_S2D_POINT_H
#define ZELTMATH_S2D_POINT_H
/// \file
/// The planar point and vector, and the free point operators.

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/win_types.h>

/// Planar geometry: points, edges, circles, rectangles, matrices, chains, rings and regions.
namespace S2D {

/// The turn of three points, or from one vector to another, with y pointing up.
enum Orientation {
    CounterClockwise = -1,  ///< positive cross product: a left turn
    /// zero cross product: the three points lie on one line
    Collinear = 0,
    Clockwise = 1           ///< negative cross product: a right turn
};

/// A planar point or position vector.  Operations that use other operations of
/// the same object call them virtually, so a derived class that overrides a
/// callee changes its callers too.
class ZELTMATH_API Point {
public:
    /// The x coordinate (to the right).
    double x = 0;
    /// The y coordinate (upward).
    double y = 0;

    /// The origin (0, 0).
    Point() = default;
    /// The point (x_, y_).
    Point(double x_, double y_) : x(x_), y(y_) {}
    /// A copy of p.
    Point(const Point& p) : x(p.x), y(p.y) {}
    /// A copy of the pointee; a null pointer gives (0, 0).
    Point(const Point* p) : x(p ? p->x : 0), y(p ? p->y : 0) {}
    /// The Windows point p.
    Point(const tagPOINT& p) : x(p.x), y(p.y) {}
    /// The Windows point p.
    Point(const _POINTL& p) : x(p.x), y(p.y) {}
    /// A copy of the Windows point; a null pointer gives (0, 0).
    Point(const tagPOINT* p) : x(p ? p->x : 0), y(p ? p->y : 0) {}
    /// A copy of the Windows point; a null pointer gives (0, 0).
    Point(const _POINTL* p) : x(p ? p->x : 0), y(p ? p->y : 0) {}
    /// The point at parameter t on the way from a to b: a + (b - a) * t.
    Point(const Point& a, const Point& b, double t);

    /// Copies p.
    Point& operator=(const Point& p) { x = p.x; y = p.y; return *this; }
    /// Takes the coordinates of the Windows point p.
    Point& operator=(const tagPOINT& p) { x = p.x; y = p.y; return *this; }
    /// Takes the coordinates of the Windows point p.
    Point& operator=(const _POINTL& p) { x = p.x; y = p.y; return *this; }
    /// Takes the coordinates of p.
    Point& SetPoint(const Point& p) { x = p.x; y = p.y; return *this; }
    /// Takes the coordinates of the Windows point p.
    Point& SetPoint(const tagPOINT& p) { x = p.x; y = p.y; return *this; }
    /// Takes the coordinates of the Windows point p.
    Point& SetPoint(const _POINTL& p) { x = p.x; y = p.y; return *this; }

    /// The x coordinate, writable.
    double& V1() { return x; }
    /// The y coordinate, writable.
    double& V2() { return y; }
    /// The x coordinate.
    const double& V1() const { return x; }
    /// The y coordinate.
    const double& V2() const { return y; }
    /// Both coordinates into x_ and y_.
    void GetV12(double& x_, double& y_) const { x_ = x; y_ = y; }
    /// Sets both coordinates.
    Point& SetV12(double x_, double y_) { x = x_; y = y_; return *this; }

    /// Virtual, so that derived objects are destroyed completely.
    virtual ~Point();
    /// Per-coordinate tolerance: |dx| <= |tol| and |dy| <= |tol|.
    virtual unsigned char IsEqual(const Point& p, double tol) const;
    /// Euclidean distance to p.
    virtual double Distance(const Point& p) const;
    /// Distance to p strictly greater than d, decided without a square root.
    virtual unsigned char IsDistMore(const Point& p, double d) const;
    /// Length of the position vector.
    virtual double GetLength() const;
    /// Squared length of the position vector.
    virtual double GetLengthSqr() const;
    /// Angle of the position vector in [0, 2 pi).
    virtual double GetPolarAngle() const;
    /// Adds s to both coordinates.
    virtual Point& operator+=(double s);
    /// Adds p coordinate by coordinate.
    virtual Point& operator+=(const Point& p);
    /// Subtracts s from both coordinates.
    virtual Point& operator-=(double s);
    /// Subtracts p coordinate by coordinate.
    virtual Point& operator-=(const Point& p);
    /// Multiplies both coordinates by s.
    virtual Point& operator*=(double s);
    /// Divides both coordinates by s (IEEE arithmetic for s = 0).
    virtual Point& operator/=(double s);
    /// Exact comparisons; the order is lexicographic, x first.
    virtual bool operator==(const Point& p) const;
    /// Exact inequality.
    virtual bool operator!=(const Point& p) const;
    /// Exact lexicographic order, x first.
    virtual bool operator<(const Point& p) const;
    /// Exact lexicographic order, x first.
    virtual bool operator<=(const Point& p) const;
    /// Exact lexicographic order, x first.
    virtual bool operator>(const Point& p) const;
    /// Exact lexicographic order, x first.
    virtual bool operator>=(const Point& p) const;
    /// Rounded into a buffer of the calling thread, overwritten by the next call.
    virtual const tagPOINT& GetPoint() const;
    /// The coordinates rounded (halves away from zero) into p.
    virtual void GetPoint(_POINTL& p) const;
    /// The coordinates rounded (halves away from zero) into p.
    virtual void GetPoint(tagPOINT& p) const;
    /// Scalar product with p.
    virtual double ScalarMult(const Point& p) const;
    /// This point on the line through a and b within |tol|; *t receives the
    /// parameter of its projection (0 at a, 1 at b).
    virtual unsigned char Belongs2Line(const Point& a, const Point& b, double* t, double tol) const;

    /// a.IsEqual(b, tol).
    static unsigned char IsEqual(const Point& a, const Point& b, double tol);
    /// Scalar product a.x * b.x + a.y * b.y.
    static double ScalarMult(const Point& a, const Point& b);
    /// The turn from p0 over p1 to p2, by the exact sign of the cross product.
    static Orientation CalcOrientation(const Point& p0, const Point& p1, const Point& p2);
    /// Collinear when the cross product c satisfies |c| <= tol (tol is an area).
    static Orientation CalcOrientation(const Point& p0, const Point& p1, const Point& p2, double tol);
    /// Crossing of the infinite lines a1-a2 and b1-b2; *t is the parameter
    /// along the first line.  Parallel lines (|cross| <= 1e-10) do not cross.
    static unsigned char LinesCrossed(const Point& a1, const Point& a2, const Point& b1, const Point& b2,
                                      double* t);
    /// Crossing of the segments a1-a2 and b1-b2 (touching ends count).
    static unsigned char EdgesCrossed(const Point& a1, const Point& a2, const Point& b1, const Point& b2,
                                      double* t);
    /// p.Belongs2Line(a, b, t, tol).
    static unsigned char Belongs2Line(const Point& p, const Point& a, const Point& b, double* t, double tol);

protected:
    /// Sets both coordinates to 0.
    virtual void Initialize();
};

/// A point used as a direction.
class ZELTMATH_API Vector : public Point {
public:
    /// The zero vector.
    Vector() = default;
    /// The vector (x_, y_).
    Vector(double x_, double y_) : Point(x_, y_) {}
    /// A copy of v.
    Vector(const Vector& v) : Point(v.x, v.y) {}
    /// The position vector of p.
    Vector(const Point& p) : Point(p.x, p.y) {}
    /// A copy of the pointee; a null pointer gives (0, 0).
    Vector(const Vector* v) : Point(v ? v->x : 0, v ? v->y : 0) {}
    /// A copy of the pointee; a null pointer gives (0, 0).
    Vector(const Point* p) : Point(p ? p->x : 0, p ? p->y : 0) {}
    /// The Windows size (cx, cy) as a vector.
    Vector(const tagSIZE& s) : Point(s.cx, s.cy) {}
    /// b - a.
    Vector(const Point& a, const Point& b) : Point(b.x - a.x, b.y - a.y) {}

    /// Copies v.
    Vector& operator=(const Vector& v) { x = v.x; y = v.y; return *this; }
    /// Takes the coordinates of p.
    Vector& operator=(const Point& p) { x = p.x; y = p.y; return *this; }

    /// Virtual, so that derived objects are destroyed completely.
    ~Vector() override;
    /// Takes the coordinates of v.
    virtual Vector& SetVector(const Vector& v);
    /// Becomes b - a.
    virtual Vector& SetVector(const Point& a, const Point& b);
    /// Scales to length 1 unless the length is at most 4.440892098500626e-16.
    virtual Vector& Normalize();

    /// The turn from p0 over p1 to p2, by the exact sign of the cross product.
    using Point::CalcOrientation;
    /// The turn from u to v, by the exact sign of their cross product.
    static Orientation CalcOrientation(const Vector& u, const Vector& v);
};

/// (-x, -y).
ZELTMATH_API Point operator-(const Point& p);
/// (-x, -y).
ZELTMATH_API Vector operator-(const Vector& v);
/// Sum, coordinate by coordinate.
ZELTMATH_API Point operator+(const Point& a, const Point& b);
/// Difference, coordinate by coordinate.
ZELTMATH_API Point operator-(const Point& a, const Point& b);
/// s added to both coordinates.
ZELTMATH_API Point operator+(const Point& p, double s);
/// s added to both coordinates.
ZELTMATH_API Point operator+(double s, const Point& p);
/// s subtracted from both coordinates.
ZELTMATH_API Point operator-(const Point& p, double s);
/// Both coordinates times s.
ZELTMATH_API Point operator*(const Point& p, double s);
/// Both coordinates times s.
ZELTMATH_API Point operator*(double s, const Point& p);
/// Both coordinates divided by s.
ZELTMATH_API Point operator/(const Point& p, double s);

/// Cross product a.x * b.y - a.y * b.x.
ZELTMATH_API double Simple(const Point& a, const Point& b);
/// 1.0 when p lies on the segment a-b (within tol of the line, parameter
/// within [0, 1] up to 1e-10), else 0.0.
ZELTMATH_API double IsBetween(const Point& p, const Point& a, const Point& b, double tol);

} // namespace S2D

#endif
