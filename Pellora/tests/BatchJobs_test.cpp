// Batch jobs (Save All Plots, Print All, Print Preview All): they work on the list
// as it was when they started, take no changes meanwhile, and leave the document
// as they found it.

#include "Pellora/app/CMainFrame.h"
#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/views/CPlotOutput.h"
#include "Pellora/views/CPlotView.h"
#include "platform/chart/RecordingChart.h"
#include "support/PelloraTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

using namespace pellora;
using namespace pelloratest;

namespace {

// A chart whose saves write what it shows: the legend and the highest Y value.
class ContentChart : public kxchart::RecordingChart {
public:
    bool save(kxchart::ImageFormat format, const QString &path, const QSize &size) override
    {
        RecordingChart::save(format, path, size);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        const auto &y = shown().y;
        const double top = y.empty() ? 0.0 : *std::max_element(y.begin(), y.end());
        file.write((shown().legend.join(QLatin1Char(',')) + QStringLiteral(" %1").arg(top, 0, 'f', 1)).toUtf8());
        return true;
    }
};

std::string ReadAll(const std::filesystem::path &path)
{
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

std::vector<std::string> FilesIn(const std::filesystem::path &dir)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class BatchTest : public ::testing::Test {
protected:
    BatchTest()
        : doc(&ui, settings.Program())
    {
        // Two folders with the same names and other contents (peaks 10, 20, 30 and 100, 200, 300).
        for (int i = 0; i < 3; ++i) {
            const std::string name = std::string(1, char('a' + i)) + ".uds";
            WriteUds(first.File(name), {.curveNumber = i + 1, .peak = 10.0 * (i + 1)});
            WriteUds(second.File(name), {.curveNumber = i + 1, .peak = 100.0 * (i + 1)});
        }
    }

    ScratchSettings settings;
    FakeUi ui;
    CPelloraDoc doc;
    TempFolder first;
    TempFolder second;
};

struct Page {
    std::string name;
    std::string path;
    std::string shownPath;
    double peak = 0.0;
};

} // namespace

TEST_F(BatchTest, JobKeepsToItsListWhileFolderSelectionAndCloseAreAskedForMidway)
{
    doc.OpenDirectory(first.Str());
    doc.SelectFiles({first.File("b.uds")});
    std::vector<Page> pages;
    std::vector<bool> refused;
    ui.onProgressStep = [&](int step) {
        if (step == 1) {
            // The user opens the other folder and clicks a file: neither is taken now.
            doc.OpenDirectory(second.Str());
            refused.push_back(doc.GetDirectory() == first.Str());
            refused.push_back(!doc.SelectFiles({second.File("a.uds")}));
        }
        if (step == 2)
            doc.CancelBatch(); // the program is being closed
        return false;
    };

    const CPelloraDoc::BatchResult result = doc.RunBatch("job", "text", [&](const CPelloraDoc::CBatchPage &page) {
        // The page's own signal; the document keeps its selection meanwhile.
        const kx::CNSignal &shown = page.signal;
        pages.push_back({page.name, page.path, shown.GetPathName(), shown.GetYMax()});
        EXPECT_EQ(doc.GetSignals().at(0)->GetPathName(), first.File("b.uds"));
        return true;
    });

    EXPECT_EQ(refused, (std::vector<bool>{true, true}));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.pages, 2);
    ASSERT_EQ(pages.size(), 2u);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::string name = std::string(1, char('a' + i)) + ".uds";
        EXPECT_EQ(pages[i].name, name);
        EXPECT_EQ(pages[i].path, first.File(name));
        EXPECT_EQ(pages[i].shownPath, first.File(name));
        EXPECT_NEAR(pages[i].peak, 10.0 * double(i + 1), 0.01);
    }
    // Afterwards: the first folder with its selection; the job ran to no other end.
    EXPECT_FALSE(doc.IsBatchRunning());
    EXPECT_EQ(doc.GetDirectory(), first.Str());
    ASSERT_EQ(doc.GetSelectedFiles().size(), 1u);
    EXPECT_EQ(doc.GetSelectedFiles()[0]->GetPathName(), first.File("b.uds"));
    EXPECT_NEAR(doc.GetSignals().at(0)->GetYMax(), 20.0, 0.01);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Printing Cancelled"});
    // And now the other folder opens.
    doc.OpenDirectory(second.Str());
    EXPECT_EQ(doc.GetDirectory(), second.Str());
}

