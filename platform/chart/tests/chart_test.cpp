#include "platform/chart/ChartDialogs.h"
#include "platform/chart/PlotChart.h"
#include "platform/chart/RecordingChart.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace kxchart;

namespace {

constexpr double kPad = 2.220446049250313e-16;

// Two curves packed as the documents pack them: the second is shorter and padded.
ChartContent twoCurves(bool declareNull)
{
    ChartContent c;
    c.curves = 2;
    c.points = 4;
    c.x = {0.01, 0.02, 0.03, 0.04, 0.01, 0.02, kPad, kPad};
    c.y = {10.0, 20.0, 15.0, 12.0, 30.0, 35.0, kPad, kPad};
    if (declareNull)
        c.nullValue = kPad;
    c.title = "Head Acceleration";
    c.xLabel = "Time (s)";
    c.yLabel = "Acceleration (G)";
    c.legend = {"Curve 1", "Curve 2"};
    return c;
}

} // namespace

TEST(ChartContent, PaddingIsNotPartOfACurve)
{
    const ChartContent c = twoCurves(true);
    std::vector<double> xs, ys;
    c.curvePoints(0, xs, ys);
    EXPECT_EQ(xs.size(), 4u);
    c.curvePoints(1, xs, ys);
    ASSERT_EQ(xs.size(), 2u);
    EXPECT_DOUBLE_EQ(ys[1], 35.0);
}

TEST(ChartContent, NullInsideACurveIsAGapAndArraysTooShortAreClamped)
{
    ChartContent c;
    c.curves = 1;
    c.points = 5;
    c.nullValue = -1.0;
    c.x = {0, 1, -1, 3}; // shorter than curves * points
    c.y = {5, 6, 7, 8};
    std::vector<double> xs, ys;
    c.curvePoints(0, xs, ys);
    ASSERT_EQ(xs.size(), 4u);
    EXPECT_TRUE(std::isnan(xs[2]) && std::isnan(ys[2]));
    c.curvePoints(3, xs, ys); // no such curve
    EXPECT_TRUE(xs.empty());
}

TEST(PlotChart, EveryCommandIsIgnoredBeforeCreation)
{
    PlotChart chart;
    QTemporaryDir dir;
    chart.content() = twoCurves(true);
    chart.reinitialise();
    chart.resetImage();
    EXPECT_FALSE(chart.isCreated());
    EXPECT_FALSE(chart.save(ImageFormat::Png, dir.filePath("a.png"), QSize(400, 300)));
    EXPECT_TRUE(chart.render(QSize(400, 300)).isNull());
    EXPECT_FALSE(chart.copyToClipboard(QSize(400, 200)));
    EXPECT_EQ(chart.customiseDialog(nullptr), -1);
    EXPECT_EQ(chart.saveDialog(nullptr), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("a.png")));
}

TEST(PlotChart, ShorterCurveEndsWhereItsSamplesEnd)
{
    PlotChart chart;
    ASSERT_TRUE(chart.create(nullptr, QRect(0, 0, 600, 400)));
    chart.content() = twoCurves(true);
    chart.reinitialise();
    QCustomPlot *plot = chart.plot();
    ASSERT_EQ(plot->graphCount(), 2);
    EXPECT_EQ(plot->graph(0)->dataCount(), 4);
    EXPECT_EQ(plot->graph(1)->dataCount(), 2);
    // The origin where the padding sits is not pulled into the axes.
    EXPECT_GT(plot->xAxis->range().lower, 0.005);
    EXPECT_GT(plot->yAxis->range().lower, 5.0);
    EXPECT_EQ(plot->graph(1)->name(), QString("Curve 2"));
}

namespace {

// n curves of points samples each, packed, with a legend.
ChartContent manyCurves(int n, int points)
{
    ChartContent c;
    c.curves = n;
    c.points = points;
    for (int k = 0; k < n; ++k) {
        for (int i = 0; i < points; ++i) {
            c.x.push_back(i * 1.0e-4);
            c.y.push_back(k + std::sin(i * 0.01));
        }
        c.legend << QStringLiteral("s%1").arg(k);
        c.lineStyles.push_back(k % 10);
    }
    return c;
}

} // namespace

