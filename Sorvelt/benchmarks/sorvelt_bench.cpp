// Sorvelt's speed on a large simulation file (200 parameters x 20 channels, 40,000
// output times by default; SORVELT_BENCH_STEPS changes the number of times):
//   - a tick in the tree until the chart is drawn again, against a plain loop that
//     copies the same column into a packed array;
//   - converting all 4,000 curves to UDS-1992 files, against writing the same number
//     of samples as raw floats, one file per curve.
// And on a long run (6 parameters x 9 channels, 200,000 times by default;
// SORVELT_BENCH_LONG_STEPS changes it, SORVELT_BENCH_LONG_FILE reads a file made by
// make_sorvelt_large_run instead):
//   - 50 curves ticked one after another, then the 51st, each until drawn;
//   - with 50 curves shown, one more ticked and unticked, against a plain copy of the
//     arrays of the 51 curves.

#include "Sorvelt/app/CMainFrame.h"
#include "Sorvelt/core/MadymoFile.h"
#include "Sorvelt/core/MadymoWriter.h"
#include "Sorvelt/core/UdsConversion.h"
#include "Sorvelt/document/CSorveltDoc.h"
#include "Sorvelt/views/CSorveltView.h"

#include <QApplication>
#include <QUuid>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

constexpr int kParameters = 200;
constexpr int kChannels = 20;

int Steps()
{
    const char *text = std::getenv("SORVELT_BENCH_STEPS");
    const int steps = text ? std::atoi(text) : 40000;
    return steps > 1 ? steps : 40000;
}

