// Resampling, truncation, bias removal and combining of 1,000,000-sample signals.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "signal/CNSignal.h"

namespace {

constexpr std::int32_t kSamples = 1000000;

kx::CNSignal MakeSignal(double del = 0.0001, double phase = 0.0)
{
    kx::CNSignal s;
    s.SetDel(del);
    s.SetNFP(-1000);
    s.SetNLP(-1000 + kSamples - 1);
    std::vector<double> x(kSamples);
    std::vector<double> y(kSamples);
    for (std::int32_t i = 0; i < kSamples; ++i) {
        x[i] = (-1000.0 + i) * del;
        y[i] = std::sin(0.001 * i + phase) + 0.01 * (i % 7);
    }
    s.SetXYData(x, y);
    return s;
}

void BM_ResampleKernelEvery10th(benchmark::State &state)
{
    const kx::CNSignal s = MakeSignal(0.0000625);
    std::vector<double> out;
    std::int32_t nfp = 0;
    std::int32_t nlp = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            kx::CData::ResampleKernel(s.GetY(), s.GetNFP(), s.GetNLP(), 0.0000625, 0.000625, out, nfp, nlp));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_ResampleKernelEvery10th)->Unit(benchmark::kMillisecond);

void BM_ResampleKernelInterpolating(benchmark::State &state)
{
    const kx::CNSignal s = MakeSignal(0.0001);
    std::vector<double> out;
    std::int32_t nfp = 0;
    std::int32_t nlp = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            kx::CData::ResampleKernel(s.GetY(), s.GetNFP(), s.GetNLP(), 0.0001, 0.00008, out, nfp, nlp));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_ResampleKernelInterpolating)->Unit(benchmark::kMillisecond);

void BM_Interpolate(benchmark::State &state)
{
    const kx::CNSignal source = MakeSignal(0.0001);
    for (auto _ : state) {
        state.PauseTiming();
        kx::CNSignal s = source;
        state.ResumeTiming();
        s.Interpolate(0.00008);
        benchmark::DoNotOptimize(s.GetY().data());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_Interpolate)->Unit(benchmark::kMillisecond);

void BM_TruncateByTime(benchmark::State &state)
{
    const kx::CNSignal source = MakeSignal(0.0001);
    for (auto _ : state) {
        state.PauseTiming();
        kx::CNSignal s = source;
        state.ResumeTiming();
        s.TruncateByTime(0.0, 90.0);
        benchmark::DoNotOptimize(s.GetY().data());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_TruncateByTime)->Unit(benchmark::kMillisecond);

void BM_Bias(benchmark::State &state)
{
    // Peak at the last sample: the estimate sorts everything before it.
    kx::CNSignal source = MakeSignal(0.0001);
    std::vector<double> y = source.GetY();
    y.back() = 100.0;
    source.SetYData(y);
    for (auto _ : state) {
        state.PauseTiming();
        kx::CNSignal s = source;
        state.ResumeTiming();
        benchmark::DoNotOptimize(s.Bias());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_Bias)->Unit(benchmark::kMillisecond);

void BM_Sum3(benchmark::State &state)
{
    const std::vector<kx::CNSignalPtr> in{std::make_shared<kx::CNSignal>(MakeSignal(0.0001, 0.0)),
                                          std::make_shared<kx::CNSignal>(MakeSignal(0.0001, 1.0)),
                                          std::make_shared<kx::CNSignal>(MakeSignal(0.0001, 2.0))};
    kx::CNSignal target;
    for (auto _ : state) {
        target.Sum(in);
        benchmark::DoNotOptimize(target.GetY().data());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_Sum3)->Unit(benchmark::kMillisecond);

void BM_Resultant(benchmark::State &state)
{
    const kx::CNSignal a = MakeSignal(0.0001, 0.0);
    const kx::CNSignal b = MakeSignal(0.0001, 1.0);
    const kx::CNSignal c = MakeSignal(0.0001, 2.0);
    kx::CNSignal target;
    for (auto _ : state) {
        target.Resultant(a, b, c);
        benchmark::DoNotOptimize(target.GetY().data());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_Resultant)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
