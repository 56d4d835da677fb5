// The plot's commands driven through the document: Save As Jpeg and Pdf, Save All
// Plots and printing ask the user through the program's interface, and the images
// drawn off the screen are what the plot on screen would give.

#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/views/CPlotOutput.h"
#include "Pellora/views/CPlotView.h"
#include "shared_ui/kit/ReplaceQuestion.h"
#include "support/PelloraTestSupport.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace pellora;
using namespace pelloratest;

namespace {

class PlotCommandsTest : public ::testing::Test {
protected:
    PlotCommandsTest()
        : doc(&ui, settings.Program())
    {
        WriteUds(folder.File("a.uds"), {.curveNumber = 1});
        WriteUds(folder.File("b.uds"), {.curveNumber = 2, .peak = 80.0});
        doc.SetOutputDir(out.Str() + "/");
    }

    void Plot(const std::vector<std::string> &names = {"a.uds"})
    {
        doc.OpenDirectory(folder.Str());
        std::vector<std::string> paths;
        for (const std::string &name : names)
            paths.push_back(folder.File(name));
        doc.SelectFiles(paths);
    }

    ScratchSettings settings;
    FakeUi ui;
    CPelloraDoc doc;
    TempFolder folder;
    TempFolder out;
};

// Counts the pages a job is given; HasRoom as set.
class CountingPages : public IPlotPages {
public:
    explicit CountingPages(bool room = true)
        : m_room(room)
    {}
    bool HasRoom() const override { return m_room; }
    bool AddPage(const CPlotPicture &picture) override
    {
        legends.push_back(picture.content.legend.value(0));
        return true;
    }
    void Finish() override { ++finished; }

    std::vector<QString> legends;
    int finished = 0;

private:
    bool m_room;
};

// Hands a job to the document while the test keeps what it was given.
class CountingPagesRef : public IPlotPages {
public:
    explicit CountingPagesRef(std::shared_ptr<CountingPages> pages)
        : m_pages(std::move(pages))
    {}
    bool HasRoom() const override { return m_pages->HasRoom(); }
    bool AddPage(const CPlotPicture &picture) override { return m_pages->AddPage(picture); }
    void Finish() override { m_pages->Finish(); }

private:
    std::shared_ptr<CountingPages> m_pages;
};

// What a job has shown by the time its pages are finished.
struct SeenAtFinish {
    int finished = 0;
    std::size_t errorLists = 0;
    std::size_t messages = 0;
};

class FinishWatch : public IPlotPages {
public:
    FinishWatch(const FakeUi &ui, SeenAtFinish &seen)
        : m_ui(ui)
        , m_seen(seen)
    {}
    bool HasRoom() const override { return true; }
    bool AddPage(const CPlotPicture &) override { return true; }
    void Finish() override
    {
        ++m_seen.finished;
        m_seen.errorLists = m_ui.errorLists.size();
        m_seen.messages = m_ui.messages.size();
    }

private:
    const FakeUi &m_ui;
    SeenAtFinish &m_seen;
};

std::string Contents(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteOld(const std::string &path)
{
    std::ofstream(path, std::ios::binary) << "old";
}

} // namespace

TEST_F(PlotCommandsTest, SaveAsJpegAppliesTheImagePathRules)
{
    const struct {
        std::string typed;
        std::string written;
    } cases[] = {
        {"shot", out.File("shot.jpg")},
        {"shot.jpeg", out.File("shot.jpeg")},
        {"sub.dir/plot.png", out.File("sub.dir/plot.png")},
        {folder.File("here"), folder.File("here.jpg")},
    };
    std::filesystem::create_directory(out.Path() / "sub.dir");
    Plot();
    for (const auto &c : cases) {
        ui.savedPlots.clear();
        ui.outputImages = {{c.typed, 640, 480}};
        doc.OnSaveAsJpeg();
        ASSERT_EQ(ui.savedPlots.size(), 1u) << c.typed;
        const FakeUi::SavedPlot &saved = ui.savedPlots[0];
        EXPECT_EQ(saved.path, c.written);
        EXPECT_EQ(saved.kind, PlotImageKind::Jpeg);
        EXPECT_EQ(saved.width, 640);
        EXPECT_EQ(saved.height, 480);
        EXPECT_EQ(saved.picture.content.legend, QStringList{"a.uds"});
        EXPECT_TRUE(std::filesystem::exists(c.written)) << c.typed;
    }
    EXPECT_TRUE(ui.messages.empty());

    // Cancel, or an empty name, writes nothing.
    ui.savedPlots.clear();
    doc.OnSaveAsJpeg();
    ui.outputImages = {{"", 640, 480}};
    doc.OnSaveAsJpeg();
    EXPECT_TRUE(ui.savedPlots.empty());
}

TEST_F(PlotCommandsTest, AnImageThatCannotBeWrittenIsReportedAndNothingElseChanges)
{
    Plot();
    const std::string path = (out.Path() / "missing" / "shot.jpg").string();
    ui.outputImages = {{path, 800, 600}};
    doc.OnSaveAsJpeg();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "The image " + path + " could not be written.");

