// Speed of the plot: 20 curves of 100,000 samples, rebuilt from the document and
// redrawn after a resize. Run with QT_QPA_PLATFORM=offscreen on a headless machine.

#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/views/CPlotView.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cmath>
#include <memory>

using namespace pellora;

namespace {

constexpr int Curves = 20;
constexpr int Samples = 100000;

// A document holding the curves, without files.
std::unique_ptr<CPelloraDoc> MakeDocument()
{
    auto doc = std::make_unique<CPelloraDoc>(nullptr, QStringLiteral("PelloraBench"));
    for (int c = 0; c < Curves; ++c) {
        auto signal = std::make_shared<kx::CNSignal>();
        std::vector<double> x(Samples), y(Samples);
        const int length = Samples - c * 1000; // unequal lengths: padding in the arrays
        x.resize(size_t(length));
        y.resize(size_t(length));
        for (int i = 0; i < length; ++i) {
            x[size_t(i)] = i * 1.0e-5;
            y[size_t(i)] = (c + 1) * 10.0 * std::sin(i * 1.0e-3) + std::sin(i * 0.7);
        }
        signal->SetXYData(x, y);
        doc->Signals().push_back(signal);
    }
    doc->BuildChartArrays();
    return doc;
}

void BM_RebuildTwentyCurves(benchmark::State &state)
{
    auto doc = MakeDocument();
    CPlotView view(*doc);
    view.resize(1200, 600);
    for (auto _ : state) {
        view.OnUpdate(UpdateHint::Plot);
        QApplication::processEvents(); // the chart draws once, from the event loop
    }
}
BENCHMARK(BM_RebuildTwentyCurves)->Unit(benchmark::kMillisecond);

void BM_RedrawAfterResize(benchmark::State &state)
{
    auto doc = MakeDocument();
    CPlotView view(*doc);
    view.resize(1200, 600);
    view.OnUpdate(UpdateHint::Plot);
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        view.resize(wide ? 1400 : 1200, wide ? 700 : 600);
        view.Chart()->resetImage();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RedrawAfterResize)->Unit(benchmark::kMillisecond);

// What a plot shows, built from the document: the packed arrays are copied once.
void BM_BuildPlotContent(benchmark::State &state)
{
    auto doc = MakeDocument();
    for (auto _ : state) {
        kxchart::ChartContent content = doc->BuildPlotContent();
        benchmark::DoNotOptimize(content.y.data());
    }
}
BENCHMARK(BM_BuildPlotContent)->Unit(benchmark::kMillisecond);

// Reference: copying the document's X and Y arrays into new vectors.
void BM_CopyArraysReference(benchmark::State &state)
{
    auto doc = MakeDocument();
    for (auto _ : state) {
        std::vector<double> x(doc->GetChartX()), y(doc->GetChartY());
        benchmark::DoNotOptimize(x.data());
        benchmark::DoNotOptimize(y.data());
    }
}
BENCHMARK(BM_CopyArraysReference)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
