// The channel filters on a million samples at 10 kHz: the SAE J211 filter at each
// channel class (kernel and signal operation) and the whole FIR100 procedure.
// Items processed are input samples.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "signal/CNSignal.h"
#include "signal/FilterKernels.h"

namespace {

constexpr std::size_t kSamples = 1000000;
constexpr double kStep = 0.0001;

std::vector<double> Record()
{
    std::vector<double> y(kSamples);
    for (std::size_t i = 0; i < kSamples; ++i) {
        const double t = static_cast<double>(i) * kStep;
        const double w = 2.0 * std::numbers::pi * t;
        y[i] = 20.0 * std::sin(35.0 * w) + 3.0 * std::sin(2200.0 * w);
    }
    return y;
}

void Fill(kx::CNSignal &s, const std::vector<double> &y)
{
    s.SetDel(kStep);
    s.SetNFP(0);
    s.SetNLP(static_cast<std::int32_t>(y.size()) - 1);
    s.SetYData(y);
}

void BM_J211Kernel(benchmark::State &state)
{
    const double f3dB = static_cast<double>(state.range(0)) * 1.66666666667;
    std::vector<double> y = Record();
    std::vector<std::string> warnings;
    for (auto _ : state) {
        kx::ButterworthJ211Kernel(y, kStep, f3dB, warnings);
        benchmark::DoNotOptimize(y.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSamples));
}
BENCHMARK(BM_J211Kernel)->Arg(60)->Arg(180)->Arg(600)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_J211Signal(benchmark::State &state)
{
    const int cfc = static_cast<int>(state.range(0));
    kx::CNSignal signal;
    Fill(signal, Record());
    for (auto _ : state) {
        signal.SetFilterClass(1001);
        signal.Filter(cfc);
        benchmark::DoNotOptimize(signal.GetY().data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSamples));
}
BENCHMARK(BM_J211Signal)->Arg(60)->Arg(180)->Arg(600)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_Fir100(benchmark::State &state)
{
    const std::vector<double> y = Record();
    kx::CData prototype;
    prototype.SetDel(kStep);
    prototype.SetNFP(0);
    prototype.SetNLP(static_cast<std::int32_t>(y.size()) - 1);
    prototype.SetYData(y);
    for (auto _ : state) {
        state.PauseTiming();
        kx::CData signal(prototype);
        state.ResumeTiming();
        signal.FilterCFC(false);
        benchmark::DoNotOptimize(signal.GetY().data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSamples));
}
BENCHMARK(BM_Fir100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
