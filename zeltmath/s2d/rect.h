#ifndef ZELTMATH_S2D_RECT_H
#define ZELTMATH_S2D_RECT_H
/// \file
/// The axis-parallel rectangle of doubles.

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/win_types.h>

namespace S2D {

/// An axis-parallel rectangle of doubles in window orientation: Top is the
/// smaller y and Left the smaller x of a normalised rectangle.  A rectangle
/// need not be normalised: Left > Right or Top > Bottom are stored as given,
/// and Width() = Right - Left and Height() = Bottom - Top are then negative.
/// The Real... accessors give the true extremes whatever the orientation.
///
/// Operations that use other operations of the same object call them
/// virtually, so a derived class that overrides a callee changes its callers.
class ZELTMATH_API Rect {
public:
    /// All four coordinates 0.
    Rect() = default;
    /// The rectangle with the given sides, stored as given.
    Rect(double left, double top, double right, double bottom)
        : topLeft_(left, top), bottomRight_(right, bottom) {}
    /// The rectangle with the given corners.
    Rect(const Point& topLeft, const Point& bottomRight) : topLeft_(topLeft), bottomRight_(bottomRight) {}
    /// BottomRight = topLeft + size.
    Rect(const Point& topLeft, const Vector& size)
        : topLeft_(topLeft), bottomRight_(topLeft.x + size.x, topLeft.y + size.y) {}
    /// A copy of r.
    Rect(const Rect& r) : topLeft_(r.topLeft_), bottomRight_(r.bottomRight_) {}
    /// The Windows rectangle r.
    Rect(const tagRECT& r) : topLeft_(r.left, r.top), bottomRight_(r.right, r.bottom) {}

    /// Copies r.
    Rect& operator=(const Rect& r);
    /// Takes the sides of the Windows rectangle r.
    Rect& operator=(const tagRECT& r);

    /// Virtual, so that derived objects are destroyed completely.
    virtual ~Rect();
    /// Signed: Right - Left and Bottom - Top.
    virtual double Width() const;
    /// Signed height, Bottom - Top.
    virtual double Height() const;
    /// BottomRight - TopLeft.
    virtual Vector Size() const;

    /// The top side (y of TopLeft), writable.
    virtual double& Top();
    /// The top side (y of TopLeft).
    virtual double Top() const;
    /// The left side (x of TopLeft), writable.
    virtual double& Left();
    /// The left side (x of TopLeft).
    virtual double Left() const;
    /// The bottom side (y of BottomRight), writable.
    virtual double& Bottom();
    /// The bottom side (y of BottomRight).
    virtual double Bottom() const;
    /// The right side (x of BottomRight), writable.
    virtual double& Right();
    /// The right side (x of BottomRight).
    virtual double Right() const;

    /// The true extremes: RealTop = min(Top, Bottom), RealBottom = max(...),
    /// likewise for Left and Right.  The reference forms refer to the field
    /// that holds the extreme; when both fields are equal, RealTop and
    /// RealBottom both refer to Bottom, RealLeft and RealRight to Right.
    virtual double& RealTop();
    /// min(Top, Bottom).
    virtual double RealTop() const;
    /// The field that holds min(Left, Right), writable.
    virtual double& RealLeft();
    /// min(Left, Right).
    virtual double RealLeft() const;
    /// The field that holds max(Top, Bottom), writable.
    virtual double& RealBottom();
    /// max(Top, Bottom).
    virtual double RealBottom() const;
    /// The field that holds max(Left, Right), writable.
    virtual double& RealRight();
    /// max(Left, Right).
    virtual double RealRight() const;

    /// The corner (Left, Top).
    virtual const Point& TopLeft() const;
    /// The corner (Left, Top), writable.
    virtual Point& TopLeft();
    /// The corner (Right, Bottom).
    virtual const Point& BottomRight() const;
    /// The corner (Right, Bottom), writable.
    virtual Point& BottomRight();
    /// The middle of the two corners.
    virtual Point CenterPoint() const;

