// Polylines and polygons on arbitrary input: rings of up to 24 points, either
// on a coarse grid (many duplicates, collinear runs and exact crossings) or
// arbitrary doubles (NaN, infinities, denormals).  Nothing may crash or run
// into undefined behaviour, the fused point-in-polygon test must answer
// exactly like the two-pass formulation, and a few invariants must hold.

#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/circle.h>
#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/polyline.h>
#include <zeltmath/s2d/triangle.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace S2D;

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    bool raw;

    std::uint8_t Byte()
    {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
    double Next()
    {
        if (!raw)
            return (static_cast<int>(Byte()) % 9 - 4) * 0.5;
        double d = 0;
        if (size >= sizeof d) {
            std::memcpy(&d, data, sizeof d);
            data += sizeof d;
            size -= sizeof d;
        } else {
            d = static_cast<double>(Byte()) - 128;
        }
        return d;
    }
    Point NextPoint()
    {
        const double x = Next();
        return Point(x, Next());
    }
};

unsigned char Reference(const std::vector<Point>& v, const Point& p, unsigned char onBorder, double tol,
                        unsigned char checkBorder)
{
    const std::size_t n = v.size();
    if (n == 0)
        return 0;
    if (n == 1)
        return (checkBorder && p.IsEqual(v[0], tol)) ? onBorder : 0;
    if (n == 2)
        return (checkBorder && IsBetween(p, v[0], v[1], tol) != 0.0) ? onBorder : 0;
    if (checkBorder)
        for (std::size_t i = 0; i < n; ++i)
            if (IsBetween(p, v[i], v[(i + 1) % n], tol) != 0.0)
                return onBorder;
    bool flag = false;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = i == 0 ? n - 1 : i - 1;
        if (((IsNonGreater(v[i].y, p.y, tol) && IsLess(p.y, v[j].y, tol)) ||
             (IsNonGreater(v[j].y, p.y, tol) && IsLess(p.y, v[i].y, tol))) &&
            IsLess(p.x, (p.y - v[i].y) * (v[j].x - v[i].x) / (v[j].y - v[i].y) + v[i].x, tol))
            flag = !flag;
    }
    return flag ? 1 : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in{data, size, false};
    const std::uint8_t mode = in.Byte();
    in.raw = (mode & 1) != 0;
    const unsigned n = in.Byte() % 25;
    const double tols[] = {0.0, 1e-9, 0.25, -0.5};
    const double tol = in.raw ? in.Next() : tols[(mode >> 1) % 4];
    std::vector<Point> v;
    for (unsigned i = 0; i < n; ++i)
        v.push_back(in.NextPoint());
    Polygon ring(v);
    const Polyline chain(v);

    // The point test, fused and literal, on vertices, midpoints and free points.
    for (int q = 0; q < 8; ++q) {
        Point p = in.NextPoint();
        if (!v.empty() && q % 2 == 0)
            p = Point(v[q % v.size()], v[(q + 1) % v.size()], 0.5);
        for (unsigned char border = 0; border < 2; ++border)
            if (ring.CheckIn(p, 3, tol, border) != Reference(v, p, 3, tol, border))
                std::abort();
    }

    // Queries and walks.
    const Point p = in.NextPoint();
    std::vector<unsigned> near;
    if (chain.CheckPtNearEdges(p, tol, &near) != near.size() || near.size() > chain.EdgeCount())
        std::abort();
    ring.CheckPtNearNodes(p, tol, nullptr);
    unsigned first = 0, second = 0, flags = 0;
    if (chain.IsSelfCrossed(&first, &second, &flags) && !(first < second && second < chain.EdgeCount()))
        std::abort();
    ring.IsSelfCrossed(&first, &second, &flags);
    const Polyline probe(std::vector<Point>{in.NextPoint(), in.NextPoint(), in.NextPoint()});
    ring.IsCrossed(probe, mode & 8, tol);
    ring.IsCrossed(chain, mode & 16, tol);
    ring.CheckIn(probe, 1, tol, 1);
    const Circle circle(in.NextPoint(), in.Next());
    ring.CheckIn(circle, mode & 32, tol);
    circle.CheckIn(ring, 1, tol);
    circle.IsCrossed(ring, mode & 64, tol);
    circle.IsCrossed(chain, mode & 64, tol);
    const double area = ring.Area();
    if (area < 0)
        std::abort();
    ring.MassCenter();
    ring.BoundRect();
    (void)(chain < ring);

    // Renumbering keeps the point set and the area.
    Polygon turned(ring);
    turned >>= static_cast<int>(in.Byte()) - 128;
    turned <<= static_cast<int>(in.Byte()) * 1000003;
    if (turned.Size() != ring.Size())
        std::abort();
    if (!std::isnan(area) && std::isfinite(area) && std::fabs(turned.Area() - area) > 1e-9 * (1 + area) &&
        !in.raw)
        std::abort();

    // Clean-up: the counts add up.
    Polyline cleaned(chain);
    const unsigned removed = cleaned.RemoveClosest(tol);
    if (cleaned.Size() + removed != chain.Size())
        std::abort();
    const unsigned before = ring.Size();
    const unsigned reduced = ring.ReduceGeometry(tol);
    if (ring.Size() + reduced != before)
        std::abort();

    if (v.size() >= 3) {
        const GenericTriangle<Point> tri(v[0], v[1], v[2]);
        tri.CheckIn(p, 1, tol, 1);
        tri.IsEqual(tri, tol);
        tri.Area();
    }
    return 0;
}
