// Loading signals of 10,000 samples from UDS-1992 files and from points text files.
// Each iteration loads 1,000 signals; the rate is reported as samples per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "signal/CNSignal.h"
#include "signal/CPoints.h"
#include "signal/CUDSFile.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSignals = 1000;  // loads per iteration
constexpr int kFiles = 100;     // distinct files, loaded in turn
constexpr int kSamples = 10000; // samples per signal

// The files every benchmark reads, written once and removed at exit.
class Files {
public:
    static const Files &Get()
    {
        static const Files files;
        return files;
    }

    std::string folder;
    std::vector<std::string> udsPaths;
    std::vector<std::string> textNames;

    ~Files()
    {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

private:
    Files()
    {
        std::random_device rd;
        folder = (fs::temp_directory_path() / ("kx_signal_bench_" + std::to_string(rd()))).string() + "/";
        fs::create_directories(folder);
        std::mt19937 gen(42);
        std::normal_distribution<double> noise(0.0, 25.0);
        for (int f = 0; f < kFiles; ++f) {
            kx::CNSignal s;
            s.SetDel(0.0001);
            s.SetNFP(-1000);
            s.SetNLP(-1000 + kSamples - 1);
            std::vector<double> y(kSamples);
            for (double &v : y)
                v = noise(gen);
            s.SetYData(y);
            udsPaths.push_back(folder + "s" + std::to_string(f) + ".uds");
            s.SaveToUDSFile(udsPaths.back());

            textNames.push_back("s" + std::to_string(f) + ".txt");
            std::ofstream out(folder + textNames.back(), std::ios::binary);
            char line[64];
            for (int i = 0; i < kSamples; ++i) {
                std::snprintf(line, sizeof line, "%12.6f\t%14.6f\r\n", s.GetX()[static_cast<std::size_t>(i)],
                              y[static_cast<std::size_t>(i)]);
                out << line;
            }
        }
    }
};

void ReportSamples(benchmark::State &state)
{
    state.SetItemsProcessed(state.iterations() * kSignals * static_cast<int64_t>(kSamples));
    state.counters["signals/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kSignals), benchmark::Counter::kIsRate);
}

// Decoding alone, for comparison with the signal load.
void BM_DecodeUdsFile(benchmark::State &state)
{
    const Files &files = Files::Get();
    for (auto _ : state) {
        for (int k = 0; k < kSignals; ++k) {
            auto file = std::make_unique<kx::CUDSFile>();
            file->ReadFile(files.udsPaths[static_cast<std::size_t>(k % kFiles)]);
            benchmark::DoNotOptimize(file->GetSampleY().data());
        }
    }
    ReportSamples(state);
}

void BM_LoadSignalFromUdsFile(benchmark::State &state)
{
    const Files &files = Files::Get();
    for (auto _ : state) {
        for (int k = 0; k < kSignals; ++k) {
            kx::CNSignal s;
            s.LoadUDSFile(files.udsPaths[static_cast<std::size_t>(k % kFiles)]);
            benchmark::DoNotOptimize(s.GetY().data());
        }
    }
    ReportSamples(state);
}

void BM_LoadSignalFromPointsText(benchmark::State &state)
{
    const Files &files = Files::Get();
    for (auto _ : state) {
        for (int k = 0; k < kSignals; ++k) {
            kx::CNSignal s;
            s.ReadPointsFile(files.folder, files.textNames[static_cast<std::size_t>(k % kFiles)]);
            benchmark::DoNotOptimize(s.GetY().data());
        }
    }
    ReportSamples(state);
}

BENCHMARK(BM_DecodeUdsFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSignalFromUdsFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSignalFromPointsText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
