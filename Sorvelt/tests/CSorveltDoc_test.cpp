#include "Sorvelt/document/CSorveltDoc.h"

#include "Sorvelt/core/MadymoWriter.h"
#include "signal/CNSignal.h"
#include "support/SorveltTestSupport.h"

#include <QApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace sorvelt;
using namespace sorvelttest;
namespace fs = std::filesystem;

namespace {

class SorveltDocTest : public ::testing::Test {
protected:
    SorveltDocTest()
        : doc(&ui, settings.Program())
    {}
    std::vector<double> Y(std::size_t k) const { return doc.GetCurves().at(k).Signal().GetY(); }
    std::vector<std::vector<double>> AllY() const
    {
        std::vector<std::vector<double>> all;
        for (const CSignal &c : doc.GetCurves())
            all.push_back(c.Signal().GetY());
        return all;
    }

    TempFolder folder;
    ScratchSettings settings;
    FakeUi ui;
    CSorveltDoc doc;
};

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Fields(const std::string &line)
{
    std::vector<std::string> fields;
    std::string field;
    for (char c : line) {
        if (c == '\t') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    return fields;
}

std::string ReadAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

// Opening B after A (same layout) leaves nothing of A: no selection, curves,
// packed arrays or plot texts; curves ticked afterwards come from B.
TEST_F(SorveltDocTest, OpeningAFileEmptiesEverythingOfThePreviousOne)
{
    const std::string a = WriteSimulation(folder.File("a.dat"), 2, 3, 20, 0.1, 1.0);
    const std::string b = WriteSimulation(folder.File("b.dat"), 2, 3, 20, 0.1, 5.0);
    QSignalSpy updates(&doc, &CSorveltDoc::Updated);
    ASSERT_TRUE(doc.OpenDocument(a));
    doc.SetSelection({5});
    ASSERT_EQ(doc.GetCurveCount(), 1);
    EXPECT_NEAR(Y(0).at(0), 120.0, 1e-9);
    EXPECT_FALSE(doc.GetTitle().empty());

    ui.openFiles.push_back(b);
    RunCommand(doc, [&] { doc.OnFileOpen(); });
    EXPECT_TRUE(doc.GetSelection().empty());
    EXPECT_TRUE(doc.GetCurves().empty());
    EXPECT_TRUE(doc.GetChartX().empty());
    EXPECT_TRUE(doc.GetChartY().empty());
    EXPECT_EQ(doc.GetCurveCount(), 0);
    EXPECT_EQ(doc.GetPointsPerCurve(), 0);
    EXPECT_EQ(doc.GetTitle(), "");
    EXPECT_EQ(doc.GetSubTitle(), "");
    EXPECT_EQ(doc.GetYLabel(), "");
    EXPECT_EQ(ui.windowTexts.back(), "b.dat");
    EXPECT_EQ(ui.recentFiles, (std::vector<std::string>{a, b}));
    EXPECT_EQ(updates.back().at(0).toInt(), int(UpdateHint::All));

    doc.SetSelection({5});
    EXPECT_NEAR(Y(0).at(0), 600.0, 1e-9);

    // New empties it all too.
    doc.OnNewDocument();
    EXPECT_FALSE(doc.IsLoaded());
    EXPECT_TRUE(doc.GetCurves().empty());
    EXPECT_TRUE(doc.GetChartY().empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SorveltDocTest, AFailedOpenChangesNothingAndShowsTheReadersMessage)
{
    const std::string a = WriteSimulation(folder.File("a.dat"), 2, 3, 20);
    ASSERT_TRUE(doc.OpenDocument(a));
    doc.SetSelection({0, 4});
    const auto before = AllY();
    const auto x = doc.GetChartX();

    const std::string broken = folder.File("broken.dat");
    std::ofstream(broken) << "one\ntwo\nthree four\n";
    EXPECT_FALSE(doc.OpenDocument(broken));
    EXPECT_FALSE(doc.OpenDocument(folder.File("missing.dat")));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].find("line 3 does not hold the numbers"), std::string::npos) << ui.messages[0];
    EXPECT_NE(ui.messages[1].find("missing.dat"), std::string::npos) << ui.messages[1];

    EXPECT_EQ(doc.GetSelection(), (std::vector<unsigned>{0, 4}));
    EXPECT_EQ(AllY(), before);
    EXPECT_EQ(doc.GetChartX(), x);
    EXPECT_EQ(doc.GetParameterNames().size(), 2u);
    EXPECT_EQ(doc.GetFileName(), "a");
    // The file still gives curves.
    RunCommand(doc, [&] { doc.OnReload(); });
    EXPECT_EQ(AllY(), before);
    EXPECT_EQ(ui.recentFiles.size(), 1u);
}

// A file named relative to the working folder stores its absolute folder as InputDir,
// where the next File Open starts.
TEST_F(SorveltDocTest, ARelativeNameStoresTheAbsoluteFolder)
{
    fs::create_directories(folder.Path() / "sub");
    WriteSimulation(folder.File("a.dat"), 2, 3, 5);
    WriteSimulation(folder.File("sub/b.dat"), 2, 3, 5);
    struct WorkingFolder {
        fs::path before = fs::current_path();
        explicit WorkingFolder(const fs::path &to) { fs::current_path(to); }
        ~WorkingFolder() { fs::current_path(before); }
    } working(folder.Path());
    const fs::path here = fs::current_path();
    const struct {
        const char *name;
        fs::path folder;
    } cases[] = {
        {"a.dat", here},
        {"./a.dat", here},
        {"sub/b.dat", here / "sub"},
        {"sub/../sub/b.dat", here / "sub"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(doc.OpenDocument(c.name));
        EXPECT_EQ(doc.GetFolder(), c.folder.string());
        EXPECT_EQ(doc.GetInputDir(), c.folder.string());
        ui.openFiles.clear();
        RunCommand(doc, [&] { doc.OnFileOpen(); }); // cancelled: only the folder it started in is seen
        EXPECT_EQ(ui.openRequests.back().startFolder, c.folder.string());
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SorveltDocTest, SelectionKeepsOrderAndPlotTextsFollowTheCurves)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 3, 4, 30)));
    doc.SetSelection({5});
    EXPECT_EQ(doc.GetTitle(), "Test 0, Curve 0 - ");
    EXPECT_EQ(doc.GetYLabel(), "N");
    EXPECT_EQ(doc.GetXLabel(), "Time in Seconds");
    // Ymin 110 at 0 ms, Ymax 139 at 2.9 ms: the text is cut at 47 characters.
    EXPECT_EQ(doc.GetSubTitle(), std::string("Ymin   110.00 @0.0, Ymax   139.00 @ 2.9").substr(0, 47));

    doc.SetSelection({5, 0, 9});
    EXPECT_EQ(doc.GetYLabel(), "Mixed Units");
    EXPECT_EQ(doc.GetTitle(), "");
    EXPECT_EQ(doc.GetSubTitle(), "");
    doc.SetSelection({9, 5}); // 0 goes, the others keep their order
    ASSERT_EQ(doc.GetCurves().size(), 2u);
    EXPECT_EQ(doc.GetCurves()[0].CurveNumber(), 5u);
    EXPECT_EQ(doc.GetCurves()[1].CurveNumber(), 9u);
    EXPECT_EQ(doc.GetYLabel(), "N");
    EXPECT_EQ(doc.GetCurves()[1].Signal().GetVehicle1Description(), "Body 3");

    // Unticking the last curve empties the chart arrays and the texts.
    QSignalSpy updates(&doc, &CSorveltDoc::Updated);
    doc.SetSelection({});
    EXPECT_EQ(doc.GetCurveCount(), 0);
    EXPECT_TRUE(doc.GetChartX().empty());
    EXPECT_EQ(doc.GetYLabel(), "");
    ASSERT_EQ(updates.size(), 1);
    EXPECT_EQ(updates[0].at(0).toInt(), int(UpdateHint::Plot));
}

