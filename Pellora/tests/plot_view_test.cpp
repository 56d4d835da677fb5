// The plot view: what it gives the chart, its hints, Save All Plots, printing.

#include "Pellora/app/CMainFrame.h"
#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/views/CPlotOutput.h"
#include "Pellora/views/CPlotView.h"
#include "platform/chart/content/ChartRules.h"
#include "shared_ui/dialogs/CProgressWnd.h"
#include "platform/chart/RecordingChart.h"
#include "support/PelloraTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

using namespace pellora;

using kxchart::RecordingChart;
using pelloratest::SampleSignal;

namespace {

// A recording chart whose saves write a small file and note what was shown then.
class SavingChart : public RecordingChart {
public:
    struct Log {
        std::vector<std::string> paths;
        std::map<std::string, QString> legendAtSave;
        std::function<void(int saves)> afterSave;
        // What the last chart drawn off the screen was asked to do.
        std::vector<std::string> lastCalls;
    };
    explicit SavingChart(Log &log)
        : m_log(log)
    {}
    ~SavingChart() override { m_log.lastCalls = calls(); }

    bool save(kxchart::ImageFormat format, const QString &path, const QSize &size) override
    {
        RecordingChart::save(format, path, size);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write("image");
        m_log.paths.push_back(path.toStdString());
        m_log.legendAtSave[QFileInfo(path).fileName().toStdString()] =
            shown().legend.isEmpty() ? QString() : shown().legend.front();
        if (m_log.afterSave)
            m_log.afterSave(int(m_log.paths.size()));
        return true;
    }

private:
    Log &m_log;
};

class PlotViewTest : public ::testing::Test {
protected:
    PlotViewTest()
        : doc(&ui, settings.Program())
    {
        // Images are written by charts of their own, never by the view's.
        ui.onSavePlot = [this](const pelloratest::FakeUi::SavedPlot &plot) {
            return SavePlotPicture(OffScreenCharts(), plot.picture, plot.kind, QString::fromStdString(plot.path),
                                   QSize(plot.width, plot.height));
        };
    }

    kxchart::ChartFactory OffScreenCharts()
    {
        return [this] { return std::make_unique<SavingChart>(log); };
    }

    // The view with recording charts; chart() is the one made last.
    CPlotView &View()
    {
        if (!view)
            view = std::make_unique<CPlotView>(doc, [this] {
                auto chart = std::make_unique<SavingChart>(log);
                last = chart.get();
                ++made;
                return chart;
            });
        return *view;
    }
    RecordingChart &chart()
    {
        EXPECT_NE(last, nullptr);
        return *last;
    }

    std::string Write(const std::string &name, SampleSignal s = {})
    {
        pelloratest::WriteUds(folder.File(name), s);
        return folder.File(name);
    }
    void Browse() { doc.OpenDirectory(folder.Str()); }
    void Select(const std::vector<std::string> &names)
    {
        std::vector<std::string> paths;
        for (const std::string &n : names)
            paths.push_back(folder.File(n));
        doc.SelectFiles(paths);
    }

    pelloratest::ScratchSettings settings;
    pelloratest::FakeUi ui;
    CPelloraDoc doc;
    pelloratest::TempFolder folder;
    SavingChart::Log log;
    std::unique_ptr<CPlotView> view;
    RecordingChart *last = nullptr;
    int made = 0;
};

std::vector<std::string> FilesIn(const std::filesystem::path &dir)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// ---- chart content ----------------------------------------------------------

TEST_F(PlotViewTest, OneSignalGivesTitlesLabelsAndItsSamples)
{
    View();
    SampleSignal s;
    s.points = 120;
    Write("a.uds", s);
    Browse();
    Select({"a.uds"});
    ASSERT_EQ(made, 1);
    const kxchart::ChartContent &c = chart().shown();
    EXPECT_EQ(c.curves, 1);
    EXPECT_EQ(c.points, 120);
    EXPECT_EQ(c.x.size(), 120u);
    EXPECT_EQ(c.title, QString("Test: 4711 - Curve Number: 1 - HEAD CG"));
    EXPECT_TRUE(c.subtitle.startsWith("Ymin ")) << c.subtitle.toStdString();
    EXPECT_EQ(c.yLabel, QString("ACCELERATION - G'S"));
    EXPECT_EQ(c.xLabel, QString("TIME - SECONDS"));
    EXPECT_FALSE(c.headerTable.has_value());
    EXPECT_EQ(c.legend, QStringList{"a.uds"});
    EXPECT_EQ(c.lineStyles, std::vector<int>{0});
    const auto &calls = chart().calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front(), "create");
    EXPECT_NE(std::find(calls.begin(), calls.end(), "reinitialise"), calls.end());
    EXPECT_TRUE(View().HasChart());
}

