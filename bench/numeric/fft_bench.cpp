// FastFourier against FFTW (estimate mode, out of place, double) and KissFFT
// (single precision, the only build Debian ships) for the same lengths.
#include <zeltmath/numeric/fft.h>

#include <benchmark/benchmark.h>

#include <fftw3.h>
#include <kiss_fft.h>

#include <random>
#include <vector>

namespace {

// 1024, 1000, 4096, 3*5*7*11*13 and the prime 5987
const std::vector<int> kLengths = {1024, 1000, 4096, 15015, 5987};

void Lengths(benchmark::internal::Benchmark* b)
{
    for (int n : kLengths)
        b->Arg(n);
}

std::vector<double> Random(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> d(-1, 1);
    std::vector<double> v(n);
    for (double& x : v)
        x = d(gen);
    return v;
}

void BM_FastFourier(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> xr = Random(n, 1), xi = Random(n, 2);
    std::vector<double> yr(n), yi(n);
    for (auto _ : state) {
        FastFourier(n, xr.data(), xi.data(), yr.data(), yi.data());
        benchmark::DoNotOptimize(yr.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FastFourier)->Apply(Lengths);

void BM_Fftw(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    fftw_complex* in = fftw_alloc_complex(n);
    fftw_complex* out = fftw_alloc_complex(n);
    fftw_plan plan = fftw_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_ESTIMATE);
    const std::vector<double> xr = Random(n, 1), xi = Random(n, 2);
    for (int i = 0; i < n; ++i) {
        in[i][0] = xr[i];
        in[i][1] = xi[i];
    }
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}
BENCHMARK(BM_Fftw)->Apply(Lengths);

void BM_KissFft(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    kiss_fft_cfg cfg = kiss_fft_alloc(n, 0, nullptr, nullptr);
    std::vector<kiss_fft_cpx> in(n), out(n);
    const std::vector<double> xr = Random(n, 1), xi = Random(n, 2);
    for (int i = 0; i < n; ++i) {
        in[i].r = static_cast<float>(xr[i]);
        in[i].i = static_cast<float>(xi[i]);
    }
    for (auto _ : state) {
        kiss_fft(cfg, in.data(), out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    kiss_fft_free(cfg);
}
BENCHMARK(BM_KissFft)->Apply(Lengths);

} // namespace