TEST_F(SorveltDocTest, SubtitleOfLargeValuesIsCutAt47Characters)
{
    MadymoContent content;
    content.parameters = {"Big"};
    content.channels = {"F (kN)"};
    content.timesMs = {0.0, 1000.0, 123456.7};
    content.value = [](std::size_t t, std::size_t, std::size_t) {
        return t == 2 ? 1234567.0 : (t == 1 ? 0.0 : -123456.0);
    };
    const std::string path = folder.File("big.dat");
    ASSERT_TRUE(WriteMadymoFile(path, content));
    ASSERT_TRUE(doc.OpenDocument(path));
    doc.SetSelection({0});
    EXPECT_EQ(doc.GetSubTitle().size(), 47u);
    EXPECT_EQ(doc.GetSubTitle().substr(0, 19), "Ymin -123456.00 @0.");
    EXPECT_EQ(doc.GetYLabel(), "kN");
}

// Curves of unequal length: packing pads with the chart's null value; ASCII
// refuses differing time axes; Copy Data and UDS files carry each curve's own X.
TEST_F(SorveltDocTest, UnequalLengthsArePaddedAndExportedWithTheirOwnX)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 2, 2, 11, 0.1)));
    doc.SetSelection({0});
    ui.resample = [](CResampleValues &v) {
        EXPECT_NEAR(v.duration, 0.001, 1e-9);
        EXPECT_EQ(v.points, 11);
        v.step = 0.0002;
        return true;
    };
    RunCommand(doc, [&] { doc.OnResample(); });
    ASSERT_EQ(doc.GetCurves()[0].Signal().GetY().size(), 6u);
    doc.SetSelection({0, 3}); // curve 3 comes raw: 11 points
    ASSERT_EQ(doc.GetCurveCount(), 2);
    ASSERT_EQ(doc.GetPointsPerCurve(), 11);
    const auto &x = doc.GetChartX();
    const auto &y = doc.GetChartY();
    ASSERT_EQ(x.size(), 22u);
    for (std::size_t i = 6; i < 11; ++i) {
        EXPECT_EQ(x[i], CSorveltDoc::PadValue);
        EXPECT_EQ(y[i], CSorveltDoc::PadValue);
    }
    EXPECT_NEAR(x[5], 0.001, 1e-9);
    EXPECT_NEAR(x[11 + 10], 0.001, 1e-6);

    // Truncate is offered the curves' own span.
    ui.truncate = [](double &, double &) { return false; };
    RunCommand(doc, [&] { doc.OnTruncate(); });
    ASSERT_EQ(ui.truncateShown.size(), 1u);
    EXPECT_NEAR(ui.truncateShown[0].first, 0.0, 1e-12);
    EXPECT_NEAR(ui.truncateShown[0].second, 0.001, 1e-6);

    // ASCII: the time axes differ, so nothing is written.
    RunCommand(doc, [&] { doc.OnSaveToAscii(); });
    EXPECT_TRUE(ui.saveTitles.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("time axis"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder.File("out.txt")));

    // Copy Data: 11 lines, the short curve's columns empty after its end.
    RunCommand(doc, [&] { doc.OnCopyData(); });
    ASSERT_EQ(ui.clipboard.size(), 1u);
    EXPECT_NE(ui.clipboard[0].find("\r\n"), std::string::npos);
    const auto lines = Lines(ui.clipboard[0]);
    ASSERT_EQ(lines.size(), 11u);
    const auto first = Fields(lines[1]);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_NEAR(std::stod(first[0]), 0.0002, 1e-9);
    EXPECT_NEAR(std::stod(first[2]), 0.0001, 1e-9);
    EXPECT_NEAR(std::stod(first[3]), 111.0, 1e-6);
    const auto last = Fields(lines[10]);
    ASSERT_EQ(last.size(), 4u);
    EXPECT_EQ(last[0], "");
    EXPECT_EQ(last[1], "");
    EXPECT_NEAR(std::stod(last[2]), 0.001, 1e-6);
    EXPECT_NEAR(std::stod(last[3]), 120.0, 1e-6);

    // UDS files: one per curve, each read back with its own length and step.
    ui.saveFiles.push_back(folder.File("c0.uds"));
    ui.saveFiles.push_back(folder.File("c1.uds"));
    RunCommand(doc, [&] { doc.OnSaveToUds(); });
    EXPECT_EQ(ui.saveTitles.back(), "Save UDS File #1 As");
    kx::CNSignal c0, c1;
    c0.LoadUDSFile(folder.File("c0.uds"));
    c1.LoadUDSFile(folder.File("c1.uds"));
    EXPECT_EQ(c0.GetNumberOfPoints(), 6);
    EXPECT_NEAR(c0.GetDel(), 0.0002, 1e-9);
    EXPECT_EQ(c1.GetNumberOfPoints(), 11);
    EXPECT_NEAR(c1.GetY().at(10), 120.0, 1e-4);
    EXPECT_EQ(c1.GetYUnits(), "N");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.errorLists.empty());
}

