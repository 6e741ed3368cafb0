// A short tour of the library: tolerant comparisons, the cubic and planar points.
#include <zeltmath/zeltmath.h>

#include <cstdio>
#include <vector>

int main()
{
    std::printf("IsZero(0.001, 0.001) = %d\n", IsZero(0.001, 0.001));
    std::printf("Round(2.5) = %d, Round(-2.5) = %d\n", Round(2.5), Round(-2.5));

    std::vector<double> roots;
    const int kind = Cubic(roots, -6, 11, -6);
    std::printf("x^3 - 6x^2 + 11x - 6: kind %d, roots %.12g %.12g %.12g\n", kind, roots[0], roots[1],
                roots[2]);

    const S2D::Point a(0, 0), b(6, 8), p(3, 4);
    double t = 0;
    const bool on = p.Belongs2Line(a, b, &t, 1e-9);
    std::printf("(3,4) on the line (0,0)-(6,8): %s at t = %.12g\n", on ? "yes" : "no", t);
    std::printf("distance (0,0)-(6,8) = %.12g, polar angle = %.12g rad\n", a.Distance(b),
                (b - a).GetPolarAngle());
    return 0;
}
