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

namespace {

// A distance d from the centre against the limit it must stay below:
// onBorder within the tolerance of the limit, else 1 when below it.
unsigned char WithinLimit(double d, double limit, unsigned char onBorder, double tol)
{
    if (IsZero(d - limit, tol))
        return onBorder;
    return IsLess(d, limit, tol);
}

} // namespace

unsigned char Circle::CheckIn(const Circle& c, unsigned char onBorder, double tol) const
{
    return WithinLimit(Distance(c), Radius() - c.Radius(), onBorder, tol);
}

unsigned char Circle::CheckIn(const Point& p, unsigned char onBorder, double tol) const
{
    return WithinLimit(Distance(p), Radius(), onBorder, tol);
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