TEST_F(SorveltDocTest, AsciiExportKeepsThePathAsTypedAndReadsBack)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 2, 2, 5, 0.1)));
    doc.SetSelection({0, 3});
    const std::pair<std::string, std::string> cases[] = {
        {"Out.TXT", "Out.TXT"},
        {"MixedCase  ", "MixedCase.txt"},
        {"data.txt.bak", "data.txt.bak.txt"},
    };
    for (const auto &[typed, written] : cases) {
        ui.saveFiles.push_back("  " + folder.Str() + "/" + typed);
        RunCommand(doc, [&] { doc.OnSaveToAscii(); });
        const std::string path = folder.File(written);
        ASSERT_TRUE(fs::exists(path)) << written;
        const auto lines = Lines(ReadAll(path));
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(lines[4], "0.0004\t4\t114");
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc.GetOutputDir(), folder.Str());
    EXPECT_FALSE(fs::exists(folder.File("out.txt")));
}

// Each refusal gives one message and leaves the curves as they were.
TEST_F(SorveltDocTest, RefusedOperationsChangeNothing)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 2, 2, 10)));
    doc.SetSelection({0, 1});
    const auto before = AllY();
    const auto x = doc.GetChartX();

    struct Case {
        const char *name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"scale Y by 0",
         [&] {
             ui.labels.push_back("0");
             RunCommand(doc, [&] { doc.OnScaleY(); });
         }},
        {"scale X by 0",
         [&] {
             ui.labels.push_back("0.0");
             RunCommand(doc, [&] { doc.OnScaleX(); });
         }},
        {"scale Y by text",
         [&] {
             ui.labels.push_back("two");
             RunCommand(doc, [&] { doc.OnScaleY(); });
         }},
        {"add Y text",
         [&] {
             ui.labels.push_back("1,5");
             RunCommand(doc, [&] { doc.OnAddConstantY(); });
         }},
        {"truncate stop = start",
         [&] {
             ui.truncate = [](double &a, double &b) {
                 a = b = 0.0005;
                 return true;
             };
             RunCommand(doc, [&] { doc.OnTruncate(); });
         }},
        {"truncate stop before start",
         [&] {
             ui.truncate = [](double &a, double &b) {
                 a = 0.0008;
                 b = 0.0002;
                 return true;
             };
             RunCommand(doc, [&] { doc.OnTruncate(); });
         }},
        {"resample to step 0",
         [&] {
             ui.resample = [](CResampleValues &v) {
                 v.step = 0.0;
                 return true;
             };
             RunCommand(doc, [&] { doc.OnResample(); });
         }},
        {"resample to a negative step",
         [&] {
             ui.resample = [](CResampleValues &v) {
                 v.step = -1e-4;
                 return true;
             };
             RunCommand(doc, [&] { doc.OnResample(); });
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        c.run();
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(AllY(), before);
        EXPECT_EQ(doc.GetChartX(), x);
    }
    // Cancel changes nothing and says nothing.
    ui.messages.clear();
    RunCommand(doc, [&] { doc.OnScaleY(); });
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(AllY(), before);
}

