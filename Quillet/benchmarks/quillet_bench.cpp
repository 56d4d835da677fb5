// Speed of Quillet's document: opening a neck moment and its force of 1,000,000
// samples each, correcting the moment and running its load cases; and the six load
// cases on one signal. The reference reads the same files and scans them once.

#include "Quillet/core/KxNeckCompression.h"
#include "Quillet/core/KxNeckExtension.h"
#include "Quillet/core/KxNeckFlexion.h"
#include "Quillet/core/KxNeckForwardShear.h"
#include "Quillet/core/KxNeckRearShear.h"
#include "Quillet/core/KxNeckTension.h"
#include "Quillet/document/CQuilletDoc.h"
#include "platform/CSettings.h"
#include "shared_ui/tests/support/FakeKxUi.h"
#include "signal/CUDSFile.h"

#include <benchmark/benchmark.h>

#include <QFile>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

using namespace quillet;

namespace {

namespace fs = std::filesystem;

constexpr int kPoints = 1000000;

fs::path Folder()
{
    const fs::path folder = fs::temp_directory_path() / "quillet-bench";
    fs::create_directories(folder);
    return folder;
}

void WriteNeck(const fs::path &path, const char *axis, const char *units, double peak)
{
    kx::CUDSFile file;
    file.SetFileForm("Y");
    file.SetTstNo(1);
    file.SetTitle("NECK BENCHMARK");
    file.SetOccupant1Type("H3");
    file.SetOccupant1Size("50");
    file.SetCurNo(1);
    file.SetSenAtt("NECK - UPPER");
    file.SetAxis(axis);
    file.SetYType("LOAD");
    file.SetYUnits(units);
    file.SetXType("TIME");
    file.SetXUnits("SECONDS");
    file.SetNFP(-1000);
    file.SetNLP(-1000 + kPoints - 1);
    file.SetDel(1.0e-5F);
    std::vector<double> y(kPoints);
    for (int i = 0; i < kPoints; ++i)
        y[std::size_t(i)] = peak * std::sin(2.0 * std::numbers::pi * i / kPoints * 7.0);
    file.SetSamples({}, y);
    file.WriteFile(path.string());
}

const fs::path &MomentFile()
{
    static const fs::path path = [] {
        const fs::path p = Folder() / "moment.uds";
        WriteNeck(p, "YL", "NEWTON-METERS", 60.0);
        return p;
    }();
    return path;
}

const fs::path &ForceFile()
{
    static const fs::path path = [] {
        const fs::path p = Folder() / "force.uds";
        WriteNeck(p, "XL", "NEWTONS", 900.0);
        return p;
    }();
    return path;
}

// Answers the force dialog with the force file; nothing else is asked.
class BenchUi : public kxtest::CFakeKxUi<IQuilletUi> {
public:
    bool AskYesNo(const std::string &) override { return false; }
    bool ChooseNeckFile(CNeckFileChoice &) override { return false; }
    bool EditConditions(CNeckOptions &) override { return true; }
    bool SelectDummy(const NeckLoadCases &, CDummyChoice &) override { return false; }
    bool EnterCondyleOffset(double &) override { return false; }
    bool ChooseForceFile(CForceChoice &choice) override
    {
        choice.path = ForceFile().string();
        choice.fileType = 0;
        return true;
    }
    void ShowUdsHeader(std::vector<kx::CNSignalPtr>) override {}
};

void BM_OpenMomentWithForce(benchmark::State &state)
{
    MomentFile();
    BenchUi ui;
    const QString program = QStringLiteral("QuilletBench");
    CQuilletDoc doc(&ui, program);
    for (auto _ : state) {
        const bool ok = doc.OnOpenDocument(MomentFile().string());
        if (!ok)
            state.SkipWithError("the moment did not compute");
        benchmark::DoNotOptimize(doc.GetFirstValue());
    }
    QFile::remove(kxplatform::CSettings(program).FileName());
    state.SetItemsProcessed(state.iterations() * 2 * kPoints);
}
BENCHMARK(BM_OpenMomentWithForce)->Unit(benchmark::kMillisecond);

// The six load cases, each on its own copy of one read signal (as the document
// gives each measurement its two).
void BM_SixLoadCases(benchmark::State &state)
{
    kx::CNSignal read;
    read.LoadUDSFile(MomentFile().string());
    for (auto _ : state) {
        double sum = 0.0;
        const auto run = [&sum, &read](auto loadCase) {
            kx::CNSignal copy(read);
            loadCase.Compute(copy);
            sum += loadCase.GetValue();
        };
        run(KxNeckCompression(0));
        run(KxNeckTension(0));
        run(KxNeckForwardShear(0));
        run(KxNeckRearShear(0));
        run(KxNeckFlexion(0));
        run(KxNeckExtension(0));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 6 * kPoints);
}
BENCHMARK(BM_SixLoadCases)->Unit(benchmark::kMillisecond);

// Reference: the two files read into memory and each scanned once for its peak.
void BM_ReferenceReadAndScan(benchmark::State &state)
{
    MomentFile();
    ForceFile();
    for (auto _ : state) {
        float peak = 0.0F;
        for (const fs::path &path : {MomentFile(), ForceFile()}) {
            std::ifstream in(path, std::ios::binary);
            std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            const std::size_t floats = bytes.size() / sizeof(float);
            const auto *values = reinterpret_cast<const float *>(bytes.data());
            for (std::size_t i = 0; i < floats; ++i)
                peak = std::max(peak, values[i]);
        }
        benchmark::DoNotOptimize(peak);
    }
    state.SetItemsProcessed(state.iterations() * 2 * kPoints);
}
BENCHMARK(BM_ReferenceReadAndScan)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
