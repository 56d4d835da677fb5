// HIC's view on recording charts: the content of each of the five modes and the
// chart commands.

#include "HIC/document/CHICDoc.h"
#include "HIC/views/AisTables.h"
#include "HIC/views/CHICView.h"
#include "platform/chart/RecordingChart.h"
#include "support/HicTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <cmath>

using namespace hic;
using namespace hictest;
using kxchart::RecordingChart;

namespace {

constexpr double kDt = 1.0e-4;

struct ViewFixture : ::testing::Test {
    FakeUi ui;
    CHICDoc doc;
    TempFolder folder;
    RecordingChart *plain = nullptr;
    RecordingChart *surface = nullptr;
    int plainMade = 0, surfaceMade = 0;
    CHICView view{doc,
                  [this] {
                      auto c = std::make_unique<RecordingChart>();
                      plain = c.get();
                      ++plainMade;
                      return c;
                  },
                  [this] {
                      auto c = std::make_unique<RecordingChart>();
                      surface = c.get();
                      ++surfaceMade;
                      return c;
                  }};

    void SetUp() override
    {
        doc.SetUi(&ui);
        QObject::connect(&doc, &CHICDoc::Updated, &view, &CHICView::OnUpdate);
        view.resize(640, 480);
    }

    void LoadAxes(double level = 80.0)
    {
        const std::string x = folder.File("x.uds"), y = folder.File("y.uds"), z = folder.File("z.uds");
        WriteHead(x, {Rect(2000, 300, 150, 0.6 * level), kDt, -100, "XG"});
        WriteHead(y, {Rect(2000, 300, 150, 0.8 * level), kDt, -100, "YG"});
        WriteHead(z, {std::vector<double>(2000, 0.0), kDt, -100, "ZG"});
        ASSERT_EQ(doc.RunCommandLine({x, y, z}, 36.0, ModeResultant), ModeResultant);
    }
};

TEST_F(ViewFixture, NothingIsDrawnWithoutAResult)
{
    view.OnUpdate(UpdateHint::Redraw);
    EXPECT_EQ(plainMade, 0);
    EXPECT_FALSE(doc.SetMode(ModeAis));
    EXPECT_FALSE(doc.SetMode(ModeSurface));
    EXPECT_EQ(plainMade + surfaceMade, 0);
}

TEST_F(ViewFixture, ResultantModeMarksTheHicInterval)
{
    LoadAxes();
    ASSERT_TRUE(plain);
    const kxchart::ChartContent &c = plain->shown();
    EXPECT_EQ(c.curves, 1);
    EXPECT_EQ(c.points, 2000);
    EXPECT_NEAR(c.x.front(), -100 * kDt, 1e-9);
    EXPECT_EQ(c.title, QStringLiteral("x.uds"));
    EXPECT_EQ(c.subtitle, QString::fromStdString(doc.Labels().subTitle));
    EXPECT_EQ(c.xLabel, QStringLiteral("Time in Seconds"));
    EXPECT_EQ(c.yLabel, QStringLiteral("G's"));
    ASSERT_EQ(c.lines.size(), 2u);
    EXPECT_DOUBLE_EQ(c.lines[0].value, doc.T1() * 0.001);
    EXPECT_DOUBLE_EQ(c.lines[1].value, doc.T2() * 0.001);
    EXPECT_EQ(c.lines[0].orientation, kxchart::StraightLine::Orientation::Vertical);
    EXPECT_EQ(c.lines[1].colour, QColor(Qt::red));
}

TEST_F(ViewFixture, AxisModeShowsTheResultantAndTheThreeAxes)
{
    LoadAxes();
    ASSERT_TRUE(doc.SetMode(ModeXYZ));
    const kxchart::ChartContent &c = plain->shown();
    EXPECT_EQ(c.curves, 4);
    EXPECT_EQ(c.legend, (QStringList{"Resultant ", "X Axis ", "Y Axis ", "Z Axis "}));
    ASSERT_EQ(c.y.size(), 4u * 2000u);
    EXPECT_DOUBLE_EQ(c.y[2000 + 400], doc.AxisX()->GetY()[400]);
    EXPECT_DOUBLE_EQ(c.y[400], doc.Resultant()->GetY()[400]);
    // A resultant alone has no axis mode.
    WriteHead(folder.File("r.uds"), {Rect(2000, 300, 150, 50.0)});
    ASSERT_TRUE(doc.OpenFiles({"", "", "", folder.File("r.uds"), 0, true, false, false}));
    EXPECT_EQ(doc.Mode(), ModeResultant);
    EXPECT_FALSE(doc.SetMode(ModeXYZ));
}

TEST_F(ViewFixture, SfcModeShowsTheProbabilityCurve)
{
    LoadAxes(100.0);
    ASSERT_TRUE(doc.SfcReady());
    ASSERT_TRUE(doc.SetMode(ModeSfc));
    const kxchart::ChartContent &c = plain->shown();
    EXPECT_EQ(c.title, QStringLiteral("Skull Fracture Correlate"));
    char expected[200];
    std::snprintf(expected, sizeof expected, "SFC = %.1f, (SFC critical %.1f), Hic = %.1f, Duration %.0f ms", doc.Sfc(),
                  166.0, doc.SfcHic(), doc.SfcDuration());
    EXPECT_EQ(c.subtitle.toStdString(), expected);
    EXPECT_EQ(c.xLabel, QStringLiteral("SFC (g)"));
    EXPECT_EQ(c.yLabel, QStringLiteral("Probability of Fracture"));
    EXPECT_EQ(c.points, 301);
    EXPECT_EQ(c.yMin, 0.0);
    EXPECT_EQ(c.yMax, 1.0);
    ASSERT_EQ(c.lines.size(), 2u);
    EXPECT_DOUBLE_EQ(c.lines[0].value, doc.Sfc());
    EXPECT_DOUBLE_EQ(c.lines[1].value, doc.SfcProbability());
    EXPECT_EQ(c.lines[1].orientation, kxchart::StraightLine::Orientation::Horizontal);
}

TEST_F(ViewFixture, AisModeDrawsTheSixTablesAgainstHic15)
{
    LoadAxes();
    ASSERT_TRUE(doc.SetMode(ModeAis));
    const kxchart::ChartContent &c = plain->shown();
    EXPECT_EQ(c.title, QStringLiteral("HIC15 Vs. Probability of Injury for Adult Dummies"));
    EXPECT_TRUE(c.subtitle.isEmpty());
    EXPECT_EQ(c.xLabel, QStringLiteral("HIC 15"));
    EXPECT_EQ(c.yLabel, QStringLiteral("Probability of Injury"));
    EXPECT_EQ(c.legend, (QStringList{"AIS1+", "AIS2+", "AIS3+", "AIS4+", "AIS5+", "Fatal"}));
    ASSERT_EQ(c.curves, 6);
    ASSERT_EQ(c.points, 33);
    struct Cell {
        int level, point;
        double x, y;
    };
    for (const Cell e : {Cell{0, 0, 50, 0.0762008}, Cell{5, 32, 3250, 0.738457}, Cell{2, 10, 1050, 0.251438},
                         Cell{4, 20, 2050, 0.452164}, Cell{3, 0, 50, 3.42567e-10}}) {
        const std::size_t at = std::size_t(e.level * 33 + e.point);
        EXPECT_DOUBLE_EQ(c.x[at], e.x);
        EXPECT_NEAR(c.y[at], e.y, 1e-6 * e.y);
    }
    // Every curve rises with HIC15.
    for (int level = 0; level < 6; ++level)
        for (int i = 1; i < 33; ++i)
            ASSERT_GT(c.y[std::size_t(level * 33 + i)], c.y[std::size_t(level * 33 + i - 1)]);
    ASSERT_EQ(c.lines.size(), 1u);
    EXPECT_DOUBLE_EQ(c.lines[0].value, doc.Hic());
}

TEST_F(ViewFixture, SurfaceModeAsksForItsIntervalsAndScalesLargeMaxima)
{
    // 400 G: every 10 ms window is far above the contour limit.
    LoadAxes(400.0);
    SurfaceParams asked;
    ui.surfaceAnswer = [&](SurfaceParams &p) {
        asked = p;
        p.startTo = 0.1;
        return true;
    };
    ASSERT_TRUE(doc.SetMode(ModeSurface));
    EXPECT_DOUBLE_EQ(asked.startEvery, 0.002);
    EXPECT_DOUBLE_EQ(asked.windowTo, 0.036);
    ASSERT_TRUE(surface);
    const kxchart::ChartContent &c = surface->shown();
    ASSERT_TRUE(c.surface.has_value());
    EXPECT_EQ(c.surface->rows, 17);
    EXPECT_EQ(c.surface->columns, 50);
    EXPECT_EQ(c.surface->colourLevels, 17);
    EXPECT_EQ(c.surface->rowLabel, QStringLiteral("Window Size (msec)"));
    EXPECT_DOUBLE_EQ(c.surface->yFrom, 2.0);
    EXPECT_DOUBLE_EQ(c.surface->yTo, 34.0);
    EXPECT_EQ(c.xLabel, QStringLiteral("T1 (sec)"));
    EXPECT_EQ(c.yLabel, QStringLiteral("HIC"));
    const double factor = doc.SurfaceValues().factor;
    EXPECT_GT(factor, 1.0);
    EXPECT_TRUE(c.subtitle.endsWith(QStringLiteral("; Contour factor = 1/%1").arg(factor, 0, 'f', 0)));
    double largest = 0.0;
    for (double v : c.surface->values)
        largest = std::max(largest, v);
    // A tenth of the power of ten reaching maximum / 1600 leaves the peak above the limit.
    EXPECT_GT(largest, 1600.0);
    EXPECT_LE(largest, 16000.0);

    // Intervals outside the record: the errors, and back to the resultant.
    ui.surfaceAnswer = [](SurfaceParams &p) {
        p.startTo = 5.0;
        return true;
    };
    EXPECT_FALSE(doc.SetMode(ModeSurface));
    EXPECT_EQ(doc.Mode(), ModeResultant);
    ASSERT_FALSE(ui.errorLists.empty());
    EXPECT_EQ(ui.errorLists.back(), std::vector<std::string>{"Stop Time is after end of data"});
}

TEST_F(ViewFixture, CancelledSurfaceAtStartShowsTheResultant)
{
    const std::string r = folder.File("r.uds");
    WriteHead(r, {Rect(2000, 300, 150, 50.0)});
    EXPECT_EQ(doc.RunCommandLine({r}, 36.0, ModeSurface), ModeSurface);
    EXPECT_EQ(surfaceMade, 0);
    EXPECT_EQ(doc.Mode(), ModeResultant);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->shown().curves, 1);
}

