// Regions assembled from loose edges and from lists of rings: the worked
// examples with their status codes, and a property test on random grids of
// cells whose shared sides must cancel.

#include <zeltmath/s2d/poly_polygon.h>
#include "shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

using S2D::Point;
using S2D::Polygon;
using S2D::PolyPolygon;

namespace {

// The points of an (n + 1) x (n + 1) lattice, index y * (n + 1) + x.
std::vector<Point> Lattice(unsigned n)
{
    std::vector<Point> pts;
    for (unsigned y = 0; y <= n; ++y)
        for (unsigned x = 0; x <= n; ++x)
            pts.emplace_back(x, y);
    return pts;
}

// The four sides of cell (x, y) of the lattice, counter-clockwise.
void AddCell(std::vector<unsigned>& edges, unsigned n, unsigned x, unsigned y)
{
    const unsigned w = n + 1;
    const unsigned a = y * w + x, b = a + 1, c = a + w + 1, d = a + w;
    for (unsigned v : {a, b, b, c, c, d, d, a})
        edges.push_back(v);
}

TEST(PolyPolygonAssemble, EdgesWorkedExamples)
{
    int status = -1;
    std::vector<Polygon> rings;

    // Two unit squares side by side; the middle edge cancels.
    const std::vector<Point> two{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 1}, {0, 1}};
    const std::vector<unsigned> twoEdges{0, 1, 1, 4, 4, 5, 5, 0, 1, 2, 2, 3, 3, 4, 4, 1};
    PolyPolygon r = PolyPolygon::Assemble(two, twoEdges, &rings, &status);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(r.Size(), 1u);
    EXPECT_EQ(r.OutersCount(), 1u);
    EXPECT_DOUBLE_EQ(NetArea(r), 2);
    // Traced from the smallest point along the first edge in list order.
    EXPECT_EQ(r.GetPolygon(0, nullptr).Points(), (std::vector<Point>{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 1}, {0, 1}}));
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(rings[0].Points(), r.GetPolygon(0, nullptr).Points());

    // A triangle with two unused points.
    const std::vector<Point> five{{9, 9}, {0, 0}, {4, 0}, {-5, -5}, {0, 3}};
    r = PolyPolygon::Assemble(five, {4, 1, 1, 2, 2, 4}, nullptr, &status);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(r.Size(), 1u);
    EXPECT_EQ(r.GetPolygon(0, nullptr).Points(), (std::vector<Point>{{0, 0}, {0, 3}, {4, 0}}));
    EXPECT_DOUBLE_EQ(NetArea(r), 6);

    // Bad input: odd edge list, too few points.
    rings.assign(3, Polygon());
    r = PolyPolygon::Assemble(five, {0, 1, 1, 2, 2, 0, 3}, &rings, &status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(r.Size(), 0u);
    EXPECT_EQ(rings.size(), 3u);   // untouched on failure
    r = PolyPolygon::Assemble(std::vector<Point>{{0, 0}, {1, 1}}, {0, 1, 1, 0}, nullptr, &status);
    EXPECT_EQ(status, 1);

    // Two squares sharing one corner: that point has four edges.
    const std::vector<Point> bow{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 1}, {2, 2}, {1, 2}};
    r = PolyPolygon::Assemble(bow, {0, 1, 1, 2, 2, 3, 3, 0, 2, 4, 4, 5, 5, 6, 6, 2}, nullptr, &status);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(r.Size(), 0u);
    // An open chain, an edge to a point beyond the list, a loop.
    EXPECT_EQ((PolyPolygon::Assemble(five, {1, 2, 2, 4}, nullptr, &status), status), 2);
    EXPECT_EQ((PolyPolygon::Assemble(five, {1, 2, 2, 4, 4, 1, 0, 7}, nullptr, &status), status), 2);
    // An edge beyond the list is dropped after the unused points are: the
    // triangle survives it.
    EXPECT_EQ((PolyPolygon::Assemble(five, {1, 2, 2, 4, 4, 1, 4, 7}, nullptr, &status), status), 0);
    EXPECT_EQ((PolyPolygon::Assemble(five, {1, 2, 2, 4, 4, 1, 0, 0}, nullptr, &status), status), 2);

    // An edge listed three times leaves one copy; all edges cancelling
    // leaves an empty result with success.
    r = PolyPolygon::Assemble(five, {1, 2, 2, 4, 4, 1, 2, 1, 1, 2}, nullptr, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(r.Size(), 1u);
    rings.assign(2, Polygon());
    r = PolyPolygon::Assemble(five, {1, 2, 2, 1, 0, 3, 0, 3}, &rings, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(r.Size(), 0u);
    EXPECT_TRUE(rings.empty());
    // A null status pointer is fine.
    r = PolyPolygon::Assemble(five, {0, 1}, nullptr, nullptr);
    EXPECT_EQ(r.Size(), 0u);
}

TEST(PolyPolygonAssemble, FrameAroundAnOpeningAndNesting)
{
    // A 3 x 3 block of cells without its centre cell: outline and hole.
    const unsigned n = 3;
    std::vector<unsigned> edges;
    for (unsigned y = 0; y < n; ++y)
        for (unsigned x = 0; x < n; ++x)
            if (x != 1 || y != 1)
                AddCell(edges, n, x, y);
    int status = -1;
    std::vector<Polygon> rings;
    const PolyPolygon r = PolyPolygon::Assemble(Lattice(n), edges, &rings, &status);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(r.Size(), 2u);
    EXPECT_EQ(r.OuterNdxs(), std::vector<unsigned>{0});
    EXPECT_EQ(r.InnerNdxs(), std::vector<unsigned>{1});
    EXPECT_DOUBLE_EQ(r.GetPolygon(0, nullptr).Area(), 9);
    EXPECT_DOUBLE_EQ(r.GetPolygon(1, nullptr).Area(), 1);
    EXPECT_FALSE(r.CheckIn(Point(1.5, 1.5), 1, 1e-9, 1, nullptr));
    EXPECT_TRUE(r.CheckIn(Point(0.5, 1.5), 1, 1e-9, 1, nullptr));
    ASSERT_EQ(rings.size(), 2u);   // tracing order: both start at their smallest point
    EXPECT_EQ(rings[0][0], Point(0, 0));
    EXPECT_EQ(rings[1][0], Point(1, 1));

    // Rings listed inside-out: the result starts with the container.  A
    // ring inside the hole is a hole as well (one level of nesting).
    const std::vector<Point> pts{{4, 4}, {5, 4}, {5, 5}, {4, 5},     // island
                                 {2, 2}, {7, 2}, {7, 7}, {2, 7},     // hole
                                 {0, 0}, {9, 0}, {9, 9}, {0, 9},     // outline
                                 {20, 0}, {21, 0}, {21, 1}};         // apart
    const std::vector<unsigned> e{0, 1, 1, 2, 2, 3, 3, 0, 4, 5, 5, 6, 6, 7, 7, 4,
                                  8, 9, 9, 10, 10, 11, 11, 8, 12, 13, 13, 14, 14, 12};
    const PolyPolygon nested = PolyPolygon::Assemble(pts, e, nullptr, &status);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(nested.Size(), 4u);
    EXPECT_EQ(nested.GetPolygon(0, nullptr)[0], Point(0, 0));
    EXPECT_EQ(nested.OuterNdxs(), (std::vector<unsigned>{0, 3}));
    EXPECT_EQ(nested.InnerNdxs(), (std::vector<unsigned>{1, 2}));
}

TEST(PolyPolygonAssemble, RandomGridOfCellsGivesItsOutline)
{
    std::mt19937 rng(2024);
    for (int round = 0; round < 30; ++round) {
        const unsigned n = 1 + rng() % 12;
        const unsigned cols = 1 + rng() % n, rows = 1 + rng() % n;
        // Cells of a cols x rows block, in random order and each with a
        // random start and direction; the lattice points are shuffled too.
        std::vector<std::vector<unsigned>> cells;
        for (unsigned y = 0; y < rows; ++y)
            for (unsigned x = 0; x < cols; ++x) {
                std::vector<unsigned> c;
                AddCell(c, n, x, y);
                std::rotate(c.begin(), c.begin() + 2 * (rng() % 4), c.end());
                if (rng() % 2) {
                    std::reverse(c.begin(), c.end());
                }
                cells.push_back(c);
            }
        std::shuffle(cells.begin(), cells.end(), rng);
        std::vector<Point> pts = Lattice(n);
        std::vector<unsigned> perm(pts.size());
        for (unsigned i = 0; i < perm.size(); ++i)
            perm[i] = i;
        std::shuffle(perm.begin(), perm.end(), rng);
        std::vector<Point> shuffled(pts.size());
        for (unsigned i = 0; i < perm.size(); ++i)
            shuffled[perm[i]] = pts[i];
        std::vector<unsigned> edges;
        for (const auto& c : cells)
            for (unsigned v : c)
                edges.push_back(perm[v]);

        int status = -1;
        std::vector<Polygon> rings;
        const PolyPolygon r = PolyPolygon::Assemble(shuffled, edges, &rings, &status);
        ASSERT_EQ(status, 0) << "round " << round;
        ASSERT_EQ(r.Size(), 1u);
        ASSERT_EQ(r.OutersCount(), 1u);
        const Polygon& outline = r.GetPolygon(0, nullptr);
        EXPECT_EQ(outline.Size(), 2 * (cols + rows));   // every boundary lattice point once
        EXPECT_DOUBLE_EQ(outline.Area(), double(cols) * rows);   // the sum of the cells
        EXPECT_EQ(outline[0], Point(0, 0));
        for (const Point& p : outline.Points()) {
            const bool onBoundary = p.x == 0 || p.y == 0 || p.x == cols || p.y == rows;
            EXPECT_TRUE(onBoundary) << p.x << " " << p.y;
        }
    }
}

TEST(PolyPolygonAssemble, ArbitraryEdgeListsGiveDefinedResults)
{
    // Random small edge lists over a few points, indices beyond the list
    // and NaN coordinates included: every call ends with a status, and on
    // success the rings use every point at most once and have at least
    // three vertices each.
    std::mt19937 rng(77);
    int successes = 0;
    for (int round = 0; round < 3000; ++round) {
        const unsigned n = 3 + rng() % 6;
        std::vector<Point> pts;
        for (unsigned i = 0; i < n; ++i)
            pts.emplace_back(double(rng() % 5), double(rng() % 5));
        if (round % 50 == 0)
            pts[rng() % n].x = std::numeric_limits<double>::quiet_NaN();
        std::vector<unsigned> edges;
        const unsigned m = rng() % 14;
        for (unsigned k = 0; k < m; ++k)
            edges.push_back(rng() % (n + 1));
        if (round % 3 == 0 && edges.size() % 2)
            edges.pop_back();
        // A ring through a random subset of the points, so that success is
        // common.
        if (round % 2 == 0) {
            std::vector<unsigned> cyc{0, 1, 2};
            for (unsigned i = 3; i < n; ++i)
                if (rng() % 2)
                    cyc.push_back(i);
            edges.clear();
            for (unsigned i = 0; i < cyc.size(); ++i) {
                edges.push_back(cyc[i]);
                edges.push_back(cyc[(i + 1) % cyc.size()]);
            }
        }
        int status = -1;
        std::vector<Polygon> rings;
        const PolyPolygon r = PolyPolygon::Assemble(pts, edges, &rings, &status);
        ASSERT_GE(status, 0);
        ASSERT_LE(status, 3);
        if (status != 0) {
            EXPECT_EQ(r.Size(), 0u);
            continue;
        }
        ++successes;
        EXPECT_EQ(r.Size(), rings.size());
        EXPECT_EQ(r.InnersCount() + r.OutersCount(), r.Size());
        unsigned vertices = 0;
        for (const Polygon& ring : rings) {
            EXPECT_GE(ring.Size(), 3u);
            vertices += ring.Size();
        }
        EXPECT_LE(vertices, n);
    }
    EXPECT_GT(successes, 1000);
}

TEST(PolyPolygonAssemble, PolygonsByTheEvenOddRule)
{
    int status = -1;
    // Two overlapping squares: the overlap drops out.
    PolyPolygon r = PolyPolygon::Assemble(std::vector<Polygon>{Square(0, 0, 2, 2), Square(1, 1, 3, 3)}, nullptr,
                                          &status);
    EXPECT_EQ(status, 0);
    EXPECT_DOUBLE_EQ(NetArea(r), 6);
    EXPECT_FALSE(r.CheckIn(Point(1.5, 1.5), 1, 1e-9, 1, nullptr));
    EXPECT_TRUE(r.CheckIn(Point(0.5, 0.5), 1, 1e-9, 1, nullptr));
    EXPECT_TRUE(r.CheckIn(Point(2.5, 2.5), 1, 1e-9, 1, nullptr));

    // A square inside another becomes a hole.
    std::vector<Polygon> rings{Polygon()};
    r = PolyPolygon::Assemble(std::vector<Polygon>{Square(0, 0, 10, 10), Square(4, 4, 6, 6)}, &rings, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(r.OutersCount(), 1u);
    EXPECT_EQ(r.InnersCount(), 1u);
    EXPECT_DOUBLE_EQ(NetArea(r), 96);
    EXPECT_EQ(rings.size(), 1u);   // never used

    // The same square twice cancels completely.
    r = PolyPolygon::Assemble(std::vector<Polygon>{Square(0, 0, 1, 1), Square(0, 0, 1, 1)}, nullptr, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(r.Size(), 0u);

    r = PolyPolygon::Assemble(std::vector<Polygon>{}, nullptr, &status);
    EXPECT_EQ(status, 3);
    EXPECT_EQ(r.Size(), 0u);
}

} // namespace
