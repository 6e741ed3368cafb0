// Planar primitives on arbitrary doubles (NaN, infinities and denormals
// included): edge layouts against edges and circles, distances, projections,
// crossings, matrix inversion, window mappings and rectangle operations must
// neither crash nor run into undefined behaviour, and keep a few invariants
// that hold for every input.

#include <zeltmath/s2d/circle.h>
#include <zeltmath/s2d/edge.h>
#include <zeltmath/s2d/matrix.h>
#include <zeltmath/s2d/rect.h>

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

    double Next()
    {
        double d = 0;
        if (size >= sizeof d) {
            std::memcpy(&d, data, sizeof d);
            data += sizeof d;
            size -= sizeof d;
        } else if (size > 0) {
            d = static_cast<double>(*data) - 128;
            ++data;
            --size;
        }
        return d;
    }
    Point NextPoint()
    {
        const double x = Next();
        return Point(x, Next());
    }
};

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in{data, size};
    const Edge a(in.NextPoint(), in.NextPoint());
    const Edge b(in.NextPoint(), in.NextPoint());
    const Line line(a);
    const Circle c(in.NextPoint(), in.Next());
    const Point p = in.NextPoint();
    const double tol = in.Next();

    double t1 = 0, t2 = 0;
    const unsigned int withEdge = a.CalcLayout(b, &t1, &t2);
    Check(withEdge != 0 && withEdge < 32);
    Check((withEdge & (LAYOUT_APART | LAYOUT_CROSS)) != (LAYOUT_APART | LAYOUT_CROSS));
    const unsigned int withLine = line.CalcLayout(b, &t1, &t2);
    Check(withLine != 0 && withLine < 32);
    const unsigned int withCircle = a.CalcLayout(c, &t1, &t2);
    Check(withCircle != 0 && withCircle < 32 && !(withCircle & LAYOUT_PARALLEL));

    a.GetDistance(p, &t1);
    line.GetDistance(p, &t1);
    a.GetProjection(p);
    line.GetProjection(p);
    a.CheckPtBelongs(p, &t1, tol);
    line.CheckPtBelongs(p, &t1, tol);
    Point cross;
    if (Edge::Intersect(a, b, cross))
        Check(!std::isnan(cross.x) || std::isnan(a.P1().x) || std::isnan(a.GetVector().x));

    c.CheckIn(p, 1, tol);
    c.CheckIn(Circle(p, in.Next()), 0, tol);
    c.IsCrossed(Circle(p, in.Next()), 1, tol);
    c.BoundRect();

    double m[3][3];
    for (auto& row : m)
        for (double& v : row)
            v = in.Next();
    const Matrix mx(m);
    Matrix::Invert(mx);
    const Rect from(in.Next(), in.Next(), in.Next(), in.Next());
    const Rect to(in.Next(), in.Next(), in.Next(), in.Next());
    const Matrix map = Matrix::Map(from, to, static_cast<unsigned char>(size & 1));
    Rect box;
    map.TransformRectSpecial(from, box);
    mx.TransformRectSpecial(to, box);
    tagRECT ir{};
    mx.Transform(from, ir);
    std::vector<Point> pts{p, a.P1(), a.P2()};
    std::vector<tagPOINT> ipts(pts.size());
    mx.Transform(pts.data(), ipts.data(), static_cast<int>(pts.size()));
    mx.GetOrtLength();
    tagXFORM xf{};
    mx.GetXFORM(xf);

    Rect r(from);
    r.IntersectRect(from, to);
    r.UnionRect(from, to);
    r.MoveInToRect(to);
    r.NormalizeRectTo(from);
    r.GetRECT(ir);
    Point q(p);
    to.EnsurePoint(q);
    to.PtInRect(p);
    return 0;
}
