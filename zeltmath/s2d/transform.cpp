#include <zeltmath/s2d/transform.h>

namespace S2D {
namespace Transform {

void Transform(const Matrix& m, const Point& in, Point& out)
{
    out = m.Transform(in);
}

void Transform(const Matrix& m, const Edge& in, Edge& out)
{
    if (&in != &out)
        out = in;
    const Point p1 = m.Transform(out.P1());
    const Point p2 = m.Transform(static_cast<const Edge&>(out).P2());
    out.SetP12(p1, p2);
}

void Transform(const Matrix& m, const Line& in, Line& out)
{
    if (&in != &out)
        out = in;
    Transform(m, static_cast<const Edge&>(out), static_cast<Edge&>(out));
}

void Transform(const Matrix& m, const Circle& in, Circle& out)
{
    if (&in != &out)
        out = in;
    const Point c = m.Transform(static_cast<const Point&>(out));
    out.SetV12(c.x, c.y);
}

void Transform(const Matrix& m, const Polyline& in, Polyline& out)
{
    if (&in != &out)
        out = in;
    m.Transform(out.Points());
}

void Transform(const Matrix& m, const Polygon& in, Polygon& out)
{
    if (&in != &out)
        out = in;
    m.Transform(out.Points());
}

void Transform(const Matrix& m, const PolyPolygon& in, PolyPolygon& out)
{
    if (&in != &out)
        out = in;
    for (Polygon& ring : out.polygons_)
        Transform(m, ring, ring);
    // A mapping that folds the plane may change which ring holds which.
    out.order_.clear();
    out.OnChange();
}

void Transform(const Matrix& m, const HollowPolygon& in, HollowPolygon& out)
{
    if (&in != &out)
        out = in;
    Transform(m, out.Ring(HollowPolygon::kOuter), out.Ring(HollowPolygon::kOuter));
    for (unsigned i = 0; i < out.InnersCount(); ++i)
        Transform(m, out.Ring(i), out.Ring(i));
    out.OnChange();
}

} // namespace Transform
} // namespace S2D
