#include "Mirvane/core/SummaryText.h"
#include "Mirvane/document/CMirvaneDoc.h"
#include "platform/CSettings.h"
#include "signal/tests/UdsTestFile.h"
#include "support/FakeMirvaneUi.h"
#include "support/MirvaneFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cmath>
#include <functional>
#include <fstream>
#include <sstream>

using namespace mirvane;
using mirvane_test::FakeMirvaneUi;
using mirvane_test::SignalFolder;

namespace {

std::string ReadAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

CSelectFilesValues Choice(std::vector<std::string> files, const std::string &reference, int kind = 0)
{
    CSelectFilesValues v;
    v.files = std::move(files);
    v.referenceFile = reference;
    v.referenceKind = kind;
    v.filter = false;
    v.truncate = false;
    return v;
}

struct Fixture {
    SignalFolder folder;
    FakeMirvaneUi ui;
    CMirvaneDoc doc{&ui, mirvane_test::TestSettingsName()};
    std::vector<int> hints;
    Fixture()
    {
        QObject::connect(&doc, &CMirvaneDoc::Updated,
                         [this](mirvane::UpdateHint hint) { hints.push_back(static_cast<int>(hint)); });
    }
    void Select(const CSelectFilesValues &v)
    {
        ui.selections.push_back(v);
        doc.OnSelectFiles();
    }
};

// A reference over 0..10 ms against a signal over -2..15 ms: every kind drawn twice
// gives the same curves and leaves the results alone.
TEST(MirvaneDocRun, ChosenReferenceEveryKindTwice)
{
    Fixture f;
    const std::string ref = f.folder.Uds("ref.uds", 0, 101, 1e-4, [](double t) { return 1000 * t; });
    const std::string sig = f.folder.Uds("sig.uds", -20, 171, 1e-4, [](double t) { return 1000 * t + 0.5; });
    f.Select(Choice({sig}, ref));
    ASSERT_TRUE(f.ui.errorLists.empty()) << f.ui.errorLists.front().front();
    ASSERT_EQ(f.doc.Records().size(), 1u);
    EXPECT_EQ(f.doc.CurrentPlotKind(), PlotSummary);
    EXPECT_EQ(f.doc.PlotKinds(), (std::vector<int>{1, 7, 8, 9, 4, 3, 5, 6, 10, 11}));
    EXPECT_EQ(f.hints, std::vector<int>{1});
    EXPECT_EQ(f.ui.openWaitCursors, 0);
    const CSignal &record = f.doc.Records()[0];
    EXPECT_EQ(record.GetReferenceName(), ref);
    EXPECT_NEAR(record.Comparison().GetResidualSum() / record.Comparison().GetCount(), 0.5, 1e-4);
    const std::vector<double> y = record.Signal().GetY();
    for (int kind = 2; kind <= 11; ++kind) {
        ASSERT_TRUE(f.doc.SetPlot(kind)) << kind;
        const std::vector<double> x1 = f.doc.ChartX(), y1 = f.doc.ChartY();
        ASSERT_TRUE(f.doc.SetPlot(kind));
        EXPECT_EQ(f.doc.ChartX(), x1) << kind;
        EXPECT_EQ(f.doc.ChartY(), y1) << kind;
        EXPECT_EQ(static_cast<std::size_t>(f.doc.PointCount() * f.doc.SeriesCount()), f.doc.ChartX().size());
        EXPECT_EQ(f.doc.Records()[0].Signal().GetY(), y) << kind;
        EXPECT_TRUE(f.ui.messages.empty()) << kind << " " << f.ui.messages.front();
    }
    // A kind outside 1..11 changes neither the kind nor the curves.
    const auto before = f.doc.ChartY();
    EXPECT_FALSE(f.doc.SetPlot(12));
    EXPECT_EQ(f.doc.CurrentPlotKind(), PlotCrossCorrelation);
    EXPECT_EQ(f.doc.ChartY(), before);
}

// Failed runs of every kind leave the previous results, report the reason and restore the cursor.
// Every file read for the run, the reference included, warns of its samples stored as NaN.
TEST(MirvaneDocRun, SamplesStoredAsNaNAreReportedWithTheRun)
{
    Fixture f;
    const std::string ref = f.folder.Uds("ref.uds", 0, 101, 1e-4, [](double t) { return 1000 * t; });
    const std::string a = f.folder.Uds("a.uds", 0, 101, 1e-4, [](double t) { return 1000 * t + 0.5; });
    const std::string b = f.folder.Uds("b.uds", 0, 101, 1e-4, [](double t) { return 1000 * t - 0.5; });
    kx::test::StoreNaNSamples(ref, {50});
    kx::test::StoreNaNSamples(b, {1, 2});
    f.Select(Choice({a, b}, ref));
    ASSERT_EQ(f.doc.Records().size(), 2u);
    ASSERT_EQ(f.ui.errorLists.size(), 1u);
    EXPECT_EQ(f.ui.errorLists[0], (std::vector<std::string>{b + ": 2 samples stored as NaN were read as 0",
                                                            ref + ": 1 sample stored as NaN was read as 0"}));
}

// Times read one by one: uneven ones are resampled where the run resamples (before the
// filter too); backwards ones, empty and one-point files are refused in one line each.
TEST(MirvaneDocRun, XYTimesAreResampledOrRefusedNamingTheFile)
{
    const auto ramp = [](double t) { return 1000 * t; };
    std::vector<double> uneven;
    double ms = 0.0;
    for (int i = 0; i < 200; ++i) {
        uneven.push_back(static_cast<float>(ms / 1000.0));
        ms += i % 2 == 0 ? 0.1 : 0.3;
    }
    std::vector<double> backwards = uneven;
    std::swap(backwards[20], backwards[21]);
    struct Case {
        const char *what;
        std::function<std::string(const SignalFolder &)> make;
        std::string refusal; // after the file's name; empty: compared
    } cases[] = {
        {"uneven, DEL 0.1 ms", [&](const SignalFolder &d) { return d.XYUds("uneven.uds", uneven, 1e-4F, ramp); }, ""},
        {"backwards", [&](const SignalFolder &d) { return d.XYUds("back.uds", backwards, 1e-4F, ramp); },
         ": X axis data is not monotonically increasing"},
        {"empty", [](const SignalFolder &d) { return d.Text("empty.uds", ""); }, " is empty"},
        {"one point", [](const SignalFolder &d) { return d.Text("one.txt", "0.001 5\n"); },
         ": too few points to compare (1 point, at least 2 are needed)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        const std::string ref = f.folder.Uds("ref.uds", 0, 600, 1e-4, ramp);
        const std::string path = c.make(f.folder);
        CSelectFilesValues choice = Choice({path}, ref);
        choice.filter = true;
        f.Select(choice);
        if (c.refusal.empty()) {
            ASSERT_EQ(f.doc.Records().size(), 1u);
            const CSignal &record = f.doc.Records()[0];
            EXPECT_NEAR(record.Comparison().GetResidualSum() / record.Comparison().GetCount(), 0.0, 0.01);
            continue;
        }
        ASSERT_EQ(f.ui.errorLists.size(), 1u);
        EXPECT_EQ(f.ui.errorLists[0], std::vector<std::string>{path + c.refusal});
    }

    Fixture f;
    const std::string ref = f.folder.Uds("ref.uds", 0, 101, 1e-4, ramp);
    const std::string a = f.folder.Uds("a.uds", 0, 101, 1e-4, ramp);
    kx::test::StoreInfiniteSamples(a, {7});
    f.Select(Choice({a}, ref));
    ASSERT_FALSE(f.ui.errorLists.empty());
    EXPECT_EQ(f.ui.errorLists[0].front(), a + ": 1 sample is infinite");
}

// A failed run leaves no results: nothing of the run before it is shown, plotted or
// exported as if it belonged to the files now listed.
TEST(MirvaneDocRun, FailuresClearThePreviousRun)
{
    Fixture f;
    std::vector<std::string> five;
    for (int i = 0; i < 5; ++i)
        five.push_back(f.folder.Uds("s" + std::to_string(i) + ".uds", 0, 200, 1e-4, [i](double t) { return i + t; }));
    const std::string ref = f.folder.Uds("ref.uds", 0, 200, 1e-4, [](double t) { return t; });

    const std::string garbage = f.folder.Text("garbage.uds", "this is neither\nuds nor points\n");
    const std::string late = f.folder.Uds("late.uds", 1000, 100, 1e-4, [](double t) { return t; });
    struct Case {
        const char *name;
        CSelectFilesValues choice;
        std::string expected; // a part of the first error text
        bool missing = false; // a file that is not there
    };
    const std::vector<Case> cases = {
        {"unreadable file", Choice({five[0], garbage}, ref), garbage + ": "},
        {"listed file missing", Choice({five[0], f.folder.Path("gone.uds")}, ref), "gone.uds: ", true},
        {"missing reference", Choice({five[0]}, f.folder.Path("none.uds")), "none.uds: ", true},
        {"reference not overlapping", Choice({five[0]}, late), "Error Computing the time range for evaluation"},
        {"average without common range", Choice({five[0], late}, "", 1),
         "Error Computing the time range for evaluation"},
        {"truncation outside the signal",
         [&] {
             auto c = Choice({five[0]}, ref);
             c.truncate = true;
             c.minTime = 5;
             c.maxTime = 6;
             return c;
         }(),
         five[0] + ": "},
    };
    for (const Case &c : cases) {
        f.Select(Choice(five, ref));
        ASSERT_EQ(f.doc.Records().size(), 5u) << c.name;
        ASSERT_TRUE(f.doc.SetPlot(PlotResiduals)) << c.name;
        ASSERT_TRUE(f.doc.CanSave()) << c.name;
        f.ui.errorLists.clear();
        f.ui.clipboard.clear();
        f.ui.saveTitles.clear();
        f.hints.clear();

        f.Select(c.choice);
        ASSERT_EQ(f.ui.errorLists.size(), 1u) << c.name;
        EXPECT_NE(f.ui.errorLists[0][0].find(c.expected), std::string::npos) << c.name << ": " << f.ui.errorLists[0][0];
        // A file that is not there is said to be so once, not once per reader.
        if (c.missing) {
            EXPECT_EQ(f.ui.errorLists[0][0].find("as points text"), std::string::npos) << f.ui.errorLists[0][0];
        }
        EXPECT_TRUE(f.doc.Records().empty()) << c.name;
        EXPECT_FALSE(f.doc.HasSignals()) << c.name;
        EXPECT_TRUE(f.doc.LoadedSignals().empty()) << c.name;
        EXPECT_TRUE(f.doc.PlotKinds().empty()) << c.name;
        EXPECT_TRUE(f.doc.Series().empty()) << c.name;
        EXPECT_TRUE(f.doc.ChartX().empty()) << c.name;
        EXPECT_FALSE(f.doc.CanSave()) << c.name;
        EXPECT_NE(f.doc.CurrentPlotKind(), PlotResiduals) << c.name;
        // The views learn of it as of any run.
        EXPECT_EQ(f.hints, std::vector<int>{1}) << c.name;
        EXPECT_EQ(f.ui.openWaitCursors, 0) << c.name;
        // Nothing is exported in the name of the new list.
        f.doc.CopyData({0, 1});
        f.doc.OnSaveHtml({0, 1});
        f.doc.OnSaveUds();
        f.doc.OnSaveAscii();
        f.doc.ShowHeaders();
        EXPECT_TRUE(f.ui.clipboard.empty()) << c.name;
        EXPECT_TRUE(f.ui.saveTitles.empty()) << c.name;
        EXPECT_TRUE(f.ui.headerShown.empty()) << c.name;
    }
    // The dialog offers the names of the failed run again, to be mended.
    f.ui.selections.push_back(std::nullopt);
    f.doc.OnSelectFiles();
    EXPECT_EQ(f.ui.shownSelections.back().files, std::vector<std::string>{five[0]});
    // Two unreadable files: both are listed.
    f.ui.errorLists.clear();
    const std::string garbage2 = f.folder.Text("garbage2.txt", "1 2 x\n");
    f.Select(Choice({garbage, five[1], garbage2}, ref));
    ASSERT_EQ(f.ui.errorLists.size(), 1u);
    ASSERT_EQ(f.ui.errorLists[0].size(), 2u);
    EXPECT_EQ(f.ui.errorLists[0][1].rfind(garbage2, 0), 0u);
}

// A file with fewer than two points is named with the reason in one line, as an
// evaluated file and as the reference, and nothing is compared.
TEST(MirvaneDocRun, FilesWithTooFewPointsAreNamed)
{
    Fixture f;
    const std::string a = f.folder.Uds("a.uds", 0, 100, 1e-4, [](double t) { return t; });
    const std::string ref = f.folder.Uds("ref.uds", 0, 100, 1e-4, [](double t) { return 2 * t; });
    const std::string oneLine = f.folder.Text("one.txt", "0.001 5.0\n");
    const std::string onePoint = f.folder.Text("single.dat", "0.0\t3.0");
    const std::string tooFew = ": too few points to compare (1 point, at least 2 are needed)";
    struct Case {
        const char *name;
        CSelectFilesValues choice;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"one-line text file", Choice({a, oneLine}, ref), oneLine + tooFew},
        {"one point without a line end", Choice({onePoint, a}, ref), onePoint + tooFew},
        {"one-line text reference", Choice({a}, oneLine), oneLine + tooFew},
        {"one-line text in an average", Choice({a, oneLine}, "", 1), oneLine + tooFew},
    };
    for (const Case &c : cases) {
        f.ui.errorLists.clear();
        f.Select(c.choice);
        ASSERT_EQ(f.ui.errorLists.size(), 1u) << c.name;
        EXPECT_EQ(f.ui.errorLists[0], std::vector<std::string>{c.expected}) << c.name;
        EXPECT_TRUE(f.doc.Records().empty()) << c.name;
    }
}

// A new run resets the plot to the Summary and leaves nothing to save.
TEST(MirvaneDocRun, NewRunResetsThePlot)
{
    Fixture f;
    const std::string a = f.folder.Uds("a.uds", 0, 100, 1e-4, [](double t) { return t; });
    const std::string b = f.folder.Uds("b.uds", 0, 100, 1e-4, [](double t) { return 2 * t; });
    f.Select(Choice({a, b}, "", 1));
    ASSERT_TRUE(f.doc.SetPlot(PlotCrossCorrelation));
    EXPECT_TRUE(f.doc.CanSave());
    f.Select(Choice({a}, b));
    EXPECT_EQ(f.doc.CurrentPlotKind(), PlotSummary);
    EXPECT_TRUE(f.doc.Series().empty());
    EXPECT_FALSE(f.doc.CanSave());
    f.doc.OnSaveUds();
    f.doc.OnSaveAscii();
    EXPECT_TRUE(f.ui.saveTitles.empty());
    // The dialog comes back with the current names and reference.
    f.ui.selections.push_back(std::nullopt);
    f.doc.OnSelectFiles();
    EXPECT_EQ(f.ui.shownSelections.back().files, std::vector<std::string>{a});
    EXPECT_EQ(f.ui.shownSelections.back().referenceFile, b);
    EXPECT_EQ(f.doc.Records().size(), 1u);
}

// The average of signals at two steps: common step, window and length.
// A plot kind that fails (an integral of a single point) reports it and keeps the plot shown.
TEST(MirvaneDocRun, FailedPlotKeepsThePreviousOne)
{
    Fixture f;
    const std::string ref = f.folder.Uds("ref.uds", 0, 101, 1e-4, [](double t) { return t; });
    const std::string two = f.folder.Uds("two.uds", 50, 2, 1e-4, [](double t) { return t; });
    f.Select(Choice({two}, ref));
    ASSERT_EQ(f.doc.Records().size(), 1u);
    ASSERT_EQ(f.doc.Records()[0].Signal().GetY().size(), 1u);
    ASSERT_TRUE(f.doc.SetPlot(PlotAcceleration));
    const auto y = f.doc.ChartY();
    f.hints.clear();
    EXPECT_FALSE(f.doc.SetPlot(PlotVelocity));
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0], "Too few data points to compute an Integral");
    EXPECT_EQ(f.doc.CurrentPlotKind(), PlotAcceleration);
    EXPECT_EQ(f.doc.ChartY(), y);
    EXPECT_EQ(f.doc.Labels().front(), "Reference");
    EXPECT_TRUE(f.hints.empty());
}

