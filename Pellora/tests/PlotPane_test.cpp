// The plot pane shows only what the document holds now, keeps the user's zoom when
// asked to, draws once per rebuild, and prints from the program's page setup.

#include "Pellora/app/CMainFrame.h"
#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/views/CPlotOutput.h"
#include "Pellora/views/CPlotView.h"
#include "platform/chart/PlotChart.h"
#include "platform/chart/RecordingChart.h"
#include "shared_ui/header/CUdsReport.h"
#include "shared_ui/printing/PageSetup.h"
#include "support/PelloraTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <functional>

using namespace pellora;
using namespace pelloratest;

namespace {

class PaneTest : public ::testing::Test {
protected:
    PaneTest()
        : doc(&ui, settings.Program())
    {
        WriteUds(folder.File("a.uds"), {.curveNumber = 1});
        WriteUds(folder.File("b.uds"), {.curveNumber = 2, .peak = 80.0});
        WriteText(folder.File("bad.uds"), std::string(512, 'x'));
    }

    CPlotView &View()
    {
        if (!view)
            view = std::make_unique<CPlotView>(doc, [this] {
                auto chart = std::make_unique<kxchart::RecordingChart>();
                last = chart.get();
                return chart;
            });
        return *view;
    }

    ScratchSettings settings;
    TempFolder folder;
    FakeUi ui;
    CPelloraDoc doc;
    std::unique_ptr<CPlotView> view;
    kxchart::RecordingChart *last = nullptr;
};

long PeakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

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

TEST_F(PaneTest, PaneIsEmptyAndChartCommandsOffWhenNothingIsPlotted)
{
    const std::string list = folder.File("list.txt");
    WriteText(list, folder.File("a.uds") + "\n");
    const std::string other = folder.File("other");
    std::filesystem::create_directory(other);
    const struct {
        const char *action;
        std::function<void()> run;
    } cases[] = {
        {"Open Directory", [&] { doc.OpenDirectory(other); }},
        {"Open Hitlist", [&] { doc.OpenHitList(list); }},
        {"Clear HitList",
         [&] {
             doc.SwitchToHitListMode();
             doc.ClearHitList();
         }},
        {"deselect everything", [&] { doc.SelectFiles({}); }},
        {"selected file fails to load", [&] { doc.SelectFiles({folder.File("bad.uds")}); }},
    };
    for (const auto &c : cases) {
        CMainFrame frame(doc);
        frame.SetPlotPane(new CPlotView(doc, [] { return std::make_unique<kxchart::RecordingChart>(); }));
        auto *pane = static_cast<CPlotView *>(frame.PlotPane());
        doc.OpenDirectory(folder.Str());
        doc.SelectFiles({folder.File("a.uds"), folder.File("b.uds")});
        ASSERT_TRUE(pane->HasChart()) << c.action;
        ASSERT_TRUE(frame.Action(CMainFrame::ID_EDIT_COPY)->isEnabled()) << c.action;

        c.run();

        EXPECT_FALSE(pane->HasChart()) << c.action;
        for (int id : {CMainFrame::ID_EDIT_COPY, CMainFrame::ID_FILE_SAVE_AS_JPEG, CMainFrame::ID_FILE_SAVE_AS_WMF,
                       CMainFrame::ID_FILE_PRINT_CURRENT, CMainFrame::ID_FILE_PREVIEW_CURRENT})
            EXPECT_FALSE(frame.Action(id)->isEnabled()) << c.action << " " << id;
        ui.messages.clear();
        doc.OnPrintPlots(false, false);
        EXPECT_EQ(ui.messages.size(), 1u) << c.action; // "Please select a curve ..."
    }
}

TEST_F(PaneTest, SavedZoomSurvivesANewSelectionOnlyWhenTheSettingIsOn)
{
    const QRectF zoomed(QPointF(0.002, -5.0), QPointF(0.004, 30.0));
    View();
    for (const bool saveZoom : {true, false}) {
        ui.options = [saveZoom](CPlottingOptionValues &values) {
            values.saveZoom = saveZoom;
            return true;
        };
        doc.OnOptions();
        ASSERT_EQ(doc.GetSaveZoom(), saveZoom);
        doc.OpenDirectory(folder.Str());
        doc.SelectFiles({folder.File("a.uds")});
        ASSERT_NE(View().Chart(), nullptr);
        View().Chart()->setZoomRange(zoomed); // the user zooms in

        doc.SelectFiles({folder.File("b.uds")});
        QRectF shown;
        EXPECT_EQ(View().Chart()->zoomRange(shown), saveZoom) << saveZoom;
        if (saveZoom) {
            EXPECT_EQ(shown, zoomed);
        }
        // Through an empty pane too.
        doc.SelectFiles({});
        doc.SelectFiles({folder.File("a.uds")});
        EXPECT_EQ(View().Chart()->zoomRange(shown), saveZoom) << saveZoom;
        View().Chart()->resetZoom();
    }
}

TEST_F(PaneTest, ARebuildDrawsTheChartOnce)
{
    CPlotView real(doc);
    real.resize(800, 400);
    real.show();
    doc.OpenDirectory(folder.Str());
    doc.SelectFiles({folder.File("a.uds"), folder.File("b.uds")});
    QApplication::processEvents();
    auto *chart = dynamic_cast<kxchart::PlotChart *>(real.Chart());
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->drawCount(), 1);
    // The zoom kept from before does not add a draw.
    chart->setZoomRange(QRectF(QPointF(0.0, 0.0), QPointF(0.005, 40.0)));
    doc.SelectFiles({folder.File("a.uds")});
    QApplication::processEvents();
    chart = dynamic_cast<kxchart::PlotChart *>(real.Chart());
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->drawCount(), 1);
}