    // The PDF keeps the output folder it had.
    const std::string before = doc.GetOutputDir();
    ui.saveFiles = {(out.Path() / "missing" / "plot").string()};
    doc.OnSaveAsWmf();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1], "The image " + (out.Path() / "missing" / "plot.pdf").string() + " could not be written.");
    EXPECT_EQ(doc.GetOutputDir(), before);
}

TEST_F(PlotCommandsTest, SaveAsPdfAsksInTheOutputFolderAndRemembersTheFolderChosen)
{
    Plot();
    TempFolder other;
    const struct {
        std::string chosen;
        std::string written;
    } cases[] = {
        {out.File("plot"), out.File("plot.pdf")},
        {out.File("plot.PDF"), out.File("plot.PDF")},
        {other.File("plot.wmf"), other.File("plot.wmf.pdf")},
    };
    for (const auto &c : cases) {
        const std::string start = doc.GetOutputDir();
        ui.saveRequests.clear();
        ui.savedPlots.clear();
        ui.saveFiles = {c.chosen};
        doc.OnSaveAsWmf();
        ASSERT_EQ(ui.saveRequests.size(), 1u);
        EXPECT_EQ(ui.saveRequests[0].title, "Save PDF as");
        EXPECT_EQ(ui.saveRequests[0].filter, "PDF File(*.pdf)");
        EXPECT_EQ(ui.saveRequests[0].startFolder, start);
        ASSERT_EQ(ui.savedPlots.size(), 1u) << c.chosen;
        EXPECT_EQ(ui.savedPlots[0].path, c.written);
        EXPECT_EQ(ui.savedPlots[0].kind, PlotImageKind::Metafile);
        EXPECT_EQ(ui.savedPlots[0].width, 10000);
        EXPECT_EQ(ui.savedPlots[0].height, 5000);
        EXPECT_EQ(doc.GetOutputDir(), std::filesystem::path(c.written).parent_path().string());
    }
    // Cancel: nothing written, the folder stays.
    ui.savedPlots.clear();
    const std::string kept = doc.GetOutputDir();
    doc.OnSaveAsWmf();
    EXPECT_TRUE(ui.savedPlots.empty());
    EXPECT_EQ(doc.GetOutputDir(), kept);
}

