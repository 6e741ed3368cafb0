#include <zeltmath/zeltmath.h>

#include <cstdio>

int main()
{
    const S2D::Point p(3, 4);
    std::printf("IsZero=%d Point=(%g,%g) length=%g\n", IsZero(1e-12, 1e-9), p.x, p.y, p.GetLength());
    return 0;
}