TEST(MirvaneDocRun, AverageOfTwoSteps)
{
    Fixture f;
    const std::string fine = f.folder.Uds("fine.uds", 0, 201, 1e-4, [](double t) { return 100 * t; });
    const std::string coarse = f.folder.Uds("coarse.uds", 5, 46, 2e-4, [](double t) { return 100 * t + 1.0; });
    f.Select(Choice({fine, coarse}, "", 1));
    ASSERT_TRUE(f.ui.errorLists.empty()) << f.ui.errorLists.front().front();
    const kx::CNSignal &avg = f.doc.Reference().Signal();
    EXPECT_NEAR(avg.GetDel(), 2e-4, 1e-10);
    EXPECT_EQ(avg.GetStatus(), "COMPUTED");
    ASSERT_FALSE(avg.GetY().empty());
    for (std::size_t i = 0; i < avg.GetY().size(); ++i)
        EXPECT_NEAR(avg.GetY()[i], 100 * avg.GetX()[i] + 0.5, 1e-6) << i;
    for (const CSignal &r : f.doc.Records()) {
        EXPECT_EQ(r.GetReferenceName(), "Average of 2 files");
        EXPECT_GE(r.Comparison().GetCount(), 40);
    }
}

TEST(MirvaneDocRun, CommandLineAveragesAndFilters)
{
    Fixture f;
    std::vector<std::string> files;
    for (int i = 0; i < 3; ++i)
        files.push_back(f.folder.Uds(
            "c" + std::to_string(i) + ".uds", 0, 2000, 1e-4, [i](double t) { return std::sin(300 * t) + i; }, "N"));
    files.push_back(f.folder.Text("points.txt", [] {
        std::string s;
        for (int i = 0; i < 2000; ++i)
            s += std::to_string(i * 1e-4) + " " + std::to_string(std::sin(300 * i * 1e-4)) + "\n";
        return s;
    }()));
    f.doc.Run(files, 1000, 0.0, 0.0);
    ASSERT_EQ(f.doc.Records().size(), 4u);
    EXPECT_EQ(f.doc.ReferenceKind(), 1);
    EXPECT_EQ(f.doc.Records()[0].GetColumnText(13), "Average of 4 files");
    EXPECT_EQ(f.doc.Records()[0].Signal().GetFilterClass(), 1000);
    EXPECT_EQ(f.doc.Records()[3].Signal().GetTstSrc(), "ASCII File");
    EXPECT_NE(f.doc.Records()[3].Signal().GetFilterClass(), 1000);
    EXPECT_EQ(f.doc.PlotKinds(), (std::vector<int>{1, 2, 4, 3, 5, 6, 10, 11}));
    // An empty command line does nothing.
    f.doc.Run({}, 1000, 0, 0);
    EXPECT_EQ(f.doc.Records().size(), 4u);
}

