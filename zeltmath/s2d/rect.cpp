#include <zeltmath/s2d/rect.h>

#include <zeltmath/numeric/core.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace S2D {

Rect::~Rect() = default;

Rect& Rect::operator=(const Rect& r)
{
    if (this != &r) {
        topLeft_ = r.topLeft_;
        bottomRight_ = r.bottomRight_;
    }
    return *this;
}

Rect& Rect::operator=(const tagRECT& r)
{
    return CopyRect(r);
}

double Rect::Width() const { return Right() - Left(); }
double Rect::Height() const { return Bottom() - Top(); }
Vector Rect::Size() const { return Vector(TopLeft(), BottomRight()); }

double& Rect::Top() { return topLeft_.y; }
double Rect::Top() const { return topLeft_.y; }
double& Rect::Left() { return topLeft_.x; }
double Rect::Left() const { return topLeft_.x; }
double& Rect::Bottom() { return bottomRight_.y; }
double Rect::Bottom() const { return bottomRight_.y; }
double& Rect::Right() { return bottomRight_.x; }
double Rect::Right() const { return bottomRight_.x; }

double& Rect::RealTop() { return topLeft_.y < bottomRight_.y ? topLeft_.y : bottomRight_.y; }
double Rect::RealTop() const { return std::min(Top(), Bottom()); }
double& Rect::RealLeft() { return topLeft_.x < bottomRight_.x ? topLeft_.x : bottomRight_.x; }
double Rect::RealLeft() const { return std::min(Left(), Right()); }
double& Rect::RealBottom() { return topLeft_.y > bottomRight_.y ? topLeft_.y : bottomRight_.y; }
double Rect::RealBottom() const { return std::max(Top(), Bottom()); }
double& Rect::RealRight() { return topLeft_.x > bottomRight_.x ? topLeft_.x : bottomRight_.x; }
double Rect::RealRight() const { return std::max(Left(), Right()); }

const Point& Rect::TopLeft() const { return topLeft_; }
Point& Rect::TopLeft() { return topLeft_; }
const Point& Rect::BottomRight() const { return bottomRight_; }
Point& Rect::BottomRight() { return bottomRight_; }

Point Rect::CenterPoint() const
{
    return (TopLeft() + BottomRight()) / 2;
}

unsigned char Rect::IsRectEmpty(double tol) const
{
    return (Width() <= tol || Height() <= tol) ? 1 : 0;
}

unsigned char Rect::IsRectNull(double tol) const
{
    return (IsZero(Left(), tol) && IsZero(Top(), tol) && IsZero(Right(), tol) && IsZero(Bottom(), tol)) ? 1
                                                                                                         : 0;
}

unsigned char Rect::PtInRect(const Point& p) const
{
    Rect n(*this);
    n.NormalizeRect();
    return (n.Left() <= p.x && p.x < n.Right() && n.Top() <= p.y && p.y < n.Bottom()) ? 1 : 0;
}

Rect& Rect::SetRect(double left, double top, double right, double bottom)
{
    Left() = left;
    Top() = top;
    Right() = right;
    Bottom() = bottom;
    return *this;
}

Rect& Rect::SetRectEmpty()
{
    return SetRect(0, 0, 0, 0);
}

Rect& Rect::CopyRect(const tagRECT& r)
{
    return SetRect(r.left, r.top, r.right, r.bottom);
}

Rect& Rect::CopyRect(const Rect& r)
{
    *this = r;
    return *this;
}

unsigned char Rect::EqualRect(const Rect& r, double tol)
{
    return (TopLeft().IsEqual(r.TopLeft(), tol) && BottomRight().IsEqual(r.BottomRight(), tol)) ? 1 : 0;
}

Rect& Rect::InflateRect(double l, double t, double r, double b)
{
    Left() -= l;
    Top() -= t;
    Right() += r;
    Bottom() += b;
    return *this;
}

Rect& Rect::InflateRect(const Rect& m)
{
    return InflateRect(m.Left(), m.Top(), m.Right(), m.Bottom());
}

Rect& Rect::InflateRect(const tagRECT& m)
{
    return InflateRect(static_cast<double>(m.left), static_cast<double>(m.top), static_cast<double>(m.right),
                       static_cast<double>(m.bottom));
}

Rect& Rect::InflateRect(const Point& p)
{
    return InflateRect(p.x, p.y);
}

Rect& Rect::InflateRect(double dx, double dy)
{
    return InflateRect(dx, dy, dx, dy);
}

Rect& Rect::DeflateRect(double l, double t, double r, double b)
{
    Left() += l;
    Top() += t;
    Right() -= r;
    Bottom() -= b;
    return *this;
}

