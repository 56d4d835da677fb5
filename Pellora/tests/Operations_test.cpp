#include "Pellora/app/CMainFrame.h"
#include "Pellora/app/CPelloraUi.h"
#include "Pellora/document/CPelloraDoc.h"

#include "support/PelloraTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <cmath>
#include <functional>

using namespace pellora;
using namespace pelloratest;

namespace {

class OperateTest : public ::testing::Test {
protected:
    OperateTest()
        : doc(&ui, settings.Program())
    {
        QObject::connect(&doc, &CPelloraDoc::Updated, [this](UpdateHint hint) { hints.push_back(hint); });
    }

    std::string Values(const std::string &name, const ValueSignal &s)
    {
        const std::string path = folder.File(name);
        WriteUdsValues(path, s);
        return path;
    }
    void Load(const std::vector<std::string> &paths)
    {
        ASSERT_TRUE(doc.SelectFiles(paths));
        ASSERT_EQ(doc.GetSignals().size(), paths.size());
        hints.clear();
    }
    const kx::CNSignal &Signal(std::size_t k) const { return *doc.GetSignals().at(k); }

    ScratchSettings settings;
    TempFolder folder;
    FakeUi ui;
    CPelloraDoc doc;
    std::vector<UpdateHint> hints;
};

void ExpectValues(const std::vector<double> &actual, const std::vector<double> &expected, double tolerance = 1e-9)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "at " << i;
}

} // namespace

// ---- the runner ---------------------------------------------------------------

TEST_F(OperateTest, SingleSignalCodesGiveHandCheckedValues)
{
    struct Case {
        int code;
        const char *answer; // typed into the value prompt, or null
        std::vector<double> x;
        std::vector<double> y;
    };
    // y = 0, 2, 4, 6, 8 at x = 0 .. 4 s (units N: integral factor 1).
    const std::vector<Case> cases = {
        {CPelloraDoc::OpIntegrate, nullptr, {0, 1, 2, 3, 4}, {0, 1, 4, 9, 16}},
        {CPelloraDoc::OpAddY, "2.5", {0, 1, 2, 3, 4}, {2.5, 4.5, 6.5, 8.5, 10.5}},
        {CPelloraDoc::OpAddX, "0.5", {0.5, 1.5, 2.5, 3.5, 4.5}, {0, 2, 4, 6, 8}},
        {CPelloraDoc::OpScaleY, " -2 ", {0, 1, 2, 3, 4}, {0, -4, -8, -12, -16}},
        {CPelloraDoc::OpScaleX, "10", {0, 10, 20, 30, 40}, {0, 2, 4, 6, 8}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        doc.Reset();
        Load({Values("lin.uds", {.y = {0, 2, 4, 6, 8}})});
        if (c.answer)
            ui.labels.push_back({true, c.answer});
        EXPECT_TRUE(doc.RunOperation(c.code));
        ExpectValues(Signal(0).GetX(), c.x);
        ExpectValues(Signal(0).GetY(), c.y);
        EXPECT_TRUE(Signal(0).IsModified());
        EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Plot});
        // The chart shows the changed curve.
        ExpectValues(doc.GetChartY(), c.y);
    }
}

TEST_F(OperateTest, DerivativeOfAStraightLineIsItsSlope)
{
    Load({Values("lin.uds", {.y = {0, 2, 4, 6, 8, 10, 12}})});
    EXPECT_TRUE(doc.RunOperation(CPelloraDoc::OpDerivative));
    const std::vector<double> &y = Signal(0).GetY();
    ASSERT_GE(y.size(), 5u);
    for (std::size_t i = 1; i + 1 < y.size(); ++i)
        EXPECT_NEAR(y[i], 2.0, 1e-9) << i;
}