TEST_F(PlotViewTest, ShorterCurveEndsWhereItsSamplesEnd)
{
    View();
    SampleSignal longer;
    longer.points = 100;
    SampleSignal shorter;
    shorter.points = 40;
    shorter.curveNumber = 2;
    shorter.yUnits = "KN";
    Write("a.uds", longer);
    Write("b.uds", shorter);
    Browse();
    Select({"a.uds", "b.uds"});
    const kxchart::ChartContent &c = chart().shown();
    ASSERT_EQ(c.curves, 2);
    ASSERT_EQ(c.points, 100);
    ASSERT_EQ(c.y.size(), 200u);
    // The padding is declared, so the chart never draws it as data.
    ASSERT_TRUE(c.nullValue.has_value());
    EXPECT_EQ(*c.nullValue, CPelloraDoc::PadValue);
    EXPECT_EQ(c.y[100 + 40], CPelloraDoc::PadValue);
    std::vector<double> xs, ys;
    c.curvePoints(1, xs, ys);
    EXPECT_EQ(xs.size(), 40u);
    c.curvePoints(0, xs, ys);
    EXPECT_EQ(xs.size(), 100u);
    // Several signals: no title, mixed units named, one legend entry per curve.
    EXPECT_TRUE(c.title.isEmpty());
    EXPECT_EQ(c.yLabel, QString("Mixed Y Axis Units"));
    EXPECT_EQ(c.legend, (QStringList{"a.uds", "b.uds"}));
    EXPECT_EQ(c.lineStyles, (std::vector<int>{0, 1}));
}

TEST_F(PlotViewTest, SeveralSubtitleLinesBecomeAMultiLineSubtitle)
{
    View();
    Write("a.uds");
    Browse();
    Select({"a.uds"});
    doc.SetSubTitle("Driver head\tPassenger head\t");
    doc.UpdateAllViews(UpdateHint::Plot);
    EXPECT_TRUE(chart().shown().subtitle.isEmpty());
    EXPECT_EQ(chart().shown().subtitleLines, (QStringList{"Driver head", "Passenger head"}));

    doc.SetSubTitle("Driver head\t");
    doc.UpdateAllViews(UpdateHint::Plot);
    EXPECT_EQ(chart().shown().subtitle, QString("Driver head"));
    EXPECT_TRUE(chart().shown().subtitleLines.isEmpty());
}

TEST_F(PlotViewTest, LongHeaderShowsTheTableForOneSignalOnly)
{
    View();
    doc.SetShortHeader(false);
    Write("a.uds");
    SampleSignal b;
    b.curveNumber = 2;
    Write("b.uds", b);
    Browse();
    Select({"a.uds"});
    const kxchart::ChartContent &one = chart().shown();
    ASSERT_TRUE(one.headerTable.has_value());
    EXPECT_EQ(one.headerTable->rows, 7);
    EXPECT_EQ(one.headerTable->columns, 4);
    EXPECT_EQ(one.headerTable->fontFamily, QString("Arial"));
    EXPECT_EQ(one.headerTable->cell(0, 0), QString("File Name: a.uds"));
    EXPECT_TRUE(one.title.isEmpty());

    Select({"a.uds", "b.uds"});
    EXPECT_FALSE(chart().shown().headerTable.has_value());

    // Short header: one signal keeps the normal title.
    doc.SetShortHeader(true);
    Select({"a.uds"});
    EXPECT_FALSE(chart().shown().headerTable.has_value());
    EXPECT_FALSE(chart().shown().title.isEmpty());
}

