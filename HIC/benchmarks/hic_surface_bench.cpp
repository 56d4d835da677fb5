// HIC program speed: the response surface of a long record with the default
// intervals, and the HIC computed again after a window change. References in the
// same run: one plain pass over the samples and a copy of them, at the same lengths.

#include "HIC/core/CHicSurface.h"
#include "HIC/document/CHICDoc.h"
#include "signal/CNSignal.h"
#include "support/HeadSignal.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <numbers>
#include <vector>

namespace {

constexpr double kDt = 1.0e-4;
constexpr std::size_t kSamples = 1'000'000;

// Head-like record of n samples: repeated pulses over noise, some of them negative.
const std::vector<double> &Record(std::size_t n = kSamples)
{
    static std::map<std::size_t, std::vector<double>> records;
    std::vector<double> &v = records[n];
    if (v.size() == n)
        return v;
    v.resize(n);
    std::uint32_t state = 1;
    for (std::size_t i = 0; i < n; ++i) {
        state = state * 1664525U + 1013904223U;
        const double t = static_cast<double>(i % 2000) / 2000.0;
        const double pulse = 80.0 * std::pow(std::sin(std::numbers::pi * t), 8.0);
        v[i] = ((i / 2000) % 3 == 2 ? -pulse : pulse) + ((state >> 8) / double(1U << 24) - 0.5);
    }
    return v;
}

hic::SurfaceParams Defaults(std::size_t n)
{
    const double last = static_cast<double>(n - 1) * kDt;
    return {0.0, last - 0.036, 0.002, 0.002, 0.036, 0.002};
}

// The default surface of the record (17 windows, a start every 2 ms).
void BM_ResponseSurface(benchmark::State &state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    const std::vector<double> &y = Record(n);
    std::size_t values = 0;
    for (auto _ : state) {
        const hic::CHicSurface surface(y, kDt, 0);
        hic::SurfaceResult result;
        std::string error;
        surface.Compute(Defaults(n), result, error);
        values = result.values.size();
        benchmark::DoNotOptimize(result.values.data());
    }
    state.counters["values"] = static_cast<double>(values);
}
BENCHMARK(BM_ResponseSurface)->Arg(1'000'000)->Arg(5'000'000)->Unit(benchmark::kMillisecond);

// Reference: one pass summing |a| over the samples.
void BM_PlainPass(benchmark::State &state)
{
    const std::vector<double> &y = Record(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        double sum = 0.0;
        for (double v : y)
            sum += std::fabs(v);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PlainPass)->Arg(1'000'000)->Arg(5'000'000)->Unit(benchmark::kMillisecond);

// Reference: a copy of the samples.
void BM_Copy(benchmark::State &state)
{
    const std::vector<double> &y = Record(static_cast<std::size_t>(state.range(0)));
    std::vector<double> out(y.size());
    for (auto _ : state) {
        std::memcpy(out.data(), y.data(), y.size() * sizeof(double));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Copy)->Arg(1'000'000)->Arg(5'000'000)->Unit(benchmark::kMillisecond);

// The document's HIC after a window change, on the same record read from a file.
void BM_HicAfterWindowChange(benchmark::State &state)
{
    const auto path = std::filesystem::temp_directory_path() / "hic-bench-record.uds";
    {
        kx::CNSignal s = hictest::MakeHeadSignal(Record(), kDt);
        s.SaveToUDSFile(path.string());
    }
    hic::CHICDoc doc;
    hic::OpenFilesValues open;
    open.resultantPath = path.string();
    if (!doc.OpenFiles(open)) {
        state.SkipWithError("load failed");
        return;
    }
    bool fifteen = true;
    for (auto _ : state) {
        doc.SetWindow(fifteen ? 15.0 : 36.0);
        fifteen = !fifteen;
        benchmark::DoNotOptimize(doc.Hic());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_HicAfterWindowChange)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
