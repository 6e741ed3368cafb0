// Point in polygon against Boost.Geometry on random simple polygons, for
// points farther from the border than the tolerance, where both must agree.

#include <zeltmath/s2d/polygon.h>

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/linestring.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace bg = boost::geometry;

namespace {

using BoostPoint = bg::model::d2::point_xy<double>;
using BoostPolygon = bg::model::polygon<BoostPoint>;
using BoostLine = bg::model::linestring<BoostPoint>;

// A random star-shaped (hence simple) ring around `centre`: sorted random
// angles, random radii.  Some rings get axis-parallel runs by snapping
// alternate vertices to the previous one's x or y.
std::vector<S2D::Point> RandomRing(std::mt19937& rng, int n, const S2D::Point& centre, bool snap)
{
    std::uniform_real_distribution<double> angle(0.0, 2 * M_PI);
    std::uniform_real_distribution<double> radius(0.1, 1.0);
    std::vector<double> angles(static_cast<std::size_t>(n));
    for (double& a : angles)
        a = angle(rng);
    std::sort(angles.begin(), angles.end());
    std::vector<S2D::Point> ring;
    for (double a : angles) {
        const double r = radius(rng) * 100;
        ring.emplace_back(centre.x + r * std::cos(a), centre.y + r * std::sin(a));
    }
    if (snap) {
        // Radial snapping keeps the ring star-shaped only for gentle moves,
        // so snap heights of neighbours that are close in height already.
        for (std::size_t i = 1; i < ring.size(); ++i)
            if (std::fabs(ring[i].y - ring[i - 1].y) < 5)
                ring[i].y = ring[i - 1].y;
    }
    if (rng() % 2)
        std::reverse(ring.begin(), ring.end());
    return ring;
}

TEST(PolygonVsBoost, PointInPolygonAgreesAwayFromTheBorder)
{
    std::mt19937 rng(2024);
    const double tol = 1e-9;
    unsigned compared = 0, inside = 0, rings = 0;
    for (int round = 0; round < 300; ++round) {
        const int n = 3 + static_cast<int>(rng() % 200);
        const S2D::Point centre(static_cast<double>(rng() % 1000) - 500, static_cast<double>(rng() % 1000) - 500);
        const std::vector<S2D::Point> ring = RandomRing(rng, n, centre, round % 3 == 0);
        const S2D::Polygon polygon(ring);

        BoostPolygon peer;
        BoostLine border;
        for (const S2D::Point& p : ring) {
            bg::append(peer.outer(), BoostPoint(p.x, p.y));
            bg::append(border, BoostPoint(p.x, p.y));
        }
        bg::append(border, BoostPoint(ring[0].x, ring[0].y));
        bg::correct(peer);  // closes the ring and orients it as Boost expects
        // Snapping heights may fold a ring onto itself; such rings are
        // not simple and are left out.
        if (!bg::is_valid(peer))
            continue;
        ++rings;

        std::uniform_real_distribution<double> ux(centre.x - 110, centre.x + 110);
        std::uniform_real_distribution<double> uy(centre.y - 110, centre.y + 110);
        for (int q = 0; q < 150; ++q) {
            S2D::Point p(ux(rng), uy(rng));
            if (q % 3 == 0)
                p.y = ring[rng() % ring.size()].y;  // level with a vertex
            if (bg::distance(BoostPoint(p.x, p.y), border) <= 1e3 * tol)
                continue;
            const bool expected = bg::within(BoostPoint(p.x, p.y), peer);
            ASSERT_EQ(expected, bg::covered_by(BoostPoint(p.x, p.y), peer));
            for (unsigned char onBorder = 0; onBorder < 2; ++onBorder)
                for (unsigned char checkBorder = 0; checkBorder < 2; ++checkBorder)
                    ASSERT_EQ(polygon.CheckIn(p, onBorder, tol, checkBorder), expected ? 1 : 0)
                        << "round " << round << " point (" << p.x << ", " << p.y << ")";
            ++compared;
            inside += expected ? 1 : 0;
        }
    }
    RecordProperty("rings", static_cast<int>(rings));
    RecordProperty("points", static_cast<int>(compared));
    RecordProperty("inside", static_cast<int>(inside));
    // Enough points on both sides to mean something.
    EXPECT_GT(rings, 200u);
    EXPECT_GT(compared, 30000u);
    EXPECT_GT(inside, 5000u);
    EXPECT_GT(compared - inside, 5000u);
}

TEST(PolygonVsBoost, AreaAndCentroidAgree)
{
    std::mt19937 rng(77);
    for (int round = 0; round < 50; ++round) {
        const std::vector<S2D::Point> ring = RandomRing(rng, 3 + static_cast<int>(rng() % 60), S2D::Point(10, -20),
                                                        false);
        S2D::Polygon polygon(ring);
        BoostPolygon peer;
        for (const S2D::Point& p : ring)
            bg::append(peer.outer(), BoostPoint(p.x, p.y));
        bg::correct(peer);
        EXPECT_NEAR(polygon.Area(), bg::area(peer), 1e-9 * bg::area(peer));
        BoostPoint c;
        bg::centroid(peer, c);
        const S2D::Point m = polygon.MassCenter();
        EXPECT_NEAR(m.x, c.x(), 1e-9);
        EXPECT_NEAR(m.y, c.y(), 1e-9);
        // Boost's default rings are clockwise: the area of the ring as given
        // is positive exactly when it runs clockwise.
        BoostPolygon raw;
        for (const S2D::Point& p : ring)
            bg::append(raw.outer(), BoostPoint(p.x, p.y));
        bg::append(raw.outer(), BoostPoint(ring[0].x, ring[0].y));
        EXPECT_EQ(polygon.IsClockwise() == 1, bg::area(raw) > 0) << round;
    }
}

} // namespace