TEST_F(PlotCommandsTest, SaveAllPlotsTakesFolderAndSizeFromItsPrompt)
{
    doc.OpenDirectory(folder.Str());
    const struct {
        PlotImageKind kind;
        int sizeIndex;
        int width, height;
        const char *extension;
    } cases[] = {
        {PlotImageKind::Jpeg, 0, 320, 240, ".jpg"},
        {PlotImageKind::Jpeg, 3, 1024, 780, ".jpg"},
        {PlotImageKind::Metafile, 1, 10000, 7500, ".pdf"},
    };
    for (const auto &c : cases) {
        ui.savedPlots.clear();
        ui.saveAllPlots = {{out.Str(), c.sizeIndex}};
        // The images of an earlier case are replaced, once the user agrees.
        ui.yesNo = {true};
        doc.OnSaveAllPlots(c.kind);
        ASSERT_EQ(ui.savedPlots.size(), 2u);
        for (const FakeUi::SavedPlot &saved : ui.savedPlots) {
            EXPECT_EQ(saved.kind, c.kind);
            EXPECT_EQ(saved.width, c.width);
            EXPECT_EQ(saved.height, c.height);
        }
        EXPECT_EQ(ui.savedPlots[1].path, out.File(std::string("b.uds_002") + c.extension));
    }
    EXPECT_EQ(ui.saveAllKinds.back(), PlotImageKind::Metafile);
    // Cancel: no job.
    ui.savedPlots.clear();
    const std::size_t jobs = ui.progressTitles.size();
    doc.OnSaveAllPlots(PlotImageKind::Jpeg);
    EXPECT_TRUE(ui.savedPlots.empty());
    EXPECT_EQ(ui.progressTitles.size(), jobs);
}

TEST_F(PlotCommandsTest, BatchPagesKeepTheZoomShownOnlyWithSaveZoom)
{
    const QRectF zoomed(QPointF(0.002, -5.0), QPointF(0.004, 30.0));
    ui.shownRange = zoomed;
    Plot();
    for (const bool saveZoom : {true, false}) {
        ui.options = [saveZoom](CPlottingOptionValues &values) {
            values.saveZoom = saveZoom;
            return true;
        };
        doc.OnOptions();
        ui.savedPlots.clear();
        ui.yesNo = {true}; // the second pass replaces the first one's images
        doc.SaveAllPlots(PlotImageKind::Jpeg, out.Str(), 320, 240);
        ASSERT_EQ(ui.savedPlots.size(), 2u);
        for (const FakeUi::SavedPlot &saved : ui.savedPlots) {
            EXPECT_EQ(saved.picture.zoom.has_value(), saveZoom);
            if (saveZoom) {
                EXPECT_EQ(*saved.picture.zoom, zoomed);
            }
        }
    }
    // The current plot's image shows what the screen shows, zoom or not.
    ui.savedPlots.clear();
    ui.outputImages = {{"shot", 320, 240}};
    doc.OnSaveAsJpeg();
    ASSERT_EQ(ui.savedPlots.size(), 1u);
    ASSERT_TRUE(ui.savedPlots[0].picture.zoom.has_value());
    EXPECT_EQ(*ui.savedPlots[0].picture.zoom, zoomed);
}

