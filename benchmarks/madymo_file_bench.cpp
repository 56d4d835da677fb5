// Reading a simulation-output file of about 100 MB.
#include "Sorvelt/core/MadymoFile.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kParameters = 20;
constexpr int kChannels = 10;

// Writes a file in the output layout with Fortran-style numbers; returns its size.
std::uintmax_t WriteFile(const fs::path& path, std::uintmax_t targetBytes)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return 0;
    std::fprintf(out, "MADYMO time-history output\nbenchmark run\n%d %d\n", kParameters, kChannels);
    for (int p = 0; p < kParameters; ++p)
        std::fprintf(out, "Body %d linear acceleration\n", p + 1);
    for (int c = 0; c < kChannels; ++c)
        std::fprintf(out, "Channel %d (m/s**2)\n", c + 1);
    std::uintmax_t written = 0;
    for (int t = 0; written < targetBytes; ++t) {
        written += static_cast<std::uintmax_t>(std::fprintf(out, "  %14.6E\n", t * 0.1));
        for (int p = 0; p < kParameters; ++p) {
            for (int c = 0; c < kChannels; ++c)
                written += static_cast<std::uintmax_t>(
                    std::fprintf(out, " %12.4E", 250.0 * std::sin(0.001 * t * (c + 1) + p)));
            written += static_cast<std::uintmax_t>(std::fprintf(out, "\n"));
        }
    }
    std::fclose(out);
    return fs::file_size(path);
}

void BM_ReadMadymoFile(benchmark::State& state)
{
    const fs::path path = fs::temp_directory_path() / ("madymo_bench_" + std::to_string(::getpid()) + ".out");
    const std::uintmax_t bytes = WriteFile(path, 100u * 1000u * 1000u);
    kx::MadymoFile file;
    for (auto _ : state) {
        if (!file.Read(path)) {
            state.SkipWithError("the benchmark file was not read");
            break;
        }
        benchmark::DoNotOptimize(file.GetValues().data());
        file.Close();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    std::error_code ignored;
    fs::remove(path, ignored);
}
BENCHMARK(BM_ReadMadymoFile)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