TEST(PlotChart, LegendListsEveryCurveInOrderAndDenseChartsAreNotSmoothed)
{
    // Curves, points each, whether curves are drawn smoothed.
    const struct {
        int curves;
        int points;
        bool smoothed;
    } cases[] = {
        {2, 1000, true},
        {1, 2001, false},  // one long curve
        {60, 2000, false}, // many curves: more points in all than a smooth draw pays off
    };
    PlotChart chart;
    ASSERT_TRUE(chart.create(nullptr, QRect(0, 0, 600, 400)));
    for (const auto &c : cases) {
        chart.content() = manyCurves(c.curves, c.points);
        chart.reinitialise();
        QCustomPlot *plot = chart.plot();
        ASSERT_EQ(plot->plottableCount(), c.curves);
        ASSERT_NE(plot->legend, nullptr);
        ASSERT_EQ(plot->legend->itemCount(), c.curves);
        for (int k = 0; k < c.curves; ++k) {
            EXPECT_EQ(plot->plottable(k)->antialiased(), c.smoothed) << c.curves;
            auto *item = qobject_cast<QCPPlottableLegendItem *>(plot->legend->item(k));
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->plottable(), plot->plottable(k));
            EXPECT_EQ(item->plottable()->name(), QStringLiteral("s%1").arg(k));
        }
    }
    chart.destroy();
    EXPECT_FALSE(chart.isCreated());
}

TEST(PlotChart, XYCurveKeepsItsPointOrderAndFullRange)
{
    // Force over deflection: X runs out to -38 and back.
    PlotChart chart;
    ASSERT_TRUE(chart.create(nullptr, QRect(0, 0, 600, 400)));
    ChartContent c;
    c.curves = 1;
    c.points = 5;
    c.x = {0.0, -10.0, -38.0, -12.0, 0.0};
    c.y = {0.0, 1000.0, 7200.0, 3000.0, 0.0};
    c.legend = {"xy"};
    chart.content() = c;
    chart.reinitialise();
    QCustomPlot *plot = chart.plot();
    ASSERT_EQ(plot->plottableCount(), 1);
    auto *curve = qobject_cast<QCPCurve *>(plot->plottable(0));
    ASSERT_NE(curve, nullptr);
    ASSERT_EQ(curve->dataCount(), 5);
    EXPECT_DOUBLE_EQ(curve->data()->at(2)->key, -38.0);
    EXPECT_DOUBLE_EQ(curve->data()->at(3)->key, -12.0);
    EXPECT_LE(plot->xAxis->range().lower, -38.0);
    EXPECT_GE(plot->xAxis->range().upper, 0.0);
    EXPECT_EQ(curve->name(), QString("xy"));
}

TEST(PlotChart, LimitLinesStayInViewAndFixedYRangeHolds)
{
    PlotChart chart;
    ASSERT_TRUE(chart.create(nullptr, QRect(0, 0, 600, 400)));
    ChartContent c = twoCurves(true);
    c.lines.push_back({StraightLine::Orientation::Horizontal, 100.0, 0.01, 0.04, Qt::red, {}});
    chart.content() = c;
    chart.reinitialise();
    EXPECT_GE(chart.plot()->yAxis->range().upper, 100.0);
    EXPECT_EQ(chart.plot()->itemCount(), 1);

    c.lines.clear();
    c.yMin = 0.0;
    c.yMax = 1.0;
    chart.content() = c;
    chart.reinitialise();
    EXPECT_DOUBLE_EQ(chart.plot()->yAxis->range().lower, 0.0);
    EXPECT_DOUBLE_EQ(chart.plot()->yAxis->range().upper, 1.0);
}

TEST(PlotChart, SavesEveryFormatAndNeverLeavesAPartialFile)
{
    PlotChart chart;
    ASSERT_TRUE(chart.create(nullptr, QRect(0, 0, 800, 500)));
    ChartContent c = twoCurves(true);
    HeaderTable table;
    table.rows = 2;
    table.columns = 2;
    table.cells = {"File Name: A.UDS", "Speed: 56.0", "Make: TEST", "HIC: 512.3"};
    c.headerTable = table;
    chart.content() = c;
    chart.reinitialise();

    QTemporaryDir dir;
    const std::pair<ImageFormat, const char *> cases[] = {{ImageFormat::Png, "plot.png"},
                                                          {ImageFormat::Jpeg, "plot.jpg"},
                                                          {ImageFormat::Bitmap, "plot.bmp"},
                                                          {ImageFormat::Vector, "plot.pdf"}};
    for (const auto &[format, name] : cases) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(chart.save(format, path, QSize(800, 500))) << name;
        EXPECT_GT(QFileInfo(path).size(), 100) << name;
    }
    EXPECT_FALSE(QImage(dir.filePath("plot.png")).isNull());
    EXPECT_EQ(QImage(dir.filePath("plot.png")).size(), QSize(800, 500));

    // Saving again replaces the file in one step.
    ASSERT_TRUE(chart.save(ImageFormat::Png, dir.filePath("plot.png"), QSize(400, 250)));
    EXPECT_EQ(QImage(dir.filePath("plot.png")).size(), QSize(400, 250));

    // An unwritable target fails and leaves the old file and no temporary behind.
    const QString missing = dir.filePath("no-such-folder/plot.png");
    EXPECT_FALSE(chart.save(ImageFormat::Png, missing, QSize(100, 100)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);

    if (const char *out = std::getenv("KX_CHART_PNG"))
        chart.save(ImageFormat::Png, QString::fromLocal8Bit(out), QSize(900, 560));
}