TEST_F(OperateTest, CombiningCodesCombineTheSelectionOnce)
{
    struct Case {
        int code;
        std::vector<std::vector<double>> inputs;
        std::vector<double> expected;
    };
    const std::vector<Case> cases = {
        {CPelloraDoc::OpSum, {{1, 2, 3}, {3, 4, 5}, {5, 6, 7}}, {9, 12, 15}},
        {CPelloraDoc::OpAverage, {{1, 2, 3}, {3, 4, 5}, {5, 6, 7}}, {3, 4, 5}},
        {CPelloraDoc::OpResultant, {{3, 0, 6}, {4, 2, 8}}, {5, 2, 10}},
        {CPelloraDoc::OpResultant, {{1, 2, 0}, {2, 3, 0}, {2, 6, 5}}, {3, 7, 5}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " of " << c.inputs.size());
        doc.Reset();
        std::vector<std::string> paths;
        for (std::size_t k = 0; k < c.inputs.size(); ++k)
            paths.push_back(Values("s" + std::to_string(k) + ".uds", {.y = c.inputs[k]}));
        Load(paths);
        EXPECT_TRUE(doc.RunOperation(c.code));
        ASSERT_EQ(doc.GetSignals().size(), 1u);
        ASSERT_EQ(doc.GetSelectedFiles().size(), 1u);
        EXPECT_EQ(doc.GetSelectedFiles().front()->GetFileName(), "s0.uds");
        ExpectValues(Signal(0).GetY(), c.expected);
        EXPECT_EQ(doc.GetSignalCount(), 1);
        EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Plot});
    }
}

TEST_F(OperateTest, ResultantOfOneOrFourSignalsKeepsEverything)
{
    for (std::size_t n : {1u, 4u}) {
        doc.Reset();
        std::vector<std::string> paths;
        for (std::size_t k = 0; k < n; ++k)
            paths.push_back(Values("r" + std::to_string(k) + ".uds", {.y = {1, 2, 3}}));
        Load(paths);
        EXPECT_FALSE(doc.RunOperation(CPelloraDoc::OpResultant));
        EXPECT_EQ(doc.GetSignals().size(), n);
        for (std::size_t k = 0; k < n; ++k)
            ExpectValues(Signal(k).GetY(), {1, 2, 3});
    }
}

TEST_F(OperateTest, ValuePromptIsAskedPerSignalAndRefusesNonNumbers)
{
    Load({Values("a.uds", {.y = {1, 1, 1}}), Values("b.uds", {.y = {2, 2, 2}}), Values("c.uds", {.y = {3, 3, 3}})});
    // a: "nan", "inf" and "abc" are refused, then 2; b: Cancel skips it; c: 10.
    ui.labels = {{true, "nan"}, {true, "inf"}, {true, "abc"}, {true, "2"}, {false, ""}, {true, "1e1"}};
    doc.RunOperation(CPelloraDoc::OpScaleY);
    EXPECT_EQ(ui.labelCaptions.size(), 6u);
    EXPECT_EQ(ui.labelCaptions.front(), "Multiply Y Axis by Constant Value");
    EXPECT_EQ(ui.labelPrompts.front(), "Y Multiplier");
    EXPECT_EQ(ui.messages.size(), 3u);
    ExpectValues(Signal(0).GetY(), {2, 2, 2});
    ExpectValues(Signal(1).GetY(), {2, 2, 2});
    ExpectValues(Signal(2).GetY(), {30, 30, 30});
    EXPECT_TRUE(Signal(0).IsModified());
    EXPECT_FALSE(Signal(1).IsModified());
    EXPECT_TRUE(Signal(2).IsModified());
}

TEST_F(OperateTest, FailureOnOneSignalStillRefreshesOnceAndNamesIt)
{
    // Integration needs four points: the second signal refuses it.
    Load({Values("good.uds", {.y = {0, 2, 4, 6, 8}}), Values("short.uds", {.y = {1, 2, 3}}),
          Values("after.uds", {.y = {0, 2, 4, 6, 8}})});
    EXPECT_FALSE(doc.RunOperation(CPelloraDoc::OpIntegrate));
    ExpectValues(Signal(0).GetY(), {0, 1, 4, 9, 16});
    ExpectValues(Signal(1).GetY(), {1, 2, 3});
    ExpectValues(Signal(2).GetY(), {0, 2, 4, 6, 8});
    EXPECT_TRUE(Signal(0).IsModified());
    EXPECT_FALSE(Signal(1).IsModified());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("short.uds"), std::string::npos) << ui.messages[0];
    EXPECT_NE(ui.messages[0].find("Too few data points"), std::string::npos) << ui.messages[0];
    // What is shown is what is held.
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Plot});
    ExpectValues(std::vector<double>(doc.GetChartY().begin(), doc.GetChartY().begin() + 5), {0, 1, 4, 9, 16});
}