TEST(PlotViewHeaderTable, DatabaseNameChoosesTheCellsShown)
{
    struct Case {
        const char *source;
        const char *make;
        const char *database;
        bool vehicleCells;
        bool occupantSex;
    };
    const Case cases[] = {
        {"NHTSA VEHICLE DB", "", "VEHICLE DB", true, false},
        {"KX CRASH LAB", "KX MOTORS", "VEHICLE DB", true, false},
        {"BIOMECHANICS LAB", "", "BIOMECHANICS DB", false, true},
        {"USER DATA", "", "CD", true, false},
    };
    for (const Case &k : cases) {
        kx::CNSignal signal;
        signal.SetTstSrc(k.source);
        signal.SetVehicle1Make(k.make);
        signal.SetOccupant1Sex("F");
        signal.SetFileName("x.uds");
        signal.SetXYData({0.0, 0.001, 0.002}, {1.0, -4.0, 9.0});
        EXPECT_EQ(DatabaseName(signal), k.database) << k.source;
        const kxchart::HeaderTable table = BuildHeaderTable(signal);
        ASSERT_EQ(table.cells.size(), 28u);
        const auto has = [&table](const QString &prefix) {
            return std::any_of(table.cells.begin(), table.cells.end(),
                               [&prefix](const QString &cell) { return cell.startsWith(prefix); });
        };
        EXPECT_TRUE(has(QString("Database Name: ") + k.database)) << k.source;
        EXPECT_EQ(has("Make: "), k.vehicleCells) << k.source;
        EXPECT_EQ(has("Occupant Sex: F"), k.occupantSex) << k.source;
        EXPECT_TRUE(has("Y MIN = -4.000 AT 1.00 ms")) << k.source;
        EXPECT_TRUE(has("Y MAX = 9.000 AT 2.00 ms")) << k.source;
        for (const QString &cell : table.cells)
            EXPECT_FALSE(cell.isEmpty());
        if (std::string(k.database) == "CD") {
            EXPECT_EQ(table.cells[20], QString(32, ' '));
        }
    }
}

TEST(PlotViewLineStyles, ElevenCurvesPerSetting)
{
    const std::vector<int> alternate{0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 0};
    const std::pair<int, std::vector<int>> cases[] = {
        {0, alternate},
        {1, std::vector<int>(11, 0)},
        {2, std::vector<int>(11, 5)},
        {3, std::vector<int>(11, 6)},
    };
    for (const auto &[setting, expected] : cases) {
        std::vector<int> codes;
        for (int i = 0; i < 11; ++i)
            codes.push_back(kxchart::LineStyleCode(setting, i));
        EXPECT_EQ(codes, expected) << "setting " << setting;
    }
}

// ---- hints ------------------------------------------------------------------

TEST_F(PlotViewTest, OnlyFileListAndPlotHintsRebuildAndOnePointEmptiesThePane)
{
    View();
    Write("a.uds");
    Browse();
    EXPECT_EQ(made, 0); // nothing to plot yet
    Select({"a.uds"});
    ASSERT_EQ(made, 1);
    RecordingChart *first = last;

    doc.UpdateAllViews(static_cast<UpdateHint>(3));
    EXPECT_EQ(made, 1);
    doc.UpdateAllViews(UpdateHint::FileList);
    EXPECT_EQ(made, 2);

    // A document left with a single point has nothing to plot: the pane is empty
    // and the chart commands find no chart.
    const int before = made;
    auto single = std::make_shared<kx::CNSignal>();
    single->SetXYData({0.0}, {1.0});
    doc.Signals() = {single};
    doc.BuildChartArrays();
    ASSERT_EQ(doc.GetMaxPointCount(), 1);
    doc.UpdateAllViews(UpdateHint::Plot);
    EXPECT_EQ(made, before);
    EXPECT_FALSE(View().HasChart());
    EXPECT_NE(first, nullptr);
}

TEST_F(PlotViewTest, PrintCurrentPlotWithoutAChartAsksForACurve)
{
    View();
    doc.OnPrintPlots(false, false);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              "Please select a curve from the upper pane.\n\rThen select 'Printing Current Plot' again.");
}

// ---- Save All Plots ---------------------------------------------------------

TEST_F(PlotViewTest, SaveAllPlotsNamesEachImageAfterItsOwnFileAndSkipsTheBadOne)
{
    View();
    for (const char *name : {"a.uds", "b.uds", "d.uds"}) {
        SampleSignal s;
        s.curveNumber = name[0] - 'a' + 1;
        Write(name, s);
    }
    pelloratest::WriteText(folder.File("c.uds"), "not a signal file\n");
    Browse();
    Select({"a.uds"});
    pelloratest::TempFolder out;

    doc.SaveAllPlots(PlotImageKind::Jpeg, out.Str(), 640, 480);

    EXPECT_EQ(FilesIn(out.Path()), (std::vector<std::string>{"a.uds_001.jpg", "b.uds_002.jpg", "d.uds_004.jpg"}));
    // Each image shows its own file, never the one before it.
    EXPECT_EQ(log.legendAtSave["b.uds_002.jpg"], QString("b.uds"));
    EXPECT_EQ(log.legendAtSave["d.uds_004.jpg"], QString("d.uds"));
    ASSERT_EQ(ui.errorLists.size(), 1u);
    ASSERT_FALSE(ui.errorLists[0].empty());
    EXPECT_EQ(ui.progressTitles, std::vector<std::string>{"Saving All Uds Plots As jpg Files"});
    EXPECT_FALSE(doc.IsBatchRunning());
    // The selection held before comes back.
    ASSERT_EQ(doc.GetSignals().size(), 1u);
    EXPECT_EQ(doc.GetSignals()[0]->GetFileName(), "a.uds");
    EXPECT_EQ(chart().shown().legend, QStringList{"a.uds"});
}

