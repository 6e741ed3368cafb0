// Planar jobs: Boolean operations, normalisation, assembly, containment,
// points with their per-thread integer buffer, matrices, regions, chains and
// hollow polygons, and corner smoothing, each on objects built from its seed.

#include "digest.h"

#include <zeltmath/s2d/circle.h>
#include <zeltmath/s2d/edge.h>
#include <zeltmath/s2d/hollow_polygon.h>
#include <zeltmath/s2d/matrix.h>
#include <zeltmath/s2d/poly_polygon.h>
#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/polyline.h>
#include <zeltmath/s2d/rect.h>
#include <zeltmath/s2d/region.h>
#include <zeltmath/s2d/smooth_corner.h>

#include <cmath>
#include <random>
#include <thread>
#include <vector>

namespace threadtest {
namespace {

using S2D::Point;
using S2D::Polygon;
using S2D::PolyPolygon;

// A star-shaped ring of n vertices about c with radii in [r0, r1].
Polygon Star(std::mt19937& rng, Point c, unsigned n, double r0, double r1)
{
    std::uniform_real_distribution<double> radius(r0, r1);
    std::vector<Point> v;
    for (unsigned i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const double r = radius(rng);
        v.emplace_back(c.x + r * std::cos(a), c.y + r * std::sin(a));
    }
    return Polygon(v);
}

Polygon Box(double x0, double y0, double x1, double y1)
{
    return Polygon(std::vector<Point>{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

void Clipping(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    PolyPolygon a(Star(rng, Point(0, 0), 24, 6, 10));
    a.AddPolygon(Star(rng, Point(0.5, 0), 12, 1.5, 3), 1);
    PolyPolygon b(Star(rng, Point(4, 3), 17, 4, 8));
    b.AddPolygon(Box(-12, -2, -3, 1), 0);
    for (S2D::PPOLY_OPERATION op : {S2D::PPOLY_DIFFERENCE, S2D::PPOLY_INTERSECTION, S2D::PPOLY_XOR,
                                    S2D::PPOLY_UNION})
        out.Put(a.Clip(op, b));

    // Overlapping outers and a hole across them, made disjoint.
    PolyPolygon messy(Box(0, 0, 6, 4));
    messy.AddPolygon(Star(rng, Point(6, 2), 9, 2, 3.5), 0);
    messy.AddPolygon(Box(5, 1.5, 7, 2.5), 1);
    messy.Normalize();
    out.Put(messy);

    std::vector<Polygon> rings{Box(0, 0, 10, 10), Box(2, 2, 4, 4), Star(rng, Point(7, 7), 8, 1, 2)};
    std::vector<Polygon> traced;
    int status = -1;
    out.Put(PolyPolygon::Assemble(rings, &traced, &status));
    out.Put(status);
    out.Put(traced.size());
}

void Containment(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    const double s = 1 + (seed % 7) * 0.125;
    // Outer, hole, island: the innermost containing ring decides.
    PolyPolygon region(Box(0, 0, 10 * s, 10 * s));
    region.AddPolygon(Box(3 * s, 3 * s, 7 * s, 7 * s), 1);
    region.AddPolygon(Box(4 * s, 4 * s, 6 * s, 6 * s), 0);
    region.AddPolygon(Star(rng, Point(15 * s, 5), 11, 2, 4), 0);
    S2D::HollowPolygon hollow(Box(0, 0, 10 * s, 10 * s));
    hollow.AddInner(Box(3 * s, 3 * s, 7 * s, 7 * s));
    const Polygon star = Star(rng, Point(5, 5), 13, 3, 6);
    const S2D::Circle circle(5 * s, 5 * s, 4 * s);
    for (int i = -2; i <= 40; ++i) {
        for (int j = -2; j <= 24; ++j) {
            const Point p(i * 0.5 * s, j * 0.5 * s);
            unsigned index = 12345;
            out.Put(region.CheckIn(p, 1, 1e-9, 1, &index));
            out.Put(index);
            out.Put(hollow.CheckIn(p, 1, 1e-9, 1));
            out.Put(star.CheckIn(p, 0, 1e-9, 1));
            out.Put(circle.CheckIn(p, 1, 1e-9));
        }
    }
    out.Put(star.Area());
    out.Put(star.IsClockwise());
}

// Points, edges and the integer conversion whose no-argument form answers in
// a buffer of the calling thread.
void Points(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> coord(-1e4, 1e4);
    const tagPOINT* buffer = nullptr;
    for (int i = 0; i < 400; ++i) {
        const Point p(coord(rng), coord(rng));
        const Point q(coord(rng), coord(rng));
        const tagPOINT& r = p.GetPoint();
        if (buffer == nullptr)
            buffer = &r;
        out.Put(&r == buffer);  // the same buffer every time on one thread
        out.Put(r.x);
        out.Put(r.y);
        std::this_thread::yield();  // other threads convert their own points now
        out.Put(r.x);
        out.Put(r.y);
        out.Put(p.Distance(q));
        out.Put(p.GetPolarAngle());
        out.Put(static_cast<int>(Point::CalcOrientation(p, q, Point(0, 0), 1e-9)));
        Point cross;
        const bool met = S2D::Edge(p, q).Intersect(S2D::Edge(Point(-1e4, 0), Point(1e4, 1)), cross);
        out.Put(met);
        if (met)
            out.Put(cross);
        out.Put(S2D::Edge(p, q).GetDistance(Point(0, 0), nullptr));
    }
}

void Matrices(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-3, 3);
    S2D::MatrixStack stack;
    std::vector<Point> points;
    for (int i = 0; i < 50; ++i)
        points.emplace_back(u(rng), u(rng));
    for (int k = 0; k < 40; ++k) {
        const S2D::Matrix m = S2D::Matrix::Rotate(u(rng)) * S2D::Matrix::Scale(1 + std::fabs(u(rng)), 0.5) *
                              S2D::Matrix::Move(u(rng), u(rng)) * S2D::Matrix::Rotate45();
        const S2D::Matrix inv = S2D::Matrix::Invert(m);
        stack.Push(m, 1, static_cast<unsigned char>(k % 2));
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                out.Put(inv.GetV(i, j));
                out.Put(stack.Top().GetV(i, j));
            }
        std::vector<Point> moved;
        (inv * m).Transform(points, moved);
        out.Put(moved);
        out.Put(m.GetOrtLength());
        if (k % 3 == 2)
            stack.Pop();
    }
    out.Put(stack.Size());
    const S2D::Matrix fit = S2D::Matrix::Map(S2D::Rect(0, 0, 4, 3), S2D::Rect(-1, -1, 1 + seed, 1), 1);
    S2D::Rect mapped;
    fit.Transform(S2D::Rect(1, 1, 2, 2), mapped);
    out.Put(mapped.Left());
    out.Put(mapped.Top());
    out.Put(mapped.Right());
    out.Put(mapped.Bottom());
}

// Regions live in a process-wide handle table; each thread makes and
// deletes its own.
void Regions(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> c(-20, 20);
    for (int round = 0; round < 6; ++round) {
        std::vector<tagPOINT> ring;
        for (int i = 0; i < 5; ++i) {
            const int x = c(rng);
            ring.push_back(tagPOINT{x, c(rng)});
        }
        HRGN a = CreatePolygonRgn(ring.data(), static_cast<int>(ring.size()), round % 2 ? WINDING : ALTERNATE);
        const int left = c(rng), top = c(rng);
        HRGN b = CreateRectRgn(left, top, left + 25, top + 25);
        out.Put(CombineRgn(a, a, b, 1 + round % 4));
        for (int y = -25; y < 50; ++y)
            for (int x = -25; x < 50; ++x)
                out.Put(static_cast<char>(PtInRegion(a, x, y)));
        tagRECT box{};
        out.Put(GetRgnBox(a, &box));
        out.Put(box.left);
        out.Put(box.top);
        out.Put(box.right);
        out.Put(box.bottom);
        out.Put(DeleteObject(a));
        out.Put(DeleteObject(b));
    }
    S2D::HollowPolygon plate(Box(0, 0, 30, 20));
    plate.AddInner(Box(5, 5, 10 + seed % 5, 12));
    HRGN r = plate.CreateRgn(S2D::Matrix::Scale(1.5, 1.5));
    int count = 0;
    for (int y = -5; y < 40; ++y)
        for (int x = -5; x < 50; ++x)
            count += PtInRegion(r, x, y);
    out.Put(count);
    out.Put(DeleteObject(r));
}

// Chains and rings: crossings, simplification, circles against chains,
// hollow polygons checked and rebuilt.
void Chains(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-5, 5);
    for (int k = 0; k < 20; ++k) {
        std::vector<Point> v;
        for (int i = 0; i < 12; ++i)
            v.emplace_back(u(rng), u(rng));
        v.push_back(v.back());  // a repeated vertex
        v.emplace_back((v[0].x + v[1].x) / 2, (v[0].y + v[1].y) / 2);  // the midpoint of the first edge, appended
        S2D::Polyline chain(v);
        unsigned first = 99, second = 99, flags = 99;
        out.Put(chain.IsSelfCrossed(&first, &second, &flags));
        out.Put(first);
        out.Put(second);
        out.Put(flags);
        const S2D::Circle circle(u(rng), u(rng), 1 + std::fabs(u(rng)));
        out.Put(circle.IsCrossed(chain, 1, 1e-9));
        out.Put(circle.CheckIn(chain, 1, 1e-9));
        out.Put(chain.RemoveClosest(1e-6));
        out.Put(chain.ReduceGeometry(1e-6));
        out.Put(chain);
    }
    S2D::HollowPolygon plate(Star(rng, Point(0, 0), 20, 8, 10));
    plate.AddInner(Box(-3, -3, -1, -1));
    plate.AddInner(Box(-2, -2, 2, 0));  // meets the first hole
    plate.AddInner(Star(rng, Point(3, 3), 7, 0.5, 1.5));
    int code = -1;
    out.Put(plate.Correct(1, 1e-9, &code));
    out.Put(code);
    plate.Normalize();
    out.Put(plate.Outer());
    for (const Polygon& hole : plate.Inners())
        out.Put(hole);
}

void Corners(unsigned seed, Digest& out)
{
    for (unsigned k = 0; k < 30; ++k) {
        const double t = (seed + k) * 0.37;
        const std::vector<Point> path{{0, 0}, {10, 0}, {10 + 5 * std::cos(t), 5 * std::sin(t) + 6}};
        std::vector<Point> arc;
        out.Put(S2D::SmoothCorner(path, 1, 1 + k * 0.1, 4 + k, arc));
        out.Put(arc);
    }
}

} // namespace

std::vector<Job> PlanarJobs()
{
    return {{"clip, normalise and assemble", Clipping},
            {"containment", Containment},
            {"points and edges", Points},
            {"planar matrices", Matrices},
            {"regions", Regions},
            {"chains and hollow polygons", Chains},
            {"corner smoothing", Corners}};
}

} // namespace threadtest