TEST_F(OperateTest, NoCommandRunsWithoutASignal)
{
    ui.resample = [](CResampleValues &) {
        ADD_FAILURE() << "resample asked";
        return true;
    };
    ui.truncate = [](CTruncateValues &) {
        ADD_FAILURE() << "truncate asked";
        return true;
    };
    ui.filterClass = [](CFilterChoice &) {
        ADD_FAILURE() << "filter asked";
        return true;
    };
    ui.saveFiles.push_back(folder.File("x.txt"));
    ui.folders.push_back(folder.Str());
    for (int code : {1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 14, 15})
        EXPECT_FALSE(doc.RunOperation(code)) << code;
    doc.OnFilter();
    doc.OnResample();
    doc.OnTruncate();
    doc.OnPadCut();
    EXPECT_FALSE(doc.RunFilterClass(60));
    doc.OnSaveAsImageExpress();
    doc.OnCopyData();
    doc.OnSaveAllUds();
    doc.OnSaveAsAscii();
    doc.OnSaveAsUds();
    EXPECT_TRUE(hints.empty());
    EXPECT_TRUE(ui.labelCaptions.empty());
    EXPECT_TRUE(ui.saveRequests.empty());
    EXPECT_TRUE(ui.folderTitles.empty());
    EXPECT_TRUE(ui.clipboard.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.errorLists.empty());
}

// ---- filter ---------------------------------------------------------------------

TEST_F(OperateTest, ClassButtonsFilterAndWarningsReachTheErrorList)
{
    // 100 points at 0.1 ms: a 10 ms record, too short a tail for the filter.
    WriteUds(folder.File("head.uds"), {.points = 100, .step = 1.0e-4});
    Load({folder.File("head.uds")});
    EXPECT_TRUE(doc.OnFilterClassCommand(32804));
    EXPECT_EQ(Signal(0).GetFilterClass(), 60);
    EXPECT_TRUE(Signal(0).IsModified());
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Plot});
    ASSERT_EQ(ui.errorLists.size(), 1u);
    bool tail = false;
    for (const std::string &m : ui.errorLists[0])
        tail = tail || m.find("tail length") != std::string::npos;
    EXPECT_TRUE(tail);

    EXPECT_FALSE(doc.OnFilterClassCommand(32808));
    EXPECT_EQ(ui.errorLists.back(), std::vector<std::string>{"Improper Frequency Class"});
}

TEST_F(OperateTest, FilterDialogChoosesClassOrCutoff)
{
    WriteUds(folder.File("a.uds"), {.points = 2000, .step = 1.0e-4});
    WriteUds(folder.File("b.uds"), {.points = 2000, .step = 1.0e-4});
    Load({folder.File("a.uds"), folder.File("b.uds")});
    ui.filterClass = [](CFilterChoice &c) {
        c.cutoffSelected = false;
        c.filterClass = 180;
        return true;
    };
    doc.OnFilter();
    EXPECT_EQ(Signal(0).GetFilterClass(), 180);
    EXPECT_EQ(Signal(1).GetFilterClass(), 180);
    ui.filterClass = [](CFilterChoice &c) {
        c.cutoffSelected = true;
        c.cutoffFrequency = 50.0;
        return true;
    };
    doc.OnFilter();
    EXPECT_DOUBLE_EQ(Signal(0).GetFCut(), 50.0);
    EXPECT_DOUBLE_EQ(Signal(1).GetFCut(), 50.0);
    EXPECT_EQ(hints.size(), 2u);
    // Cancel changes nothing.
    ui.filterClass = nullptr;
    doc.OnFilter();
    EXPECT_EQ(hints.size(), 2u);
}

