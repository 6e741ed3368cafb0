// Throughput of the planar primitives over a vector of points, in points per
// second (items/s).  The *_Baseline cases run the same arithmetic written
// inline on plain doubles, as a yardstick for the cost of the value classes
// and their virtual calls.

#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/circle.h>
#include <zeltmath/s2d/edge.h>
#include <zeltmath/s2d/matrix.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

using S2D::Circle;
using S2D::Edge;
using S2D::Matrix;
using S2D::Point;

namespace {

std::vector<Point> RandomPoints(std::size_t n)
{
    std::mt19937 gen(42);
    std::uniform_real_distribution<double> c(-100, 100);
    std::vector<Point> pts(n);
    for (Point& p : pts)
        p = Point(c(gen), c(gen));
    return pts;
}

const Matrix& SomeTransform()
{
    static const Matrix m = Matrix::Scale(2, 3) * Matrix::Rotate(0.7) * Matrix::Move(10, -5);
    return m;
}

// Each point starts an edge to the next one; every edge is classified
// against a fixed edge that crosses the cloud.
void BM_EdgeLayoutEdge(benchmark::State& state)
{
    const auto pts = RandomPoints(static_cast<std::size_t>(state.range(0)) + 1);
    const Edge probe(Point(-80, -60), Point(90, 70));
    for (auto _ : state) {
        unsigned int acc = 0;
        for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
            double t1, t2;
            acc += probe.CalcLayout(Edge(pts[i], pts[i + 1]), &t1, &t2);
        }
        benchmark::DoNotOptimize(acc);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EdgeLayoutEdge)->Arg(1 << 12)->Arg(1 << 16);

void BM_EdgeLayoutCircle(benchmark::State& state)
{
    const auto pts = RandomPoints(static_cast<std::size_t>(state.range(0)) + 1);
    const Circle circle(Point(5, -3), 40);
    for (auto _ : state) {
        unsigned int acc = 0;
        for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
            double t1, t2;
            acc += Edge(pts[i], pts[i + 1]).CalcLayout(circle, &t1, &t2);
        }
        benchmark::DoNotOptimize(acc);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EdgeLayoutCircle)->Arg(1 << 12)->Arg(1 << 16);

void BM_MatrixTransformVector(benchmark::State& state)
{
    const auto src = RandomPoints(static_cast<std::size_t>(state.range(0)));
    std::vector<Point> dst;
    const Matrix& m = SomeTransform();
    for (auto _ : state) {
        m.Transform(src, dst);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MatrixTransformVector)->Arg(1 << 12)->Arg(1 << 16);

void BM_MatrixTransformInPlace(benchmark::State& state)
{
    auto pts = RandomPoints(static_cast<std::size_t>(state.range(0)));
    const Matrix& m = SomeTransform();
    const Matrix back = Matrix::Invert(m);
    for (auto _ : state) {
        m.Transform(pts);
        back.Transform(pts);  // keep the coordinates bounded
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_MatrixTransformInPlace)->Arg(1 << 12)->Arg(1 << 16);

void BM_MatrixTransformBaseline(benchmark::State& state)
{
    const auto src = RandomPoints(static_cast<std::size_t>(state.range(0)));
    std::vector<double> dst(2 * src.size());
    const Matrix& m = SomeTransform();
    const double a = m.GetV(0, 0), b = m.GetV(1, 0), c = m.GetV(0, 1), d = m.GetV(1, 1);
    const double e = m.GetV(0, 2), f = m.GetV(1, 2);
    for (auto _ : state) {
        for (std::size_t i = 0; i < src.size(); ++i) {
            dst[2 * i] = src[i].x * a + src[i].y * c + e;
            dst[2 * i + 1] = src[i].x * b + src[i].y * d + f;
        }
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MatrixTransformBaseline)->Arg(1 << 12)->Arg(1 << 16);

// The point-on-line test turns the line onto the x axis with a rotation
// matrix; the baseline turns it with the same arithmetic inline.
void BM_PointBelongs2Line(benchmark::State& state)
{
    const auto pts = RandomPoints(static_cast<std::size_t>(state.range(0)) + 1);
    const Point a(-3, 7);
    for (auto _ : state) {
        unsigned int acc = 0;
        for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
            double t;
            acc += Point::Belongs2Line(pts[i], a, pts[i + 1], &t, 1e-3);
        }
        benchmark::DoNotOptimize(acc);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PointBelongs2Line)->Arg(1 << 12);

void BM_PointBelongs2LineBaseline(benchmark::State& state)
{
    const auto pts = RandomPoints(static_cast<std::size_t>(state.range(0)) + 1);
    const Point a(-3, 7);
    for (auto _ : state) {
        unsigned int acc = 0;
        for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
            const double px = pts[i].x - a.x, py = pts[i].y - a.y;
            const double bx = pts[i + 1].x - a.x, by = pts[i + 1].y - a.y;
            const double th = -Point(bx, by).GetPolarAngle();
            const double c = std::cos(th), s = std::sin(th);
            const double u = px * c + py * -s + 0.0, v = px * s + py * c + 0.0;
            const double L = bx * c + by * -s + 0.0;
            const double t = IsZero(L, 1e-10) ? 0.0 : u / L;
            benchmark::DoNotOptimize(t);
            acc += IsZero(v, 1e-3);
        }
        benchmark::DoNotOptimize(acc);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PointBelongs2LineBaseline)->Arg(1 << 12);

} // namespace
