// Reading a simulation-output file of about 100 MB, against a plain from_chars pass
// over the same bytes.
#include "Sorvelt/core/MadymoFile.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kParameters = 20;
constexpr int kChannels = 10;

// Writes a file in the output layout with Fortran-style numbers; returns its size.
std::uintmax_t WriteFile(const fs::path &path, std::uintmax_t targetBytes)
{
    std::FILE *out = std::fopen(path.c_str(), "wb");
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

// The benchmark file, written once and removed at exit.
struct BenchFile {
    fs::path path = fs::temp_directory_path() / ("madymo_bench_" + std::to_string(::getpid()) + ".out");
    std::uintmax_t bytes = WriteFile(path, 100u * 1000u * 1000u);
    ~BenchFile()
    {
        std::error_code ignored;
        fs::remove(path, ignored);
    }
};

const BenchFile &File()
{
    static const BenchFile file;
    return file;
}

void BM_ReadMadymoFile(benchmark::State &state)
{
    const BenchFile &bench = File();
    kx::MadymoFile file;
    for (auto _ : state) {
        if (!file.Read(bench.path)) {
            state.SkipWithError("the benchmark file was not read");
            break;
        }
        benchmark::DoNotOptimize(file.GetValues().data());
        file.Close();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bench.bytes));
}
BENCHMARK(BM_ReadMadymoFile)->Unit(benchmark::kMillisecond)->Iterations(5);

// The reference: the same bytes read in large blocks and every number in them taken
// by std::from_chars, with no layout, no checks and nothing stored.
void BM_ReadReferenceFromChars(benchmark::State &state)
{
    const BenchFile &bench = File();
    std::vector<char> buffer(std::size_t{1} << 20);
    for (auto _ : state) {
        std::FILE *in = std::fopen(bench.path.c_str(), "rb");
        if (in == nullptr) {
            state.SkipWithError("the benchmark file was not read");
            break;
        }
        double sum = 0.0;
        std::size_t kept = 0;
        for (;;) {
            const std::size_t got = std::fread(buffer.data() + kept, 1, buffer.size() - kept, in);
            const bool last = got == 0;
            const char *p = buffer.data();
            const char *end = p + kept + got;
            for (;;) {
                while (p != end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r'))
                    ++p;
                const char *tokenEnd = p;
                while (tokenEnd != end && *tokenEnd != ' ' && *tokenEnd != '\t' && *tokenEnd != '\n' &&
                       *tokenEnd != '\r')
                    ++tokenEnd;
                // A token cut by the end of the block waits for the next one.
                if (p == end || (tokenEnd == end && !last))
                    break;
                double value = 0.0;
                std::from_chars(p, tokenEnd, value);
                sum += value;
                p = tokenEnd;
            }
            kept = static_cast<std::size_t>(end - p);
            std::memmove(buffer.data(), p, kept);
            if (last)
                break;
        }
        std::fclose(in);
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bench.bytes));
}
BENCHMARK(BM_ReadReferenceFromChars)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