Rect& Rect::DeflateRect(const Rect& m)
{
    return DeflateRect(m.Left(), m.Top(), m.Right(), m.Bottom());
}

Rect& Rect::DeflateRect(const tagRECT& m)
{
    return DeflateRect(static_cast<double>(m.left), static_cast<double>(m.top), static_cast<double>(m.right),
                       static_cast<double>(m.bottom));
}

Rect& Rect::DeflateRect(const Point& p)
{
    return InflateRect(-p);
}

Rect& Rect::DeflateRect(double dx, double dy)
{
    return InflateRect(-dx, -dy);
}

Rect& Rect::NormalizeRect()
{
    if (Left() > Right())
        std::swap(Left(), Right());
    if (Top() > Bottom())
        std::swap(Top(), Bottom());
    return *this;
}

Rect& Rect::NormalizeRectTo(const Rect& ref)
{
    const double rl = ref.Left(), rr = ref.Right(), rt = ref.Top(), rb = ref.Bottom();
    if ((rl < rr && Right() < Left()) || (rr < rl && Left() < Right()))
        std::swap(Left(), Right());
    if ((rt < rb && Bottom() < Top()) || (rb < rt && Top() < Bottom()))
        std::swap(Top(), Bottom());
    return *this;
}

Rect& Rect::OffsetRect(const Vector& v)
{
    return OffsetRect(v.x, v.y);
}

Rect& Rect::OffsetRect(const Point& p)
{
    return OffsetRect(p.x, p.y);
}

Rect& Rect::OffsetRect(double dx, double dy)
{
    Left() += dx;
    Top() += dy;
    Right() += dx;
    Bottom() += dy;
    return *this;
}

unsigned char Rect::IntersectRect(const Rect& a, const Rect& b)
{
    // b may be this rectangle: read it before a is copied in.
    const double bl = b.RealLeft(), bt = b.RealTop(), br = b.RealRight(), bb = b.RealBottom();
    CopyRect(a);
    NormalizeRect();
    Left() = std::max(Left(), bl);
    Top() = std::max(Top(), bt);
    Right() = std::min(Right(), br);
    Bottom() = std::min(Bottom(), bb);
    if (Left() <= Right() && Top() <= Bottom())
        return 1;
    SetRectEmpty();
    return 0;
}

unsigned char Rect::UnionRect(const Rect& a, const Rect& b)
{
    const Rect u(std::min(a.RealLeft(), b.RealLeft()), std::min(a.RealTop(), b.RealTop()),
                 std::max(a.RealRight(), b.RealRight()), std::max(a.RealBottom(), b.RealBottom()));
    CopyRect(u);
    return IsRectEmpty(0.0);
}

void Rect::GetRECT(tagRECT& r) const
{
    r.left = Round(Left());
    r.top = Round(Top());
    r.right = Round(Right());
    r.bottom = Round(Bottom());
}

Rect& Rect::MoveInToRect(const Rect& frame)
{
    Rect f(frame);
    f.NormalizeRect();
    if (Left() < Right()) {
        if (Left() < f.Left())
            OffsetRect(f.Left() - Left(), 0);
        if (Right() > f.Right())
            OffsetRect(f.Right() - Right(), 0);
    } else {
        if (Right() < f.Left())
            OffsetRect(f.Left() - Right(), 0);
        if (Left() > f.Right())
            OffsetRect(f.Right() - Left(), 0);
    }
    if (Top() < Bottom()) {
        if (Top() < f.Top())
            OffsetRect(0, f.Top() - Top());
        if (Bottom() > f.Bottom())
            OffsetRect(0, f.Bottom() - Bottom());
    } else {
        if (Bottom() < f.Top())
            OffsetRect(0, f.Top() - Bottom());
        if (Top() > f.Bottom())
            OffsetRect(0, f.Bottom() - Top());
    }
    return *this;
}

Rect& Rect::EnlargeToPoint(const Point& p)
{
    if (p.x < Left())
        Left() = p.x;
    if (p.y < Top())
        Top() = p.y;
    if (p.x > Right())
        Right() = p.x;
    if (p.y > Bottom())
        Bottom() = p.y;
    return *this;
}

void Rect::EnsurePoint(Point& p) const
{
    const double l = RealLeft(), r = RealRight(), t = RealTop(), b = RealBottom();
    if (p.x < l)
        p.x = l;
    else if (p.x > r)
        p.x = r;
    if (p.y < t)
        p.y = t;
    else if (p.y > b)
        p.y = b;
}

} // namespace S2D