TEST_F(BatchTest, LabelsTitlesAndAxisTextsComeBackAfterAJob)
{
    doc.OpenDirectory(first.Str());
    doc.SelectFiles({first.File("a.uds"), first.File("c.uds")});
    ui.signalLabels = [](std::vector<std::string> &labels) {
        labels = {"driver head", "passenger head"};
        return true;
    };
    doc.OnSignalLabels();
    ui.labels = {{true, "time in s"}, {true, "accel in g"}, {true, "my title"}};
    doc.OnLabelXAxis();
    doc.OnLabelYAxis();
    doc.OnLabelTitle();
    const std::vector<std::string> labels = doc.GetSignalLabels();
    const std::string x = doc.GetXLabel(), y = doc.GetYLabel(), title = doc.GetTitle(), sub = doc.GetSubTitle();
    const std::vector<double> chartY = doc.GetChartY();
    ASSERT_EQ(labels, (std::vector<std::string>{"driver head", "passenger head"}));

    doc.RunBatch("job", "text", [](const CPelloraDoc::CBatchPage &) { return true; });

    EXPECT_EQ(doc.GetSignalLabels(), labels);
    EXPECT_EQ(doc.GetXLabel(), x);
    EXPECT_EQ(doc.GetYLabel(), y);
    EXPECT_EQ(doc.GetTitle(), title);
    EXPECT_EQ(doc.GetSubTitle(), sub);
    EXPECT_EQ(doc.GetChartY(), chartY);
    EXPECT_EQ(doc.GetSignals().size(), 2u);
}

TEST_F(BatchTest, EveryLoadErrorNamesItsFileFirstOnce)
{
    const std::string truncated = first.File("d.uds");
    const std::string notUds = first.File("e.uds");
    {
        // A good file cut short of a whole record, and one that is no signal file.
        QFile::copy(QString::fromStdString(first.File("a.uds")), QString::fromStdString(truncated));
        std::filesystem::resize_file(truncated, std::filesystem::file_size(truncated) - 100);
        WriteText(notUds, std::string(512, 'x'));
    }
    doc.OpenDirectory(first.Str());
    const CPelloraDoc::BatchResult result =
        doc.RunBatch("job", "text", [](const CPelloraDoc::CBatchPage &) { return true; });
    EXPECT_EQ(result.pages, 3);
    ASSERT_EQ(ui.errorLists.size(), 1u);
    const std::vector<std::string> &errors = ui.errorLists[0];
    ASSERT_EQ(errors.size(), 2u);
    for (const auto &[error, path] : {std::pair{errors[0], truncated}, std::pair{errors[1], notUds}}) {
        EXPECT_EQ(error.rfind(path + ": ", 0), 0u) << error;
        EXPECT_EQ(error.find(path, 1), std::string::npos) << error;
        EXPECT_GT(error.size(), path.size() + 2) << error;
    }
    // The selection load says the same.
    doc.SelectFiles({notUds});
    ASSERT_EQ(ui.errorLists.size(), 2u);
    for (const std::string &error : ui.errorLists[1])
        EXPECT_NE(error.find(notUds), std::string::npos) << error;
}

TEST_F(BatchTest, SaveAllPlotsWritesEachFilesOwnCurveUnderItsName)
{
    doc.OpenDirectory(first.Str());
    CPlotView view(doc, [] { return std::make_unique<ContentChart>(); });
    ui.onSavePlot = [](const FakeUi::SavedPlot &plot) {
        return SavePlotPicture([] { return std::make_unique<ContentChart>(); }, plot.picture, plot.kind,
                               QString::fromStdString(plot.path), QSize(plot.width, plot.height));
    };
    TempFolder out;
    ui.onProgressStep = [&](int step) {
        if (step == 1) {
            doc.OpenDirectory(second.Str());
            doc.SelectFiles({second.File("c.uds")});
        }
        return false;
    };

    doc.SaveAllPlots(PlotImageKind::Jpeg, out.Str(), 320, 240);

    EXPECT_EQ(FilesIn(out.Path()), (std::vector<std::string>{"a.uds_001.jpg", "b.uds_002.jpg", "c.uds_003.jpg"}));
    EXPECT_EQ(ReadAll(out.Path() / "a.uds_001.jpg"), "a.uds 10.0");
    EXPECT_EQ(ReadAll(out.Path() / "b.uds_002.jpg"), "b.uds 20.0");
    EXPECT_EQ(ReadAll(out.Path() / "c.uds_003.jpg"), "c.uds 30.0");
    EXPECT_TRUE(doc.GetSelectedFiles().empty());
    EXPECT_FALSE(view.HasChart()); // nothing was selected before
}

