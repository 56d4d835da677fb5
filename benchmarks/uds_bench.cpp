// Reading and writing UDS-1992 files in each number format: one file of a
// million samples, and a thousand files of ten thousand samples. Bytes
// processed are file bytes.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "signal/CUDSFile.h"

namespace {

namespace fs = std::filesystem;
using kx::CUDSFile;

enum Format : int { kIeee, kSun, kVax };
const char *const kFormatNames[] = {"IEEE", "SUN", "VAX"};

fs::path Folder()
{
    static const fs::path folder = [] {
        fs::path p = fs::temp_directory_path() / ("kx_uds_bench_" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return folder;
}

// An X-Y signal of n samples in the given format, ready to write.
void Prepare(CUDSFile &f, std::size_t n, int format)
{
    static std::vector<double> x;
    static std::vector<double> y;
    if (x.size() != n) {
        x.resize(n);
        y.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            x[i] = 1.0e-4 * static_cast<double>(i);
            y[i] = 60.0 * std::sin(static_cast<double>(i) * 1.0e-3);
        }
    }
    f.SetFileForm("X-Y");
    f.SetNFP(0);
    f.SetNLP(static_cast<std::int32_t>(n) - 1);
    f.SetDel(1.0e-4F);
    f.SetSamples(x, y);
    if (format == kSun)
        f.SetWriteBigEndian();
    if (format == kVax)
        f.SetWriteFloatFormat(CUDSFile::FloatFormat::Vax);
}

std::string PathFor(std::size_t n, int format, std::size_t index)
{
    return (Folder() / (std::to_string(n) + "_" + kFormatNames[format] + "_" + std::to_string(index) + ".uds"))
        .string();
}

// The files a read benchmark reads, written once.
void EnsureFiles(std::size_t n, int format, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::string path = PathFor(n, format, i);
        if (!fs::exists(path)) {
            CUDSFile f;
            Prepare(f, n, format);
            f.WriteFile(path);
        }
    }
}

// args: samples per file, number of files, format
void BM_Read(benchmark::State &state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    const auto count = static_cast<std::size_t>(state.range(1));
    const int format = static_cast<int>(state.range(2));
    EnsureFiles(n, format, count);
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < count; ++i)
        paths.push_back(PathFor(n, format, i));
    const auto bytes = static_cast<std::int64_t>(fs::file_size(paths.front()) * count);
    for (auto _ : state) {
        for (const std::string &path : paths) {
            CUDSFile f;
            f.ReadFile(path);
            benchmark::DoNotOptimize(f.GetSampleY().data());
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetLabel(kFormatNames[format]);
}

// The same, also building the point list a signal takes.
void BM_ReadPoints(benchmark::State &state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    const int format = static_cast<int>(state.range(2));
    EnsureFiles(n, format, 1);
    const std::string path = PathFor(n, format, 0);
    const auto bytes = static_cast<std::int64_t>(fs::file_size(path));
    for (auto _ : state) {
        CUDSFile f;
        f.ReadFile(path);
        benchmark::DoNotOptimize(f.GetPoints().data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetLabel(kFormatNames[format]);
}

void BM_Write(benchmark::State &state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    const auto count = static_cast<std::size_t>(state.range(1));
    const int format = static_cast<int>(state.range(2));
    std::int64_t bytes = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < count; ++i) {
            state.PauseTiming();
            CUDSFile f;
            Prepare(f, n, format);
            state.ResumeTiming();
            f.WriteFile((Folder() / ("w_" + std::to_string(i) + ".uds")).string());
            bytes += static_cast<std::int64_t>(f.ComputeFileSize());
        }
    }
    state.SetBytesProcessed(bytes);
    state.SetLabel(kFormatNames[format]);
}

void Cases(benchmark::internal::Benchmark *b)
{
    for (int format : {kIeee, kSun, kVax}) {
        b->Args({1000000, 1, format});
        b->Args({10000, 1000, format});
    }
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Read)->Apply(Cases);
BENCHMARK(BM_ReadPoints)->Args({1000000, 1, kIeee})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write)->Apply(Cases);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(Folder(), ec);
    return 0;
}