TEST_F(PaneTest, PreviewAllBuildsItsPagesOnceInBoundedMemory)
{
    // 200 files: rendered at 300 dpi each page took about 27 MB; as drawing commands
    // spooled to disk the whole job stays far below that for all of them together.
    TempFolder many;
    for (int i = 0; i < 200; ++i)
        WriteUds(many.File("f" + std::to_string(1000 + i) + ".uds"), {.curveNumber = i + 1, .points = 2000});
    doc.OpenDirectory(many.Str());
    CPlotView real(doc);
    real.resize(800, 400);
    TempFolder out;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    CPlotPrintJob::PreparePrinter(printer);
    printer.setOutputFileName(QString::fromStdString(out.File("preview.pdf")));

    const long before = PeakMemoryKb();
    CPlotPrintJob job(printer, true, doc.GetMargins(), doc.GetMarginUnit());
    ASSERT_GT(doc.PrintPlotPages(job, true, true), 0);
    EXPECT_EQ(job.PageCount(), 200);
    // Every layout of the preview draws the built pages; none is built again.
    const std::size_t jobs = ui.progressTitles.size();
    EXPECT_EQ(job.PaintPreviewPages(printer), 200);
    EXPECT_EQ(ui.progressTitles.size(), jobs);
    const long grownMb = (PeakMemoryKb() - before) / 1024;
    EXPECT_EQ(PdfPages(QString::fromStdString(out.File("preview.pdf"))), 200);
#if defined(__SANITIZE_ADDRESS__)
    const long limitMb = 600; // the sanitizer keeps freed memory for a while
#else
    const long limitMb = 250;
#endif
    EXPECT_LT(grownMb, limitMb) << "peak memory grew by " << grownMb << " MB";
    std::cout << "[ preview of 200 files: peak memory grew by " << grownMb << " MB ]\n";
}

TEST_F(PaneTest, PageSetupReachesPlotAndReportJobsAndPlotsStayLandscape)
{
    const QPageLayout before = kxres::ProgramPageLayout();
    kxres::SetProgramPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    QPrinter plot(QPrinter::HighResolution);
    CPlotPrintJob::PreparePrinter(plot);
    EXPECT_EQ(plot.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(plot.pageLayout().orientation(), QPageLayout::Landscape);

    CUdsReport report;
    auto signal = std::make_shared<kx::CNSignal>();
    signal->SetXYData({0.0, 0.001}, {1.0, 2.0});
    report.SetSignal(signal);
    QPageLayout asked;
    report.SetPrinterPrompt([&asked](QPrinter &printer) {
        asked = printer.pageLayout();
        return false;
    });
    report.Print();
    EXPECT_EQ(asked.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(asked.orientation(), QPageLayout::Portrait);
    kxres::SetProgramPageLayout(before);
}

TEST_F(PaneTest, DrawnPageFillsItsRectangleAtAnyResolution)
{
    CPlotView real(doc);
    real.resize(800, 400);
    doc.OpenDirectory(folder.Str());
    doc.SelectFiles({folder.File("a.uds")});
    ASSERT_NE(real.Chart(), nullptr);
    // A page of 4 by 3 inches at each resolution.
    for (const int dpi : {96, 300, 600}) {
        const QRect target(50, 50, 4 * dpi, 3 * dpi);
        QImage page(target.size() + QSize(100, 100), QImage::Format_RGB32);
        page.fill(Qt::white);
        page.setDotsPerMeterX(int(dpi / 0.0254));
        page.setDotsPerMeterY(int(dpi / 0.0254));
        {
            QPainter painter(&page);
            real.Chart()->setExportResolution(dpi);
            ASSERT_TRUE(real.Chart()->paint(painter, target));
        }
        real.Chart()->setExportResolution(96);
        // Ink in each quarter of the rectangle (the curve crosses them all), none outside it.
        int inkOutside = 0;
        int quarters[4] = {0, 0, 0, 0};
        const QPoint centre = target.center();
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                if (page.pixel(x, y) == qRgb(255, 255, 255))
                    continue;
                if (!target.contains(x, y))
                    ++inkOutside;
                else
                    ++quarters[(x >= centre.x() ? 1 : 0) + (y >= centre.y() ? 2 : 0)];
            }
        EXPECT_EQ(inkOutside, 0) << dpi;
        for (int q = 0; q < 4; ++q)
            EXPECT_GT(quarters[q], 100 * dpi / 96) << dpi << " quarter " << q;
    }
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
