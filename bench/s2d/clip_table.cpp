// The Boolean engine against Boost.Geometry, Clipper and GEOS on the same
// inputs in one run, and a table of the ratio of ZELTMath's time to the
// fastest peer for every workload.
//
// Workloads (see tests/s2d/clip/workloads.h): the intersection of two smooth
// star-shaped rings and of two fuzzy circles of n vertices; a plate minus k
// circular openings given as one clip operand (difference); the
// normalisation of k random squares (the peers: Boost one union per square,
// Clipper one union of all, GEOS a unary union).
//
//   build/bench/bench_clip [--benchmark_repetitions=3] [--benchmark_filter=...]
//
// With repetitions the best run of each line counts.  The table compares CPU
// time (every peer runs on one thread), which stays fair on a loaded machine.

#include <zeltmath/s2d/poly_polygon.h>

#include "s2d/clip/workloads.h"

#include <geos_c.h>
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

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;  // clockwise, closed
using BMulti = bg::model::multi_polygon<BPolygon>;
using workload::Ring;

enum class Kind { Intersection, Difference, Normalize };

// One row of the table: two operands (the second empty for Normalize).
struct Row {
    std::string name;
    Kind kind;
    std::vector<Ring> a, b;
    double clipperScale;   // keeps Clipper's integers within its 32-bit fast range
};

std::vector<Row> Rows()
{
    std::vector<Row> rows;
    for (int n : {1000, 10000, 100000})
        rows.push_back({"smooth rings, n = " + std::to_string(n), Kind::Intersection,
                        {workload::Smooth(n, 1, 0, 0)}, {workload::Smooth(n, 2, 0.3, 0.1)}, 1e8});
    for (int n : {1000, 10000, 100000})
        rows.push_back({"fuzzy circles, n = " + std::to_string(n), Kind::Intersection,
                        {workload::Fuzzy(n, 1, 0, 0)}, {workload::Fuzzy(n, 2, 0.5, 0.1)}, 1e8});
    for (int k : {10, 100})
        rows.push_back({"plate minus " + std::to_string(k) + " openings", Kind::Difference,
                        {workload::Plate(k)}, workload::Openings(k), 1e4});
    for (int k : {100, 1000})
        rows.push_back({"normalize " + std::to_string(k) + " squares", Kind::Normalize,
                        workload::Squares(k), {}, 1e6});
    return rows;
}

// ---- ZELTMath --------------------------------------------------------

S2D::PolyPolygon ToOurs(const std::vector<Ring>& rings)
{
    S2D::PolyPolygon pp;
    for (const Ring& r : rings) {
        std::vector<S2D::Point> pts;
        for (const workload::Pt& p : r)
            pts.emplace_back(p.x, p.y);
        pp.AddPolygon(S2D::Polygon(pts), 0);
    }
    return pp;
}

void Ours(benchmark::State& state, const Row& row)
{
    const S2D::PolyPolygon a = ToOurs(row.a), b = ToOurs(row.b);
    std::size_t rings = 0;
    for (auto _ : state) {
        if (row.kind == Kind::Normalize) {
            S2D::PolyPolygon r(a);
            r.Normalize();
            rings = r.Size();
            benchmark::DoNotOptimize(r);
        } else {
            S2D::PolyPolygon r = a.Clip(row.kind == Kind::Intersection ? S2D::PPOLY_INTERSECTION
                                                                       : S2D::PPOLY_DIFFERENCE, b);
            rings = r.Size();
            benchmark::DoNotOptimize(r);
        }
    }
    state.counters["rings"] = double(rings);
}

// ---- Clipper ----------------------------------------------------------

ClipperLib::Paths ToClipper(const std::vector<Ring>& rings, double scale)
{
    ClipperLib::Paths paths;
    for (const Ring& r : rings) {
        ClipperLib::Path p;
        for (const workload::Pt& v : r)
            p.emplace_back(ClipperLib::cInt(std::llround(v.x * scale)), ClipperLib::cInt(std::llround(v.y * scale)));
        paths.push_back(p);
    }
    return paths;
}

