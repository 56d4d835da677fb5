// Speed of a comparison run and of the cross correlation, each beside a plain
// reference loop over the same data in the same run.

#include "Mirvane/core/CComparisonRun.h"
#include "Mirvane/core/CPlotCrossCorrelation.h"
#include "signal/CNSignal.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

kx::CNSignal MakeSignal(std::size_t count, double del, double phase)
{
    kx::CNSignal signal;
    signal.SetDel(del);
    signal.SetNFP(0);
    signal.SetNLP(static_cast<std::int32_t>(count) - 1);
    std::vector<double> x(count);
    std::vector<double> y(count);
    for (std::size_t i = 0; i < count; ++i) {
        x[i] = static_cast<double>(i) * del;
        y[i] = 40.0 * std::sin(static_cast<double>(i) * 0.003 + phase);
    }
    signal.SetXYData(x, y);
    signal.SetYUnits("G'S");
    return signal;
}

// 1,000 UDS files of 10,000 samples, written once per process.
const std::vector<std::string> &RunFiles()
{
    static std::vector<std::string> files;
    if (files.empty()) {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "mirvane_bench_files";
        std::filesystem::create_directories(folder);
        for (int i = 0; i < 1000; ++i) {
            const std::string path = (folder / ("sig" + std::to_string(i) + ".uds")).string();
            if (!std::filesystem::exists(path)) {
                kx::CNSignal signal = MakeSignal(10000, 1e-4, i * 0.001);
                signal.SaveToUDSFile(path);
            }
            files.push_back(path);
        }
    }
    return files;
}

void BM_RunThousandFiles(benchmark::State &state)
{
    mirvane::CRunOptions options;
    options.files = RunFiles();
    options.referenceKind = 1;
    options.filter = true;
    options.filterClass = 1000;
    for (auto _ : state) {
        mirvane::CRunResult result;
        std::vector<std::string> errors;
        const bool ok = mirvane::CComparisonRun::Execute(options, result, errors);
        // Filling the table: every cell text and colour.
        std::size_t cells = 0;
        for (const mirvane::CSignal &record : result.records)
            for (int column = 0; column < mirvane::kColumnCount; ++column)
                cells += record.GetColumnText(column).size() + (record.GetColumnColour(column) & 1u);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_RunThousandFiles)->Unit(benchmark::kMillisecond)->Iterations(1);

// Reference: reading the same files' bytes with a plain loop.
void BM_ReadThousandFilesPlain(benchmark::State &state)
{
    const std::vector<std::string> &files = RunFiles();
    for (auto _ : state) {
        std::size_t total = 0;
        std::vector<char> buffer(1 << 16);
        for (const std::string &file : files) {
            std::FILE *f = std::fopen(file.c_str(), "rb");
            if (!f)
                continue;
            std::size_t got = 0;
            while ((got = std::fread(buffer.data(), 1, buffer.size(), f)) > 0)
                total += got;
            std::fclose(f);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadThousandFilesPlain)->Unit(benchmark::kMillisecond)->Iterations(1);

struct CorrelationInput {
    std::vector<mirvane::CSignal> records;
    kx::CNSignal reference;
};

const CorrelationInput &Correlation()
{
    static CorrelationInput input = [] {
        CorrelationInput in;
        in.reference = MakeSignal(1000000, 1e-4, 0.0);
        for (int i = 0; i < 9; ++i) {
            mirvane::CSignal record("s" + std::to_string(i));
            record.Signal() = MakeSignal(1000000, 1e-4, 0.01 * i);
            in.records.push_back(record);
        }
        return in;
    }();
    return input;
}

// Ten signals (the reference and nine records) of 1,000,000 samples, 201 lags each.
void BM_CrossCorrelationTenSignals(benchmark::State &state)
{
    const CorrelationInput &in = Correlation();
    mirvane::CPlotCrossCorrelation plot;
    for (auto _ : state) {
        std::vector<kx::CNSignal> series;
        std::vector<std::string> labels;
        plot.Fill(in.records, in.reference, series, labels);
        benchmark::DoNotOptimize(series.data());
    }
}
BENCHMARK(BM_CrossCorrelationTenSignals)->Unit(benchmark::kMillisecond)->Iterations(2);

// Reference: the same count of multiply-adds (10 x 201 x 1,000,000) in one plain loop.
void BM_PlainDotProducts(benchmark::State &state)
{
    const CorrelationInput &in = Correlation();
    const std::vector<double> &a = in.reference.GetY();
    const std::vector<double> &b = in.records.front().Signal().GetY();
    for (auto _ : state) {
        double total = 0.0;
        for (int pass = 0; pass < 10 * 201; ++pass) {
            double sum = 0.0;
            for (std::size_t i = 0; i < a.size(); ++i)
                sum += a[i] * b[i];
            total += sum;
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_PlainDotProducts)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
