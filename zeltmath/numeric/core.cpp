#include <zeltmath/numeric/core.h>

#include <zeltmath/numeric/detail/tolerance.h>

#include <climits>
#include <cmath>

const double ZT_PI = 3.141592653589793;
const double ZT_2PI = 6.283185307179586;
const double ZT_PI_2 = 1.5707963267948966;
const double ZT_INFINITY = 1.7976931348623157e+308;

unsigned char IsZero(double x, double eps)
{
    return zeltmath::detail::ZeroWithin(x, eps) ? 1 : 0;
}

unsigned char IsLess(double a, double b, double eps)
{
    return zeltmath::detail::LessBeyond(a, b, eps) ? 1 : 0;
}

unsigned char IsNonGreater(double a, double b, double eps)
{
    return zeltmath::detail::NonGreaterWithin(a, b, eps) ? 1 : 0;
}

unsigned char IsLies(double x, double b, double eps)
{
    if (IsZero(b, eps))
        return IsZero(x, eps);
    if (b > 0)
        return (IsNonGreater(0, x, eps) && IsNonGreater(x, b, eps)) ? 1 : 0;
    return (IsNonGreater(x, 0, eps) && IsNonGreater(b, x, eps)) ? 1 : 0;
}

namespace {
// Truncation toward zero that stays defined outside the range of int.
int TruncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}
} // namespace

int Round(double x)
{
    return x > 0 ? TruncToInt(x + 0.5) : TruncToInt(x - 0.5);
}

int Sign(double x)
{
    if (x > 0)
        return 1;
    if (x < 0)
        return -1;
    return 0;
}

double Sqr(double x)
{
    return x * x;
}

double GradToRad(double degrees)
{
    return degrees * ZT_PI / 180.0;
}

double RadToGrad(double radians)
{
    return radians * 180.0 / ZT_PI;
}

namespace {
double Snap(double v)
{
    struct SnapRow { double reference; double target; };
    static const SnapRow rows[] = {
        {0.0, 0.0},
        {1.0, 1.0},
        {-1.0, -1.0},
        {0.5, 0.5},
        {-0.5, -0.5},
        {0.866025403, 0.8660254037844386},
        {-0.866025403, -0.8660254037844386},
    };
    for (const SnapRow& row : rows) {
        if (std::fabs(v - row.reference) < 0.001)
            v = row.target;
    }
    return v;
}
} // namespace

double GoodSin(double radians)
{
    return Snap(std::sin(radians));
}

double GoodCos(double radians)
{
    return Snap(std::cos(radians));
}

int Cubic(std::vector<double>& roots, double a, double b, double c)
{
    roots.clear();
    const double Q = (a * a - 3 * b) / 9;
    const double R = ((2 * a * a - 9 * b) * a + 27 * c) / 54;
    const double R2 = R * R;
    const double Q3 = Q * Q * Q;
    if (R2 < Q3) {
        const double theta = std::acos(R / std::sqrt(Q3));
        const double s = -2 * std::sqrt(Q);
        roots.push_back(s * std::cos(theta / 3) - a / 3);
        roots.push_back(s * std::cos((theta + ZT_2PI) / 3) - a / 3);
        roots.push_back(s * std::cos((theta - ZT_2PI) / 3) - a / 3);
        return 3;
    }
    const double sgn = R >= 0 ? 1.0 : -1.0;
    const double A = -sgn * std::pow(std::fabs(R) + std::sqrt(R2 - Q3), 1.0 / 3.0);
    const double B = A != 0 ? Q / A : 0.0;
    roots.push_back(A + B - a / 3);
    roots.push_back(-0.5 * (A + B) - a / 3);
    const double im = std::sqrt(3.0) * 0.5 * std::fabs(A - B);
    roots.push_back(im);
    return im != 0 ? 1 : 2;
}