    /// Width() <= tol or Height() <= tol (signed, tol with its sign), so a
    /// reversed rectangle counts as empty.
    virtual unsigned char IsRectEmpty(double tol) const;
    /// All four coordinates within |tol| of 0.
    virtual unsigned char IsRectNull(double tol) const;
    /// On a normalised copy: Left <= x < Right and Top <= y < Bottom; the left
    /// and top sides belong to the rectangle, the right and bottom ones do not.
    virtual unsigned char PtInRect(const Point& p) const;

    /// Sets the four sides as given.
    virtual Rect& SetRect(double left, double top, double right, double bottom);
    /// Sets all four coordinates to 0.
    virtual Rect& SetRectEmpty();
    /// Takes the sides of the Windows rectangle r.
    virtual Rect& CopyRect(const tagRECT& r);
    /// Takes the corners of r.
    virtual Rect& CopyRect(const Rect& r);
    /// Both corners equal within the per-coordinate tolerance of Point::IsEqual.
    virtual unsigned char EqualRect(const Rect& r, double tol);

    /// Left -= l, Top -= t, Right += r, Bottom += b.
    virtual Rect& InflateRect(double l, double t, double r, double b);
    /// The argument is a set of four margins: Left -= m.Left, Top -= m.Top,
    /// Right += m.Right, Bottom += m.Bottom.
    virtual Rect& InflateRect(const Rect& m);
    /// As the Rect form, with the margins of a Windows rectangle.
    virtual Rect& InflateRect(const tagRECT& m);
    /// As InflateRect(p.x, p.y).
    virtual Rect& InflateRect(const Point& p);
    /// Left -= dx, Top -= dy, Right += dx, Bottom += dy.
    virtual Rect& InflateRect(double dx, double dy);
    /// The same five forms with the signs reversed.
    virtual Rect& DeflateRect(double l, double t, double r, double b);
    /// Left += m.Left, Top += m.Top, Right -= m.Right, Bottom -= m.Bottom.
    virtual Rect& DeflateRect(const Rect& m);
    /// As the Rect form, with the margins of a Windows rectangle.
    virtual Rect& DeflateRect(const tagRECT& m);
    /// As DeflateRect(p.x, p.y).
    virtual Rect& DeflateRect(const Point& p);
    /// Left += dx, Top += dy, Right -= dx, Bottom -= dy.
    virtual Rect& DeflateRect(double dx, double dy);

    /// Swaps Left and Right when Left > Right, Top and Bottom when Top > Bottom.
    virtual Rect& NormalizeRect();
    /// Gives this rectangle the orientation of ref in each axis in which ref's
    /// two coordinates differ; ref itself is not normalised.
    virtual Rect& NormalizeRectTo(const Rect& ref);

    /// Moves both corners by v.
    virtual Rect& OffsetRect(const Vector& v);
    /// Moves both corners by the position vector of p.
    virtual Rect& OffsetRect(const Point& p);
    /// Moves both corners by (dx, dy).
    virtual Rect& OffsetRect(double dx, double dy);

    /// This becomes the intersection of a (normalised) and b (which may be
    /// reversed).  1 when it is not empty; rectangles that only touch give 1
    /// with a zero width or height.  Otherwise this becomes all zeros and the
    /// result is 0.
    virtual unsigned char IntersectRect(const Rect& a, const Rect& b);
    /// This becomes the normalised box around both rectangles (empty ones are
    /// not skipped).  The result is IsRectEmpty(0.0) of the union: 1 when it
    /// has a zero width or height, the opposite sense of IntersectRect.
    virtual unsigned char UnionRect(const Rect& a, const Rect& b);
    /// The four coordinates rounded, halves away from zero.
    virtual void GetRECT(tagRECT& r) const;

    /// Translates this rectangle (keeping its size) into the frame where
    /// possible; one larger than the frame ends up aligned with the frame's
    /// right (bottom) side.
    virtual Rect& MoveInToRect(const Rect& frame);
    /// Grows a normalised rectangle just enough to hold p.
    virtual Rect& EnlargeToPoint(const Point& p);
    /// Clamps p into the rectangle, x first, then y.
    virtual void EnsurePoint(Point& p) const;

protected:
    Point topLeft_;      ///< x = Left, y = Top
    Point bottomRight_;  ///< x = Right, y = Bottom
};

} // namespace S2D

#endif
