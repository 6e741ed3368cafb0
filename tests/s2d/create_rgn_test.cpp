// Integer regions of hollow polygons: the mapping by the matrix, rounding of
// the vertices, the pixel-centre coverage rule, holes taken away, and null
// handles where no region can be made.

#include <zeltmath/s2d/hollow_polygon.h>
#include "shapes.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using S2D::HollowPolygon;
using S2D::Matrix;
using S2D::Point;
using S2D::Polygon;

namespace {

int CountPixels(HRGN r, int lo, int hi)
{
    int n = 0;
    for (int y = lo; y < hi; ++y)
        for (int x = lo; x < hi; ++x)
            n += PtInRegion(r, x, y);
    return n;
}

TEST(HollowPolygonRegion, SquareWithSquareHole)
{
    HollowPolygon h(Square(0, 0, 10, 10));
    h.AddInner(Square(4, 4, 6, 6));
    HRGN r = h.CreateRgn(Matrix());
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(PtInRegion(r, 1, 1));
    EXPECT_FALSE(PtInRegion(r, 5, 5));
    // Pixel (x, y) is the unit square from (x, y); it belongs when its centre
    // is inside: 100 pixels of the square less the 4 of the hole.
    EXPECT_EQ(CountPixels(r, -3, 13), 96);
    EXPECT_TRUE(PtInRegion(r, 0, 0));
    EXPECT_TRUE(PtInRegion(r, 9, 9));
    EXPECT_FALSE(PtInRegion(r, 10, 5));
    EXPECT_TRUE(PtInRegion(r, 3, 4));
    EXPECT_FALSE(PtInRegion(r, 4, 4));
    EXPECT_FALSE(PtInRegion(r, 5, 5));
    EXPECT_TRUE(PtInRegion(r, 6, 5));
    tagRECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.bottom, 10);
    EXPECT_EQ(DeleteObject(r), 1);
    EXPECT_EQ(DeleteObject(r), 0);   // released once only
}

