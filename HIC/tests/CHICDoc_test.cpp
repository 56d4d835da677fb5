// HIC's document through the scripted user: loads, command line, HIC, SFC, surface, save.

#include "HIC/core/KxHicCriteria.h"
#include "HIC/document/CHICDoc.h"
#include "platform/CSettings.h"
#include "signal/CNSignal.h"
#include "signal/CUDSFile.h"
#include "signal/tests/UdsTestFile.h"
#include "support/HicTestSupport.h"

#include <gtest/gtest.h>

#include <QUuid>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>

using namespace hic;
using namespace hictest;

namespace {

constexpr double kDt = 1.0e-4;

// HIC of a rectangle of `width` samples at `level` G under a longer window.
double RectHic(double level, std::size_t width, double dt = kDt)
{
    return std::pow(level, 2.5) * static_cast<double>(width - 1) * dt;
}

bool Contains(const std::vector<std::string> &list, const std::string &part)
{
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string &m) { return m.find(part) != std::string::npos; });
}

struct DocFixture : ::testing::Test {
    FakeUi ui;
    CHICDoc doc;
    TempFolder folder;
    std::vector<UpdateHint> hints;

    void SetUp() override
    {
        doc.SetUi(&ui);
        QObject::connect(&doc, &CHICDoc::Updated, [this](UpdateHint hint) { hints.push_back(hint); });
    }

    std::string Head(const std::string &name, HeadFile f)
    {
        const std::string path = folder.File(name);
        WriteHead(path, f);
        return path;
    }
};

TEST_F(DocFixture, CommandLineWithTwoFilesComputesNothing)
{
    const std::string a = Head("a.uds", {Rect(1000, 200, 100, 80.0)});
    const int mode = doc.RunCommandLine({a, a}, 36.0, ModeSfc);
    EXPECT_EQ(mode, ModeResultant);
    EXPECT_FALSE(doc.ResultReady());
    EXPECT_FALSE(doc.Resultant());
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(ui.errorLists[0], std::vector<std::string>{"Improper Number Filenames - 2, must be 1 or 3"});
    EXPECT_TRUE(hints.empty());
}

TEST_F(DocFixture, UnreadableFilesGiveAMessageAndNoResult)
{
    const std::string good = Head("x.uds", {Rect(1000, 200, 100, 80.0), kDt, 0, "XG"});
    const std::string missing = folder.File("missing.uds");
    // Not a UDS-1992 file: the reader's own text does not name it.
    const std::string garbage = folder.File("notuds.bin");
    WriteText(garbage, std::string(700, 'x'));
    struct Case {
        std::vector<std::string> files;
        std::string bad;
    };
    for (const Case &c :
         {Case{{missing}, "missing.uds"}, Case{{good, missing, good}, "missing.uds"}, Case{{garbage}, "notuds.bin"}}) {
        ui.errorLists.clear();
        EXPECT_EQ(doc.RunCommandLine(c.files, 15.0, ModeSurface), ModeResultant);
        EXPECT_FALSE(doc.ResultReady());
        EXPECT_FALSE(doc.Resultant());
        EXPECT_FALSE(doc.HasAxes());
        ASSERT_EQ(ui.errorLists.size(), 1u);
        EXPECT_TRUE(Contains(ui.errorLists[0], c.bad)) << c.bad;
        EXPECT_FALSE(Contains(ui.errorLists[0], "Fail to compute HIC"));
    }
}

TEST_F(DocFixture, CommandLineWithThreeAxisFiles)
{
    const std::string x = Head("x.uds", {Rect(1000, 200, 100, 60.0), kDt, -100, "XG"});
    const std::string y = Head("y.uds", {Rect(1000, 200, 100, 80.0), kDt, -100, "YG"});
    const std::string z = Head("z.uds", {std::vector<double>(1000, 0.0), kDt, -100, "ZG"});
    EXPECT_EQ(doc.RunCommandLine({x, y, z}, 15.0, ModeSfc), ModeSfc);
    ASSERT_TRUE(doc.ResultReady());
    EXPECT_TRUE(doc.SfcReady());
    ASSERT_TRUE(doc.HasAxes());
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::ShowSfc});
    EXPECT_DOUBLE_EQ(doc.Window(), 15.0);
    // The resultant is the magnitude of the (filtered) axes, sample by sample.
    const auto &r = doc.Resultant()->GetY();
    ASSERT_EQ(r.size(), 1000u);
    for (std::size_t i : {0u, 250u, 299u, 700u}) {
        const double expect = std::hypot(doc.AxisX()->GetY()[i], doc.AxisY()->GetY()[i], doc.AxisZ()->GetY()[i]);
        EXPECT_NEAR(r[i], expect, 1e-9) << i;
    }
    EXPECT_NEAR(doc.Hic(), RectHic(100.0, 100), 0.05 * RectHic(100.0, 100));
    // Time zero is sample 100: the pulse starts at 10 ms.
    EXPECT_NEAR(doc.T1(), 10.0, 0.3);
    EXPECT_EQ(doc.Labels().title, "x.uds");
    EXPECT_EQ(doc.Labels().subTitle.rfind("15.0 ms HIC = ", 0), 0u);
}