TEST_F(PlotViewTest, SaveAllPlotsNameFormat)
{
    EXPECT_EQ(CPelloraDoc::SaveAllName("/out", "HEAD.UDS", 12, PlotImageKind::Jpeg),
              std::string("/out/HEAD.UDS_012.jpg"));
    EXPECT_EQ(CPelloraDoc::SaveAllName("/out/", "v1234.aa0.001", 7, PlotImageKind::Metafile),
              std::string("/out/v1234.aa0.001_007.pdf"));
    EXPECT_EQ(kxchart::VectorSize(QSize(10000, 7500)), QSize(1000, 750));
}

TEST_F(PlotViewTest, CancelAfterTheSecondFileLeavesExactlyTwoImages)
{
    View();
    for (const char *name : {"a.uds", "b.uds", "c.uds", "d.uds"})
        Write(name);
    Browse();
    pelloratest::TempFolder out;
    ui.onProgressStep = [](int step) { return step == 2; };

    doc.SaveAllPlots(PlotImageKind::Metafile, out.Str(), 10000, 5000);

    EXPECT_EQ(FilesIn(out.Path()), (std::vector<std::string>{"a.uds_001.pdf", "b.uds_002.pdf"}));
    // The metafile commands write PDF and say so.
    EXPECT_EQ(ui.progressTitles, std::vector<std::string>{"Saving All Uds Plots As pdf Files"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Printing Cancelled");
    EXPECT_FALSE(doc.IsBatchRunning());
}

TEST(ProgressWnd, CaptionShowsThePercentageAndCancelOnlyRaisesTheFlag)
{
    kxres::CProgressWnd progress(nullptr, "Saving");
    progress.SetRange(0, 4);
    progress.SetStep(1);
    progress.StepIt();
    EXPECT_EQ(progress.windowTitle(), QString("Saving [25%]"));
    EXPECT_EQ(progress.size(), QSize(390, 130));
    EXPECT_FALSE(progress.IsCancelled());
    progress.CancelButton()->click();
    EXPECT_TRUE(progress.IsCancelled());
    EXPECT_EQ(progress.CancelButton()->text(), QString("Cancel"));
}

// ---- printing ---------------------------------------------------------------

TEST(PlotViewMargins, FromThePrintersPageLayoutAtAnyResolution)
{
    struct Case {
        QPageLayout::Orientation orientation;
        QMarginsF border; // left, top, right, bottom in inches
        int dpi;
    };
    const QMarginsF landscape(0.1575, 0.25, 0.5, 0.1875);
    const QMarginsF portrait(0.1875, 0.25, 0.5, 0.1875);
    const Case cases[] = {
        {QPageLayout::Landscape, landscape, 300},
        {QPageLayout::Landscape, landscape, 1200},
        {QPageLayout::Portrait, portrait, 300},
        {QPageLayout::Portrait, portrait, 1200},
    };
    const std::array<double, 4> margins{1.0, 0.75, 0.5, 0.6}; // left, right, top, bottom
    for (const Case &k : cases) {
        const QPageLayout layout(QPageSize(QPageSize::Letter), k.orientation, k.border, QPageLayout::Inch);
        const QMargins m = CPlotPrintJob::PrintMargins(margins, 0, layout, k.dpi);
        EXPECT_NEAR(m.left(), (1.0 - k.border.left()) * k.dpi, 1) << k.dpi;
        EXPECT_NEAR(m.right(), (0.75 - k.border.right()) * k.dpi, 1) << k.dpi;
        EXPECT_NEAR(m.top(), (0.5 - k.border.top()) * k.dpi, 1) << k.dpi;
        EXPECT_NEAR(m.bottom(), (0.6 - k.border.bottom()) * k.dpi, 1) << k.dpi;

        // The plot fills the page less border and margins.
        const bool wide = k.orientation == QPageLayout::Landscape;
        const QRect target = CPlotPrintJob::PrintTarget(layout, k.dpi, m);
        const QRect paint = layout.paintRectPixels(k.dpi);
        EXPECT_EQ(target, QRect(m.left(), m.top(), paint.width() - m.left() - m.right(),
                                paint.height() - m.top() - m.bottom()));
        // Qt keeps page sizes in points: a pixel or so per point at 1200 dpi.
        EXPECT_NEAR(target.width(), ((wide ? 11.0 : 8.5) - 1.0 - 0.75) * k.dpi, k.dpi / 72.0 + 1) << k.dpi;
        EXPECT_NEAR(target.height(), ((wide ? 8.5 : 11.0) - 0.5 - 0.6) * k.dpi, k.dpi / 72.0 + 1) << k.dpi;

        // Centimetres are converted; margins inside the border print from its edge.
        const QMargins cm = CPlotPrintJob::PrintMargins({2.54, 1.905, 1.27, 1.524}, 1, layout, k.dpi);
        EXPECT_NEAR(cm.left(), m.left(), 1);
        EXPECT_NEAR(cm.bottom(), m.bottom(), 1);
        const QMargins inside = CPlotPrintJob::PrintMargins({0.1, 0.2, 0.0, 0.1}, 0, layout, k.dpi);
        EXPECT_EQ(inside, QMargins(0, 0, 0, 0));
    }
    // Margins that leave no room give no target.
    const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, landscape, QPageLayout::Inch);
    EXPECT_TRUE(CPlotPrintJob::PrintTarget(layout, 300, CPlotPrintJob::PrintMargins({6.0, 6.0, 1, 1}, 0, layout, 300))
                    .isEmpty());
}

namespace {

int PdfPages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = file.readAll();
    return int(data.count("/Type /Page\n") + data.count("/Type /Page\r") + data.count("/Type /Page>") +
               data.count("/Type /Page ") + data.count("/Type /Page/"));
}

} // namespace