// Computed series are written with their X and read back with it.
TEST(MirvaneDocSave, ComputedSeriesRoundTrip)
{
    Fixture f;
    const std::string a = f.folder.Uds("a.uds", 0, 300, 1e-4, [](double t) { return std::sin(900 * t); });
    const std::string b =
        f.folder.Uds("b.uds", 0, 300, 1e-4, [](double t) { return std::sin(900 * t) + 0.1 * std::cos(3000 * t); });
    f.Select(Choice({a}, b));
    for (const int kind : {PlotCumulativeDensity, PlotCrossCorrelation}) {
        ASSERT_TRUE(f.doc.SetPlot(kind));
        const std::string out = f.folder.Path("saved" + std::to_string(kind) + ".uds");
        // Every series but the last is cancelled.
        f.ui.saveFiles.assign(f.doc.Series().size() - 1, "");
        f.ui.saveFiles.push_back(out);
        f.ui.saveTitles.clear();
        f.doc.OnSaveUds();
        ASSERT_EQ(f.ui.saveTitles.size(), f.doc.Series().size());
        EXPECT_EQ(f.ui.saveTitles.back(), "Save " + f.doc.Labels().back() + " as");
        kx::CNSignal back;
        back.LoadUDSFile(out);
        const kx::CNSignal &series = f.doc.Series().back();
        ASSERT_EQ(back.GetX().size(), series.GetX().size()) << kind;
        for (std::size_t i = 0; i < series.GetX().size(); ++i) {
            EXPECT_NEAR(back.GetX()[i], series.GetX()[i], 1e-6 + 1e-6 * std::fabs(series.GetX()[i]))
                << kind << " " << i;
            EXPECT_NEAR(back.GetY()[i], series.GetY()[i], 1e-4 + 1e-6 * std::fabs(series.GetY()[i]))
                << kind << " " << i;
        }
    }
    kxplatform::CSettings settings(mirvane_test::TestSettingsName());
    EXPECT_EQ(settings.GetString("UdsOutputDir"), f.folder.Path(""));
}