TEST_F(DocFixture, SamplesStoredAsNaNAreReportedWithTheHic)
{
    const std::string x = Head("x.uds", {Rect(1000, 200, 100, 60.0), kDt, -100, "XG"});
    const std::string y = Head("y.uds", {Rect(1000, 200, 100, 80.0), kDt, -100, "YG"});
    const std::string z = Head("z.uds", {std::vector<double>(1000, 0.0), kDt, -100, "ZG"});
    kx::test::StoreNaNSamples(x, {250});
    kx::test::StoreNaNSamples(z, {0, 999});
    doc.RunCommandLine({x, y, z}, 15.0, ModeResultant);
    ASSERT_TRUE(doc.ResultReady());
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(ui.errorLists[0], (std::vector<std::string>{x + ": 1 sample stored as NaN was read as 0",
                                                          z + ": 2 samples stored as NaN were read as 0"}));
}

TEST_F(DocFixture, AWindowTheCriterionRefusesKeepsThePreviousWindowAndResult)
{
    const std::string res = Head("r.uds", {Rect(1000, 200, 100, 80.0)});
    doc.RunCommandLine({res}, 36.0, ModeResultant);
    ASSERT_TRUE(doc.ResultReady());
    EXPECT_NEAR(doc.TimeStepMs(), 0.1, 1e-6);
    const double hic = doc.Hic();
    const std::string subtitle = doc.Labels().subTitle;
    ui.errorLists.clear();
    // Half a step: no two samples to integrate over.
    EXPECT_FALSE(doc.SetWindow(0.05));
    EXPECT_TRUE(doc.ResultReady());
    EXPECT_DOUBLE_EQ(doc.Window(), 36.0);
    EXPECT_DOUBLE_EQ(doc.Hic(), hic);
    EXPECT_EQ(doc.Labels().subTitle, subtitle);
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_TRUE(Contains(ui.errorLists[0], "Fail to compute HIC Injury Criteria."));
    // A window it takes still changes the result.
    EXPECT_TRUE(doc.SetWindow(15.0));
    EXPECT_DOUBLE_EQ(doc.Window(), 15.0);
}

TEST_F(DocFixture, FailedSfcAndAisCommandsShowOnlyTheirOwnMessages)
{
    // A 20 ms step: the 36 ms HIC exists, the 15 ms one of the SFC and the AIS plot does not.
    const std::string coarse = Head("c.uds", {Rect(20, 5, 5, 80.0), 0.02});
    struct Case {
        const char *name;
        void (CHICDoc::*command)();
        std::string listed;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {"sfc", &CHICDoc::ShowSfc, "Fail to compute Skull Fracture Correlate.", {}},
        {"ais", &CHICDoc::ShowAis, "Fail to compute HIC Injury Criteria.", {"Failure to Calculate HIC 15"}},
    };
    // One after the other: the second shows none of the first's messages.
    ASSERT_TRUE(doc.OpenFiles({"", "", "", coarse, 0, true, false, false}));
    for (const Case &c : cases) {
        const std::vector<std::string> earlier = doc.Messages();
        ui.errorLists.clear();
        ui.messages.clear();
        hints.clear();
        (doc.*c.command)();
        EXPECT_EQ(doc.Mode(), ModeResultant) << c.name;
        EXPECT_DOUBLE_EQ(doc.Window(), 36.0) << c.name;
        EXPECT_TRUE(hints.empty()) << c.name;
        ASSERT_EQ(ui.errorLists.size(), 1u) << c.name;
        const std::vector<std::string> added(doc.Messages().begin() + std::ptrdiff_t(earlier.size()),
                                             doc.Messages().end());
        EXPECT_EQ(ui.errorLists[0], added) << c.name;
        EXPECT_TRUE(Contains(ui.errorLists[0], c.listed)) << c.name;
        EXPECT_EQ(ui.messages, c.said) << c.name;
    }
    EXPECT_FALSE(Contains(ui.errorLists[0], "Skull Fracture"));
}