// ---- resample -------------------------------------------------------------------

TEST_F(OperateTest, ResampleByStepOrCountAndUnchangedDoesNothing)
{
    WriteUds(folder.File("a.uds"), {.points = 1000, .step = 1.0e-3});
    Load({folder.File("a.uds")});
    const std::vector<double> before = Signal(0).GetY();

    // The step as the dialog returns it (single precision) counts as unchanged.
    ui.resample = [](CResampleValues &v) {
        v.step = static_cast<double>(static_cast<float>(0.001) * (1.0f + 1e-7f));
        return true;
    };
    doc.OnResample();
    EXPECT_EQ(Signal(0).GetY(), before);
    EXPECT_FALSE(Signal(0).IsModified());
    EXPECT_TRUE(hints.empty());

    // Only the count changed, 1000 to 2000: the step halves.
    ui.resample = [](CResampleValues &v) {
        EXPECT_EQ(v.points, 1000);
        v.points = 2000;
        return true;
    };
    doc.OnResample();
    EXPECT_NEAR(Signal(0).GetDel(), 0.0005, 1e-9);
    EXPECT_TRUE(Signal(0).IsModified());
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Plot});
}

TEST_F(OperateTest, ResampleLeavesASignalAlreadyOnTheStep)
{
    WriteUds(folder.File("coarse.uds"), {.points = 100, .step = 1.0e-3});
    WriteUds(folder.File("fine.uds"), {.points = 200, .step = 5.0e-4});
    Load({folder.File("coarse.uds"), folder.File("fine.uds")});
    const std::vector<double> fine = Signal(1).GetY();
    ui.resample = [](CResampleValues &v) {
        v.step = 0.0005;
        return true;
    };
    doc.OnResample();
    EXPECT_NEAR(Signal(0).GetDel(), 0.0005, 1e-9);
    EXPECT_GT(Signal(0).GetY().size(), 150u);
    EXPECT_EQ(Signal(1).GetY(), fine);
}

TEST_F(OperateTest, ResampleFailureKeepsLaterSignalsAndRefreshes)
{
    WriteUds(folder.File("a.uds"), {.points = 100, .step = 1.0e-3});
    WriteText(folder.File("back.txt"), "0.003 1\n0.002 2\n0.001 3\n0.0 4\n");
    WriteUds(folder.File("c.uds"), {.points = 100, .step = 1.0e-3});
    Load({folder.File("a.uds"), folder.File("back.txt"), folder.File("c.uds")});
    const std::vector<double> c = Signal(2).GetY();
    ui.resample = [](CResampleValues &v) {
        v.step = 0.0005;
        return true;
    };
    doc.OnResample();
    EXPECT_NEAR(Signal(0).GetDel(), 0.0005, 1e-9);
    EXPECT_EQ(Signal(2).GetY(), c);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("back.txt"), std::string::npos) << ui.messages[0];
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Plot});
}

// ---- truncate -------------------------------------------------------------------

TEST_F(OperateTest, TruncateUsesEachSignalsOwnRangeForAnUnsetBound)
{
    // x = 0 .. 9 s and 2 .. 11 s.
    Load({Values("a.uds", {.y = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}),
          Values("b.uds", {.y = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, .firstPoint = 2})});
    CTruncateValues preset;
    ui.truncate = [&preset](CTruncateValues &v) {
        preset = v;
        v.minSet = true;
        v.minTime = 3.0;
        v.maxSet = false;
        v.maxTime = 0.0;
        return true;
    };
    doc.OnTruncate();
    EXPECT_TRUE(preset.minSet && preset.maxSet);
    EXPECT_DOUBLE_EQ(preset.minTime, 0.0);
    EXPECT_DOUBLE_EQ(preset.maxTime, 9.0);
    // From 3 s to each signal's own end (the last sample is never kept).
    ExpectValues(Signal(0).GetX(), {3, 4, 5, 6, 7, 8});
    ExpectValues(Signal(1).GetX(), {3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Plot});
}