TEST(MirvaneDocSave, AsciiLinesAndWriteFailures)
{
    // Two series of 3 and 5 points: 5 lines, the shorter padded with zeros.
    kx::CNSignal s3, s5;
    s3.SetDel(0.0);
    s3.SetNLP(2);
    s3.SetXYData({1, 2, 3}, {10, 20, 30});
    s5.SetDel(0.0);
    s5.SetNLP(4);
    s5.SetXYData({1, 2, 3, 4, 5}, {1, 2, 3, 4, 5.5});
    EXPECT_EQ(AsciiText({s3, s5}), "1 10 1 1 \n2 20 2 2 \n3 30 3 3 \n0.0 0.0 4 4 \n0.0 0.0 5 5.5 \n");
    std::vector<double> x, y;
    EXPECT_EQ(PackSeries({s3, s5}, x, y), 5);
    EXPECT_EQ(x, (std::vector<double>{1, 2, 3, kMissingValue, kMissingValue, 1, 2, 3, 4, 5}));

    Fixture f;
    const std::string a = f.folder.Uds("a.uds", 0, 100, 1e-4, [](double t) { return t; });
    f.Select(Choice({a}, a));
    ASSERT_TRUE(f.doc.SetPlot(PlotAcceleration));
    kxplatform::CSettings settings(mirvane_test::TestSettingsName());
    settings.SetString("AsciiOutputDir", "/kept/");
    settings.SetString("UdsOutputDir", "/kept/");
    settings.Sync();
    const std::string bad = f.folder.Path("no/such/folder/out.txt");
    f.ui.saveFiles = {bad, bad};
    f.doc.OnSaveAscii();
    f.doc.OnSaveHtml({0, 1});
    ASSERT_EQ(f.ui.messages.size(), 2u);
    EXPECT_EQ(f.ui.messages[0], "Failure to write file: " + bad);
    EXPECT_EQ(f.ui.messages[1], "Failure to write file: " + bad);
    kxplatform::CSettings after(mirvane_test::TestSettingsName());
    EXPECT_EQ(after.GetString("AsciiOutputDir"), "/kept/");
    EXPECT_EQ(after.GetString("UdsOutputDir"), "/kept/");

    const std::string good = f.folder.Path("out.txt");
    f.ui.saveFiles = {good};
    f.doc.OnSaveAscii();
    EXPECT_EQ(ReadAll(good).substr(0, 2), "0 ");
}