TEST_F(DocFixture, WindowCommandsRedrawOrReturnToTheResultant)
{
    // Without a result only the window is kept; AIS says it has no HIC 15.
    doc.ChangeWindow(15.0, true);
    EXPECT_DOUBLE_EQ(doc.Window(), 15.0);
    EXPECT_TRUE(hints.empty());
    doc.ShowAis();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Failure to Calculate HIC 15"});
    EXPECT_TRUE(hints.empty());

    const std::string res = Head("r.uds", {Rect(1000, 200, 300, 50.0)});
    ASSERT_TRUE(doc.OpenFiles({"", "", "", res, 0, true, false, false}));
    doc.ShowSfc();
    ASSERT_EQ(doc.Mode(), ModeSfc);
    // The window dialog keeps the plot shown and is given the time step.
    hints.clear();
    ui.windowAnswers.push_back(20.0);
    doc.EditWindow();
    ASSERT_EQ(ui.windowSteps.size(), 1u);
    EXPECT_NEAR(ui.windowSteps[0], 0.1, 1e-6);
    EXPECT_DOUBLE_EQ(doc.Window(), 20.0);
    EXPECT_NEAR(doc.Hic(), std::pow(50.0, 2.5) * 0.020, 1e-6 * doc.Hic());
    EXPECT_EQ(doc.Mode(), ModeSfc);
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Redraw});
    // Cancel changes nothing.
    hints.clear();
    doc.EditWindow();
    EXPECT_DOUBLE_EQ(doc.Window(), 20.0);
    EXPECT_TRUE(hints.empty());
    // HIC 15 and HIC 36 go back to the resultant.
    doc.ChangeWindow(36.0, true);
    EXPECT_EQ(doc.Mode(), ModeResultant);
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::ShowResultant});
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.errorLists.empty());
}

TEST_F(DocFixture, CommandLineModeFallsBackWhenItsPlotCannotBeShown)
{
    // A 20 ms step: the 36 ms HIC exists, the 15 ms one of the SFC does not.
    const std::string coarse = Head("c.uds", {Rect(20, 5, 5, 80.0), 0.02});
    EXPECT_EQ(doc.RunCommandLine({coarse}, 36.0, ModeSfc), ModeResultant);
    EXPECT_TRUE(doc.ResultReady());
    EXPECT_FALSE(doc.SfcReady());
    EXPECT_TRUE(Contains(doc.Messages(), "Fail to compute Skull Fracture Correlate."));
    // X/Y/Z needs axis files.
    const std::string res = Head("r.uds", {Rect(1000, 200, 100, 80.0)});
    EXPECT_EQ(doc.RunCommandLine({res}, 36.0, ModeXYZ), ModeResultant);
    EXPECT_EQ(doc.RunCommandLine({res}, 0.0, ModeSurface), ModeSurface);
    EXPECT_EQ(doc.Labels().subTitle.rfind("Unwindowed HIC = ", 0), 0u);
}

TEST_F(DocFixture, AsciiSampledAtFiveMicrosecondsIsResampled)
{
    // 100 G from 10 ms to 20 ms.
    std::vector<double> y(8000, 0.0);
    for (std::size_t i = 2000; i < 4000; ++i)
        y[i] = 100.0;
    const std::string path = folder.File("fine.txt");
    WriteText(path, AsciiPoints(y, 0.0, 5.0e-6));
    OpenFilesValues v;
    v.fileType = 1;
    v.resultantPath = path;
    ui.openAnswers.push_back(v);
    ASSERT_TRUE(doc.OnFileOpen());
    EXPECT_DOUBLE_EQ(doc.Resultant()->GetDel(), 1.0e-4);
    EXPECT_EQ(doc.Resultant()->GetYUnits(), "G'S");
    EXPECT_EQ(doc.Resultant()->GetAxis(), "RS");
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_TRUE(Contains(ui.errorLists[0], "Minimum Time step in input data is < 10 microseconds"));
    EXPECT_TRUE(Contains(ui.errorLists[0], "Resampling data to 0.1 millisec"));
    EXPECT_NEAR(doc.Hic(), std::pow(100.0, 2.5) * 0.01, 0.03 * std::pow(100.0, 2.5) * 0.01);
    EXPECT_NEAR(doc.T1(), 10.0, 0.2);
    EXPECT_NEAR(doc.T2(), 20.0, 0.2);
}

TEST_F(DocFixture, AsciiStartingBeforeTimeZeroMeasuresFromTimeZero)
{
    // From -10 ms at 0.1 ms; 80 G from 5 ms to 15 ms.
    std::vector<double> y(600, 0.0);
    for (std::size_t i = 150; i <= 250; ++i)
        y[i] = 80.0;
    const std::string path = folder.File("early.txt");
    WriteText(path, AsciiPoints(y, -0.01, kDt));
    ASSERT_TRUE(doc.OpenFiles({"", "", "", path, 1, true, true, false}));
    EXPECT_LT(doc.Resultant()->GetNFP(), -90);
    EXPECT_NEAR(doc.T1(), 5.0, 0.15);
    EXPECT_NEAR(doc.T2(), 15.0, 0.15);
    EXPECT_FALSE(doc.OpenValues().checkHeaders);
}

