// Boolean operations and normalisation of poly-polygons: worked examples
// with exact vertex order, roles and areas, and a cross-check of Normalize
// against Clipper on random ring sets.

#include <zeltmath/s2d/poly_polygon.h>
#include "shapes.h"

#include <polyclipping/clipper.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using S2D::Point;
using S2D::Polygon;
using S2D::PolyPolygon;

namespace {

void ExpectRing(const Polygon& got, const std::vector<Point>& want)
{
    ASSERT_EQ(got.Size(), want.size());
    for (unsigned i = 0; i < want.size(); ++i)
        EXPECT_EQ(got[i], want[i]) << "vertex " << i;
}

const S2D::PPOLY_OPERATION kOps[] = {S2D::PPOLY_DIFFERENCE, S2D::PPOLY_INTERSECTION, S2D::PPOLY_XOR,
                                     S2D::PPOLY_UNION};

TEST(PolyPolygonClip, UnitSquareUnionWithEmptyOperand)
{
    const std::vector<Point> want = {{1, 0}, {0, 0}, {0, 1}, {1, 1}};
    const PolyPolygon ccw(Square(0, 0, 1, 1));
    const PolyPolygon cw(Polygon(std::vector<Point>{{0, 0}, {0, 1}, {1, 1}, {1, 0}}));
    for (const PolyPolygon* sq : {&ccw, &cw}) {
        for (const PolyPolygon& r : {sq->Clip(S2D::PPOLY_UNION, PolyPolygon()),
                                     PolyPolygon().Clip(S2D::PPOLY_UNION, *sq)}) {
            ASSERT_EQ(r.Size(), 1u);
            EXPECT_EQ(r.OuterNdxs(), std::vector<unsigned>{0});
            ExpectRing(r.GetPolygon(0, nullptr), want);
            EXPECT_TRUE(r.GetPolygon(0, nullptr).IsClockwise());
        }
        PolyPolygon n(*sq);
        n.Normalize();
        ASSERT_EQ(n.Size(), 1u);
        ExpectRing(n.GetPolygon(0, nullptr), want);
    }
}

TEST(PolyPolygonClip, OverlappingSquaresAndOperandsUnchanged)
{
    const PolyPolygon a(Square(0, 0, 2, 2));
    const PolyPolygon b(Square(1, 1, 3, 3));
    const PolyPolygon i = a.Clip(S2D::PPOLY_INTERSECTION, b);
    ASSERT_EQ(i.Size(), 1u);
    EXPECT_EQ(i.OutersCount(), 1u);
    ExpectRing(i.GetPolygon(0, nullptr), {{2, 1}, {1, 1}, {1, 2}, {2, 2}});
    const PolyPolygon u = a.Clip(S2D::PPOLY_UNION, b);
    ASSERT_EQ(u.Size(), 1u);
    EXPECT_DOUBLE_EQ(NetArea(u), 7);
    const PolyPolygon d = a.Clip(S2D::PPOLY_DIFFERENCE, b);
    ASSERT_EQ(d.Size(), 1u);
    EXPECT_DOUBLE_EQ(NetArea(d), 3);
    EXPECT_DOUBLE_EQ(NetArea(b.Clip(S2D::PPOLY_DIFFERENCE, a)), 3);
    EXPECT_DOUBLE_EQ(NetArea(a.Clip(S2D::PPOLY_XOR, b)), 6);
    // Operands untouched.
    EXPECT_EQ(a.Size(), 1u);
    ExpectRing(a.GetPolygon(0, nullptr), {{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    // An unknown operation gives nothing.
    EXPECT_EQ(a.Clip(static_cast<S2D::PPOLY_OPERATION>(9), b).Size(), 0u);
}

TEST(PolyPolygonClip, HoleLandsInInnerList)
{
    const PolyPolygon r = PolyPolygon(Square(0, 0, 10, 10)).Clip(S2D::PPOLY_DIFFERENCE,
                                                                  PolyPolygon(Square(4, 4, 6, 6)));
    ASSERT_EQ(r.Size(), 2u);
    ASSERT_EQ(r.InnersCount(), 1u);
    EXPECT_EQ(r.GetPolygon(r.InnerNdxs()[0], nullptr).Area(), 4);
    EXPECT_EQ(r.GetPolygon(r.OuterNdxs()[0], nullptr).Area(), 100);
    unsigned k = 0;
    EXPECT_EQ(r.CheckIn(Point(5, 5), 1, 1e-9, 1, &k), 0);
    EXPECT_EQ(r.CheckIn(Point(1, 5), 1, 1e-9, 1, &k), 1);
}

TEST(PolyPolygonClip, EmptyFarAndSharedOperands)
{
    const PolyPolygon empty;
    PolyPolygon b(Square(0, 0, 2, 1));
    b.AddPolygon(Square(5, 5, 6, 6), 1);  // role ignored: even-odd over all rings
    EXPECT_EQ(empty.Clip(S2D::PPOLY_DIFFERENCE, b).Size(), 0u);
    EXPECT_EQ(empty.Clip(S2D::PPOLY_INTERSECTION, b).Size(), 0u);
    EXPECT_DOUBLE_EQ(NetArea(empty.Clip(S2D::PPOLY_UNION, b)), 3);
    EXPECT_DOUBLE_EQ(NetArea(empty.Clip(S2D::PPOLY_XOR, b)), 3);

    const PolyPolygon a(Square(0, 0, 1, 1));
    const PolyPolygon far(Square(50, 50, 51, 51));
    const PolyPolygon d = a.Clip(S2D::PPOLY_DIFFERENCE, far);
    ASSERT_EQ(d.Size(), 1u);
    EXPECT_DOUBLE_EQ(NetArea(d), 1);

    const PolyPolygon u = a.Clip(S2D::PPOLY_UNION, PolyPolygon(Square(1, 0, 2, 1)));
    ASSERT_EQ(u.Size(), 1u);
    EXPECT_DOUBLE_EQ(NetArea(u), 2);
}

TEST(PolyPolygonClip, ClipIsEvenOddWhileNormalizeUnites)
{
    PolyPolygon two(Square(0, 0, 2, 2));
    two.AddPolygon(Square(1, 1, 3, 3), 0);
    EXPECT_DOUBLE_EQ(NetArea(two.Clip(S2D::PPOLY_UNION, PolyPolygon())), 6);
    PolyPolygon n(two);
    n.Normalize();
    ASSERT_EQ(n.Size(), 1u);
    EXPECT_DOUBLE_EQ(NetArea(n), 7);

    // Outer rings minus holes, with an island in a hole dropped by the hole
    // subtraction order.
    PolyPolygon h(Square(0, 0, 10, 10));
    h.AddPolygon(Square(2, 2, 8, 8), 1);
    h.AddPolygon(Square(4, 4, 6, 6), 0);
    h.Normalize();
    EXPECT_DOUBLE_EQ(NetArea(h), 64);
    EXPECT_EQ(h.InnersCount(), 1u);
    unsigned k = 0;
    EXPECT_EQ(h.CheckIn(Point(5, 5), 1, 1e-9, 1, &k), 0);
    EXPECT_EQ(h.CheckIn(Point(1, 1), 1, 1e-9, 1, &k), 1);
}

TEST(PolyPolygonClip, NonFiniteAndDegenerateInput)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    PolyPolygon bad(Square(0, 0, 1, 1));
    bad.AddPolygon(Polygon(std::vector<Point>{{0, 0}, {nan, 1}, {2, 2}}), 0);
    bad.AddPolygon(Polygon(std::vector<Point>{{0, 0}, {inf, 1}, {2, -inf}}), 1);
    bad.AddPolygon(Polygon(std::vector<Point>{{0, 0}, {3, 0}}), 0);
    bad.AddPolygon(Polygon(), 0);
    for (auto op : kOps) {
        const PolyPolygon r = bad.Clip(op, PolyPolygon(Square(0.5, 0, 1.5, 1)));
        for (const Polygon& p : r.Polygons()) {
            EXPECT_GE(p.Size(), 3u);
            for (const Point& v : p.Points())
                EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y));
        }
        const double want[] = {0.5, 0.5, 1, 1.5};
        EXPECT_DOUBLE_EQ(NetArea(r), want[op]) << op;
    }
    bad.Normalize();
    EXPECT_DOUBLE_EQ(NetArea(bad), 1);
}

// Normalize against Clipper: the union of all outer rings minus the union of
// all holes (non-zero fill after orienting every ring counter-clockwise).
TEST(PolyPolygonClip, NormalizeAgreesWithClipper)
{
    const double scale = 1099511627776.0;  // 2^40
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> coord(0, 40), count(1, 8), kind(0, 3);
    for (int trial = 0; trial < 3000; ++trial) {
        PolyPolygon pp;
        ClipperLib::Paths outers, holes;
        const int rings = count(rng);
        for (int r = 0; r < rings; ++r) {
            std::vector<Point> pts;
            if (kind(rng) == 0) {
                for (int i = 0, n = 3 + count(rng); i < n; ++i)
                    pts.emplace_back(coord(rng) / 4.0, coord(rng) / 4.0);
                Polygon poly(pts);
                if (poly.IsSelfCrossed(nullptr, nullptr, nullptr) || poly.Area() == 0)
                    continue;  // keep rings simple so that both fills agree
            } else {
                int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
                if (x0 == x1 || y0 == y1)
                    continue;
                pts = {{x0 / 4.0, y0 / 4.0}, {x1 / 4.0, y0 / 4.0}, {x1 / 4.0, y1 / 4.0}, {x0 / 4.0, y1 / 4.0}};
            }
            const bool hole = kind(rng) == 0;
            Polygon poly(pts);
            pp.AddPolygon(poly, hole ? 1 : 0);
            ClipperLib::Path path;
            for (const Point& p : pts)
                path.emplace_back(ClipperLib::cInt(p.x * scale), ClipperLib::cInt(p.y * scale));
            if (!ClipperLib::Orientation(path))
                ClipperLib::ReversePath(path);
            (hole ? holes : outers).push_back(path);
        }
        ClipperLib::Clipper c;
        c.AddPaths(outers, ClipperLib::ptSubject, true);
        c.AddPaths(holes, ClipperLib::ptClip, true);
        ClipperLib::Paths out;
        c.Execute(ClipperLib::ctDifference, out, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
        double want = 0;
        for (const auto& p : out)
            want += ClipperLib::Area(p) / scale / scale;

        pp.Normalize();
        EXPECT_NEAR(NetArea(pp), want, 1e-9 * std::max(1.0, want)) << "trial " << trial;
        for (const Polygon& p : pp.Polygons())
            EXPECT_GE(p.Size(), 3u);
        EXPECT_EQ(pp.OutersCount() + pp.InnersCount(), pp.Size());
    }
}

} // namespace
