#include <zeltmath/s2d/smooth_corner.h>

#include <zeltmath/numeric/core.h>

#include <cmath>

namespace S2D {

unsigned char SmoothCorner(const std::vector<Point>& points, unsigned corner, double radius,
                           unsigned segments, std::vector<Point>& arc)
{
    arc.clear();
    const std::size_t count = points.size();
    if (count < 3 || corner >= count || radius < 0)
        return 0;

    const Point& P = points[corner == 0 ? count - 1 : corner - 1];
    const Point& C = points[corner];
    const Point& N = points[corner + 1 == count ? 0 : corner + 1];

    const Orientation turn = Point::CalcOrientation(P, C, N);
    if (turn == Collinear || IsZero(radius, 1e-10))
        return 0;
    const double s = turn == CounterClockwise ? 1.0 : -1.0;

    const Vector a(P, C);
    const Vector b(C, N);
    const double la = a.GetLength();
    const double lb = b.GetLength();
    Vector n(s * -a.y, s * a.x);
    n.Normalize();
    n *= radius;

    const double theta = std::acos((-a.x * b.x + -a.y * b.y) / (la * lb));
    const double d = n.GetLength() / std::tan(theta / 2);
    if (IsLess(la, d, 1e-8) || IsLess(lb, d, 1e-8))
        return 0;
    // Degenerate numbers (NaN or infinite coordinates) have no fillet.
    if (!std::isfinite(d))
        return 0;

    // Everything relative to P, translated back when output.
    const Point T1 = a - a * (d / la);
    const Point T2 = a + b * (d / lb);
    const Point M = T1 + n;
    const Point r1 = T1 - M;
    const Point r2 = T2 - M;

    const double phi = ZT_PI - theta;
    const int k = static_cast<int>(phi * segments / ZT_2PI);
    const Point origin = M + P;
    arc.reserve(static_cast<std::size_t>(k > 0 ? k + 1 : 2));
    arc.push_back(r1 + origin);
    if (k > 0) {
        const double step = phi / k;
        for (int j = 1; j < k; ++j) {
            const double angle = s * j * step;
            const double c = std::cos(angle);
            const double sn = std::sin(angle);
            arc.push_back(Point(c * r1.x - sn * r1.y, sn * r1.x + c * r1.y) + origin);
        }
    }
    arc.push_back(r2 + origin);
    return 1;
}

} // namespace S2D