TEST_F(DocFixture, UnusableAsciiFilesAreRefused)
{
    struct Case {
        const char *text;
        const char *message;
    };
    for (const Case c : {Case{"0.0 5.0\n", "Fewer than two points"},
                         Case{"0.001 5.0\n0.0 6.0\n0.002 1.0\n", "X data must be monotonically increasing"},
                         Case{"0.0 5.0\n0.001 6.0\n0.0005 1.0\n", "X axis data must be monotonically increasing"},
                         Case{"0.0 5.0\n0.0 6.0\n0.0 1.0\n", "X axis data must be monotonically increasing"}}) {
        SCOPED_TRACE(c.message);
        const std::string path = folder.File("bad.txt");
        WriteText(path, c.text);
        ui.errorLists.clear();
        EXPECT_FALSE(doc.OpenFiles({"", "", "", path, 1, true, false, false}));
        EXPECT_FALSE(doc.Resultant());
        ASSERT_EQ(ui.errorLists.size(), 1u);
        EXPECT_TRUE(Contains(ui.errorLists[0], c.message));
    }
    ui.errorLists.clear();
    EXPECT_FALSE(doc.OpenFiles({"", "", "", "  ", 1, true, false, false}));
    EXPECT_EQ(ui.errorLists.at(0), std::vector<std::string>{"Input Error: Resultant file empty."});
    ui.errorLists.clear();
    EXPECT_FALSE(doc.OpenFiles({folder.File("a.txt"), "", folder.File("c.txt"), "", 1, false, false, false}));
    EXPECT_TRUE(Contains(ui.errorLists.at(0), "Empty Input File Name for Y-Component."));
}

TEST_F(DocFixture, EmptyDummyTypeRetriesTheSfcOnACopy)
{
    const std::string path = Head("nodummy.uds", {Rect(1000, 200, 101, 100.0), kDt, 0, "RS", "", "95"});
    ASSERT_TRUE(doc.OpenFiles({"", "", "", path, 0, true, false, false}));
    ASSERT_TRUE(doc.ComputeSfc());
    EXPECT_TRUE(Contains(doc.Messages(), "NonApplicable Dummy Type -"));
    EXPECT_NEAR(doc.Sfc(), 100.0, 1e-6);
    EXPECT_EQ(doc.SfcCurve().size(), 301u);
    // The saved resultant keeps its own codes and the 36 ms result that was shown.
    const std::string saved = folder.File("saved.uds");
    ui.saveFiles.push_back(saved);
    ASSERT_TRUE(doc.SaveResultant());
    kx::CNSignal back;
    back.LoadUDSFile(saved);
    EXPECT_EQ(back.GetOccupant1Type(), "");
    EXPECT_EQ(back.GetOccupant1Size(), "95");
    EXPECT_NEAR(back.GetHIC(), doc.Hic(), 1e-3 * doc.Hic());
    EXPECT_NEAR(back.GetT1(), doc.T1(), 1e-4);
    EXPECT_NEAR(back.GetT2(), doc.T2(), 1e-4);
    EXPECT_NEAR(back.GetHICDTUP(), 36.0, 1e-9);
}

TEST_F(DocFixture, SaveChooserStartsInTheOutputFolderLastChosen)
{
    const QString program = QStringLiteral("hic-doc-test-") + QUuid::createUuid().toString(QUuid::Id128).left(8);
    kxplatform::CSettings settings(program);
    doc.SetSettings(&settings);
    const std::string path = Head("r.uds", {Rect(1000, 200, 100, 80.0)});
    ASSERT_TRUE(doc.OpenFiles({"", "", "", path, 0, true, false, false}));
    std::filesystem::create_directories(folder.Path() / "out");
    ui.saveFiles = {folder.File("out/first.uds"), ""};
    EXPECT_TRUE(doc.SaveResultant());
    EXPECT_FALSE(doc.SaveResultant());
    ASSERT_EQ(ui.saveRequests.size(), 2u);
    EXPECT_EQ(ui.saveRequests[0].startFolder, "");
    EXPECT_EQ(ui.saveRequests[0].proposedName, "r.uds");
    EXPECT_EQ(ui.saveRequests[1].startFolder, (folder.Path() / "out").string());
    EXPECT_EQ(ui.saveRequests[1].proposedName, "r.uds");
    EXPECT_EQ(settings.GetString("OutputDir"), (folder.Path() / "out").string());
    doc.SetSettings(nullptr);
    std::filesystem::remove(settings.FileName().toStdString());
}