TEST_F(BatchTest, ClosingTheWindowDuringAJobCancelsItThenCloses)
{
    doc.OpenDirectory(first.Str());
    CMainFrame frame(doc);
    auto *view = new CPlotView(doc, [] { return std::make_unique<ContentChart>(); });
    frame.SetPlotPane(view);
    frame.show();
    TempFolder out;
    bool closedAtOnce = true;
    ui.onProgressStep = [&](int step) {
        if (step == 1)
            closedAtOnce = frame.close();
        return false;
    };
    ui.saveAllPlots.push_back({out.Str(), 0});

    frame.Action(CMainFrame::ID_FILE_SAVE_ALL_JPG)->trigger();

    EXPECT_FALSE(closedAtOnce);
    EXPECT_EQ(FilesIn(out.Path()), std::vector<std::string>{"a.uds_001.jpg"});
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Printing Cancelled"});
    EXPECT_TRUE(frame.isVisible());
    QApplication::processEvents();
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(BatchTest, DesktopCommandsDuringAJobWaitForItsEnd)
{
    doc.OpenDirectory(first.Str());
    CMainFrame frame(doc);
    std::vector<std::string> namesDuringJob;
    ui.onProgressStep = [&](int step) {
        if (step == 1)
            frame.HandleDdeCommand(QStringLiteral("[DataFile(%1)]").arg(QString::fromStdString(second.File("a.uds"))));
        namesDuringJob = doc.GetFileNames();
        return false;
    };
    std::vector<std::string> pages;
    doc.RunBatch("job", "text", [&](const CPelloraDoc::CBatchPage &page) {
        pages.push_back(page.path);
        return true;
    });
    EXPECT_EQ(pages, (std::vector<std::string>{first.File("a.uds"), first.File("b.uds"), first.File("c.uds")}));
    EXPECT_EQ(namesDuringJob, (std::vector<std::string>{"a.uds", "b.uds", "c.uds"}));
    QDeadlineTimer deadline(3000);
    while (doc.GetFileNames().size() < 4 && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    const std::vector<std::string> &names = doc.GetFileNames();
    EXPECT_NE(std::find(names.begin(), names.end(), second.File("a.uds")), names.end());
    EXPECT_EQ(names.size(), 4u);
}

TEST_F(BatchTest, OperateExportAndInjuryCommandsAreRefusedWhileAJobRuns)
{
    doc.OpenDirectory(first.Str());
    doc.SelectFiles({first.File("b.uds")});
    CMainFrame frame(doc);
    TempFolder out;
    std::vector<bool> enabledDuringJob;
    ui.saveFiles = {(out.Path() / "x.uds").string()};
    ui.folders = {out.Str()};
    ui.okCancel = {true, true};
    ui.yesNo = {true, true};
    std::vector<double> peaks;
    doc.RunBatch("job", "text", [&](const CPelloraDoc::CBatchPage &page) {
        if (page.index == 1) {
            for (int id :
                 {CMainFrame::ID_OPERATE_INTEGRATE, CMainFrame::ID_EDIT_COPY_DATA, CMainFrame::ID_FILE_SAVE_ALL_UDS})
                enabledDuringJob.push_back(frame.Action(id)->isEnabled());
            frame.Action(CMainFrame::ID_OPERATE_INTEGRATE)->trigger();
            // Commands reaching the document between a page's load and its drawing.
            EXPECT_FALSE(doc.RunOperation(CPelloraDoc::OpIntegrate));
            EXPECT_FALSE(doc.RunOperation(CPelloraDoc::OpBiasAuto));
            doc.OnTruncate();
            doc.OnCopyData();
            doc.OnSaveAsUds("x.uds");
            doc.OnSaveAllUds();
            doc.OnSaveAsAscii();
            doc.OnCreateXYSignal();
            doc.OnSaveSelectedAsHitList();
            doc.OnInjuryQuillet();
            doc.OnInjuryHic();
            doc.KeepFirst();
        }
        peaks.push_back(page.signal.GetYMax());
        EXPECT_NEAR(doc.GetSignals().at(0)->GetYMax(), 20.0, 0.01); // the selection is left alone
        return true;
    });

    EXPECT_EQ(enabledDuringJob, std::vector<bool>(3, false));
    EXPECT_TRUE(frame.Action(CMainFrame::ID_OPERATE_INTEGRATE)->isEnabled());
    ASSERT_EQ(peaks.size(), 3u);
    for (std::size_t i = 0; i < peaks.size(); ++i)
        EXPECT_NEAR(peaks[i], 10.0 * double(i + 1), 0.01) << i;
    EXPECT_TRUE(ui.clipboard.empty());
    EXPECT_TRUE(ui.starts.empty());
    EXPECT_EQ(ui.saveFiles.size(), 1u);
    EXPECT_EQ(ui.folders.size(), 1u);
    EXPECT_TRUE(FilesIn(out.Path()).empty());
    ASSERT_EQ(doc.GetSignals().size(), 1u);
    EXPECT_NEAR(doc.GetSignals().at(0)->GetYMax(), 20.0, 0.01);
    // After the job the same command runs.
    doc.OnCopyData();
    EXPECT_EQ(ui.clipboard.size(), 1u);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
