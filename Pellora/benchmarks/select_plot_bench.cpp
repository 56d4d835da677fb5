// Selecting 200 signal files of 10,000 samples each and plotting them: from the
// selection to the drawn chart. The reference reads the same files' bytes into
// memory in a plain loop. A folder of 1,000 or 5,000 files of 2,000 samples is
// selected at once and cleared again, against a plain load of the same files.
// Run with QT_QPA_PLATFORM=offscreen on a headless machine.

#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/views/CPlotView.h"
#include "signal/CUDSFile.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace pellora;

namespace {

constexpr int Files = 200;
constexpr int Samples = 10000;

// Writes count "Y" files of points samples into folder, named prefix + (first + f);
// testNumber(f) and sample(f, i) give each file its own header and samples.
template <typename TestNumber, typename Sample>
std::vector<std::string> WriteFolder(const QTemporaryDir &folder, int count, int points, const QString &prefix,
                                     int first, TestNumber testNumber, Sample sample)
{
    std::vector<std::string> paths;
    std::vector<double> y(static_cast<std::size_t>(points));
    for (int f = 0; f < count; ++f) {
        kx::CUDSFile file;
        file.SetFileForm("Y");
        file.SetNChan(1);
        file.SetTstNo(testNumber(f));
        file.SetCurNo(f + 1);
        file.SetYType("ACCELERATION");
        file.SetYUnits("G'S");
        file.SetXType("TIME");
        file.SetXUnits("SECONDS");
        file.SetNFP(0);
        file.SetNLP(points - 1);
        file.SetDel(1.0e-4f);
        for (int i = 0; i < points; ++i)
            y[size_t(i)] = sample(f, i);
        file.SetSamples({}, y);
        const std::string path = folder.filePath(prefix + QString::number(first + f)).toStdString() + ".uds";
        file.WriteFile(path);
        paths.push_back(path);
    }
    return paths;
}

// The folder of sample files, written once.
const std::vector<std::string> &SampleFiles()
{
    static QTemporaryDir folder;
    static const std::vector<std::string> paths = WriteFolder(
        folder, Files, Samples, QStringLiteral("s"), 1000, [](int f) { return 100 + f; },
        [](int f, int i) { return (f % 7 + 1) * 10.0 * std::sin(i * 3.0e-4) + std::sin(i * 0.3); });
    return paths;
}

// Every file of paths selected, the chart drawn, and the selection cleared again;
// only the selection and its draw are timed.
void SelectAndPlot(benchmark::State &state, const std::vector<std::string> &paths, CPelloraDoc &doc)
{
    CPlotView view(doc);
    view.resize(1200, 600);
    view.show();
    QApplication::processEvents();
    for (auto _ : state) {
        doc.SelectFiles(paths);
        QApplication::processEvents(); // the chart's draw
        state.PauseTiming();
        doc.SelectFiles({});
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_SelectAndPlot200(benchmark::State &state)
{
    const std::vector<std::string> &paths = SampleFiles();
    CPelloraDoc doc(nullptr, QStringLiteral("PelloraBench"));
    doc.OpenDirectory(QFileInfo(QString::fromStdString(paths.front())).absolutePath().toStdString());
    SelectAndPlot(state, paths, doc);
    state.counters["signals"] = double(doc.GetFileNames().size());
}
BENCHMARK(BM_SelectAndPlot200)->Unit(benchmark::kMillisecond)->UseRealTime();

// The document's part alone: loading the files and packing the chart arrays.
void BM_SelectWithoutView200(benchmark::State &state)
{
    const std::vector<std::string> &paths = SampleFiles();
    CPelloraDoc doc(nullptr, QStringLiteral("PelloraBench"));
    doc.OpenDirectory(QFileInfo(QString::fromStdString(paths.front())).absolutePath().toStdString());
    for (auto _ : state) {
        doc.SelectFiles(paths);
        state.PauseTiming();
        doc.SelectFiles({});
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SelectWithoutView200)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reference: the same files' bytes read into memory.
void BM_ReadFilesReference(benchmark::State &state)
{
    const std::vector<std::string> &paths = SampleFiles();
    for (auto _ : state) {
        std::size_t total = 0;
        for (const std::string &path : paths) {
            std::ifstream in(path, std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            total += bytes.size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadFilesReference)->Unit(benchmark::kMillisecond)->UseRealTime();

// A folder of count files of 2,000 samples, written once per count.
const std::vector<std::string> &ManyFiles(int count)
{
    static std::map<int, std::pair<std::unique_ptr<QTemporaryDir>, std::vector<std::string>>> made;
    auto &[folder, paths] = made[count];
    if (folder)
        return paths;
    folder = std::make_unique<QTemporaryDir>();
    paths = WriteFolder(
        *folder, count, 2000, QStringLiteral("m"), 10000, [](int) { return 100; },
        [](int f, int i) { return (f % 7 + 1) * 10.0 * std::sin(i * 3.0e-3) + std::sin(i * 0.3 + f); });
    return paths;
}

// The document's part: every listed file selected at once (loaded, packed, titled).
void BM_SelectAllWithoutView(benchmark::State &state)
{
    const std::vector<std::string> &paths = ManyFiles(int(state.range(0)));
    CPelloraDoc doc(nullptr, QStringLiteral("PelloraBench"));
    doc.OpenDirectory(QFileInfo(QString::fromStdString(paths.front())).absolutePath().toStdString());
    for (auto _ : state) {
        doc.SelectFiles(paths);
        state.PauseTiming();
        doc.SelectFiles({});
        state.ResumeTiming();
    }
    state.counters["files"] = double(paths.size());
}
BENCHMARK(BM_SelectAllWithoutView)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with the plot pane: loaded, plotted and drawn once.
void BM_SelectAllAndPlot(benchmark::State &state)
{
    const std::vector<std::string> &paths = ManyFiles(int(state.range(0)));
    CPelloraDoc doc(nullptr, QStringLiteral("PelloraBench"));
    doc.OpenDirectory(QFileInfo(QString::fromStdString(paths.front())).absolutePath().toStdString());
    SelectAndPlot(state, paths, doc);
}
BENCHMARK(BM_SelectAllAndPlot)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Clearing a plotted selection of every file down to one.
void BM_ClearLargeSelection(benchmark::State &state)
{
    const std::vector<std::string> &paths = ManyFiles(int(state.range(0)));
    CPelloraDoc doc(nullptr, QStringLiteral("PelloraBench"));
    doc.OpenDirectory(QFileInfo(QString::fromStdString(paths.front())).absolutePath().toStdString());
    CPlotView view(doc);
    view.resize(1200, 600);
    view.show();
    for (auto _ : state) {
        state.PauseTiming();
        doc.SelectFiles(paths);
        QApplication::processEvents();
        state.ResumeTiming();
        doc.SelectFiles({paths.front()});
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ClearLargeSelection)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reference: each file read and decoded by the library, nothing else.
void BM_PlainLoadReference(benchmark::State &state)
{
    const std::vector<std::string> &paths = ManyFiles(int(state.range(0)));
    for (auto _ : state) {
        std::size_t samples = 0;
        for (const std::string &path : paths) {
            kx::CUDSFile file;
            file.ReadFile(path);
            samples += std::size_t(file.GetNLP() - file.GetNFP() + 1);
        }
        benchmark::DoNotOptimize(samples);
    }
}
BENCHMARK(BM_PlainLoadReference)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
