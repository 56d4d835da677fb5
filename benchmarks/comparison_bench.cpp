// Ten evaluated signals of 100,000 samples compared with one reference.
#include "Mirvane/core/CComparison.h"
#include "signal/CNSignal.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kSamples = 100000;
constexpr int kSignals = 10;

kx::CNSignal MakeSignal(double del, int count, double amplitude, double phase)
{
    kx::CNSignal signal;
    signal.SetDel(del);
    signal.SetNFP(0);
    signal.SetNLP(count - 1);
    std::vector<double> x(static_cast<std::size_t>(count));
    std::vector<double> y(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        x[static_cast<std::size_t>(i)] = i * del;
        y[static_cast<std::size_t>(i)] = amplitude * std::sin(60.0 * i * del + phase);
    }
    signal.SetXYData(x, y);
    return signal;
}

// Same step and window as the reference: statistics only.
void BM_CompareSameStep(benchmark::State &state)
{
    const kx::CNSignal reference = MakeSignal(1e-4, kSamples, 40.0, 0.0);
    std::vector<kx::CNSignal> evaluated;
    for (int s = 0; s < kSignals; ++s)
        evaluated.push_back(MakeSignal(1e-4, kSamples, 40.0 + s, 0.01 * s));
    std::vector<CComparison> results(kSignals);
    for (auto _ : state) {
        for (int s = 0; s < kSignals; ++s)
            results[static_cast<std::size_t>(s)].Compare(evaluated[static_cast<std::size_t>(s)], reference);
        benchmark::DoNotOptimize(results.data());
    }
    state.SetItemsProcessed(state.iterations() * kSignals * kSamples);
}
BENCHMARK(BM_CompareSameStep)->Unit(benchmark::kMillisecond);

// Evaluated at half the reference's step over a longer range: resampled and cut first.
void BM_CompareResampled(benchmark::State &state)
{
    const kx::CNSignal reference = MakeSignal(1e-4, kSamples, 40.0, 0.0);
    std::vector<kx::CNSignal> sources;
    for (int s = 0; s < kSignals; ++s)
        sources.push_back(MakeSignal(5e-5, kSamples, 40.0 + s, 0.01 * s));
    std::vector<CComparison> results(kSignals);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<kx::CNSignal> evaluated = sources;
        state.ResumeTiming();
        for (int s = 0; s < kSignals; ++s)
            results[static_cast<std::size_t>(s)].Compare(evaluated[static_cast<std::size_t>(s)], reference);
        benchmark::DoNotOptimize(results.data());
    }
    state.SetItemsProcessed(state.iterations() * kSignals * kSamples);
}
BENCHMARK(BM_CompareResampled)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
