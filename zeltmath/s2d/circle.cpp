#include <zeltmath/s2d/circle.h>

#include <zeltmath/numeric/core.h>

#include <algorithm>

namespace S2D {

Circle::Circle(const Circle& c) : Point(c.x, c.y)
{
    Radius(c.Radius());
}

Circle::~Circle() = default;

Circle& Circle::operator=(const Circle& c)
{
    if (this != &c) {
        x = c.x;
        y = c.y;
        Radius(c.Radius());
    }
    return *this;
}

Circle& Circle::Radius(double r)
{
    radius_ = r;
    return *this;
}

double Circle::Radius() const
{
    return radius_;
}

Rect Circle::BoundRect() const
{
    const double r = Radius();
    return Rect(x - r, y - r, x + r, y + r);
}

unsigned char Circle::CheckIn(const Circle& c, unsigned char onBorder, double tol) const
{
    const double d = Distance(c);
    const double room = Radius() - c.Radius();
    if (IsZero(d - room, tol))
        return onBorder;
    return IsLess(d, room, tol);
}

unsigned char Circle::CheckIn(const Point& p, unsigned char onBorder, double tol) const
{
    const double d = Distance(p);
    const double r = Radius();
    if (IsZero(d - r, tol))
        return onBorder;
    return IsLess(d, r, tol);
}

unsigned char Circle::IsCrossed(const Circle& c, unsigned char touching, double tol) const
{
    const double d = Distance(c);
    const double R = Radius();
    const double rc = c.Radius();
    const double big = std::max(R, rc);
    const double small = std::min(R, rc);
    if (IsLess(R + rc, d, tol) || IsLess(d, big - small, tol))
        return 0;
    if (IsZero(d - R - rc, tol) || IsZero(big - small - d, tol))
        return touching;
    return 1;
}

} // namespace S2D
