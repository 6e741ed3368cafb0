// S3D::Matrix against Boost.QVM's 4 x 4 matrices: mapping many points
// (row vectors times the matrix), the matrix product and the inverse.
#include <zeltmath/s3d/matrix.h>

#include <benchmark/benchmark.h>
#include <boost/qvm/mat.hpp>
#include <boost/qvm/mat_operations.hpp>
#include <boost/qvm/vec.hpp>
#include <boost/qvm/vec_mat_operations.hpp>

#include <random>
#include <vector>

namespace {

namespace qvm = boost::qvm;

const S3D::Matrix& Sample()
{
    static const S3D::Matrix m = S3D::Matrix::RotationAxis(S3D::Vector(1, 2, 3), 0.7) *
                                 S3D::Matrix::Scale(1.5, 2, 0.75) * S3D::Matrix::Move(3, -4, 5);
    return m;
}

qvm::mat<double, 4, 4> SampleQvm()
{
    qvm::mat<double, 4, 4> q;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            q.a[r][c] = Sample().m[r][c];
    return q;
}

std::vector<S3D::Point> RandomPoints(std::size_t n)
{
    std::mt19937 gen(1);
    std::uniform_real_distribution<double> u(-100, 100);
    std::vector<S3D::Point> pts;
    pts.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        pts.emplace_back(u(gen), u(gen), u(gen));
    return pts;
}

void BM_S3D_TransformPoints(benchmark::State& state)
{
    const std::vector<S3D::Point> src = RandomPoints(static_cast<std::size_t>(state.range(0)));
    std::vector<S3D::Point> dst;
    for (auto _ : state) {
        Sample().Transform(src, dst);
        benchmark::DoNotOptimize(dst.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_S3D_TransformPoints)->Arg(4096);

void BM_QVM_TransformPoints(benchmark::State& state)
{
    const std::vector<S3D::Point> pts = RandomPoints(static_cast<std::size_t>(state.range(0)));
    std::vector<qvm::vec<double, 4>> src(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i)
        src[i] = qvm::vec<double, 4>{{pts[i].x, pts[i].y, pts[i].z, 1.0}};
    std::vector<qvm::vec<double, 4>> dst;
    const qvm::mat<double, 4, 4> m = SampleQvm();
    for (auto _ : state) {
        dst.clear();
        dst.resize(src.size());
        for (std::size_t i = 0; i < src.size(); ++i)
            dst[i] = src[i] * m;  // row vector times matrix
        benchmark::DoNotOptimize(dst.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_QVM_TransformPoints)->Arg(4096);

void BM_S3D_Product(benchmark::State& state)
{
    S3D::Matrix a = Sample();
    const S3D::Matrix b = S3D::Matrix::RotationAxis(S3D::Vector(0, 1, 1), 0.01);
    for (auto _ : state) {
        a *= b;
        benchmark::DoNotOptimize(a.m);
    }
}
BENCHMARK(BM_S3D_Product);

void BM_QVM_Product(benchmark::State& state)
{
    qvm::mat<double, 4, 4> a = SampleQvm();
    qvm::mat<double, 4, 4> b;
    const S3D::Matrix rb = S3D::Matrix::RotationAxis(S3D::Vector(0, 1, 1), 0.01);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            b.a[r][c] = rb.m[r][c];
    for (auto _ : state) {
        a *= b;
        benchmark::DoNotOptimize(a.a);
    }
}
BENCHMARK(BM_QVM_Product);

void BM_S3D_Invert(benchmark::State& state)
{
    const S3D::Matrix m = Sample();
    for (auto _ : state) {
        S3D::Matrix inv = S3D::Matrix::Invert(m);
        benchmark::DoNotOptimize(inv.m);
    }
}
BENCHMARK(BM_S3D_Invert);

void BM_QVM_Inverse(benchmark::State& state)
{
    const qvm::mat<double, 4, 4> m = SampleQvm();
    for (auto _ : state) {
        qvm::mat<double, 4, 4> inv = qvm::inverse(m);
        benchmark::DoNotOptimize(inv.a);
    }
}
BENCHMARK(BM_QVM_Inverse);

} // namespace