TEST_F(SorveltDocTest, AChannelWithoutDataGivesOneMessage)
{
    // Names but no output time.
    MadymoContent content;
    content.parameters = {"P1", "P2"};
    content.channels = {"C1 (G)", "C2 (G)"};
    const std::string path = folder.File("empty.dat");
    ASSERT_TRUE(WriteMadymoFile(path, content));
    ASSERT_TRUE(doc.OpenDocument(path));
    doc.SetSelection({0, 1, 3});
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(doc.GetCurves().empty());
    EXPECT_EQ(doc.GetCurveCount(), 0);
    RunCommand(doc, [&] { doc.OnReload(); });
    EXPECT_EQ(ui.messages.size(), 2u);
    ui.convert = [&](CConvertValues &v) {
        v.folder = folder.Str();
        return true;
    };
    RunCommand(doc, [&] { doc.OnConvertToUds(); });
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(ui.errorLists[0].size(), 4u);
}

TEST_F(SorveltDocTest, OperationsChangeEveryCurveAndReloadRestoresThem)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 2, 3, 200)));
    doc.SetSelection({4, 0});
    const auto before = AllY();
    ui.labels.push_back("2.5");
    RunCommand(doc, [&] { doc.OnScaleY(); });
    ASSERT_TRUE(ui.messages.empty());
    EXPECT_NEAR(Y(0).at(1), 2.5 * 111.0, 1e-9);
    EXPECT_NEAR(Y(1).at(1), 2.5 * 1.0, 1e-9);
    EXPECT_TRUE(doc.GetCurves()[0].Signal().IsModified());
    EXPECT_EQ(ui.labelCaptions.back(), "Multiply Y Axis by Constant Value");
    ui.labels.push_back("1.0");
    RunCommand(doc, [&] { doc.OnAddConstantX(); });
    EXPECT_NEAR(doc.GetCurves()[1].Signal().GetX().at(0), 1.0, 1e-12);
    EXPECT_NEAR(doc.GetChartX().at(200), 1.0, 1e-12);

    RunCommand(doc, [&] { doc.OnReload(); });
    EXPECT_EQ(AllY(), before);
    EXPECT_EQ(doc.GetCurves()[0].CurveNumber(), 4u);
    EXPECT_FALSE(doc.GetCurves()[0].Signal().IsModified());

    ui.filterClass = 60;
    RunCommand(doc, [&] { doc.OnFilter(); });
    RunCommand(doc, [&] { doc.OnDerivative(); });
    RunCommand(doc, [&] { doc.OnIntegrate(); });
    RunCommand(doc, [&] { doc.OnFir100(); });
    RunCommand(doc, [&] { doc.OnAutoRemoveY(); });
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    EXPECT_EQ(doc.GetCurveCount(), 2);
    EXPECT_EQ(doc.GetChartX().size(), std::size_t(2 * doc.GetPointsPerCurve()));
}

