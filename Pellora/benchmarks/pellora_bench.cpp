// Speed of Pellora's document: listing a large folder (names only) and loading
// a selection of large signals.

#include "Pellora/document/CPelloraDoc.h"
#include "platform/CSettings.h"
#include "platform/MemoryReuse.h"
#include "signal/CUDSFile.h"

#include <benchmark/benchmark.h>

#include <QFile>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

using namespace pellora;

namespace {

namespace fs = std::filesystem;

fs::path Folder(const std::string &name)
{
    const fs::path folder = fs::temp_directory_path() / ("pellora-bench-" + name);
    fs::create_directories(folder);
    return folder;
}

void WriteSignal(const fs::path &path, int points, int curve)
{
    kx::CUDSFile file;
    file.SetFileForm("Y");
    file.SetTstNo(1);
    file.SetCurNo(curve);
    file.SetYType("ACCELERATION");
    file.SetYUnits("G'S");
    file.SetXType("TIME");
    file.SetXUnits("SECONDS");
    file.SetNFP(0);
    file.SetNLP(points - 1);
    file.SetDel(1.0e-4F);
    std::vector<double> y(static_cast<std::size_t>(points));
    for (int i = 0; i < points; ++i)
        y[static_cast<std::size_t>(i)] = std::sin(i * 1.0e-3) * curve;
    file.SetSamples({}, y);
    file.WriteFile(path.string());
}

// 10,000 small UDS-1992 files, written once per run.
const fs::path &ManyFiles()
{
    static const fs::path folder = [] {
        const fs::path f = Folder("many");
        for (int i = 0; i < 10000; ++i) {
            const fs::path p =
                f / ("v4711" + std::to_string(1000 + i % 900).substr(1) + "_" + std::to_string(i) + ".uds");
            if (!fs::exists(p))
                WriteSignal(p, 8, i % 900 + 1);
        }
        return f;
    }();
    return folder;
}

// 50 files of 100,000 samples each.
const std::vector<std::string> &LargeFiles()
{
    static const std::vector<std::string> paths = [] {
        const fs::path f = Folder("large");
        std::vector<std::string> list;
        for (int i = 0; i < 50; ++i) {
            const fs::path p = f / ("large_" + std::to_string(i) + ".uds");
            if (!fs::exists(p))
                WriteSignal(p, 100000, i + 1);
            list.push_back(p.string());
        }
        return list;
    }();
    return paths;
}

void BM_OpenDirectory10000(benchmark::State &state)
{
    const std::string folder = ManyFiles().string();
    CPelloraDoc doc(nullptr, QStringLiteral("PelloraBench"));
    for (auto _ : state) {
        doc.OpenDirectory(folder);
        benchmark::DoNotOptimize(doc.GetFileNames().data());
    }
    state.counters["files"] = static_cast<double>(doc.GetFileNames().size());
}
BENCHMARK(BM_OpenDirectory10000)->Unit(benchmark::kMillisecond);

void BM_OpenDirectory10000ByCurve(benchmark::State &state)
{
    const std::string folder = ManyFiles().string();
    CPelloraDoc doc(nullptr, QStringLiteral("PelloraBenchCurve"));
    doc.Settings().SetInt("Sort", 1);
    for (auto _ : state) {
        doc.OpenDirectory(folder);
        benchmark::DoNotOptimize(doc.GetFileNames().data());
    }
}
BENCHMARK(BM_OpenDirectory10000ByCurve)->Unit(benchmark::kMillisecond);

void BM_Load50SignalsOf100000(benchmark::State &state)
{
    const std::vector<std::string> &files = LargeFiles();
    // As the program runs: freed signal memory is reused by the next selection.
    kxplatform::KeepFreedMemoryForReuse();
    CPelloraDoc doc(nullptr, QStringLiteral("PelloraBench"));
    for (auto _ : state) {
        doc.SelectFiles({});
        doc.SelectFiles(files);
        benchmark::DoNotOptimize(doc.GetChartY().data());
    }
    state.counters["signals"] = static_cast<double>(doc.GetSignals().size());
}
BENCHMARK(BM_Load50SignalsOf100000)->Unit(benchmark::kMillisecond);

// The data library's share of the above: reading the 50 files alone.
void BM_Read50SignalsOf100000LibraryOnly(benchmark::State &state)
{
    const std::vector<std::string> &files = LargeFiles();
    for (auto _ : state) {
        for (const std::string &path : files) {
            kx::CNSignal signal;
            signal.LoadUDSFile(path);
            benchmark::DoNotOptimize(signal.GetY().data());
        }
    }
}
BENCHMARK(BM_Read50SignalsOf100000LibraryOnly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