TEST_F(PlotViewTest, PrintingAllPlotsGivesOnePagePerPlottableFile)
{
    for (const char *name : {"a.uds", "b.uds", "d.uds"})
        Write(name);
    pelloratest::WriteText(folder.File("c.uds"), "not a signal file\n");
    Browse();
    CPlotView real(doc); // drawn by the real chart
    real.resize(800, 400);
    pelloratest::TempFolder out;

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    const QString all = QString::fromStdString(out.File("all.pdf"));
    printer.setOutputFileName(all);
    {
        CPlotPrintJob job(printer, false, doc.GetMargins(), doc.GetMarginUnit());
        EXPECT_EQ(doc.PrintPlotPages(job, true), 3);
        job.Finish();
    }
    EXPECT_EQ(PdfPages(all), 3);
    EXPECT_EQ(ui.errorLists.size(), 1u); // the file that was not printed

    // The current plot: one page, drawn with the chart rendered for the printable area.
    Select({"a.uds"});
    ASSERT_TRUE(real.HasChart());
    QPrinter one(QPrinter::HighResolution);
    one.setOutputFormat(QPrinter::PdfFormat);
    const QString current = QString::fromStdString(out.File("one.pdf"));
    one.setOutputFileName(current);
    {
        CPlotPrintJob job(one, false, doc.GetMargins(), doc.GetMarginUnit());
        EXPECT_EQ(doc.PrintPlotPages(job, false), 1);
        job.Finish();
    }
    EXPECT_EQ(PdfPages(current), 1);
}

TEST_F(PlotViewTest, PrintDrawsTheChartIntoTheMarginsAtThePrintersResolution)
{
    View();
    Write("a.uds");
    Browse();
    Select({"a.uds"});
    pelloratest::TempFolder out;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(1200);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                      QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
    printer.setOutputFileName(QString::fromStdString(out.File("p.pdf")));
    {
        CPlotPrintJob job(printer, false, doc.GetMargins(), doc.GetMarginUnit(), OffScreenCharts());
        EXPECT_EQ(doc.PrintPlotPages(job, false), 1);
        job.Finish();
    }
    // Margins 0.1 / 0.5 / 0.5 / 0.5 inch: the left one lies inside the border. The
    // chart draws itself (lines and text) into that rectangle; no image is rendered.
    const auto &calls = log.lastCalls;
    const QSize expected(int((11.0 - 0.25 - 0.5) * 1200), int((8.5 - 0.5 - 0.5) * 1200));
    const std::string paint =
        "paint 0,300 " + std::to_string(expected.width()) + "x" + std::to_string(expected.height());
    EXPECT_NE(std::find(calls.begin(), calls.end(), paint), calls.end()) << calls.back();
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const std::string &c) { return c.rfind("render", 0) == 0; }),
              0);
    // The chart on screen is left as it was.
    EXPECT_EQ(chart().exportResolution(), 96);
    for (const std::string &call : chart().calls())
        EXPECT_NE(call.rfind("paint", 0), 0u) << call;
}