TEST_F(PlotCommandsTest, PrintingAsksForItsJobAndTellsWhatStopsIt)
{
    // Nothing plotted: the current plot asks for a curve, no job starts.
    doc.OnPrintPlots(false, true);
    EXPECT_TRUE(ui.plotPrints.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              "Please select a curve from the upper pane.\n\rThen select 'Printing Current Plot' again.");

    Plot({"a.uds", "b.uds"});
    ui.messages.clear();
    // The print dialog's Cancel: nothing else happens.
    doc.OnPrintPlots(false, false);
    EXPECT_EQ(ui.plotPrints, std::vector<bool>{false});
    EXPECT_TRUE(ui.messages.empty());

    // No room within the margins.
    auto narrow = std::make_shared<CountingPages>(false);
    ui.plotPrint = [&](bool) { return std::unique_ptr<IPlotPages>(new CountingPagesRef(narrow)); };
    doc.OnPrintPlots(true, false);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "The page margins leave no room for the plot.");
    EXPECT_TRUE(narrow->legends.empty());

    // The current plot: one page of both curves; all plots: one page per file.
    auto pages = std::make_shared<CountingPages>();
    ui.plotPrint = [&](bool) { return std::unique_ptr<IPlotPages>(new CountingPagesRef(pages)); };
    doc.OnPrintPlots(false, true);
    EXPECT_EQ(pages->legends, std::vector<QString>{"a.uds"});
    EXPECT_EQ(pages->finished, 1);
    pages->legends.clear();
    doc.OnPrintPlots(true, false);
    EXPECT_EQ(pages->legends, (std::vector<QString>{"a.uds", "b.uds"}));
    EXPECT_EQ(pages->finished, 2);
    EXPECT_EQ(ui.plotPrints, (std::vector<bool>{false, false, true, false}));
    // Print Preview All builds its pages under its own title.
    doc.OnPrintPlots(true, true);
    EXPECT_EQ(pages->finished, 3);
    EXPECT_EQ(ui.progressTitles, (std::vector<std::string>{"Printing All Uds Plots", "Building the Print Preview"}));
    // The selection stays as it was.
    EXPECT_EQ(doc.GetSignals().size(), 2u);
}

