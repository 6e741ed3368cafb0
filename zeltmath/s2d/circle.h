#ifndef ZELTMATH_S2D_CIRCLE_H
#define ZELTMATH_S2D_CIRCLE_H
/// \file
/// The planar circle.

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/rect.h>

namespace S2D {

class Polyline;

/// A circle: the inherited x and y are the centre.  Any radius is stored, also
/// a negative one; the tests below then follow their formulas as written.
/// The tests measure with Distance() and Radius() through the virtual table,
/// so a derived class that overrides either changes them too.
class ZELTMATH_API Circle : public Point {
public:
    /// Centre (0, 0), radius 0.
    Circle() = default;
    /// The circle about centre with radius r.
    Circle(const Point& centre, double r) : Point(centre.x, centre.y), radius_(r) {}
    /// A null centre gives (0, 0).
    Circle(const Point* centre, double r) : Point(centre), radius_(r) {}
    /// The circle about (x_, y_) with radius r.
    Circle(double x_, double y_, double r) : Point(x_, y_), radius_(r) {}
    /// A copy of c.
    Circle(const Circle& c);

    /// Virtual, so that derived objects are destroyed completely.
    ~Circle() override;
    /// Copies centre and radius.
    virtual Circle& operator=(const Circle& c);
    /// Sets the radius.
    virtual Circle& Radius(double r);
    /// The radius.
    virtual double Radius() const;
    /// (x - r, y - r, x + r, y + r) as left, top, right, bottom.
    virtual Rect BoundRect() const;
    /// Every vertex of the chain passes the point test below; an empty chain
    /// passes.
    virtual unsigned char CheckIn(const Polyline& pl, unsigned char onBorder, double tol) const;
    /// c lies inside this circle: onBorder at internal tangency (the distance
    /// of the centres within tol of R - rc), else distance < R - rc - tol.
    virtual unsigned char CheckIn(const Circle& c, unsigned char onBorder, double tol) const;
    /// onBorder when p is within tol of the circle, else 1 when it lies
    /// inside by more than tol.
    virtual unsigned char CheckIn(const Point& p, unsigned char onBorder, double tol) const;
    /// The chain crosses (or, with touching set, touches) the circle.
    virtual unsigned char IsCrossed(const Polyline& pl, unsigned char touching, double tol) const;
    /// 0 when the circles are apart or one lies strictly inside the other;
    /// touching when they are tangent (outside or inside) within tol; 1 when
    /// the boundaries cross at two points.
    virtual unsigned char IsCrossed(const Circle& c, unsigned char touching, double tol) const;

protected:
    /// The radius as stored.
    double radius_ = 0;
};

} // namespace S2D

#endif
