#include <zeltmath/s2d/point.h>

#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/matrix.h>

#include <cmath>

namespace S2D {

Point::Point(const Point& a, const Point& b, double t)
    : x(a.x + (b.x - a.x) * t), y(a.y + (b.y - a.y) * t)
{
}

Point::~Point() = default;

void Point::Initialize()
{
    x = 0;
    y = 0;
}

unsigned char Point::IsEqual(const Point& p, double tol) const
{
    return (IsZero(x - p.x, tol) && IsZero(y - p.y, tol)) ? 1 : 0;
}

unsigned char Point::IsEqual(const Point& a, const Point& b, double tol)
{
    return a.IsEqual(b, tol);
}

double Point::Distance(const Point& p) const
{
    Point d(*this);
    d -= p;
    return d.GetLength();
}

unsigned char Point::IsDistMore(const Point& p, double d) const
{
    const double dx = p.x - x;
    const double dy = p.y - y;
    if (std::fabs(dx) > d || std::fabs(dy) > d)
        return 1;
    return dx * dx + dy * dy > d * d ? 1 : 0;
}

double Point::GetLength() const
{
    return std::sqrt(GetLengthSqr());
}

double Point::GetLengthSqr() const
{
    return Sqr(x) + Sqr(y);
}

double Point::GetPolarAngle() const
{
    int ex = 0;
    int ey = 0;
    std::frexp(x, &ex);
    std::frexp(y, &ey);
    const int d = ey - ex;
    if (d > 512 || std::fabs(x) < 2.220446049250313e-16) {
        if (y > 0)
            return ZT_PI_2;
        if (y < 0)
            return ZT_PI + ZT_PI_2;
        return 0;
    }
    if (d < -510) {
        // y is negligible beside x: the direction is horizontal.
        return x > 0 ? 0.0 : ZT_PI;
    }
    const double a = std::atan(y / x);
    if (x > 0)
        return y >= 0 ? a : a + ZT_2PI;
    return a + ZT_PI;
}

Point& Point::operator+=(double s) { x += s; y += s; return *this; }
Point& Point::operator+=(const Point& p) { x += p.x; y += p.y; return *this; }
Point& Point::operator-=(double s) { x -= s; y -= s; return *this; }
Point& Point::operator-=(const Point& p) { x -= p.x; y -= p.y; return *this; }
Point& Point::operator*=(double s) { x *= s; y *= s; return *this; }
Point& Point::operator/=(double s) { x /= s; y /= s; return *this; }

bool Point::operator==(const Point& p) const { return x == p.x && y == p.y; }
bool Point::operator!=(const Point& p) const { return !(*this == p); }

bool Point::operator<(const Point& p) const
{
    if (x < p.x)
        return true;
    if (x > p.x)
        return false;
    return y < p.y;
}

bool Point::operator<=(const Point& p) const
{
    if (x < p.x)
        return true;
    if (x > p.x)
        return false;
    return y <= p.y;
}

bool Point::operator>(const Point& p) const
{
    if (x > p.x)
        return true;
    if (x < p.x)
        return false;
    return y > p.y;
}

bool Point::operator>=(const Point& p) const
{
    if (x > p.x)
        return true;
    if (x < p.x)
        return false;
    return y >= p.y;
}

const tagPOINT& Point::GetPoint() const
{
    thread_local tagPOINT buffer;
    GetPoint(buffer);
    return buffer;
}

void Point::GetPoint(_POINTL& p) const
{
    p.x = Round(x);
    p.y = Round(y);
}

void Point::GetPoint(tagPOINT& p) const
{
    p.x = Round(x);
    p.y = Round(y);
}

double Point::ScalarMult(const Point& p) const
{
    return x * p.x + y * p.y;
}

double Point::ScalarMult(const Point& a, const Point& b)
{
    return a.ScalarMult(b);
}

unsigned char Point::Belongs2Line(const Point& a, const Point& b, double* t, double tol) const
{
    return Belongs2Line(*this, a, b, t, tol);
}

Orientation Point::CalcOrientation(const Point& p0, const Point& p1, const Point& p2)
{
    const double ux = p1.x - p0.x, uy = p1.y - p0.y;
    const double vx = p2.x - p0.x, vy = p2.y - p0.y;
    const double c = ux * vy - vx * uy;
    if (c > 0)
        return CounterClockwise;
    if (c < 0)
        return Clockwise;
    return Collinear;
}

Orientation Point::CalcOrientation(const Point& p0, const Point& p1, const Point& p2, double tol)
{
    const double ux = p1.x - p0.x, uy = p1.y - p0.y;
    const double vx = p2.x - p0.x, vy = p2.y - p0.y;
    const double c = ux * vy - vx * uy;
    // tol acts with its sign: a negative one accepts no |c| at all, and then
    // the sign of c alone decides, c = 0 still being collinear.
    if (std::fabs(c) <= tol)
        return Collinear;
    return c > 0 ? CounterClockwise : (c < 0 ? Clockwise : Collinear);
}

unsigned char Point::LinesCrossed(const Point& a1, const Point& a2, const Point& b1, const Point& b2,
                                  double* t)
{
    const double nx = b2.y - b1.y;
    const double ny = -(b2.x - b1.x);
    const double den = nx * (a2.x - a1.x) + ny * (a2.y - a1.y);
    if (IsZero(den, 1e-10))
        return 0;
    const double num = nx * (a1.x - b1.x) + ny * (a1.y - b1.y);
    if (t)
        *t = -num / den;
    return 1;
}

unsigned char Point::EdgesCrossed(const Point& a1, const Point& a2, const Point& b1, const Point& b2,
                                  double* t)
{
    double s = 0;
    if (!LinesCrossed(b1, b2, a1, a2, &s))
        return 0;
    if (!IsLies(s, 1.0, 1e-10))
        return 0;
    double r = 0;
    LinesCrossed(a1, a2, b1, b2, &r);
    if (t)
        *t = r;
    return IsLies(r, 1.0, 1e-10);
}

unsigned char Point::Belongs2Line(const Point& p, const Point& a, const Point& b, double* t, double tol)
{
    Point pp(p);
    pp -= a;
    Point bb(b);
    bb -= a;
    // Turn the line onto the positive x axis: p then lies at (u, v), u along
    // the line and v its signed distance from it.
    const Matrix turn = Matrix::Rotate(-bb.GetPolarAngle());
    const Point q = turn.Transform(pp);
    const double L = turn.Transform(bb).x;
    if (t)
        *t = IsZero(L, 1e-10) ? 0.0 : q.x / L;
    return IsZero(q.y, tol);
}

Vector::~Vector() = default;

Vector& Vector::SetVector(const Vector& v)
{
    x = v.x;
    y = v.y;
    return *this;
}

Vector& Vector::SetVector(const Point& a, const Point& b)
{
    x = b.x - a.x;
    y = b.y - a.y;
    return *this;
}

Vector& Vector::Normalize()
{
    const double L = GetLength();
    if (L > 4.440892098500626e-16)
        *this /= L;
    return *this;
}

Orientation Vector::CalcOrientation(const Vector& u, const Vector& v)
{
    const double c = u.x * v.y - v.x * u.y;
    if (c > 0)
        return CounterClockwise;
    if (c < 0)
        return Clockwise;
    return Collinear;
}

Point operator-(const Point& p) { return Point(-p.x, -p.y); }
Vector operator-(const Vector& v) { return Vector(-v.x, -v.y); }
Point operator+(const Point& a, const Point& b) { Point r(a); r += b; return r; }
Point operator-(const Point& a, const Point& b) { Point r(a); r -= b; return r; }
Point operator+(const Point& p, double s) { Point r(p); r += s; return r; }
Point operator+(double s, const Point& p) { Point r(p); r += s; return r; }
Point operator-(const Point& p, double s) { Point r(p); r -= s; return r; }
Point operator*(const Point& p, double s) { Point r(p); r *= s; return r; }
Point operator*(double s, const Point& p) { Point r(p); r *= s; return r; }
Point operator/(const Point& p, double s) { Point r(p); r /= s; return r; }

double Simple(const Point& a, const Point& b)
{
    return a.x * b.y - a.y * b.x;
}

double IsBetween(const Point& p, const Point& a, const Point& b, double tol)
{
    double t = 0;
    if (Point::Belongs2Line(p, a, b, &t, tol) && IsLies(t, 1.0, 1e-10))
        return 1.0;
    return 0.0;
}

} // namespace S2D