// Whatever an operation does to the curve, the subtitle shows the extremes of what it
// left, as a fresh look at the curve would give them.
TEST_F(SorveltDocTest, EveryOperationShowsTheExtremesOfItsResult)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 1, 2, 200)));
    ui.resample = [](CResampleValues &v) {
        v.step = v.duration * 0.6; // two points, the last one short of the end
        return true;
    };
    ui.truncate = [](double &start, double &stop) {
        stop = start + (stop - start) / 4.0;
        return true;
    };
    const struct {
        const char *name;
        std::function<void()> run;
    } cases[] = {
        {"resample", [&] { doc.OnResample(); }},
        {"truncate", [&] { doc.OnTruncate(); }},
        {"scale Y",
         [&] {
             ui.labels.push_back("-2");
             doc.OnScaleY();
         }},
        {"add Y",
         [&] {
             ui.labels.push_back("7.5");
             doc.OnAddConstantY();
         }},
        {"add X",
         [&] {
             ui.labels.push_back("0.01");
             doc.OnAddConstantX();
         }},
        {"CFC 60", [&] { doc.OnCfc(60); }},
        {"derivative", [&] { doc.OnDerivative(); }},
        {"integral", [&] { doc.OnIntegrate(); }},
        {"bias", [&] { doc.OnAutoRemoveY(); }},
        {"FIR100", [&] { doc.OnFir100(); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        doc.SetSelection({1});
        RunCommand(doc, [&] { doc.OnReload(); });
        const std::string before = doc.GetSubTitle();
        ASSERT_FALSE(before.empty());
        RunCommand(doc, c.run);
        ASSERT_TRUE(ui.messages.empty()) << ui.messages.front();
        const std::string shown = doc.GetSubTitle();
        doc.BuildPlotTexts();
        EXPECT_EQ(shown, doc.GetSubTitle());
        EXPECT_NE(shown, before);
    }
}

// A curve the filter refuses is named in the error list and left as it was; the
// other curves are filtered.
TEST_F(SorveltDocTest, FilterRefusesCurvesOneByOne)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 2, 3, 200)));
    const struct {
        const char *name;
        std::function<void()> spoil; // makes curve 0 one the filter refuses
        const char *reason;
    } cases[] = {
        {"cut to two samples",
         [&] {
             ui.truncate = [](double &a, double &b) {
                 a = 0.0;
                 b = 0.00015;
                 return true;
             };
             RunCommand(doc, [&] { doc.OnTruncate(); });
         },
         "Too few data points"},
        {"time running backwards",
         [&] {
             ui.labels.push_back("-1");
             RunCommand(doc, [&] { doc.OnScaleX(); });
         },
         "cannot be put on a constant time step"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        doc.SetSelection({});
        doc.SetSelection({0});
        c.spoil();
        const std::vector<double> spoiled = Y(0);
        doc.SetSelection({0, 4}); // curve 4 comes fresh from the file
        const std::vector<double> fresh = Y(1);
        ui.errorLists.clear();
        ui.messages.clear();
        for (const int filterClass : {60, 180}) {
            ui.filterClass = filterClass;
            if (filterClass == 60)
                RunCommand(doc, [&] { doc.OnFilter(); });
            else
                RunCommand(doc, [&] { doc.OnCfc(filterClass); });
            ASSERT_EQ(doc.GetCurves().size(), 2u);
            EXPECT_EQ(Y(0), spoiled);
            EXPECT_NE(doc.GetCurves()[0].Signal().GetStatus(), "FILTERED");
            EXPECT_NE(Y(1), fresh);
            EXPECT_EQ(doc.GetCurves()[1].Signal().GetFilterClass(), 60);
            EXPECT_TRUE(doc.GetCurves()[1].Signal().IsModified());
        }
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
        ASSERT_EQ(ui.errorLists.size(), 2u);
        for (const auto &list : ui.errorLists) {
            ASSERT_EQ(list.size(), 1u);
            EXPECT_EQ(list[0].rfind("P1-C1 Body 1 / Ch1 (G): not filtered", 0), 0u) << list[0];
            EXPECT_NE(list[0].find(c.reason), std::string::npos) << list[0];
        }
    }
}

