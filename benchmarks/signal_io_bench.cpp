// Saving, loading and combining signals of 1,000,000 samples, each beside a simple
// reference in the same run: one write call of the same bytes, decoding alone, and
// plain loops over fresh arrays (what an array library does).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "signal/CNSignal.h"
#include "signal/CUDSFile.h"

namespace {

namespace fs = std::filesystem;
constexpr std::int32_t kSamples = 1000000;

kx::CNSignal MakeSignal(double phase)
{
    kx::CNSignal s;
    s.SetXType("TIME");
    s.SetXUnits("SECONDS");
    s.SetDel(0.0001);
    s.SetNFP(-1000);
    s.SetNLP(-1000 + kSamples - 1);
    s.MakeTimeAxis();
    std::vector<double> y(kSamples);
    for (std::int32_t i = 0; i < kSamples; ++i)
        y[static_cast<std::size_t>(i)] = std::sin(0.001 * i + phase) * 50.0;
    s.SetYData(y);
    return s;
}

const std::string &Folder()
{
    static const std::string folder = [] {
        std::random_device rd;
        const fs::path p = fs::temp_directory_path() / ("kx_io_bench_" + std::to_string(rd()));
        fs::create_directories(p);
        return p.string() + "/";
    }();
    return folder;
}

// The programs keep freed memory for reuse (see platform/MemoryReuse); 0 is the C
// library's default behaviour.
void MemorySetting(bool programs)
{
    if (programs) {
        mallopt(M_MMAP_THRESHOLD, 256 << 20);
        mallopt(M_TRIM_THRESHOLD, 512 << 20);
    } else {
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
        mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    }
}

const char *SettingLabel(bool programs)
{
    return programs ? "memory setting" : "default malloc";
}

// --- saving

void BM_SaveSignal(benchmark::State &state)
{
    kx::CNSignal s = MakeSignal(0.0);
    const std::string path = Folder() + "save.uds";
    for (auto _ : state)
        s.SaveToUDSFile(path);
    state.counters["points kept"] = static_cast<double>(s.GetPoints().size());
    state.SetItemsProcessed(state.iterations() * kSamples);
}

// Reference: the same bytes with one write call, through the same temporary file,
// flush and rename as the writer.
void BM_SaveReferenceOneWrite(benchmark::State &state)
{
    const std::string path = Folder() + "save_ref.uds";
    MakeSignal(0.0).SaveToUDSFile(path);
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string temp = Folder() + ".save_ref.tmp";
    for (auto _ : state) {
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
        benchmark::DoNotOptimize(::fsync(fd));
        ::close(fd);
        std::rename(temp.c_str(), path.c_str());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}

// The earlier route, for comparison: one shared point object per sample.
void BM_SaveThroughPointList(benchmark::State &state)
{
    kx::CNSignal s = MakeSignal(0.0);
    const std::string path = Folder() + "save_points.uds";
    for (auto _ : state) {
        kx::CUDSFile file;
        s.ToUDSFile(file);
        file.SetPoints(s.MakePoints());
        file.WriteFile(path);
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}

BENCHMARK(BM_SaveSignal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveThroughPointList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveReferenceOneWrite)->Unit(benchmark::kMillisecond);

// --- loading (argument 1: with the programs' memory setting)

const std::string &LoadPath()
{
    static const std::string path = [] {
        const std::string p = Folder() + "load.uds";
        MakeSignal(0.5).SaveToUDSFile(p);
        return p;
    }();
    return path;
}

void BM_LoadSignal(benchmark::State &state)
{
    MemorySetting(state.range(0) != 0);
    state.SetLabel(SettingLabel(state.range(0) != 0));
    for (auto _ : state) {
        kx::CNSignal s;
        s.LoadUDSFile(LoadPath());
        benchmark::DoNotOptimize(s.GetY().data());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
    MemorySetting(false);
}

// Reference: decoding alone.
void BM_LoadReferenceDecode(benchmark::State &state)
{
    MemorySetting(state.range(0) != 0);
    state.SetLabel(SettingLabel(state.range(0) != 0));
    for (auto _ : state) {
        auto file = std::make_unique<kx::CUDSFile>();
        file->ReadFile(LoadPath());
        benchmark::DoNotOptimize(file->GetSampleY().data());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
    MemorySetting(false);
}

BENCHMARK(BM_LoadSignal)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadReferenceDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// --- combining three signals

struct Three {
    std::vector<kx::CNSignalPtr> in{std::make_shared<kx::CNSignal>(MakeSignal(0.0)),
                                    std::make_shared<kx::CNSignal>(MakeSignal(1.0)),
                                    std::make_shared<kx::CNSignal>(MakeSignal(2.0))};
};

void BM_Sum3(benchmark::State &state)
{
    MemorySetting(state.range(0) != 0);
    state.SetLabel(SettingLabel(state.range(0) != 0));
    const Three t;
    for (auto _ : state) {
        kx::CNSignal target;
        target.Sum(t.in);
        benchmark::DoNotOptimize(target.GetY().data());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}

void BM_Resultant3(benchmark::State &state)
{
    MemorySetting(state.range(0) != 0);
    state.SetLabel(SettingLabel(state.range(0) != 0));
    const Three t;
    for (auto _ : state) {
        kx::CNSignal target;
        target.Resultant(*t.in[0], *t.in[1], *t.in[2]);
        benchmark::DoNotOptimize(target.GetY().data());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}

// References: a + b + c and sqrt(a*a + b*b + c*c) into a fresh array.
void BM_Sum3Reference(benchmark::State &state)
{
    MemorySetting(state.range(0) != 0);
    state.SetLabel(SettingLabel(state.range(0) != 0));
    const Three t;
    const double *a = t.in[0]->GetY().data();
    const double *b = t.in[1]->GetY().data();
    const double *c = t.in[2]->GetY().data();
    for (auto _ : state) {
        std::unique_ptr<double[]> out(new double[kSamples]);
        for (std::int32_t i = 0; i < kSamples; ++i)
            out[i] = a[i] + b[i] + c[i];
        benchmark::DoNotOptimize(out.get());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}

void BM_Resultant3Reference(benchmark::State &state)
{
    MemorySetting(state.range(0) != 0);
    state.SetLabel(SettingLabel(state.range(0) != 0));
    const Three t;
    const double *a = t.in[0]->GetY().data();
    const double *b = t.in[1]->GetY().data();
    const double *c = t.in[2]->GetY().data();
    for (auto _ : state) {
        std::unique_ptr<double[]> out(new double[kSamples]);
        for (std::int32_t i = 0; i < kSamples; ++i)
            out[i] = std::sqrt(a[i] * a[i] + b[i] * b[i] + c[i] * c[i]);
        benchmark::DoNotOptimize(out.get());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}

BENCHMARK(BM_Sum3)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sum3Reference)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resultant3)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resultant3Reference)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

struct Cleanup {
    ~Cleanup()
    {
        std::error_code ec;
        fs::remove_all(Folder(), ec);
    }
} cleanup;

} // namespace

BENCHMARK_MAIN();