TEST(MirvaneDocHtml, EscapedNamesAndColumnOrder)
{
    Fixture f;
    const std::string odd = f.folder.Uds("a<&\">.uds", 0, 100, 1e-4, [](double t) { return 100 + t; });
    const std::string ref = f.folder.Uds("ref.uds", 0, 100, 1e-4, [](double t) { return 100 + t + 0.01; });
    f.Select(Choice({odd}, ref));
    ASSERT_EQ(f.doc.Records().size(), 1u);
    const std::string out = f.folder.Path("summary.html");
    f.ui.saveFiles = {out};
    f.doc.OnSaveHtml({5, 0, 1});
    const std::string html = ReadAll(out);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_EQ(html.find("a<&\">"), std::string::npos);
    EXPECT_NE(html.find("a&lt;&amp;&quot;&gt;.uds"), std::string::npos);
    const auto corr = html.find("<B>Correlation Factor</B>");
    const auto name = html.find("<B>Filename</B>");
    EXPECT_LT(corr, name);
    const CSignal &record = f.doc.Records()[0];
    EXPECT_NE(html.find("\t<TD bgcolor=\"#00E000\" >" + record.GetColumnText(5) + "</TD>\n"), std::string::npos);
    // The peak column is white: no colour attribute at all.
    EXPECT_NE(html.find("\t<TD >" + record.GetColumnText(1) + "</TD>\n"), std::string::npos);
}