TEST_F(ViewFixture, SmallSurfaceKeepsItsSubtitle)
{
    LoadAxes(40.0);
    ui.surfaceAnswer = [](SurfaceParams &p) {
        p.startTo = 0.1;
        return true;
    };
    ASSERT_TRUE(doc.SetMode(ModeSurface));
    EXPECT_EQ(surface->shown().subtitle, QString::fromStdString(doc.Labels().subTitle));
}

TEST_F(ViewFixture, ChartCommandsUseTheirSizesAndReportFailures)
{
    LoadAxes();
    ui.saveFiles = {folder.File("a.bmp"), folder.File("a.pdf"), folder.File("b.bmp")};
    view.OnSaveBmp();
    view.OnSavePdf();
    plain->saveResult = false;
    view.OnSaveBmp();
    view.OnEditCopy();
    const auto &calls = plain->calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "save bitmap " + folder.File("a.bmp") + " 800x600"), calls.end());
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [&](const std::string &s) {
        return s.rfind("save vector " + folder.File("a.pdf"), 0) == 0;
    }));
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const std::string &s) { return s.rfind("copy ", 0) == 0; }));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("b.bmp"), std::string::npos);
    EXPECT_EQ(ui.saveTitles, (std::vector<std::string>{"Save Bitmap as", "Save PDF as", "Save Bitmap as"}));

    ASSERT_TRUE(doc.SetMode(ModeXYZ));
    doc.CopyPlotData();
    ASSERT_EQ(ui.clipboard.size(), 1u);
    const std::string &text = ui.clipboard[0];
    EXPECT_EQ(text.substr(0, text.find('\n')), "Resultant\tX Axis\tY Axis\tZ Axis\t");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2001);
    ui.clipboardWorks = false;
    doc.CopyPlotData();
    EXPECT_EQ(ui.messages.back(), "Cannot open clipboard.");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