TEST_F(OperateTest, TruncateWithoutBoundOrWithThePresetChangesNothing)
{
    Load({Values("a.uds", {.y = {0, 1, 2, 3, 4, 5}})});
    const std::vector<std::function<bool(CTruncateValues &)>> answers = {
        [](CTruncateValues &v) {
            v.minSet = v.maxSet = false;
            return true;
        },
        [](CTruncateValues &) { return true; },
        [](CTruncateValues &v) {
            v.minTime = 1.0;
            return false;
        },
    };
    for (const auto &answer : answers) {
        ui.truncate = answer;
        doc.OnTruncate();
        ExpectValues(Signal(0).GetY(), {0, 1, 2, 3, 4, 5});
        EXPECT_FALSE(Signal(0).IsModified());
    }
    EXPECT_TRUE(hints.empty());
}

// ---- pad and cut ----------------------------------------------------------------

TEST_F(OperateTest, PadAndCutPoints)
{
    // Last point (0.1, 5.0) with step 0.001.
    std::vector<double> y(101, 1.0);
    y.back() = 5.0;
    Load({Values("p.uds", {.y = y, .step = 0.001})});
    int askedNfp = -1, askedNlp = -1;
    ui.padCut = [&](double step, int nfp, int nlp, CPadCutValues &v) {
        EXPECT_NEAR(step, 0.001, 1e-9);
        askedNfp = nfp;
        askedNlp = nlp;
        v.atFirst = -1;
        v.atLast = 3;
        v.unchanged = false;
        return true;
    };
    doc.OnPadCut();
    EXPECT_EQ(askedNfp, 0);
    EXPECT_EQ(askedNlp, 100);
    const kx::CNSignal &s = Signal(0);
    ASSERT_EQ(s.GetX().size(), 103u);
    const std::size_t n = s.GetX().size();
    ExpectValues({s.GetX()[n - 3], s.GetX()[n - 2], s.GetX()[n - 1]}, {0.101, 0.102, 0.103}, 1e-6);
    ExpectValues({s.GetY()[n - 3], s.GetY()[n - 2], s.GetY()[n - 1]}, {5.0, 5.0, 5.0});
    EXPECT_EQ(s.GetNFP(), 1);
    EXPECT_EQ(s.GetNLP(), 103);
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Plot});
}

TEST_F(OperateTest, PadAndCutRefusals)
{
    struct Case {
        int atFirst;
        int atLast;
        bool points; // the signal is a points file without a time step
        const char *message;
    };
    const std::vector<Case> cases = {
        {-3, -3, false, "Unable to provide requested stop/start indices"},
        {0, 20'000'000, false, "At most 10000000 points"},
        {2, 0, true, "time step"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        doc.Reset();
        ui.messages.clear();
        hints.clear();
        if (c.points) {
            WriteText(folder.File("pts.txt"), "0 1\n1 2\n2 3\n");
            Load({folder.File("pts.txt")});
        } else {
            Load({Values("p.uds", {.y = {1, 2, 3, 4, 5}})});
        }
        const std::vector<double> before = Signal(0).GetY();
        ui.padCut = [&c](double, int, int, CPadCutValues &v) {
            v.atFirst = c.atFirst;
            v.atLast = c.atLast;
            v.unchanged = false;
            return true;
        };
        doc.OnPadCut();
        EXPECT_EQ(Signal(0).GetY(), before);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find(c.message), std::string::npos) << ui.messages[0];
        EXPECT_TRUE(hints.empty());
    }
}

TEST_F(OperateTest, ReloadUndoesOperations)
{
    Load({Values("a.uds", {.y = {1, 2, 3}})});
    ui.labels.push_back({true, "3"});
    doc.RunOperation(CPelloraDoc::OpScaleY);
    ExpectValues(Signal(0).GetY(), {3, 6, 9});
    EXPECT_TRUE(doc.Refresh(true));
    ExpectValues(Signal(0).GetY(), {1, 2, 3});
    EXPECT_FALSE(Signal(0).IsModified());
}

