// Boolean operations against Clipper and Boost.Geometry on the same inputs.
//
// Two random simple polygons of n vertices: star-shaped rings whose radius
// is a random low-frequency wave plus vertex noise of half the vertex
// spacing, so that the boundaries cross a few dozen times whatever n is.
// And the normalisation (union) of 1 000 overlapping random squares.
// Compare the ratios of the lines with the same argument.

#include <zeltmath/s2d/poly_polygon.h>

#include <polyclipping/clipper.hpp>

// Boost.Geometry's own code trips GCC's may-be-uninitialised analysis.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <boost/geometry.hpp>
#include <boost/geometry/geometries/multi_polygon.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#pragma GCC diagnostic pop

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <random>
#include <vector>

namespace {

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;  // clockwise, closed
using BMulti = bg::model::multi_polygon<BPolygon>;

constexpr double kClipperScale = 1e8;  // coordinates stay within Clipper's 32-bit fast range

std::vector<S2D::Point> RandomRing(int n, unsigned seed, double cx, double cy)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(0, 1);
    double amp[8], phase[8];
    for (int k = 0; k < 8; ++k) {
        amp[k] = 0.25 * u(rng) / (k + 1);
        phase[k] = 2 * M_PI * u(rng);
    }
    const double step = 2 * M_PI / n;
    std::vector<S2D::Point> pts;
    pts.reserve(n);
    // Clockwise (decreasing angle), which Boost's default polygon expects.
    for (int i = 0; i < n; ++i) {
        const double t = -(i + 0.5 * u(rng)) * step;
        double r = 1;
        for (int k = 0; k < 8; ++k)
            r += amp[k] * std::cos((k + 1) * t + phase[k]);
        r += 0.5 * step * (u(rng) - 0.5);
        pts.emplace_back(cx + r * std::cos(t), cy + r * std::sin(t));
    }
    return pts;
}

std::vector<std::vector<S2D::Point>> RandomSquares(int count)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> pos(0, 100), size(2, 10);
    std::vector<std::vector<S2D::Point>> out;
    for (int i = 0; i < count; ++i) {
        const double x = pos(rng), y = pos(rng), s = size(rng);
        out.push_back({{x, y}, {x, y + s}, {x + s, y + s}, {x + s, y}});  // clockwise
    }
    return out;
}

ClipperLib::Path ToClipper(const std::vector<S2D::Point>& pts)
{
    ClipperLib::Path p;
    for (const S2D::Point& v : pts)
        p.emplace_back(ClipperLib::cInt(std::llround(v.x * kClipperScale)),
                       ClipperLib::cInt(std::llround(v.y * kClipperScale)));
    return p;
}

BPolygon ToBoost(const std::vector<S2D::Point>& pts)
{
    BPolygon p;
    for (const S2D::Point& v : pts)
        bg::append(p.outer(), BPoint(v.x, v.y));
    bg::correct(p);
    return p;
}

struct Pair {
    std::vector<S2D::Point> a, b;
};

const Pair& Inputs(int n)
{
    static std::map<int, Pair> cache;
    auto it = cache.find(n);
    if (it == cache.end())
        it = cache.emplace(n, Pair{RandomRing(n, 1, 0, 0), RandomRing(n, 2, 0.3, 0.2)}).first;
    return it->second;
}