TEST(PlotChart, RenderKeepsTheRequestedSize)
{
    PlotChart chart;
    ASSERT_TRUE(chart.create(nullptr, QRect(0, 0, 400, 300)));
    chart.content() = twoCurves(true);
    chart.reinitialise();
    chart.setExportResolution(300);
    const QImage image = chart.render(QSize(1500, 900));
    EXPECT_EQ(image.size(), QSize(1500, 900));
    EXPECT_EQ(chart.exportResolution(), 300);
}

TEST(PlotChart, LineStyleCodes)
{
    struct Case {
        int code;
        double width;
        Qt::PenStyle style;
    };
    const Case cases[] = {
        {0, 1.0, Qt::SolidLine}, {1, 1.0, Qt::DashLine}, {2, 1.0, Qt::DotLine},         {5, 2.0, Qt::SolidLine},
        {6, 3.0, Qt::SolidLine}, {9, 2.0, Qt::DotLine},  {11, 2.0, Qt::DashDotDotLine}, {42, 1.0, Qt::SolidLine},
    };
    for (const Case &c : cases) {
        const QPen pen = PlotChart::penForStyle(c.code, 3);
        EXPECT_DOUBLE_EQ(pen.widthF(), c.width) << c.code;
        EXPECT_EQ(pen.style(), c.style) << c.code;
    }
    EXPECT_NE(PlotChart::penForStyle(0, 0).color(), PlotChart::penForStyle(0, 1).color());
}

TEST(ChartDialogs, CustomiseAppliesTheEditedTexts)
{
    ChartContent c = twoCurves(false);
    CustomiseChartDialog dialog(c);
    EXPECT_EQ(dialog.titleEdit()->text(), QString("Head Acceleration"));
    dialog.titleEdit()->setText("New Title");
    dialog.gridCheck()->setChecked(false);
    dialog.apply(c);
    EXPECT_EQ(c.title, QString("New Title"));
    EXPECT_FALSE(c.grid);
    EXPECT_EQ(c.xLabel, QString("Time (s)"));
}

TEST(ChartDialogs, FormatFollowsTheFileExtension)
{
    EXPECT_EQ(formatForPath("a.JPG"), ImageFormat::Jpeg);
    EXPECT_EQ(formatForPath("a.bmp"), ImageFormat::Bitmap);
    EXPECT_EQ(formatForPath("a.wmf"), ImageFormat::Vector);
    EXPECT_EQ(formatForPath("a.pdf"), ImageFormat::Vector);
    EXPECT_EQ(formatForPath("a"), ImageFormat::Png);
}

TEST(RecordingChart, RecordsCommandsAndTheShownContent)
{
    RecordingChart chart;
    EXPECT_FALSE(chart.save(ImageFormat::Jpeg, "x.jpg", QSize(10, 10)));
    EXPECT_TRUE(chart.calls().empty());
    chart.create(nullptr, QRect(0, 0, 100, 50));
    chart.content() = twoCurves(true);
    chart.reinitialise();
    chart.content().title = "changed later";
    chart.save(ImageFormat::Jpeg, "x.jpg", QSize(800, 600));
    chart.destroy();
    const std::vector<std::string> expected = {"create", "reinitialise", "save jpeg x.jpg 800x600", "destroy"};
    EXPECT_EQ(chart.calls(), expected);
    EXPECT_EQ(chart.shown().title, QString("Head Acceleration"));
}

TEST(RecordingChart, RecordsTheCopiedPictureAndKeepsItsResolution)
{
    RecordingChart chart;
    EXPECT_FALSE(chart.copyPictureToClipboard());
    EXPECT_TRUE(chart.calls().empty());
    chart.create(nullptr, QRect(0, 0, 100, 50));
    chart.setExportResolution(150);
    EXPECT_TRUE(chart.copyPictureToClipboard());
    const std::vector<std::string> expected = {"create", "copy picture", "copy 2000x1000"};
    EXPECT_EQ(chart.calls(), expected);
    EXPECT_EQ(chart.exportResolution(), 150);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