void Clipper(benchmark::State& state, const Row& row)
{
    const ClipperLib::Paths a = ToClipper(row.a, row.clipperScale), b = ToClipper(row.b, row.clipperScale);
    std::size_t rings = 0;
    for (auto _ : state) {
        ClipperLib::Clipper c;
        c.AddPaths(a, ClipperLib::ptSubject, true);
        ClipperLib::Paths out;
        if (row.kind == Kind::Normalize) {
            c.Execute(ClipperLib::ctUnion, out, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
        } else {
            c.AddPaths(b, ClipperLib::ptClip, true);
            c.Execute(row.kind == Kind::Intersection ? ClipperLib::ctIntersection : ClipperLib::ctDifference, out,
                      ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
        }
        rings = out.size();
        benchmark::DoNotOptimize(out);
    }
    state.counters["rings"] = double(rings);
}

// ---- Boost.Geometry -----------------------------------------------------

BPolygon ToBoost(const Ring& r)
{
    BPolygon p;
    for (const workload::Pt& v : r)
        bg::append(p.outer(), BPoint(v.x, v.y));
    bg::correct(p);
    return p;
}

void Boost(benchmark::State& state, const Row& row)
{
    BMulti a, b;
    for (const Ring& r : row.a)
        a.push_back(ToBoost(r));
    for (const Ring& r : row.b)
        b.push_back(ToBoost(r));
    std::size_t rings = 0;
    for (auto _ : state) {
        BMulti out;
        if (row.kind == Kind::Normalize) {
            for (const BPolygon& sq : a) {
                BMulti next;
                bg::union_(out, sq, next);
                out.swap(next);
            }
        } else if (row.kind == Kind::Intersection) {
            bg::intersection(a.front(), b.front(), out);
        } else {
            bg::difference(a.front(), b, out);
        }
        rings = out.size();
        benchmark::DoNotOptimize(out);
    }
    state.counters["rings"] = double(rings);
}

// ---- GEOS ---------------------------------------------------------------

GEOSGeometry* ToGeos(GEOSContextHandle_t h, const Ring& r)
{
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, unsigned(r.size() + 1), 2);
    for (std::size_t i = 0; i <= r.size(); ++i) {
        const workload::Pt& v = r[i % r.size()];
        GEOSCoordSeq_setXY_r(h, seq, unsigned(i), v.x, v.y);
    }
    return GEOSGeom_createPolygon_r(h, GEOSGeom_createLinearRing_r(h, seq), nullptr, 0);
}

GEOSGeometry* ToGeos(GEOSContextHandle_t h, const std::vector<Ring>& rings)
{
    std::vector<GEOSGeometry*> parts;
    for (const Ring& r : rings)
        parts.push_back(ToGeos(h, r));
    return GEOSGeom_createCollection_r(h, GEOS_MULTIPOLYGON, parts.data(), unsigned(parts.size()));
}

void Geos(benchmark::State& state, const Row& row)
{
    GEOSContextHandle_t h = GEOS_init_r();
    GEOSGeometry* a = row.kind == Kind::Normalize ? ToGeos(h, row.a) : ToGeos(h, row.a.front());
    GEOSGeometry* b = row.kind == Kind::Normalize ? nullptr
                      : row.kind == Kind::Intersection ? ToGeos(h, row.b.front())
                                                      : ToGeos(h, row.b);
    int parts = 0;
    for (auto _ : state) {
        GEOSGeometry* out = row.kind == Kind::Normalize      ? GEOSUnaryUnion_r(h, a)
                            : row.kind == Kind::Intersection ? GEOSIntersection_r(h, a, b)
                                                             : GEOSDifference_r(h, a, b);
        parts = out ? GEOSGetNumGeometries_r(h, out) : -1;
        GEOSGeom_destroy_r(h, out);
    }
    state.counters["parts"] = double(parts);
    GEOSGeom_destroy_r(h, a);
    if (b)
        GEOSGeom_destroy_r(h, b);
    GEOS_finish_r(h);
}

// ---- Table --------------------------------------------------------------

const char* const kLibraries[] = {"ZELTMath", "Boost.Geometry", "Clipper", "GEOS"};

// Prints every run as usual and keeps the best CPU time of every line.
class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred)
                continue;
            const double ms = r.GetAdjustedCPUTime() * benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond)
                              / benchmark::GetTimeUnitMultiplier(r.time_unit);
            const std::string name = r.run_name.function_name;
            auto it = best_.find(name);
            if (it == best_.end() || ms < it->second)
                best_[name] = ms;
        }
    }

    void PrintTable(const std::vector<Row>& rows) const
    {
        std::printf("\n| workload | %s | %s | %s | %s | ZELTMath / fastest |\n|---|---|---|---|---|---|\n",
                    kLibraries[0], kLibraries[1], kLibraries[2], kLibraries[3]);
        for (const Row& row : rows) {
            double t[4];
            bool any = false;
            for (int l = 0; l < 4; ++l) {
                auto it = best_.find(row.name + "/" + kLibraries[l]);
                t[l] = it == best_.end() ? -1 : it->second;
                any = any || t[l] >= 0;
            }
            if (!any)
                continue;
            double fastest = -1;
            for (int l = 1; l < 4; ++l)
                if (t[l] >= 0 && (fastest < 0 || t[l] < fastest))
                    fastest = t[l];
            std::printf("| %s |", row.name.c_str());
            for (int l = 0; l < 4; ++l)
                t[l] >= 0 ? std::printf(" %.3g ms |", t[l]) : std::printf(" - |");
            t[0] >= 0 && fastest > 0 ? std::printf(" %.2f |\n", t[0] / fastest) : std::printf(" - |\n");
        }
    }

private:
    std::map<std::string, double> best_;
};

} // namespace

int main(int argc, char** argv)
{
    static const std::vector<Row> rows = Rows();
    using Fn = void (*)(benchmark::State&, const Row&);
    const Fn fns[] = {Ours, Boost, Clipper, Geos};
    for (const Row& row : rows)
        for (int l = 0; l < 4; ++l)
            benchmark::RegisterBenchmark((row.name + "/" + kLibraries[l]).c_str(), fns[l], std::cref(row))
                ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable(rows);
    benchmark::Shutdown();
    return 0;
}