TEST_F(PlotCommandsTest, AnImageDrawnOffTheScreenIsTheImageOfThePlotShown)
{
    CPlotView view(doc);
    view.resize(800, 400);
    Plot({"a.uds", "b.uds"});
    ASSERT_TRUE(view.HasChart());
    for (const bool zoom : {false, true}) {
        if (zoom)
            view.Chart()->setZoomRange(QRectF(QPointF(0.002, -5.0), QPointF(0.006, 60.0)));
        CPlotPicture picture{doc.BuildPlotContent(), std::nullopt};
        QRectF range;
        if (view.ZoomRange(range))
            picture.zoom = range;
        EXPECT_EQ(picture.zoom.has_value(), zoom);
        const QString shown = QString::fromStdString(out.File("shown.jpg"));
        const QString drawn = QString::fromStdString(out.File("drawn.jpg"));
        ASSERT_TRUE(view.Chart()->save(kxchart::ImageFormat::Jpeg, shown, QSize(640, 480)));
        ASSERT_TRUE(SavePlotPicture(kxchart::makeChart, picture, PlotImageKind::Jpeg, drawn, QSize(640, 480)));
        const QImage a(shown), b(drawn);
        ASSERT_FALSE(a.isNull());
        EXPECT_EQ(a.size(), QSize(640, 480));
        EXPECT_TRUE(a == b) << "zoom " << zoom;
    }
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST_F(PlotCommandsTest, ASaveOfOneImageAsksBeforeItReplacesAFile)
{
    Plot();
    enum class Kind { Jpeg, Pdf };
    const struct {
        Kind kind;
        std::string answer; // typed name, or the chooser's path
        std::string target;
        bool exists;
        bool yes;
        bool asked;
        bool written;
    } cases[] = {
        {Kind::Jpeg, "shot", out.File("shot.jpg"), true, false, true, false},
        {Kind::Jpeg, "shot", out.File("shot.jpg"), true, true, true, true},
        {Kind::Jpeg, out.File("other.jpg"), out.File("other.jpg"), true, false, true, false},
        {Kind::Jpeg, "fresh", out.File("fresh.jpg"), false, false, false, true},
        // The chooser names "doc"; the save writes doc.pdf, which the chooser never saw.
        {Kind::Pdf, out.File("doc"), out.File("doc.pdf"), true, false, true, false},
        {Kind::Pdf, out.File("doc"), out.File("doc.pdf"), true, true, true, true},
        // The chooser itself asked about the very file it names.
        {Kind::Pdf, out.File("same.pdf"), out.File("same.pdf"), true, false, false, true},
    };
    for (const auto &c : cases) {
        std::filesystem::remove(c.target);
        if (c.exists)
            WriteOld(c.target);
        ui.questions.clear();
        ui.yesNo = {c.yes};
        if (c.kind == Kind::Jpeg) {
            ui.outputImages = {{c.answer, 320, 240}};
            doc.OnSaveAsJpeg();
        } else {
            ui.saveFiles = {c.answer};
            doc.OnSaveAsWmf();
        }
        if (c.asked) {
            EXPECT_EQ(ui.questions, std::vector<std::string>{kxres::ReplaceFilesQuestion({c.target})}) << c.answer;
        } else {
            EXPECT_TRUE(ui.questions.empty()) << c.answer;
        }
        EXPECT_EQ(Contents(c.target), c.written ? "image" : "old") << c.answer;
    }
}

TEST_F(PlotCommandsTest, SaveAllPlotsAsksOnceForTheFilesOfItsFolderItWouldReplace)
{
    doc.OpenDirectory(folder.Str());
    const std::string a = out.File("a.uds_001.jpg");
    const std::string b = out.File("b.uds_002.jpg");
    const struct {
        std::vector<std::string> existing;
        bool yes;
        bool asked;
        std::string aAfter;
        std::string bAfter;
    } cases[] = {
        {{}, false, false, "image", "image"}, {{a}, false, true, "old", "image"},
        {{a}, true, true, "image", "image"},  {{a, b}, true, true, "image", "image"},
        {{a, b}, false, true, "old", "old"},
    };
    for (const auto &c : cases) {
        std::filesystem::remove(a);
        std::filesystem::remove(b);
        for (const std::string &path : c.existing)
            WriteOld(path);
        ui.questions.clear();
        ui.yesNo = {c.yes};
        ui.saveAllPlots = {{out.Str(), 0}};
        doc.OnSaveAllPlots(PlotImageKind::Jpeg);
        if (c.asked) {
            EXPECT_EQ(ui.questions, std::vector<std::string>{kxres::ReplaceFilesQuestion(c.existing)});
        } else {
            EXPECT_TRUE(ui.questions.empty());
        }
        EXPECT_EQ(Contents(a), c.aAfter) << c.existing.size() << c.yes;
        EXPECT_EQ(Contents(b), c.bAfter) << c.existing.size() << c.yes;
    }
}

TEST_F(PlotCommandsTest, PrintAllShowsItsMessagesOnceThePrinterIsDone)
{
    WriteText(folder.File("c.uds"), "no signal here\n");
    Plot({"a.uds"});
    const struct {
        bool preview;
        int cancelAt;
        std::vector<std::string> messages;
        std::size_t errorListsAtFinish;
        std::size_t messagesAtFinish;
    } cases[] = {
        // A print: the file that could not be printed is told after the last page is out.
        {false, -1, {}, 0, 0},
        {false, 1, {"Printing Cancelled"}, 0, 0},
        // A preview: before the preview window shows the pages.
        {true, -1, {}, 1, 0},
    };
    for (const auto &c : cases) {
        ui.errorLists.clear();
        ui.messages.clear();
        ui.cancelProgressAt = c.cancelAt;
        SeenAtFinish seen;
        ui.plotPrint = [&](bool) { return std::unique_ptr<IPlotPages>(new FinishWatch(ui, seen)); };
        doc.OnPrintPlots(true, c.preview);
        EXPECT_EQ(seen.finished, 1) << c.preview << c.cancelAt;
        EXPECT_EQ(seen.errorLists, c.errorListsAtFinish) << c.preview << c.cancelAt;
        EXPECT_EQ(seen.messages, c.messagesAtFinish) << c.preview << c.cancelAt;
        EXPECT_EQ(ui.messages, c.messages);
        // The file that is no signal is reported once, unless the job was cancelled before it.
        EXPECT_EQ(ui.errorLists.size(), c.cancelAt < 0 ? 1u : 0u) << c.preview << c.cancelAt;
    }
    ui.cancelProgressAt = -1;
}
