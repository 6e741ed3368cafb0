#include <zeltmath/s2d/region.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

// Winding number of the point about the polygon (brute force reference).
int Winding(const std::vector<tagPOINT>& poly, double x, double y)
{
    int w = 0;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const tagPOINT& a = poly[i];
        const tagPOINT& b = poly[(i + 1) % poly.size()];
        const double cross = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
        if (a.y <= y && b.y > y && cross > 0)
            ++w;
        else if (a.y > y && b.y <= y && cross < 0)
            --w;
    }
    return w;
}

int CountPixels(HRGN r, int lo, int hi)
{
    int n = 0;
    for (int y = lo; y < hi; ++y)
        for (int x = lo; x < hi; ++x)
            n += PtInRegion(r, x, y);
    return n;
}

TEST(Region, SquareWithSquareHole)
{
    const std::vector<tagPOINT> outer{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<tagPOINT> hole{{4, 4}, {6, 4}, {6, 6}, {4, 6}};
    HRGN r = CreatePolygonRgn(outer.data(), 4, WINDING);
    HRGN h = CreatePolygonRgn(hole.data(), 4, WINDING);
    ASSERT_NE(r, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(CountPixels(r, -5, 15), 100);
    EXPECT_EQ(CombineRgn(r, r, h, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(DeleteObject(h), 1);
    EXPECT_TRUE(PtInRegion(r, 1, 1));
    EXPECT_FALSE(PtInRegion(r, 5, 5));
    EXPECT_TRUE(PtInRegion(r, 0, 0));
    EXPECT_FALSE(PtInRegion(r, 10, 10));  // right and bottom edges are outside
    EXPECT_EQ(CountPixels(r, -5, 15), 96);
    tagRECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.bottom, 10);
    EXPECT_EQ(DeleteObject(r), 1);
}

TEST(Region, PixelCentresDecideAgainstBruteForce)
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> u(-20, 20);
    for (int round = 0; round < 60; ++round) {
        std::vector<tagPOINT> poly(3 + round % 6);
        for (auto& p : poly)
            p = tagPOINT{u(rng), u(rng)};
        for (int mode : {ALTERNATE, WINDING}) {
            HRGN r = CreatePolygonRgn(poly.data(), static_cast<int>(poly.size()), mode);
            ASSERT_NE(r, nullptr);
            for (int y = -22; y < 22; ++y)
                for (int x = -22; x < 22; ++x) {
                    const int w = Winding(poly, x + 0.5, y + 0.5);
                    const bool expected = mode == WINDING ? w != 0 : (w & 1) != 0;
                    ASSERT_EQ(PtInRegion(r, x, y) != 0, expected) << round << " " << x << " " << y;
                }
            DeleteObject(r);
        }
    }
}

TEST(Region, SharedEdgesShareNoPixelAndRectanglesCountTheirArea)
{
    // Two triangles that split a square along its diagonal.
    const std::vector<tagPOINT> a{{0, 0}, {8, 0}, {8, 8}};
    const std::vector<tagPOINT> b{{0, 0}, {8, 8}, {0, 8}};
    HRGN ra = CreatePolygonRgn(a.data(), 3, WINDING);
    HRGN rb = CreatePolygonRgn(b.data(), 3, WINDING);
    HRGN both = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(both, ra, rb, RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(both, ra, rb, RGN_OR), SIMPLEREGION);
    EXPECT_EQ(CountPixels(both, -2, 10), 64);
    EXPECT_EQ(CombineRgn(both, ra, rb, RGN_XOR), SIMPLEREGION);
    EXPECT_EQ(CombineRgn(both, both, both, RGN_COPY), SIMPLEREGION);
    for (HRGN h : {ra, rb, both})
        DeleteObject(h);

    HRGN rect = CreateRectRgn(7, 9, 2, 3);  // corners in any order
    EXPECT_EQ(CountPixels(rect, 0, 12), 30);
    EXPECT_TRUE(PtInRegion(rect, 2, 3));
    EXPECT_FALSE(PtInRegion(rect, 7, 3));
    DeleteObject(rect);

    // A pentagram: its centre is covered once more than its points, so the
    // even-odd rule leaves it out and the winding rule keeps it.
    const std::vector<tagPOINT> star{{0, -10}, {6, 8}, {-9, -3}, {9, -3}, {-6, 8}};
    HRGN even = CreatePolygonRgn(star.data(), 5, ALTERNATE);
    HRGN wind = CreatePolygonRgn(star.data(), 5, WINDING);
    EXPECT_FALSE(PtInRegion(even, 0, 0));
    EXPECT_TRUE(PtInRegion(wind, 0, 0));
    DeleteObject(even);
    DeleteObject(wind);
}

TEST(Region, BadInputFailsCleanly)
{
    const tagPOINT pts[3] = {{0, 0}, {4, 0}, {0, 4}};
    EXPECT_EQ(CreatePolygonRgn(nullptr, 3, WINDING), nullptr);
    EXPECT_EQ(CreatePolygonRgn(pts, 0, WINDING), nullptr);
    EXPECT_EQ(CreatePolygonRgn(pts, 3, 7), nullptr);
    const tagPOINT tall[3] = {{0, -2000000000}, {1, 2000000000}, {0, 2000000000}};
    EXPECT_EQ(CreatePolygonRgn(tall, 3, WINDING), nullptr);  // too many rows

    HRGN two = CreatePolygonRgn(pts, 2, WINDING);  // degenerate: empty, but a region
    ASSERT_NE(two, nullptr);
    tagRECT box{1, 1, 1, 1};
    EXPECT_EQ(GetRgnBox(two, &box), NULLREGION);
    EXPECT_EQ(box.right, 0);

    HRGN r = CreatePolygonRgn(pts, 3, WINDING);
    EXPECT_EQ(CombineRgn(r, r, two, 99), RGN_ERROR);
    EXPECT_EQ(DeleteObject(two), 1);
    EXPECT_EQ(DeleteObject(two), 0);  // already released
    EXPECT_EQ(CombineRgn(r, r, two, RGN_DIFF), RGN_ERROR);
    EXPECT_EQ(PtInRegion(two, 0, 0), 0);
    EXPECT_EQ(DeleteObject(nullptr), 0);
    EXPECT_TRUE(PtInRegion(r, 1, 1));  // unchanged by the failed calls
    EXPECT_EQ(DeleteObject(r), 1);
}

} // namespace