// ---- a look at the real thing -------------------------------------------------

TEST_F(PlotViewTest, SnapshotOfTheSampleSignals)
{
    const QDir examples(QStringLiteral(KX_SOURCE_DIR "/examples"));
    const QStringList files = examples.entryList({QStringLiteral("*.uds")}, QDir::Files, QDir::Name);
    if (files.size() < 3)
        GTEST_SKIP() << "no sample signals";
    doc.OpenDirectory(examples.absolutePath().toStdString());
    CPlotView real(doc);
    real.resize(1200, 600);
    std::vector<std::string> paths;
    for (const char *name : {"head_accel_res_ieee.uds", "upper_neck_force_fz.uds", "upper_neck_moment_my.uds"})
        paths.push_back(examples.filePath(name).toStdString());
    doc.SelectFiles({paths[0]});
    ASSERT_TRUE(real.HasChart());
    const QImage image = real.grab().toImage();
    EXPECT_FALSE(image.isNull());
    image.save(QStringLiteral("plot_view_one.png"));
    doc.SetShortHeader(false);
    doc.UpdateAllViews(UpdateHint::Plot);
    real.grab().toImage().save(QStringLiteral("plot_view_header.png"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setOutputFileName(QStringLiteral("plot_view_print.pdf"));
    {
        CPlotPrintJob job(printer, false, doc.GetMargins(), doc.GetMarginUnit());
        EXPECT_EQ(doc.PrintPlotPages(job, false), 1);
        job.Finish();
    }
    doc.SelectFiles(paths);
    ASSERT_EQ(real.Chart()->content().curves, 3);
    real.grab().toImage().save(QStringLiteral("plot_view_three.png"));
}

TEST_F(PlotViewTest, InTheMainFrameTheCommandsReachTheView)
{
    Write("a.uds");
    Browse();
    CMainFrame frame(doc);
    auto *plot = new CPlotView(doc, [this] {
        auto chart = std::make_unique<SavingChart>(log);
        last = chart.get();
        ++made;
        return chart;
    });
    frame.SetPlotPane(plot);
    EXPECT_EQ(frame.PlotPane(), plot);
    frame.UpdateCommandUI();
    EXPECT_FALSE(frame.Action(CMainFrame::ID_EDIT_COPY)->isEnabled());
    Select({"a.uds"});
    ASSERT_TRUE(frame.Action(CMainFrame::ID_EDIT_COPY)->isEnabled());
    frame.Action(CMainFrame::ID_EDIT_COPY)->trigger();
    EXPECT_EQ(chart().calls().back(), "copy 2000x1000");

    // Multi Line Title: the long header for the one signal.
    EXPECT_TRUE(doc.IsShortHeader());
    frame.OnMultiLineTitle();
    EXPECT_FALSE(doc.IsShortHeader());
    EXPECT_TRUE(chart().shown().headerTable.has_value());
}

TEST_F(PlotViewTest, SnapshotOfTheMainWindowWithThreeSignals)
{
    const QDir examples(QStringLiteral(KX_SOURCE_DIR "/examples"));
    const QStringList names{"head_accel_res_ieee.uds", "upper_neck_force_fz.uds", "upper_neck_moment_my.uds"};
    for (const QString &name : names)
        if (!examples.exists(name))
            GTEST_SKIP() << "no sample signals";
    CMainFrame frame(doc);
    frame.SetPlotPane(new CPlotView(doc));
    frame.resize(1280, 900);
    frame.show();
    doc.OpenDirectory(examples.absolutePath().toStdString());
    std::vector<std::string> paths;
    for (const QString &name : names)
        paths.push_back(examples.filePath(name).toStdString());
    doc.SelectFiles(paths);
    QApplication::processEvents();
    EXPECT_TRUE(frame.grab().toImage().save(QStringLiteral("plot_view_main_window.png")));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
