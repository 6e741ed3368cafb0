// Point in polygon on a 10 000-vertex ring: Polygon::CheckIn against
// Boost.Geometry's within and covered_by on the same ring and the same query
// points, in the same run.  One query per iteration; items/s are queries per
// second.  Compare the ratios, not the absolute times, on a loaded machine.

#include <zeltmath/s2d/polygon.h>

#include <benchmark/benchmark.h>
#include <boost/geometry.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace bg = boost::geometry;

namespace {

using BoostPoint = bg::model::d2::point_xy<double>;
using BoostPolygon = bg::model::polygon<BoostPoint>;

constexpr int kVertices = 10000;
constexpr int kQueries = 1024;

struct Data {
    S2D::Polygon polygon;
    BoostPolygon peer;
    std::vector<S2D::Point> queries;
    std::vector<BoostPoint> peerQueries;
};

// A star-shaped ring with jagged radii (so most horizontal rays cross it many
// times) and query points spread over its bounding box.
const Data& TheData()
{
    static const Data data = [] {
        Data d;
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> angle(0.0, 2 * M_PI);
        std::uniform_real_distribution<double> radius(50.0, 100.0);
        std::vector<double> angles(kVertices);
        for (double& a : angles)
            a = angle(rng);
        std::sort(angles.begin(), angles.end());
        for (double a : angles) {
            const double r = radius(rng);
            d.polygon.Add(S2D::Point(r * std::cos(a), r * std::sin(a)));
            bg::append(d.peer.outer(), BoostPoint(r * std::cos(a), r * std::sin(a)));
        }
        bg::correct(d.peer);
        std::uniform_real_distribution<double> coord(-100.0, 100.0);
        for (int i = 0; i < kQueries; ++i) {
            d.queries.emplace_back(coord(rng), coord(rng));
            d.peerQueries.emplace_back(d.queries.back().x, d.queries.back().y);
        }
        return d;
    }();
    return data;
}

void BM_PolygonCheckIn(benchmark::State& state)
{
    const Data& d = TheData();
    const unsigned char checkBorder = static_cast<unsigned char>(state.range(0));
    std::size_t i = 0;
    unsigned inside = 0;
    for (auto _ : state) {
        inside += d.polygon.CheckIn(d.queries[i], 0, 1e-9, checkBorder);
        i = (i + 1) % d.queries.size();
    }
    benchmark::DoNotOptimize(inside);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_PolygonCheckIn)->Arg(1)->ArgName("checkBorder");
BENCHMARK(BM_PolygonCheckIn)->Arg(0)->ArgName("checkBorder");

void BM_BoostWithin(benchmark::State& state)
{
    const Data& d = TheData();
    std::size_t i = 0;
    unsigned inside = 0;
    for (auto _ : state) {
        inside += bg::within(d.peerQueries[i], d.peer) ? 1 : 0;
        i = (i + 1) % d.peerQueries.size();
    }
    benchmark::DoNotOptimize(inside);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_BoostWithin);

void BM_BoostCoveredBy(benchmark::State& state)
{
    const Data& d = TheData();
    std::size_t i = 0;
    unsigned inside = 0;
    for (auto _ : state) {
        inside += bg::covered_by(d.peerQueries[i], d.peer) ? 1 : 0;
        i = (i + 1) % d.peerQueries.size();
    }
    benchmark::DoNotOptimize(inside);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_BoostCoveredBy);

} // namespace