// Convert checks the folder once before it starts, collects failures in one list,
// and leaves the packed arrays alone.
TEST_F(SorveltDocTest, ConvertChecksTheFolderAndKeepsThePlot)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("run.dat"), 3, 4, 10)));
    doc.SetSelection({1});
    const auto x = doc.GetChartX();

    ui.convert = [&](CConvertValues &v) {
        v.folder = folder.File("nowhere");
        return true;
    };
    RunCommand(doc, [&] { doc.OnConvertToUds(); });
    ASSERT_EQ(ui.convertShown.size(), 1u);
    EXPECT_EQ(ui.convertShown[0].parameters, "1-3");
    EXPECT_EQ(ui.convertShown[0].channels, "1-4");
    EXPECT_EQ(ui.convertShown[0].header, "run_");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("does not exist"), std::string::npos);
    EXPECT_EQ(ui.progressBegun, 0);

    const std::string out = folder.File("out");
    fs::create_directories(out);
    ui.convert = [&](CConvertValues &v) {
        v.parameters = "3-2";
        v.channels = "1, 4, 9";
        v.folder = out;
        return true;
    };
    RunCommand(doc, [&] { doc.OnConvertToUds(); });
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.errorLists.empty());
    EXPECT_EQ(ui.progressBegun, 1);
    EXPECT_EQ(ui.progressEnded, 1);
    EXPECT_EQ(ui.progressTexts, (std::vector<std::string>{"run__1.000", "run__1.003", "run__2.000", "run__2.003"}));
    kx::CNSignal back;
    back.LoadUDSFile(out + "/run__2.003");
    EXPECT_NEAR(back.GetY().at(0), 230.0, 1e-4);
    EXPECT_EQ(doc.GetOutputDir(), out);

    // A bad list is refused before anything is written.
    ui.convert = [&](CConvertValues &v) {
        v.channels = "1-x";
        v.folder = out;
        return true;
    };
    RunCommand(doc, [&] { doc.OnConvertToUds(); });
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.progressBegun, 1);

    // The plot is as it was, and Plot Labels reads the same arrays.
    EXPECT_EQ(doc.GetChartX(), x);
    EXPECT_EQ(doc.GetCurveCount(), 1);
    EXPECT_EQ(doc.GetChartX().size(), std::size_t(doc.GetPointsPerCurve()));
    ui.plotLabels = [](CPlotLabels &l) {
        l.title = "Mine";
        return true;
    };
    RunCommand(doc, [&] { doc.OnPlotLabels(); });
    EXPECT_EQ(doc.GetTitle(), "Mine");
    EXPECT_EQ(ui.labelsShown.at(0).yLabel, "N");

    // Cancel in the progress window stops the run.
    ui.cancelProgressAt = 2;
    ui.progressTexts.clear();
    ui.convert = [&](CConvertValues &v) {
        v.folder = folder.Str();
        return true;
    };
    RunCommand(doc, [&] { doc.OnConvertToUds(); });
    EXPECT_EQ(ui.progressTexts.size(), 2u);
    EXPECT_TRUE(fs::exists(folder.File("run__0.000")));
    EXPECT_FALSE(fs::exists(folder.File("run__0.001")));
}

TEST_F(SorveltDocTest, SaveZoomIsKeptInTheSettings)
{
    EXPECT_TRUE(doc.GetSaveZoom());
    RunCommand(doc, [&] { doc.OnSaveZoom(); });
    EXPECT_FALSE(doc.GetSaveZoom());
    CSorveltDoc again(&ui, settings.Program());
    EXPECT_FALSE(again.GetSaveZoom());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