// The input file and the output folder, made once and removed at exit.
struct BenchFiles {
    fs::path folder;
    std::string input;
    BenchFiles()
    {
        folder = fs::temp_directory_path() /
                 ("sorvelt-bench-" + QUuid::createUuid().toString(QUuid::Id128).left(12).toStdString());
        fs::create_directories(folder / "out");
        fs::create_directories(folder / "raw");
        input = (folder / "big.dat").string();
        sorvelt::MadymoContent content;
        for (int p = 0; p < kParameters; ++p)
            content.parameters.push_back("Body " + std::to_string(p + 1));
        for (int c = 0; c < kChannels; ++c)
            content.channels.push_back("Channel " + std::to_string(c + 1) + " (G)");
        const int steps = Steps();
        for (int t = 0; t < steps; ++t)
            content.timesMs.push_back(t * 0.1);
        content.value = [](std::size_t t, std::size_t p, std::size_t c) {
            return std::sin(0.001 * double(t) + double(p)) * double(c + 1);
        };
        if (!sorvelt::WriteMadymoFile(input, content))
            std::abort();
    }
    ~BenchFiles()
    {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

BenchFiles &Files()
{
    static BenchFiles files;
    return files;
}

// One reader of the input for the references and the conversion; null when it cannot be read.
kx::MadymoFile *SharedReader()
{
    static std::unique_ptr<kx::MadymoFile> reader = [] {
        auto r = std::make_unique<kx::MadymoFile>();
        if (!r->Read(Files().input))
            r.reset();
        return r;
    }();
    return reader.get();
}

void BM_TickRedraw(benchmark::State &state)
{
    static sorvelt::CSorveltDoc *doc = nullptr;
    static sorvelt::CMainFrame *frame = nullptr;
    if (!doc) {
        doc = new sorvelt::CSorveltDoc(nullptr, QStringLiteral("SorveltBench"));
        frame = new sorvelt::CMainFrame(*doc);
        frame->resize(1200, 750);
        frame->show();
        if (!doc->OpenDocument(Files().input)) {
            state.SkipWithError("the input file was not read");
            return;
        }
        QApplication::processEvents();
    }
    sorvelt::CSorveltView *tree = frame->Tree();
    // Tick channel 1 of some parameter, then untick it: one redraw each.
    int parameter = 0;
    for (auto _ : state) {
        QTreeWidgetItem *item = tree->topLevelItem(parameter)->child(0);
        tree->ClickStateIcon(item);
        benchmark::DoNotOptimize(doc->GetCurveCount());
        tree->ClickStateIcon(item);
        parameter = (parameter + 1) % kParameters;
    }
    state.counters["ms_per_tick"] =
        benchmark::Counter(double(state.iterations()) * 2.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The reference: the same column copied by a plain loop into a packed array, twice.
void BM_TickReference(benchmark::State &state)
{
    if (!SharedReader()) {
        state.SkipWithError("the input file was not read");
        return;
    }
    const kx::MadymoFile &reader = *SharedReader();
    const auto &values = reader.GetValues();
    const std::size_t steps = reader.GetTimes().size();
    const std::size_t stride = std::size_t(kParameters) * kChannels;
    std::vector<double> packed(steps);
    std::vector<double> x(steps);
    int parameter = 0;
    for (auto _ : state) {
        for (int twice = 0; twice < 2; ++twice) {
            std::size_t k = std::size_t(parameter) * kChannels;
            for (std::size_t t = 0; t < steps; ++t, k += stride)
                packed[t] = values[k];
            std::memcpy(x.data(), reader.GetTimes().data(), steps * sizeof(double));
            benchmark::DoNotOptimize(packed.data());
            benchmark::DoNotOptimize(x.data());
        }
        parameter = (parameter + 1) % kParameters;
    }
}

void BM_ConvertAll(benchmark::State &state)
{
    if (!SharedReader()) {
        state.SkipWithError("the input file was not read");
        return;
    }
    kx::MadymoFile &reader = *SharedReader();
    sorvelt::ConversionRequest request;
    request.parameters.assign(kParameters, true);
    request.channels.assign(kChannels, true);
    request.folder = (Files().folder / "out").string();
    request.header = "big_";
    for (auto _ : state) {
        const auto result = sorvelt::ConvertToUds(reader, request);
        if (result.written != std::size_t(kParameters) * kChannels)
            state.SkipWithError("not every file was written");
    }
}

// The reference: each curve's samples written as raw floats, one file per curve.
void BM_ConvertReference(benchmark::State &state)
{
    if (!SharedReader()) {
        state.SkipWithError("the input file was not read");
        return;
    }
    kx::MadymoFile &reader = *SharedReader();
    std::vector<double> column;
    std::vector<float> samples;
    const std::string folder = (Files().folder / "raw").string();
    for (auto _ : state) {
        for (int p = 0; p < kParameters; ++p) {
            for (int c = 0; c < kChannels; ++c) {
                reader.GetColumn(p, c, column);
                samples.assign(column.begin(), column.end());
                const std::string path = folder + "/" + std::to_string(p) + "." + std::to_string(c);
                std::FILE *f = std::fopen(path.c_str(), "wb");
                if (!f) {
                    state.SkipWithError("cannot write the reference files");
                    return;
                }
                std::fwrite(samples.data(), sizeof(float), samples.size(), f);
                std::fclose(f);
            }
        }
    }
}

// The long run: a file of its own (or the one named) and a window showing its curves.
struct LongRun {
    fs::path folder;
    std::string input;
    std::unique_ptr<sorvelt::CSorveltDoc> doc;
    std::unique_ptr<sorvelt::CMainFrame> frame;
    LongRun()
    {
        if (const char *named = std::getenv("SORVELT_BENCH_LONG_FILE")) {
            input = named;
        } else {
            folder = fs::temp_directory_path() /
                     ("sorvelt-long-" + QUuid::createUuid().toString(QUuid::Id128).left(12).toStdString());
            fs::create_directories(folder);
            input = (folder / "long.dat").string();
            const char *text = std::getenv("SORVELT_BENCH_LONG_STEPS");
            const int steps = text && std::atoi(text) > 1 ? std::atoi(text) : 200000;
            sorvelt::MadymoContent content;
            for (int p = 0; p < 6; ++p)
                content.parameters.push_back("Body " + std::to_string(p + 1));
            for (int c = 0; c < 9; ++c)
                content.channels.push_back("Channel " + std::to_string(c + 1) + " (G)");
            content.timeDigits = 9;
            for (int t = 0; t < steps; ++t)
                content.timesMs.push_back(t * 0.0001);
            content.value = [](std::size_t t, std::size_t p, std::size_t c) {
                return std::sin(0.0001 * double(t) * double(c + 1) + double(p)) * double(c + 1);
            };
            if (!sorvelt::WriteMadymoFile(input, content))
                std::abort();
        }
        doc = std::make_unique<sorvelt::CSorveltDoc>(nullptr, QStringLiteral("SorveltBench"));
        frame = std::make_unique<sorvelt::CMainFrame>(*doc);
        frame->resize(1600, 1000);
        frame->show();
        if (!doc->OpenDocument(input))
            doc.reset();
        Settle();
    }
    ~LongRun()
    {
        frame.reset();
        doc.reset();
        std::error_code ec;
        if (!folder.empty())
            fs::remove_all(folder, ec);
    }
    // Lets the chart draw what it was given.
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    // Ticks (or unticks) curve n in tree order and waits until it is drawn.
    void Tick(int n)
    {
        sorvelt::CSorveltView *tree = frame->Tree();
        const int channels = int(doc->GetChannelNames().size());
        tree->ClickStateIcon(tree->topLevelItem(n / channels)->child(n % channels));
        Settle();
    }
};

LongRun &Long()
{
    static LongRun run;
    return run;
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void BM_LongTickSequence(benchmark::State &state)
{
    LongRun &run = Long();
    if (!run.doc || run.doc->GetChannelNames().size() * run.doc->GetParameterNames().size() < 51) {
        state.SkipWithError("the long run was not read, or holds fewer than 51 curves");
        return;
    }
    if (!run.doc->GetSelection().empty()) {
        state.SkipWithError("the sequence starts with no curve ticked");
        return;
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int n = 0; n < 50; ++n)
            run.Tick(n);
        const auto fifty = std::chrono::steady_clock::now();
        run.Tick(50);
        const auto end = std::chrono::steady_clock::now();
        state.counters["ticks_50_s"] = Seconds(fifty - start);
        state.counters["tick_51_s"] = Seconds(end - fifty);
        state.counters["points"] = double(run.doc->GetCurveCount()) * double(run.doc->GetPointsPerCurve());
        // Unticked again for the next run.
        state.PauseTiming();
        for (int n = 0; n < 51; ++n)
            run.Tick(n);
        state.ResumeTiming();
    }
}

// With 50 curves shown: the 51st ticked and unticked, each until drawn.
void BM_LongTick(benchmark::State &state)
{
    LongRun &run = Long();
    if (!run.doc || run.doc->GetChannelNames().size() * run.doc->GetParameterNames().size() < 51) {
        state.SkipWithError("the long run was not read, or holds fewer than 51 curves");
        return;
    }
    if (run.doc->GetSelection().size() != 50) {
        for (int n = 0; n < 50; ++n)
            run.Tick(n);
    }
    for (auto _ : state) {
        run.Tick(50);
        run.Tick(50);
    }
    state.counters["ms_per_tick"] =
        benchmark::Counter(double(state.iterations()) * 2.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The reference: the X and Y arrays of 51 curves copied once per tick, as plain memory.
void BM_LongTickReference(benchmark::State &state)
{
    LongRun &run = Long();
    if (!run.doc) {
        state.SkipWithError("the long run was not read");
        return;
    }
    const std::size_t points = std::size_t(run.doc->GetPointsPerCurve() > 0 ? run.doc->GetPointsPerCurve() : 1);
    const std::size_t total = points * 51;
    std::vector<double> from(total, 1.0), x(total), y(total);
    for (auto _ : state) {
        for (int twice = 0; twice < 2; ++twice) {
            std::memcpy(x.data(), from.data(), total * sizeof(double));
            std::memcpy(y.data(), from.data(), total * sizeof(double));
            benchmark::DoNotOptimize(x.data());
            benchmark::DoNotOptimize(y.data());
        }
    }
}

BENCHMARK(BM_TickRedraw)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TickReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertAll)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_ConvertReference)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_LongTickSequence)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_LongTick)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LongTickReference)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
