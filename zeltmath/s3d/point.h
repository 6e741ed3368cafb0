#ifndef ZELTMATH_S3D_POINT_H
#define ZELTMATH_S3D_POINT_H
/// \file
/// The spatial point and vector, and the free point operators.

#include <zeltmath/base/export.h>

/// Spatial geometry: points, vectors, matrices and matrix stacks.
namespace S3D {

/// A spatial point or position vector.
///
/// Unlike the planar point, every coordinate accessor is virtual, and every
/// operation (the constructors and assignments included) reads and writes the
/// coordinates through those accessors, so a derived class that keeps its
/// coordinates elsewhere, or watches changes to them, only has to override
/// V1/V2/V3 (and GetV123/SetV123 for speed).  Operations that use other
/// operations of the same object call them virtually as well.
///
/// Equality with a tolerance is a per-coordinate box: |dx|, |dy| and |dz|
/// all within |tol|.  The exact comparisons order points lexicographically,
/// x first, then y, then z.  There is deliberately no operator!=.
class ZELTMATH_API Point {
public:
    /// The x coordinate.
    double x = 0;
    /// The y coordinate.
    double y = 0;
    /// The z coordinate.
    double z = 0;

    /// The origin (0, 0, 0).
    Point() = default;
    /// The point (x_, y_, z_).
    Point(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
    /// A copy of p, read through its accessors.
    Point(const Point& p) : x(p.V1()), y(p.V2()), z(p.V3()) {}
    /// A null pointer gives (0, 0, 0).
    Point(const Point* p)
        : x(p ? p->V1() : 0), y(p ? p->V2() : 0), z(p ? p->V3() : 0) {}

    /// Copies p through the accessors.
    Point& operator=(const Point& p) { return SetPoint(p); }

    /// Virtual, so that derived objects are destroyed completely.
    virtual ~Point();
    /// Takes the coordinates of p.
    virtual Point& SetPoint(const Point& p);
    /// The x coordinate.
    virtual const double& V1() const;
    /// The x coordinate, writable.
    virtual double& V1();
    /// The y coordinate.
    virtual const double& V2() const;
    /// The y coordinate, writable.
    virtual double& V2();
    /// The z coordinate.
    virtual const double& V3() const;
    /// The z coordinate, writable.
    virtual double& V3();
    /// All three coordinates into x_, y_ and z_.
    virtual void GetV123(double& x_, double& y_, double& z_) const;
    /// Sets all three coordinates.
    virtual Point& SetV123(double x_, double y_, double z_);
    /// |dx| <= |tol| and |dy| <= |tol| and |dz| <= |tol|.
    virtual unsigned char IsEqual(const Point& p, double tol) const;
    /// Euclidean distance to p.
    virtual double Distance(const Point& p) const;
    /// Distance to p strictly greater than d, decided without a square root
    /// (a single coordinate difference above d settles it at once).  A
    /// negative d makes every distance "more".
    virtual unsigned char IsDistMore(const Point& p, double d) const;
    /// Length of the position vector.
    virtual double GetLength() const;
    /// Squared length of the position vector.
    virtual double GetLengthSqr() const;
    /// The scalar forms add or subtract s to or from all three coordinates.
    virtual Point& operator+=(double s);
    /// Adds p coordinate by coordinate.
    virtual Point& operator+=(const Point& p);
    /// Subtracts s from all three coordinates.
    virtual Point& operator-=(double s);
    /// Subtracts p coordinate by coordinate.
    virtual Point& operator-=(const Point& p);
    /// Multiplies all three coordinates by s.
    virtual Point& operator*=(double s);
    /// Division by zero follows IEEE arithmetic (infinities or NaN).
    virtual Point& operator/=(double s);
    /// Exact comparisons.
    virtual bool operator==(const Point& p) const;
    /// Exact lexicographic order, x first, then y, then z.
    virtual bool operator<(const Point& p) const;
    /// Exact lexicographic order, x first, then y, then z.
    virtual bool operator<=(const Point& p) const;
    /// Exact lexicographic order, x first, then y, then z.
    virtual bool operator>(const Point& p) const;
    /// Exact lexicographic order, x first, then y, then z.
    virtual bool operator>=(const Point& p) const;

    /// a.IsEqual(b, tol).
    static unsigned char IsEqual(const Point& a, const Point& b, double tol);

protected:
    /// Sets all three coordinates to 0.
    virtual void Initialize();
};

/// A point used as a direction.
class ZELTMATH_API Vector : public Point {
public:
    /// The zero vector.
    Vector() = default;
    /// The vector (x_, y_, z_).
    Vector(double x_, double y_, double z_) : Point(x_, y_, z_) {}
    /// A copy of v.
    Vector(const Vector& v) : Point(v) {}
    /// The position vector of p.
    Vector(const Point& p) : Point(p) {}
    /// A null pointer gives (0, 0, 0).
    Vector(const Vector* v) : Point(static_cast<const Point*>(v)) {}
    /// A copy of the pointee; a null pointer gives (0, 0, 0).
    Vector(const Point* p) : Point(p) {}
    /// The vector from a to b: b - a.
    Vector(const Point& a, const Point& b)
        : Point(b.V1() - a.V1(), b.V2() - a.V2(), b.V3() - a.V3()) {}

    /// Copies v.
    Vector& operator=(const Vector& v) { SetPoint(v); return *this; }
    /// Takes the coordinates of p.
    Vector& operator=(const Point& p) { SetPoint(p); return *this; }

    /// Virtual, so that derived objects are destroyed completely.
    ~Vector() override;
    /// Takes the coordinates of v.
    virtual Vector& SetVector(const Vector& v);
    /// Becomes b - a.
    virtual Vector& SetVector(const Point& a, const Point& b);
    /// Scales to length 1; a vector of length at most 4.440892098500626e-16
    /// is left as it is.
    virtual Vector& Normalize();
};

/// Each of these copies its point operand into a new Point and applies the
/// matching compound operator.
ZELTMATH_API Point operator-(const Point& p);
/// (-x, -y, -z).
ZELTMATH_API Vector operator-(const Vector& v);
/// Sum, coordinate by coordinate.
ZELTMATH_API Point operator+(const Point& a, const Point& b);
/// Difference, coordinate by coordinate.
ZELTMATH_API Point operator-(const Point& a, const Point& b);
/// s added to all three coordinates.
ZELTMATH_API Point operator+(const Point& p, double s);
/// s added to all three coordinates.
ZELTMATH_API Point operator+(double s, const Point& p);
/// s subtracted from all three coordinates.
ZELTMATH_API Point operator-(const Point& p, double s);
/// All three coordinates times s.
ZELTMATH_API Point operator*(const Point& p, double s);
/// All three coordinates times s.
ZELTMATH_API Point operator*(double s, const Point& p);
/// All three coordinates divided by s.
ZELTMATH_API Point operator/(const Point& p, double s);

} // namespace S3D

#endif
