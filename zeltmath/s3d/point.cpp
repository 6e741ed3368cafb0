#include <zeltmath/s3d/point.h>

#include <zeltmath/numeric/core.h>

#include <cmath>

namespace S3D {

Point::~Point() = default;

void Point::Initialize()
{
    SetV123(0, 0, 0);
}

Point& Point::SetPoint(const Point& p)
{
    double px = 0;
    double py = 0;
    double pz = 0;
    p.GetV123(px, py, pz);
    SetV123(px, py, pz);
    return *this;
}

const double& Point::V1() const { return x; }
double& Point::V1() { return x; }
const double& Point::V2() const { return y; }
double& Point::V2() { return y; }
const double& Point::V3() const { return z; }
double& Point::V3() { return z; }

void Point::GetV123(double& x_, double& y_, double& z_) const
{
    x_ = V1();
    y_ = V2();
    z_ = V3();
}

Point& Point::SetV123(double x_, double y_, double z_)
{
    V1() = x_;
    V2() = y_;
    V3() = z_;
    return *this;
}

unsigned char Point::IsEqual(const Point& p, double tol) const
{
    return (IsZero(V1() - p.V1(), tol) && IsZero(V2() - p.V2(), tol) && IsZero(V3() - p.V3(), tol)) ? 1 : 0;
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
    const double dx = p.V1() - V1();
    const double dy = p.V2() - V2();
    const double dz = p.V3() - V3();
    if (std::fabs(dx) > d || std::fabs(dy) > d || std::fabs(dz) > d)
        return 1;
    return dx * dx + dy * dy + dz * dz > d * d ? 1 : 0;
}

double Point::GetLength() const
{
    return std::sqrt(GetLengthSqr());
}

double Point::GetLengthSqr() const
{
    return Sqr(V1()) + Sqr(V2()) + Sqr(V3());
}

Point& Point::operator+=(double s)
{
    V1() += s;
    V2() += s;
    V3() += s;
    return *this;
}

Point& Point::operator+=(const Point& p)
{
    V1() += p.V1();
    V2() += p.V2();
    V3() += p.V3();
    return *this;
}

Point& Point::operator-=(double s)
{
    V1() -= s;
    V2() -= s;
    V3() -= s;
    return *this;
}

Point& Point::operator-=(const Point& p)
{
    V1() -= p.V1();
    V2() -= p.V2();
    V3() -= p.V3();
    return *this;
}

Point& Point::operator*=(double s)
{
    V1() *= s;
    V2() *= s;
    V3() *= s;
    return *this;
}

Point& Point::operator/=(double s)
{
    V1() /= s;
    V2() /= s;
    V3() /= s;
    return *this;
}

bool Point::operator==(const Point& p) const
{
    return V1() == p.V1() && V2() == p.V2() && V3() == p.V3();
}

bool Point::operator<(const Point& p) const
{
    if (V1() < p.V1())
        return true;
    if (V1() != p.V1())
        return false;
    if (V2() < p.V2())
        return true;
    if (V2() != p.V2())
        return false;
    return V3() < p.V3();
}

bool Point::operator<=(const Point& p) const
{
    if (V1() < p.V1())
        return true;
    if (V1() != p.V1())
        return false;
    if (V2() < p.V2())
        return true;
    if (V2() != p.V2())
        return false;
    return V3() <= p.V3();
}

bool Point::operator>(const Point& p) const
{
    if (V1() > p.V1())
        return true;
    if (V1() != p.V1())
        return false;
    if (V2() > p.V2())
        return true;
    if (V2() != p.V2())
        return false;
    return V3() > p.V3();
}

bool Point::operator>=(const Point& p) const
{
    if (V1() > p.V1())
        return true;
    if (V1() != p.V1())
        return false;
    if (V2() > p.V2())
        return true;
    if (V2() != p.V2())
        return false;
    return V3() >= p.V3();
}

Vector::~Vector() = default;

Vector& Vector::SetVector(const Vector& v)
{
    SetPoint(v);
    return *this;
}

Vector& Vector::SetVector(const Point& a, const Point& b)
{
    double ax = 0;
    double ay = 0;
    double az = 0;
    double bx = 0;
    double by = 0;
    double bz = 0;
    a.GetV123(ax, ay, az);
    b.GetV123(bx, by, bz);
    SetV123(bx - ax, by - ay, bz - az);
    return *this;
}

Vector& Vector::Normalize()
{
    const double length = GetLength();
    if (length > 4.440892098500626e-16)
        *this /= length;
    return *this;
}

Point operator-(const Point& p)
{
    Point r(p);
    r *= -1.0;
    return r;
}

Vector operator-(const Vector& v)
{
    Vector r(v);
    r *= -1.0;
    return r;
}

Point operator+(const Point& a, const Point& b)
{
    Point r(a);
    r += b;
    return r;
}

Point operator-(const Point& a, const Point& b)
{
    Point r(a);
    r -= b;
    return r;
}

Point operator+(const Point& p, double s)
{
    Point r(p);
    r += s;
    return r;
}

Point operator+(double s, const Point& p)
{
    Point r(p);
    r += s;
    return r;
}

Point operator-(const Point& p, double s)
{
    Point r(p);
    r -= s;
    return r;
}

Point operator*(const Point& p, double s)
{
    Point r(p);
    r *= s;
    return r;
}

Point operator*(double s, const Point& p)
{
    Point r(p);
    r *= s;
    return r;
}

Point operator/(const Point& p, double s)
{
    Point r(p);
    r /= s;
    return r;
}

} // namespace S3D