// ---- enabling in the main window ------------------------------------------------

TEST_F(OperateTest, EveryOperateExportAndInjuryCommandHasAHandler)
{
    CMainFrame frame(doc);
    const std::vector<std::string> paths = {Values("a.uds", {.y = {1, 2, 3, 4}}), Values("b.uds", {.y = {1, 2, 3, 4}}),
                                            Values("c.uds", {.y = {1, 2, 3, 4}}), Values("d.uds", {.y = {1, 2, 3, 4}})};
    using F = CMainFrame;
    struct Rule {
        int id;
        std::array<bool, 5> enabled; // with 0, 1, 2, 3 and 4 signals
    };
    const std::vector<Rule> rules = {
        {F::ID_OPERATE_FILTER, {false, true, true, true, true}},
        {F::ID_OPERATE_RESAMPLE, {false, true, true, true, true}},
        {F::ID_OPERATE_TRUNCATE, {false, true, true, true, true}},
        {F::ID_OPERATE_FIR100, {false, true, true, true, true}},
        {F::ID_OPERATE_INTEGRATE, {false, true, true, true, true}},
        {F::ID_OPERATE_DERIVATIVE, {false, true, true, true, true}},
        {F::ID_OPERATE_BIAS_AUTO, {false, true, true, true, true}},
        {F::ID_OPERATE_BIAS_TAIL, {false, true, true, true, true}},
        {F::ID_OPERATE_ADD_X, {false, true, true, true, true}},
        {F::ID_OPERATE_ADD_Y, {false, true, true, true, true}},
        {F::ID_OPERATE_SCALE_X, {false, true, true, true, true}},
        {F::ID_OPERATE_SCALE_Y, {false, true, true, true, true}},
        {F::ID_CFC60, {false, true, true, true, true}},
        {F::ID_CFC1000, {false, true, true, true, true}},
        {F::ID_OPERATE_PAD_CUT, {false, true, false, false, false}},
        {F::ID_OPERATE_RESULTANT, {false, false, true, true, false}},
        {F::ID_OPERATE_AVERAGE, {false, false, true, true, true}},
        {F::ID_OPERATE_SUM, {false, false, true, true, true}},
        {F::ID_OPERATE_XY_SIGNAL, {false, false, true, false, false}},
        {F::ID_FILE_SAVE_ALL_UDS, {false, true, true, true, true}},
        {F::ID_FILE_SAVE_AS_IMAGEEXPRESS, {false, true, true, true, true}},
        {F::ID_EDIT_COPY_DATA, {false, true, true, true, true}},
        {F::ID_INJURY_QUILLET, {false, true, false, false, false}},
        {F::ID_INJURY_VC, {false, true, false, false, false}},
        {F::ID_INJURY_HIC, {false, true, false, true, false}},
        {F::ID_INJURY_CLIP3MS, {false, true, false, true, false}},
        {F::ID_INJURY_NIJ, {false, false, false, true, false}},
        {F::ID_INJURY_TIBIA, {false, false, false, true, false}},
    };
    for (std::size_t n = 0; n <= 4; ++n) {
        doc.Reset();
        if (n > 0)
            Load(std::vector<std::string>(paths.begin(), paths.begin() + static_cast<std::ptrdiff_t>(n)));
        frame.UpdateCommandUI();
        for (const Rule &rule : rules) {
            ASSERT_NE(frame.Action(rule.id), nullptr) << rule.id;
            EXPECT_EQ(frame.Action(rule.id)->isEnabled(), rule.enabled[n]) << rule.id << " with " << n;
        }
    }
}

