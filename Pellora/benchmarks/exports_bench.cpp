// Speed of Pellora's exports and Operate commands, each beside a plain reference in
// the same run: ASCII and Copy Data text against a snprintf loop, file writes against
// writing the same bytes with one fwrite, an Operate command against the same library
// operation in a loop.

#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/tests/support/PelloraTestSupport.h"
#include "signal/CUDSFile.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace pellora;
using namespace pelloratest;

namespace {

namespace fs = std::filesystem;

fs::path Folder(const std::string &name)
{
    const fs::path folder = fs::temp_directory_path() / ("pellora-exports-bench-" + name);
    fs::create_directories(folder);
    return folder;
}

std::vector<double> Wave(std::size_t n, double scale)
{
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i)
        y[i] = scale * std::sin(static_cast<double>(i) * 1.0e-3);
    return y;
}

// Files of count signals of points samples each, written once per run.
std::vector<std::string> Files(const std::string &name, int count, std::size_t points, double step)
{
    const fs::path folder = Folder(name);
    std::vector<std::string> paths;
    for (int k = 0; k < count; ++k) {
        const std::string path = (folder / ("s" + std::to_string(k) + ".uds")).string();
        if (!fs::exists(path))
            WriteUdsValues(path, {.y = Wave(points, k + 1.0), .step = step, .curveNumber = k + 1});
        paths.push_back(path);
    }
    return paths;
}

struct Loaded {
    ScratchSettings settings;
    FakeUi ui;
    CPelloraDoc doc{&ui, settings.Program()};
    explicit Loaded(const std::vector<std::string> &paths) { doc.SelectFiles(paths); }
};

void WriteBytes(const std::string &path, const std::string &bytes)
{
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// ---- ASCII text of 1,000,000 points ---------------------------------------------

void BM_AsciiExport1M(benchmark::State &state)
{
    Loaded l(Files("ascii", 1, 1'000'000, 1.0e-4));
    const fs::path out = Folder("ascii-out");
    for (auto _ : state) {
        l.ui.folders.push_back(out.string());
        l.ui.yesNo.push_back(true);
        l.doc.OnSaveAsAscii();
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_AsciiExport1M)->Unit(benchmark::kMillisecond);

// Reference: the same lines with snprintf into a growing string, written in one go.
void BM_AsciiReferenceSnprintf1M(benchmark::State &state)
{
    Loaded l(Files("ascii", 1, 1'000'000, 1.0e-4));
    const kx::CNSignal &s = *l.doc.GetSignals().front();
    const std::string out = (Folder("ascii-out") / "reference.txt").string();
    for (auto _ : state) {
        std::string text;
        char line[128];
        for (std::size_t i = 0; i < s.GetY().size(); ++i) {
            const int n = std::snprintf(line, sizeof(line), "%f\t%f\n", s.GetX()[i], s.GetY()[i]);
            text.append(line, static_cast<std::size_t>(n));
        }
        WriteBytes(out, text);
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_AsciiReferenceSnprintf1M)->Unit(benchmark::kMillisecond);

void BM_CopyDataText1M(benchmark::State &state)
{
    Loaded l(Files("ascii", 1, 1'000'000, 1.0e-4));
    for (auto _ : state) {
        std::string text = l.doc.CopyDataText();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_CopyDataText1M)->Unit(benchmark::kMillisecond);

// ---- Save All of 1,000 signals of 10,000 samples --------------------------------

void BM_SaveAllUds1000x10k(benchmark::State &state)
{
    Loaded l(Files("saveall", 1000, 10'000, 1.0e-4));
    const fs::path out = Folder("saveall-out");
    for (auto _ : state) {
        l.ui.folders.push_back(out.string());
        l.ui.yesNo.push_back(true);
        l.doc.OnSaveAllUds();
    }
    state.counters["signals"] = static_cast<double>(l.doc.GetSignals().size());
}
BENCHMARK(BM_SaveAllUds1000x10k)->Unit(benchmark::kMillisecond)->Iterations(2);

// Reference: the same files' bytes written with one fwrite each.
void BM_SaveAllReferenceFwrite1000x10k(benchmark::State &state)
{
    const std::vector<std::string> paths = Files("saveall", 1000, 10'000, 1.0e-4);
    const fs::path out = Folder("saveall-ref");
    std::string bytes;
    {
        std::FILE *f = std::fopen(paths.front().c_str(), "rb");
        bytes.resize(fs::file_size(paths.front()));
        if (f) {
            const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
            bytes.resize(got);
            std::fclose(f);
        }
    }
    for (auto _ : state) {
        for (int k = 0; k < 1000; ++k)
            WriteBytes((out / ("s" + std::to_string(k) + ".uds")).string(), bytes);
    }
}
BENCHMARK(BM_SaveAllReferenceFwrite1000x10k)->Unit(benchmark::kMillisecond)->Iterations(2);

// ---- ImageExpress of 10 signals of 1,000,000 samples ----------------------------

void BM_ImageExpress10x1M(benchmark::State &state)
{
    Loaded l(Files("ie", 10, 1'000'000, 1.0e-4));
    const std::string out = (Folder("ie-out") / "table.txt").string();
    for (auto _ : state) {
        l.ui.saveFiles.push_back(out);
        l.doc.OnSaveAsImageExpress();
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(out));
}
BENCHMARK(BM_ImageExpress10x1M)->Unit(benchmark::kMillisecond)->Iterations(2);

// Reference: the same number of bytes written with one fwrite.
void BM_ImageExpressReferenceFwrite(benchmark::State &state)
{
    const fs::path table = Folder("ie-out") / "table.txt";
    const std::uintmax_t size = fs::exists(table) ? fs::file_size(table) : 110'000'000;
    const std::string bytes(static_cast<std::size_t>(size), '0');
    const std::string out = (Folder("ie-out") / "reference.txt").string();
    for (auto _ : state)
        WriteBytes(out, bytes);
}
BENCHMARK(BM_ImageExpressReferenceFwrite)->Unit(benchmark::kMillisecond)->Iterations(2);

// ---- an Operate command on 50 signals of 100,000 samples ------------------------

void BM_OperateBias50x100k(benchmark::State &state)
{
    Loaded l(Files("operate", 50, 100'000, 1.0e-4));
    int refreshes = 0;
    QObject::connect(&l.doc, &CPelloraDoc::Updated,
                     [&refreshes](pellora::UpdateHint hint) { refreshes += hint == pellora::UpdateHint::Plot; });
    for (auto _ : state)
        l.doc.RunOperation(CPelloraDoc::OpBiasAuto);
    state.counters["refreshes_per_command"] = static_cast<double>(refreshes) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_OperateBias50x100k)->Unit(benchmark::kMillisecond);

// Reference: the library operation on the same signals in a plain loop.
void BM_OperateReferenceLoop50x100k(benchmark::State &state)
{
    Loaded l(Files("operate", 50, 100'000, 1.0e-4));
    for (auto _ : state) {
        for (const kx::CNSignalPtr &s : l.doc.GetSignals())
            s->Bias();
    }
}
BENCHMARK(BM_OperateReferenceLoop50x100k)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