void Ours(benchmark::State& state, S2D::PPOLY_OPERATION op)
{
    const Pair& in = Inputs(int(state.range(0)));
    const S2D::PolyPolygon a{S2D::Polygon(in.a)}, b{S2D::Polygon(in.b)};
    size_t rings = 0;
    for (auto _ : state) {
        S2D::PolyPolygon r = a.Clip(op, b);
        rings = r.Size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["rings"] = double(rings);
}

void Clipper(benchmark::State& state, ClipperLib::ClipType op)
{
    const Pair& in = Inputs(int(state.range(0)));
    const ClipperLib::Path a = ToClipper(in.a), b = ToClipper(in.b);
    size_t rings = 0;
    for (auto _ : state) {
        ClipperLib::Clipper c;
        c.AddPath(a, ClipperLib::ptSubject, true);
        c.AddPath(b, ClipperLib::ptClip, true);
        ClipperLib::Paths out;
        c.Execute(op, out, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
        rings = out.size();
        benchmark::DoNotOptimize(out);
    }
    state.counters["rings"] = double(rings);
}

void Boost(benchmark::State& state, bool intersection)
{
    const Pair& in = Inputs(int(state.range(0)));
    const BPolygon a = ToBoost(in.a), b = ToBoost(in.b);
    size_t rings = 0;
    for (auto _ : state) {
        BMulti out;
        if (intersection)
            bg::intersection(a, b, out);
        else
            bg::union_(a, b, out);
        rings = out.size();
        benchmark::DoNotOptimize(out);
    }
    state.counters["rings"] = double(rings);
}

void BM_Intersection_ZELTMath(benchmark::State& s) { Ours(s, S2D::PPOLY_INTERSECTION); }
void BM_Intersection_Clipper(benchmark::State& s) { Clipper(s, ClipperLib::ctIntersection); }
void BM_Intersection_Boost(benchmark::State& s) { Boost(s, true); }
void BM_Union_ZELTMath(benchmark::State& s) { Ours(s, S2D::PPOLY_UNION); }
void BM_Union_Clipper(benchmark::State& s) { Clipper(s, ClipperLib::ctUnion); }
void BM_Union_Boost(benchmark::State& s) { Boost(s, false); }

void BM_NormalizeSquares_ZELTMath(benchmark::State& state)
{
    S2D::PolyPolygon in;
    for (const auto& sq : RandomSquares(int(state.range(0))))
        in.AddPolygon(S2D::Polygon(sq), 0);
    size_t rings = 0;
    for (auto _ : state) {
        S2D::PolyPolygon pp(in);
        pp.Normalize();
        rings = pp.Size();
        benchmark::DoNotOptimize(pp);
    }
    state.counters["rings"] = double(rings);
}

void BM_NormalizeSquares_Clipper(benchmark::State& state)
{
    ClipperLib::Paths squares;
    for (const auto& sq : RandomSquares(int(state.range(0))))
        squares.push_back(ToClipper(sq));
    size_t rings = 0;
    for (auto _ : state) {
        ClipperLib::Clipper c;
        c.AddPaths(squares, ClipperLib::ptSubject, true);
        ClipperLib::Paths out;
        c.Execute(ClipperLib::ctUnion, out, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
        rings = out.size();
        benchmark::DoNotOptimize(out);
    }
    state.counters["rings"] = double(rings);
}

void BM_NormalizeSquares_Boost(benchmark::State& state)
{
    std::vector<BPolygon> squares;
    for (const auto& sq : RandomSquares(int(state.range(0))))
        squares.push_back(ToBoost(sq));
    size_t rings = 0;
    for (auto _ : state) {
        BMulti acc;
        for (const BPolygon& sq : squares) {
            BMulti next;
            bg::union_(acc, sq, next);
            acc.swap(next);
        }
        rings = acc.size();
        benchmark::DoNotOptimize(acc);
    }
    state.counters["rings"] = double(rings);
}

#define SIZES Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_Intersection_ZELTMath)->SIZES;
BENCHMARK(BM_Intersection_Clipper)->SIZES;
BENCHMARK(BM_Intersection_Boost)->SIZES;
BENCHMARK(BM_Union_ZELTMath)->SIZES;
BENCHMARK(BM_Union_Clipper)->SIZES;
BENCHMARK(BM_Union_Boost)->SIZES;
BENCHMARK(BM_NormalizeSquares_ZELTMath)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalizeSquares_Clipper)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalizeSquares_Boost)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
