// Failure paths of CreateRgn and Assemble under memory exhaustion: this
// program replaces the global allocation functions (tests/support) with ones
// that can be told to fail the n-th allocation from now on, and every
// operation is run with n = 0, 1, 2, ... until it gets through.  Each failed run must report
// the failure (null handle, status 4) and leave no region handle and, under
// the leak checker, no memory behind.  The hook lives in this test program
// only; the library has no such switch.

#include <zeltmath/s2d/detail/region_handles.h>
#include <zeltmath/s2d/hollow_polygon.h>
#include <zeltmath/s2d/poly_polygon.h>
#include "shapes.h"
#include "../support/failing_new.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <vector>

namespace {

using S2D::HollowPolygon;
using S2D::Matrix;
using S2D::Point;
using S2D::Polygon;
using S2D::PolyPolygon;

// Runs `attempt` with the n-th allocation failing, for n = 0, 1, ... until a
// run needs no refused allocation; `check` sees every run's outcome.
// Returns the number of runs that met a refused allocation.
int ExhaustAllocations(const std::function<void(bool refused)>& attempt)
{
    for (long n = 0; n < 100000; ++n) {
        g_failed = false;
        g_countdown = n;
        attempt(true);
        const bool refused = g_failed;
        g_countdown = -1;
        if (!refused)
            return static_cast<int>(n);
    }
    ADD_FAILURE() << "never got through";
    return -1;
}

TEST(AllocationFailure, CreateRgnReleasesEverythingOnEveryPath)
{
    HollowPolygon h(Square(0, 0, 10, 10));
    h.AddInner(Square(4, 4, 6, 6));
    h.AddInner(Square(1, 1, 2, 8));
    const Matrix m = Matrix::Scale(3, 3);
    const std::size_t live = S2D::detail::LiveRegionCount();

    HRGN got = nullptr;
    int failedRuns = 0;
    const int runs = ExhaustAllocations([&](bool) {
        HRGN r = h.CreateRgn(m);
        const bool refused = g_failed;
        g_countdown = -1;   // the checks below may allocate
        if (refused) {
            ++failedRuns;
            EXPECT_EQ(r, nullptr);
            EXPECT_EQ(S2D::detail::LiveRegionCount(), live);
        } else {
            got = r;
        }
    });
    EXPECT_GT(runs, 5);   // the path has several allocations, each one failed once
    EXPECT_EQ(failedRuns, runs);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(S2D::detail::LiveRegionCount(), live + 1);
    EXPECT_TRUE(PtInRegion(got, 2, 2));
    EXPECT_FALSE(PtInRegion(got, 15, 15));
    EXPECT_EQ(DeleteObject(got), 1);
    EXPECT_EQ(S2D::detail::LiveRegionCount(), live);

    // The failures the region layer reports by itself release everything too.
    HollowPolygon noVertices(h);
    noVertices.AddInner(Polygon());
    EXPECT_EQ(noVertices.CreateRgn(m), nullptr);
    HollowPolygon tooTall(h);
    tooTall.AddInner(Square(1, -1e9, 2, 1e9));
    EXPECT_EQ(tooTall.CreateRgn(m), nullptr);
    EXPECT_EQ(HollowPolygon(Square(0, -1e9, 1, 1e9)).CreateRgn(m), nullptr);
    EXPECT_EQ(S2D::detail::LiveRegionCount(), live);
}

TEST(AllocationFailure, AssembleReportsStatus4AndLeaksNothing)
{
    // A 3 x 3 frame around an opening: outline and hole.
    std::vector<Point> pts;
    for (int y = 0; y <= 3; ++y)
        for (int x = 0; x <= 3; ++x)
            pts.emplace_back(x, y);
    std::vector<unsigned> edges;
    for (unsigned y = 0; y < 3; ++y)
        for (unsigned x = 0; x < 3; ++x) {
            if (x == 1 && y == 1)
                continue;
            const unsigned a = y * 4 + x;
            for (unsigned v : {a, a + 1, a + 1, a + 5, a + 5, a + 4, a + 4, a})
                edges.push_back(v);
        }

    std::vector<Polygon> rings{Square(0, 0, 1, 1)};
    int okRuns = 0;
    ExhaustAllocations([&](bool) {
        int status = -1;
        PolyPolygon r = PolyPolygon::Assemble(pts, edges, &rings, &status);
        const bool refused = g_failed;
        g_countdown = -1;
        if (refused) {
            EXPECT_EQ(status, 4);
            EXPECT_EQ(r.Size(), 0u);
            EXPECT_EQ(rings.size(), 1u);   // written only on success
        } else {
            ++okRuns;
            EXPECT_EQ(status, 0);
            EXPECT_EQ(r.Size(), 2u);
            EXPECT_EQ(r.InnersCount(), 1u);
            EXPECT_EQ(rings.size(), 2u);
        }
    });
    EXPECT_EQ(okRuns, 1);

    const std::vector<Polygon> squares{Square(0, 0, 2, 2), Square(1, 1, 3, 3), Square(5, 5, 6, 6)};
    int refusedRuns = 0;
    ExhaustAllocations([&](bool) {
        int status = -1;
        PolyPolygon r = PolyPolygon::Assemble(squares, nullptr, &status);
        const bool refused = g_failed;
        g_countdown = -1;
        if (refused) {
            ++refusedRuns;
            EXPECT_EQ(status, 4);
            EXPECT_EQ(r.Size(), 0u);
        } else {
            EXPECT_EQ(status, 0);
            double area = 0;
            for (const Polygon& p : r.Outers())
                area += p.Area();
            for (const Polygon& p : r.Inners())
                area -= p.Area();
            EXPECT_DOUBLE_EQ(area, 7);
        }
    });
    EXPECT_GT(refusedRuns, 5);
}

} // namespace