TEST(HollowPolygonRegion, MappedAndRoundedIntoDeviceCoordinates)
{
    // Scaled by 2 and moved: vertices (0.25, 0.25) .. (2.25, 2.25) become
    // (10.5, 20.5) .. (14.5, 24.5) and round away from zero to 11 .. 15 and
    // 21 .. 25.
    HollowPolygon h(Square(0.25, 0.25, 2.25, 2.25));
    HRGN r = h.CreateRgn(Matrix::Scale(2, 2) * Matrix::Move(10, 20));
    ASSERT_NE(r, nullptr);
    tagRECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 11);
    EXPECT_EQ(box.top, 21);
    EXPECT_EQ(box.right, 15);
    EXPECT_EQ(box.bottom, 25);
    DeleteObject(r);

    // Negative halves round away from zero as well.
    HRGN n = HollowPolygon(Square(-2.5, -2.5, -0.5, -0.5)).CreateRgn(Matrix());
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(GetRgnBox(n, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, -3);
    EXPECT_EQ(box.right, -1);
    DeleteObject(n);

    // A right triangle (0,0), (8,0), (0,8): pixel (x, y) belongs when
    // x + y + 1 < 8, i.e. its centre lies strictly below the hypotenuse;
    // centres on the slanted edge itself (none here) would follow the
    // left-edge rule.  7 + 6 + ... + 1 = 28 pixels.
    HRGN t = HollowPolygon(Polygon(std::vector<Point>{{0, 0}, {8, 0}, {0, 8}})).CreateRgn(Matrix());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(CountPixels(t, -2, 10), 28);
    EXPECT_TRUE(PtInRegion(t, 6, 0));
    EXPECT_FALSE(PtInRegion(t, 7, 0));
    DeleteObject(t);

    // The winding rule: a ring that runs twice around covers its inside.
    const Polygon twice(std::vector<Point>{{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {4, 0}, {4, 4}, {0, 4}});
    HRGN w = HollowPolygon(twice).CreateRgn(Matrix());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(CountPixels(w, -2, 6), 16);
    DeleteObject(w);
}

TEST(HollowPolygonRegion, HolesAndFailures)
{
    // A hole covering the whole region leaves an empty region, not a failure.
    HollowPolygon all(Square(0, 0, 4, 4));
    all.AddInner(Square(-1, -1, 5, 5));
    HRGN e = all.CreateRgn(Matrix());
    ASSERT_NE(e, nullptr);
    tagRECT box{};
    EXPECT_EQ(GetRgnBox(e, &box), NULLREGION);
    DeleteObject(e);

    // An outer ring of one vertex (or two) makes an empty region, not a
    // failure: the region layer takes any polygon of at least one point.
    for (const Polygon& few : {Polygon(std::vector<Point>{{2, 3}}), Polygon(std::vector<Point>{{2, 3}, {7, 9}})}) {
        HRGN dot = HollowPolygon(few).CreateRgn(Matrix::Scale(3, 3));
        ASSERT_NE(dot, nullptr);
        EXPECT_EQ(GetRgnBox(dot, &box), NULLREGION);
        EXPECT_EQ(CountPixels(dot, -5, 30), 0);
        EXPECT_EQ(DeleteObject(dot), 1);
    }
    const tagPOINT single{4, 4};
    HRGN one = CreatePolygonRgn(&single, 1, WINDING);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(GetRgnBox(one, &box), NULLREGION);
    DeleteObject(one);

    // No region for an empty outer ring or a hole without vertices.
    EXPECT_EQ(HollowPolygon().CreateRgn(Matrix()), nullptr);
    HollowPolygon bad(Square(0, 0, 4, 4));
    bad.AddInner(Square(1, 1, 2, 2));
    bad.AddInner(Polygon());
    EXPECT_EQ(bad.CreateRgn(Matrix()), nullptr);
    // A hole too tall for the region layer fails the whole region.
    HollowPolygon huge(Square(0, 0, 4, 4));
    huge.AddInner(Square(1, -1e9, 2, 1e9));
    EXPECT_EQ(huge.CreateRgn(Matrix()), nullptr);
    EXPECT_EQ(HollowPolygon(Square(0, -1e9, 1, 1e9)).CreateRgn(Matrix()), nullptr);
    // A hole of one or two vertices covers no pixel and takes nothing away.
    HollowPolygon thin(Square(0, 0, 4, 4));
    thin.AddInner(Polygon(std::vector<Point>{{1, 1}, {3, 3}}));
    HRGN r = thin.CreateRgn(Matrix());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(CountPixels(r, -1, 5), 16);
    DeleteObject(r);
}

TEST(HollowPolygonRegion, PixelsFollowPointContainmentOfTheirCentres)
{
    // Random integer rectangles as outer ring and holes (overlapping, or
    // reaching outside, as they come), random rotations of the vertex
    // order: a pixel is in the region exactly when the hollow polygon holds
    // its centre.  Centres never lie on a border here.
    std::mt19937 rng(31);
    std::uniform_int_distribution<int> u(-12, 12);
    auto rect = [&]() {
        int x0 = u(rng), x1 = u(rng), y0 = u(rng), y1 = u(rng);
        if (x0 == x1)
            ++x1;
        if (y0 == y1)
            ++y1;
        Polygon p = Square(x0, y0, x1, y1);
        p >>= static_cast<int>(rng() % 4);
        return p;
    };
    for (int round = 0; round < 40; ++round) {
        HollowPolygon h(rect());
        for (int k = 0; k < round % 4; ++k)
            h.AddInner(rect());
        HRGN r = h.CreateRgn(Matrix());
        ASSERT_NE(r, nullptr);
        for (int y = -14; y < 14; ++y)
            for (int x = -14; x < 14; ++x)
                ASSERT_EQ(PtInRegion(r, x, y) != 0, h.CheckIn(Point(x + 0.5, y + 0.5), 0, 1e-9, 1) != 0)
                    << round << ": " << x << " " << y;
        EXPECT_EQ(DeleteObject(r), 1);
    }
}

} // namespace