// The real prompts: OK on an untouched dialog hands the preset back exactly, so the
// document sees an unchanged resample or truncate window and changes nothing.
TEST_F(OperateTest, RealPromptsHandBackAnUntouchedPreset)
{
    CPelloraUi real(doc.Settings());
    int accepted = 0;
    const auto acceptSoon = [&accepted] {
        QTimer::singleShot(50, [&accepted] {
            if (auto *dlg = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                dlg->accept();
                ++accepted;
            }
        });
    };
    CResampleValues resample{static_cast<double>(0.001f), 1000};
    acceptSoon();
    ASSERT_TRUE(real.AskResample(resample));
    EXPECT_EQ(resample.step, static_cast<double>(0.001f));
    EXPECT_EQ(resample.points, 1000);

    CTruncateValues truncate{true, true, -0.02, 0.1499};
    acceptSoon();
    ASSERT_TRUE(real.AskTruncate(truncate));
    EXPECT_TRUE(truncate.minSet && truncate.maxSet);
    EXPECT_EQ(truncate.minTime, -0.02);
    EXPECT_EQ(truncate.maxTime, 0.1499);
    EXPECT_EQ(accepted, 2);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// ---- times read one by one ---------------------------------------------------------

namespace {

// 0, 0.1, 0.4, 0.5, 0.8 ... ms: 0.1 and 0.3 ms apart in turn.
std::vector<double> UnevenTimes(std::size_t n)
{
    std::vector<double> x;
    double ms = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        x.push_back(ms / 1000.0);
        ms += i % 2 == 0 ? 0.1 : 0.3;
    }
    return x;
}

std::vector<double> Bump(std::size_t n)
{
    std::vector<double> y;
    for (std::size_t i = 0; i < n; ++i)
        y.push_back(std::sin(3.14159 * static_cast<double>(i) / static_cast<double>(n - 1)) * 100.0);
    return y;
}

} // namespace

TEST_F(OperateTest, ComputationsRefuseXYTimesWithoutAStepOrOutOfOrderNamingTheFile)
{
    std::vector<double> backwards = UnevenTimes(200);
    std::swap(backwards[50], backwards[51]);
    struct Case {
        const char *what;
        std::vector<double> x;
        std::function<void(CPelloraDoc &)> run;
        std::string cause; // empty: computed
    } cases[] = {
        {"FIR100, uneven", UnevenTimes(200), [](CPelloraDoc &d) { d.RunOperation(CPelloraDoc::OpFir100); },
         "no constant time step: its times are not evenly spaced"},
        {"CFC 60, uneven", UnevenTimes(200), [](CPelloraDoc &d) { d.OnFilterClassCommand(32804); },
         "no constant time step: its times are not evenly spaced"},
        {"CFC 60, backwards", backwards, [](CPelloraDoc &d) { d.OnFilterClassCommand(32804); },
         "X axis data is not monotonically increasing"},
        {"integral, backwards", backwards, [](CPelloraDoc &d) { d.RunOperation(CPelloraDoc::OpIntegrate); },
         "X axis data is not monotonically increasing"},
        {"CFC 60, 0.1 ms apart with DEL 0.2 ms", std::vector<double>(), nullptr, ""},
    };
    // The last case: even times whose nominal DEL is wrong take their own step.
    for (std::size_t i = 0; i < 200; ++i)
        cases[4].x.push_back(static_cast<float>(i * 1e-4));
    cases[4].run = [](CPelloraDoc &d) { d.OnFilterClassCommand(32804); };
    int k = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ui.messages.clear();
        const std::string name = "xy" + std::to_string(k++) + ".uds";
        const std::string path = Values(name, {.y = Bump(c.x.size()), .step = 2e-4, .x = c.x});
        Load({path});
        const std::vector<double> before = Signal(0).GetY();
        c.run(doc);
        if (c.cause.empty()) {
            EXPECT_TRUE(ui.messages.empty());
            EXPECT_EQ(Signal(0).GetFilterClass(), 60);
            EXPECT_DOUBLE_EQ(Signal(0).GetDel(), static_cast<float>(1e-4));
            continue;
        }
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find(name), std::string::npos) << ui.messages[0];
        EXPECT_NE(ui.messages[0].find(c.cause), std::string::npos) << ui.messages[0];
        EXPECT_EQ(Signal(0).GetY(), before);
    }
}