TEST_F(DocFixture, FailedSaveIsReportedAndWritesNothing)
{
    const std::string path = Head("r.uds", {Rect(1000, 200, 100, 80.0)});
    ASSERT_TRUE(doc.OpenFiles({"", "", "", path, 0, true, false, false}));
    const std::string target = folder.File("no/such/folder/out.uds");
    EXPECT_FALSE(doc.OnSaveDocument(target));
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(DocFixture, AxisFilesMustShareTheirSampling)
{
    const std::string x = Head("x.uds", {Rect(1000, 200, 100, 60.0), kDt, 0, "XG"});
    const std::string y = Head("y.uds", {Rect(1000, 200, 100, 60.0), kDt, 0, "YG"});
    const std::string slow = Head("s.uds", {Rect(1000, 200, 100, 60.0), 2 * kDt, 0, "ZG"});
    const std::string late = Head("l.uds", {Rect(1000, 200, 100, 60.0), kDt, 5, "ZG"});
    struct Case {
        std::string z;
        const char *message;
    };
    for (const Case &c : {Case{slow, "Incompatible Time Steps"}, Case{late, "do not start at the same time"}}) {
        ui.errorLists.clear();
        EXPECT_FALSE(doc.OpenFiles({x, y, c.z, "", 0, false, false, false}));
        EXPECT_FALSE(doc.HasAxes());
        ASSERT_EQ(ui.errorLists.size(), 1u);
        EXPECT_TRUE(Contains(ui.errorLists[0], c.message));
    }
}

TEST_F(DocFixture, ResultantLoadAfterAxesForgetsTheAxes)
{
    const std::string x = Head("x.uds", {Rect(1000, 200, 100, 60.0), kDt, 0, "XG"});
    ASSERT_TRUE(doc.OpenFiles({x, x, x, "", 0, false, false, false}));
    ASSERT_TRUE(doc.HasAxes());
    const std::string r = Head("r.uds", {Rect(1000, 300, 100, 50.0)});
    ASSERT_TRUE(doc.OpenFiles({x, x, x, r, 0, true, false, false}));
    EXPECT_FALSE(doc.HasAxes());
    EXPECT_FALSE(doc.AxisX());
    const std::string text = doc.PlotDataText(ModeXYZ);
    EXPECT_EQ(text.substr(0, text.find('\n')), "Resultant\t No Curve Data:  No Curve Data:  No Curve Data: ");
    EXPECT_EQ(doc.Labels().title, "r.uds");
}

TEST_F(DocFixture, WindowChangeRecomputesAndAFailedLoadDropsTheResult)
{
    const std::string r = Head("r.uds", {Rect(1000, 200, 300, 50.0)});
    ASSERT_TRUE(doc.OpenFiles({"", "", "", r, 0, true, false, false}));
    const double hic36 = doc.Hic();
    EXPECT_TRUE(doc.SetWindow(15.0));
    EXPECT_NEAR(doc.Hic(), std::pow(50.0, 2.5) * 0.015, 1e-6 * doc.Hic());
    EXPECT_LT(doc.Hic(), hic36);
    EXPECT_FALSE(doc.OpenFiles({"", "", "", folder.File("gone.uds"), 0, true, false, false}));
    EXPECT_FALSE(doc.ResultReady());
    SurfaceParams p;
    EXPECT_FALSE(doc.SurfaceDefaults(p));
    SurfaceResult s;
    EXPECT_FALSE(doc.ComputeSurface(p, s));
    EXPECT_FALSE(doc.OnSaveDocument(folder.File("x.uds")));
}

TEST_F(DocFixture, SurfaceIgnoresTheUnitSystemOfTheHeader)
{
    std::vector<double> y = Rect(3000, 500, 200, 90.0);
    y[600] = -120.0;
    const std::string metric = Head("m.uds", {y});
    HeadFile english{y};
    english.dimSys = "ENG";
    const std::string eng = Head("e.uds", english);
    SurfaceResult results[2];
    int k = 0;
    for (const std::string &path : {metric, eng}) {
        ASSERT_TRUE(doc.OpenFiles({"", "", "", path, 0, true, false, false}));
        SurfaceParams p;
        ASSERT_TRUE(doc.SurfaceDefaults(p));
        EXPECT_NEAR(p.startTo, 0.2999 - 0.036, 1e-6);
        ASSERT_TRUE(doc.ComputeSurface(p, results[k++]));
    }
    ASSERT_EQ(results[0].values.size(), 17u * 132u);
    EXPECT_EQ(results[0].values, results[1].values);
    for (double v : results[0].values)
        ASSERT_TRUE(std::isfinite(v));
    EXPECT_GT(results[0].maximum, 0.0);
}

TEST_F(DocFixture, SurfaceDefaultsStartInsideTheRecord)
{
    // The record starts 5 ms after time zero.
    const std::string late = Head("late.uds", {Rect(2000, 300, 200, 70.0), kDt, 50});
    ASSERT_TRUE(doc.OpenFiles({"", "", "", late, 0, true, false, false}));
    SurfaceParams p;
    ASSERT_TRUE(doc.SurfaceDefaults(p));
    EXPECT_NEAR(p.startFrom, 0.005, 1e-6);
    SurfaceResult r;
    EXPECT_TRUE(doc.ComputeSurface(p, r)) << (doc.Messages().empty() ? "" : doc.Messages().back());
    EXPECT_GT(r.maximum, 0.0);
}

TEST_F(DocFixture, PlotModesChangeOnlyWhenTheirPlotCanBeShown)
{
    EXPECT_FALSE(doc.SetMode(ModeResultant));
    EXPECT_TRUE(hints.empty());
    // An open computes no SFC and has no axes.
    const std::string r = Head("r.uds", {Rect(2000, 300, 150, 60.0)});
    ASSERT_TRUE(doc.OpenFiles({"", "", "", r, 0, true, false, false}));
    EXPECT_EQ(doc.Mode(), ModeResultant);
    struct Case {
        int mode;
        bool switches;
    };
    // The surface is cancelled: the fake has no answer for its intervals.
    for (const Case c : {Case{ModeAis, true}, Case{ModeResultant, true}, Case{ModeXYZ, false}, Case{ModeSfc, false},
                         Case{ModeSurface, false}, Case{5, false}, Case{-1, false}}) {
        SCOPED_TRACE(c.mode);
        ASSERT_TRUE(doc.SetMode(ModeAis));
        hints.clear();
        EXPECT_EQ(doc.SetMode(c.mode), c.switches);
        EXPECT_EQ(doc.Mode(), c.switches ? c.mode : ModeAis);
        EXPECT_EQ(hints, c.switches ? std::vector<UpdateHint>{ShowModeHint(c.mode)} : std::vector<UpdateHint>{});
    }
    // A new open shows the resultant again.
    ASSERT_TRUE(doc.SetMode(ModeAis));
    ASSERT_TRUE(doc.OpenFiles({"", "", "", r, 0, true, false, false}));
    EXPECT_EQ(doc.Mode(), ModeResultant);
}

TEST_F(DocFixture, SurfaceIntervalsAreAskedAndARefusalKeepsThePreviousSurface)
{
    const std::string r = Head("r.uds", {Rect(3000, 500, 200, 90.0)});
    ASSERT_TRUE(doc.OpenFiles({"", "", "", r, 0, true, false, false}));
    SurfaceParams defaults, offered;
    ASSERT_TRUE(doc.SurfaceDefaults(defaults));
    int asked = 0;
    ui.surfaceAnswer = [&](SurfaceParams &p) {
        ++asked;
        offered = p;
        p.startTo = 0.1;
        return true;
    };
    ASSERT_TRUE(doc.SetMode(ModeSurface));
    EXPECT_EQ(asked, 1);
    EXPECT_DOUBLE_EQ(offered.startTo, defaults.startTo);
    EXPECT_DOUBLE_EQ(offered.windowEvery, defaults.windowEvery);
    EXPECT_EQ(doc.Mode(), ModeSurface);
    EXPECT_EQ(hints.back(), UpdateHint::ShowSurface);
    EXPECT_DOUBLE_EQ(doc.SurfaceIntervals().startTo, 0.1);
    EXPECT_EQ(doc.SurfaceValues().starts, 50);
    const std::vector<double> kept = doc.SurfaceValues().values;
    ASSERT_FALSE(kept.empty());

    struct Case {
        const char *what;
        std::function<bool(SurfaceParams &)> answer;
        int modeAfter;
        std::vector<UpdateHint> hints;
        std::vector<std::vector<std::string>> errorLists;
    };
    const Case cases[] = {
        {"cancel", [](SurfaceParams &) { return false; }, ModeSurface, {}, {}},
        {"outside the record",
         [](SurfaceParams &p) {
             p.startTo = 5.0;
             return true;
         },
         ModeResultant,
         {UpdateHint::ShowResultant},
         {{"Stop Time is after end of data"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        hints.clear();
        ui.errorLists.clear();
        ui.surfaceAnswer = c.answer;
        EXPECT_FALSE(doc.SetMode(ModeSurface));
        EXPECT_EQ(doc.Mode(), c.modeAfter);
        EXPECT_EQ(hints, c.hints);
        EXPECT_EQ(ui.errorLists, c.errorLists);
        EXPECT_EQ(doc.SurfaceValues().values, kept);
        EXPECT_DOUBLE_EQ(doc.SurfaceIntervals().startTo, 0.1);
    }
}

TEST_F(DocFixture, CommandLineSurfaceAsksForItsIntervals)
{
    const std::string r = Head("r.uds", {Rect(3000, 500, 200, 90.0)});
    int asked = 0;
    ui.surfaceAnswer = [&](SurfaceParams &p) {
        ++asked;
        p.startTo = 0.1;
        return true;
    };
    // Two files: no result, no prompt.
    EXPECT_EQ(doc.RunCommandLine({r, r}, 36.0, ModeSurface), ModeResultant);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(doc.RunCommandLine({r}, 36.0, ModeSurface), ModeSurface);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(doc.Mode(), ModeSurface);
    EXPECT_EQ(hints.back(), UpdateHint::ShowSurface);
    EXPECT_EQ(doc.SurfaceValues().starts, 50);
}

TEST_F(DocFixture, AWindowThatSuitedTheLastFileLetsTheNextOneBeComputed)
{
    // 20 kHz axis files take a 0.06 ms window: one step is 0.05 ms.
    const double fine = 5.0e-5;
    const std::string x = Head("x.uds", {Rect(4000, 600, 400, 60.0), fine, 0, "XG"});
    const std::string y = Head("y.uds", {Rect(4000, 600, 400, 40.0), fine, 0, "YG"});
    const std::string z = Head("z.uds", {Rect(4000, 600, 400, 20.0), fine, 0, "ZG"});
    // A 10 kHz resultant: one step is 0.1 ms, too long for that window.
    const std::string coarse = Head("coarse.uds", {Rect(2000, 300, 150, 80.0)});
    const auto openCoarseAfterFine = [&] {
        ASSERT_TRUE(doc.OpenFiles({x, y, z, "", 0, false, false, false}));
        ui.windowAnswers.push_back(0.06);
        doc.EditWindow();
        ASSERT_DOUBLE_EQ(doc.Window(), 0.06);
        ASSERT_TRUE(doc.SetMode(ModeXYZ));
        ui.errorLists.clear();
        hints.clear();
        EXPECT_FALSE(doc.OpenFiles({"", "", "", coarse, 0, true, false, false}));
        ASSERT_TRUE(doc.FileLoaded());
        EXPECT_FALSE(doc.ResultReady());
        ASSERT_EQ(ui.errorLists.size(), 1u);
        EXPECT_TRUE(Contains(ui.errorLists[0], "Window is shorter than one time step"));
        EXPECT_TRUE(Contains(ui.errorLists[0], "Fail to compute HIC Injury Criteria."));
        // Nothing of the axis files stays: their plot, name and result text.
        EXPECT_EQ(doc.Mode(), ModeResultant);
        EXPECT_EQ(doc.Labels().title, "coarse.uds");
        EXPECT_EQ(doc.Labels().subTitle, "");
        EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::Redraw});
        ui.errorLists.clear();
        hints.clear();
    };

    // A plot asked for with the same window says why again and stays without a result.
    openCoarseAfterFine();
    EXPECT_FALSE(doc.SetMode(ModeResultant));
    EXPECT_FALSE(doc.ResultReady());
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_TRUE(Contains(ui.errorLists[0], "Window is shorter than one time step"));

    struct Case {
        const char *what;
        std::function<void()> command;
        int mode;
        double window;
    };
    const Case cases[] = {
        {"HIC 15", [&] { doc.ChangeWindow(15.0, true); }, ModeResultant, 15.0},
        {"HIC 36", [&] { doc.ChangeWindow(36.0, true); }, ModeResultant, 36.0},
        {"no window", [&] { doc.ChangeWindow(0.0, false); }, ModeResultant, 0.0},
        {"window dialog",
         [&] {
             ui.windowAnswers.push_back(20.0);
             doc.EditWindow();
         },
         ModeResultant, 20.0},
        {"AIS", [&] { doc.ShowAis(); }, ModeAis, 15.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        openCoarseAfterFine();
        c.command();
        ASSERT_TRUE(doc.ResultReady());
        EXPECT_EQ(doc.Mode(), c.mode);
        EXPECT_DOUBLE_EQ(doc.Window(), c.window);
        ASSERT_FALSE(hints.empty());
        EXPECT_EQ(hints.back(), ShowModeHint(c.mode));
        EXPECT_TRUE(ui.errorLists.empty());
        EXPECT_EQ(doc.Labels().title, "coarse.uds");
        EXPECT_NE(doc.Labels().subTitle.find("HIC = "), std::string::npos);
        // The same HIC as the file opened with that window at once.
        CHICDoc fresh;
        fresh.RunCommandLine({coarse}, c.window, ModeResultant);
        ASSERT_TRUE(fresh.ResultReady());
        EXPECT_DOUBLE_EQ(doc.Hic(), fresh.Hic());
        EXPECT_DOUBLE_EQ(doc.T1(), fresh.T1());
        EXPECT_DOUBLE_EQ(doc.T2(), fresh.T2());
    }
}

TEST_F(DocFixture, SurfaceRunsBehindTheProgressWindowAndCancelKeepsWhatWasShown)
{
    // 20 s at 10 kHz.
    const std::string r = Head("long.uds", {Rect(200000, 5000, 300, 90.0)});
    ASSERT_TRUE(doc.OpenFiles({"", "", "", r, 0, true, false, false}));
    ui.surfaceAnswer = [](SurfaceParams &p) {
        p.startTo = 10.0;
        return true;
    };
    ASSERT_TRUE(doc.SetMode(ModeSurface));
    EXPECT_EQ(ui.progressTitles, std::vector<std::string>{"Response Surface"});
    EXPECT_EQ(ui.progressEnded, 1);
    EXPECT_GT(ui.progressTexts.size(), 1u);
    const std::vector<double> kept = doc.SurfaceValues().values;
    ASSERT_EQ(kept.size(), 17u * 5000u);

    for (const int shown : {ModeSurface, ModeAis}) {
        SCOPED_TRACE(shown);
        ASSERT_TRUE(doc.SetMode(shown) || shown == ModeSurface);
        hints.clear();
        ui.errorLists.clear();
        ui.cancelProgressAt = 1;
        ui.surfaceAnswer = [](SurfaceParams &p) {
            p.startTo = 15.0;
            p.windowEvery = 0.001;
            return true;
        };
        const int begun = ui.progressBegun;
        EXPECT_FALSE(doc.SetMode(ModeSurface));
        EXPECT_EQ(ui.progressBegun, begun + 1);
        EXPECT_EQ(ui.progressEnded, ui.progressBegun);
        EXPECT_EQ(doc.Mode(), shown);
        EXPECT_TRUE(hints.empty());
        EXPECT_TRUE(ui.errorLists.empty());
        EXPECT_EQ(doc.SurfaceValues().values, kept);
        EXPECT_DOUBLE_EQ(doc.SurfaceIntervals().startTo, 10.0);
        ui.cancelProgressAt = -1;
    }
}

} // namespace

// An "X-Y" file's own times decide its step: even times compute on their step whatever
// DEL says, uneven or backwards times are refused with the file named.
TEST_F(DocFixture, XYFileComputesOnItsOwnTimesOrIsRefusedNamingIt)
{
    const std::vector<double> y = Rect(1000, 200, 100, 80.0);
    std::vector<double> tenth, fifth, uneven;
    double ms = 0.0;
    for (int i = 0; i < 1000; ++i) {
        tenth.push_back(static_cast<float>(i * 1e-4));
        fifth.push_back(static_cast<float>(i * 2e-4));
        uneven.push_back(static_cast<float>(ms / 1000.0));
        ms += i % 2 == 0 ? 0.1 : 0.3;
    }
    std::vector<double> backwards = tenth;
    std::swap(backwards[500], backwards[501]);
    struct Case {
        const char *what;
        std::vector<double> x;
        float del;
        double hic, t1; // hic 0: refused
        std::string cause;
    } cases[] = {
        {"0.1 ms apart, DEL 0", tenth, 0.0F, RectHic(80.0, 100), 20.0, ""},
        {"0.2 ms apart, DEL 0.1 ms", fifth, 1e-4F, RectHic(80.0, 100, 2e-4), 40.0, ""},
        {"0.1 and 0.3 ms apart, DEL 0.1 ms", uneven, 1e-4F, 0.0, 0.0,
         ": HIC - Invalid Time Step, must have constant time increment - no constant time step: its times are "
         "not evenly spaced"},
        {"a time that goes backwards", backwards, 1e-4F, 0.0, 0.0,
         ": HIC - X axis data is not monotonically increasing"},
    };
    int k = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = folder.File("xy" + std::to_string(k++) + ".uds");
        WriteHeadXY(path, {y}, c.x, c.del);
        ui.errorLists.clear();
        doc.RunCommandLine({path}, 36.0, ModeResultant);
        if (c.hic > 0.0) {
            ASSERT_TRUE(doc.ResultReady());
            EXPECT_NEAR(doc.Hic(), c.hic, 1e-6 * c.hic);
            EXPECT_NEAR(doc.T1(), c.t1, 1e-3);
            continue;
        }
        EXPECT_FALSE(doc.ResultReady());
        ASSERT_EQ(ui.errorLists.size(), 1u);
        EXPECT_TRUE(Contains(ui.errorLists[0], path + c.cause)) << ::testing::PrintToString(ui.errorLists[0]);
    }

    // Three axis files on uneven times: the filter that makes them class 1000 refuses the first.
    std::vector<std::string> axes;
    for (const char *axis : {"XG", "YG", "ZG"}) {
        axes.push_back(folder.File(std::string(axis) + ".uds"));
        HeadFile f{y};
        f.axis = axis;
        WriteHeadXY(axes.back(), f, uneven, 1e-4F);
        kx::CUDSFile file;
        file.ReadFile(axes.back());
        file.SetPreFil(0.0F); // unfiltered
        file.WriteFile(axes.back());
    }
    ui.errorLists.clear();
    doc.RunCommandLine(axes, 36.0, ModeResultant);
    EXPECT_FALSE(doc.ResultReady());
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_TRUE(Contains(ui.errorLists[0], axes[0] + ": Nonpositive time step - no constant time step"))
        << ::testing::PrintToString(ui.errorLists[0]);
}

TEST_F(DocFixture, InfiniteSamplesAreReportedPerFile)
{
    const std::string x = Head("x.uds", {Rect(1000, 200, 100, 60.0), kDt, -100, "XG"});
    const std::string y = Head("y.uds", {Rect(1000, 200, 100, 80.0), kDt, -100, "YG"});
    const std::string z = Head("z.uds", {std::vector<double>(1000, 0.0), kDt, -100, "ZG"});
    kx::test::StoreInfiniteSamples(x, {250, 251});
    kx::test::StoreNaNSamples(z, {0});
    doc.RunCommandLine({x, y, z}, 15.0, ModeResultant);
    ASSERT_FALSE(ui.errorLists.empty());
    EXPECT_TRUE(Contains(ui.errorLists[0], x + ": 2 samples are infinite"));
    EXPECT_TRUE(Contains(ui.errorLists[0], z + ": 1 sample stored as NaN was read as 0"));
}
