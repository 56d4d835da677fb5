// HIC search speed: branch-and-bound against the exhaustive search over all pairs.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

#include "HIC/core/KxHicCriteria.h"

namespace {

// A head pulse: a 100 G half-sine of 30 ms after 50 ms of quiet, a smaller rebound,
// and measurement noise over the whole record.
std::vector<double> HeadPulse(double rateHz, double seconds)
{
    const std::size_t n = static_cast<std::size_t>(rateHz * seconds);
    std::vector<double> y(n);
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0.0, 1.5);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rateHz;
        double a = noise(rng);
        if (t >= 0.050 && t <= 0.080)
            a += 100.0 * std::sin(std::numbers::pi * (t - 0.050) / 0.030);
        if (t >= 0.095 && t <= 0.135)
            a += 35.0 * std::sin(std::numbers::pi * (t - 0.095) / 0.040);
        y[i] = a;
    }
    return y;
}

double ExhaustiveHic(const std::vector<double> &a, double windowMs, double dt)
{
    const std::int64_t n = static_cast<std::int64_t>(a.size());
    const std::int64_t w = windowMs > 0.0 ? std::llround(windowMs / (dt * 1000.0)) : n;
    std::vector<double> c(a.size(), 0.0);
    for (std::int64_t i = 1; i < n; ++i)
        c[i] = c[i - 1] + 0.5 * (std::fabs(a[i]) + std::fabs(a[i - 1]));
    std::vector<double> scale(static_cast<std::size_t>(w) + 1, 0.0);
    for (std::int64_t d = 1; d <= w; ++d)
        scale[d] = std::pow(static_cast<double>(d), -0.6);
    double best = 0.0;
    for (std::int64_t i = 0; i < n; ++i) {
        const std::int64_t jmax = std::min(n - 1, i + w);
        for (std::int64_t j = i + 1; j <= jmax; ++j)
            best = std::max(best, (c[j] - c[i]) * scale[j - i]);
    }
    return std::pow(best, 2.5) * dt;
}

void BM_HicSearch(benchmark::State &state, double rateHz, double seconds, double windowMs)
{
    const std::vector<double> y = HeadPulse(rateHz, seconds);
    const double dt = 1.0 / rateHz;
    const std::int64_t last = static_cast<std::int64_t>(y.size()) - 1;
    KxHicCriteria::SearchResult result;
    for (auto _ : state) {
        KxHicCriteria::HicSearch(y, 0, last, windowMs, dt, result);
        benchmark::DoNotOptimize(result);
    }
    state.counters["HIC"] = result.hic;
}

void BM_Exhaustive(benchmark::State &state, double rateHz, double seconds, double windowMs)
{
    const std::vector<double> y = HeadPulse(rateHz, seconds);
    double hic = 0.0;
    for (auto _ : state) {
        hic = ExhaustiveHic(y, windowMs, 1.0 / rateHz);
        benchmark::DoNotOptimize(hic);
    }
    state.counters["HIC"] = hic;
}

} // namespace

BENCHMARK_CAPTURE(BM_HicSearch, head_10kHz_HIC15, 10000.0, 0.3, 15.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HicSearch, head_10kHz_HIC36, 10000.0, 0.3, 36.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HicSearch, head_10kHz_unwindowed, 10000.0, 0.3, 0.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HicSearch, record_100kHz_HIC15, 100000.0, 1.0, 15.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HicSearch, record_100kHz_HIC36, 100000.0, 1.0, 36.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HicSearch, record_100kHz_unwindowed, 100000.0, 1.0, 0.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Exhaustive, head_10kHz_HIC36, 10000.0, 0.3, 36.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Exhaustive, record_100kHz_HIC36, 100000.0, 1.0, 36.0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