TEST(MirvaneDocEdit, CriticalValuesCorridorAndHeaders)
{
    Fixture f;
    f.ui.corridorSize = 2.5;
    f.doc.OnCorridorSize();
    EXPECT_EQ(f.doc.CorridorSize(), 2.5);
    CCriticalValues loose;
    loose.tStatistic = 99.0;
    f.ui.criticalValues = loose;
    f.doc.OnCriticalValues();
    EXPECT_EQ(CriticalValues().tStatistic, 99.0);
    CriticalValues() = CCriticalValues{};
    EXPECT_EQ(f.hints, (std::vector<int>{2, 2}));

    f.doc.ShowHeaders();
    EXPECT_TRUE(f.ui.headerShown.empty());
    const std::string a = f.folder.Uds("a.uds", 0, 100, 1e-4, [](double t) { return t; });
    f.Select(Choice({a}, a));
    EXPECT_EQ(f.doc.Records()[0].Comparison().GetCorridorSize(), 2.5);
    f.doc.ShowHeaders();
    ASSERT_EQ(f.ui.headerShown.size(), 1u);
    // Header copies carry no samples.
    EXPECT_TRUE(f.ui.headerShown[0][0]->GetY().empty());
    EXPECT_EQ(f.ui.headerShown[0][0]->GetNLP(), 99);
}

} // namespace
