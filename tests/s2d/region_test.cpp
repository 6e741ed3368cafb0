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

// Whether pixel (x, y) belongs to the triangle by the rule of the header,
// decided in integers: its centre strictly inside, or exactly on an edge
// that has the triangle to its right (a left edge; pixel centres never lie on
// horizontal edges with integer vertices).  With doubled coordinates the
// centre (2x + 1, 2y + 1) and the vertices are integers, and every cross
// product is exact.
bool CentreInTriangle(const std::vector<tagPOINT>& t, long long x, long long y)
{
    const long long cx = 2 * x + 1, cy = 2 * y + 1;
    long long cross[3];
    for (int i = 0; i < 3; ++i) {
        const tagPOINT& a = t[i];
        const tagPOINT& b = t[(i + 1) % 3];
        cross[i] = (2LL * b.x - 2LL * a.x) * (cy - 2LL * a.y) - (cx - 2LL * a.x) * (2LL * b.y - 2LL * a.y);
    }
    const long long area = (1LL * t[1].x - t[0].x) * (1LL * t[2].y - t[0].y) -
                           (1LL * t[2].x - t[0].x) * (1LL * t[1].y - t[0].y);
    if (area == 0)
        return false;
    for (int i = 0; i < 3; ++i) {
        const long long c = area > 0 ? cross[i] : -cross[i];  // > 0: inside of edge i
        if (c < 0)
            return false;
        if (c == 0) {
            // On the line of edge i: inside only when the triangle lies to
            // the right of the centre there, i.e. the edge is a left edge.
            const tagPOINT& a = t[i];
            const tagPOINT& b = t[(i + 1) % 3];
            const tagPOINT& other = t[(i + 2) % 3];
            // x of the edge at the centre's height equals cx / 2; the third
            // vertex lies right of the edge's line when, seen upward along
            // the edge, it is on the right side.
            const long long up = b.y > a.y ? 1 : -1;
            const long long side = (1LL * b.x - a.x) * (1LL * other.y - a.y) - (1LL * other.x - a.x) * (1LL * b.y - a.y);
            if (up * side >= 0)  // third vertex left of the upward edge: a right edge
                return false;
        }
    }
    return true;
}

// A pixel centre exactly on an edge shared by two polygons belongs to the
// one on its right, decided exactly, not through a rounded slope.
TEST(Region, CentresOnSharedEdgesAreDecidedExactly)
{
    const std::vector<tagPOINT> first{{14, 4}, {-15, -3}, {-15, 4}};
    const std::vector<tagPOINT> second{{-15, -3}, {14, 4}, {14, -3}};
    HRGN r1 = CreatePolygonRgn(first.data(), 3, WINDING);
    HRGN r2 = CreatePolygonRgn(second.data(), 3, WINDING);
    ASSERT_NE(r1, nullptr);
    ASSERT_NE(r2, nullptr);
    // The centre (-0.5, 0.5) lies exactly on the shared diagonal.
    EXPECT_FALSE(PtInRegion(r1, -1, 0));
    EXPECT_TRUE(PtInRegion(r2, -1, 0));
    // Together they cover the rectangle exactly once.
    HRGN both = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(both, r1, r2, RGN_AND), NULLREGION);
    EXPECT_NE(CombineRgn(both, r1, r2, RGN_OR), RGN_ERROR);
    EXPECT_EQ(CountPixels(both, -20, 20), 29 * 7);
    for (HRGN h : {r1, r2, both})
        DeleteObject(h);

    // Random quadrilaterals split along a diagonal: every pixel of either
    // triangle follows the exact rule, and no pixel is in both.
    std::mt19937 gen(17);
    std::uniform_int_distribution<int> coord(-30, 30);
    int onDiagonal = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const tagPOINT a{coord(gen), coord(gen)}, c{coord(gen), coord(gen)};
        const tagPOINT b{coord(gen), coord(gen)}, d{coord(gen), coord(gen)};
        const long long sb = (1LL * c.x - a.x) * (b.y - a.y) - (1LL * b.x - a.x) * (c.y - a.y);
        const long long sd = (1LL * c.x - a.x) * (d.y - a.y) - (1LL * d.x - a.x) * (c.y - a.y);
        if (sb == 0 || sd == 0 || (sb > 0) == (sd > 0))
            continue;  // b and d must lie on opposite sides of a-c
        const std::vector<tagPOINT> t1{a, b, c}, t2{a, c, d};
        HRGN h1 = CreatePolygonRgn(t1.data(), 3, WINDING);
        HRGN h2 = CreatePolygonRgn(t2.data(), 3, ALTERNATE);
        for (int y = -31; y < 31; ++y)
            for (int x = -31; x < 31; ++x) {
                const bool in1 = PtInRegion(h1, x, y) != 0, in2 = PtInRegion(h2, x, y) != 0;
                ASSERT_EQ(in1, CentreInTriangle(t1, x, y)) << trial << ": " << x << ", " << y;
                ASSERT_EQ(in2, CentreInTriangle(t2, x, y)) << trial << ": " << x << ", " << y;
                ASSERT_FALSE(in1 && in2);
                const long long on = (2LL * c.x - 2LL * a.x) * (2LL * y + 1 - 2LL * a.y) -
                                     (2LL * x + 1 - 2LL * a.x) * (2LL * c.y - 2LL * a.y);
                onDiagonal += (on == 0 && (in1 || in2)) ? 1 : 0;
            }
        DeleteObject(h1);
        DeleteObject(h2);
    }
    EXPECT_GT(onDiagonal, 20);  // the exact case is met often
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
