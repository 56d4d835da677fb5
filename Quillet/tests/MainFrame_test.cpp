#include "Quillet/app/CMainFrame.h"
#include "Quillet/document/CQuilletDoc.h"
#include "Quillet/views/CNeckView.h"
#include "platform/chart/RecordingChart.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "support/QuilletTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>

using namespace quillet;
using namespace quillettest;

namespace {

// The document, the view on a recording chart and the main frame around them.
class FrameTest : public ::testing::Test {
protected:
    FrameTest()
        : doc(&ui, settings.Program())
    {
        view = new CNeckView(doc, [this] {
            auto chart = std::make_unique<kxchart::RecordingChart>();
            chart->saveDialogResult = saveResult;
            chart->customiseResult = customiseResult;
            charts.push_back(chart.get());
            return chart;
        });
        frame = std::make_unique<CMainFrame>(doc, view);
        kxres::SetWarningHandler([this](QWidget *, const QString &text) { warnings.push_back(text.toStdString()); });
    }
    ~FrameTest() override { kxres::SetWarningHandler({}); }

    void Open(const NeckSignal &s, const std::string &name)
    {
        const std::string path = folder.File(name);
        WriteNeckUds(path, s);
        CNeckFileChoice choice;
        choice.path = path;
        ui.openChoices.push_back(choice);
        frame->RunCommand(CMainFrame::ID_FILE_OPEN);
    }
    bool Enabled(int id) const { return frame->Action(id)->isEnabled(); }
    const kxchart::RecordingChart &Shown() const { return *charts.back(); }
    static NeckSignal Axial()
    {
        NeckSignal a;
        a.axis = "Z";
        a.yUnits = "NEWTONS";
        a.peak = 2000.0;
        return a;
    }

    ScratchSettings settings;
    TempFolder folder;
    FakeUi ui;
    CQuilletDoc doc;
    CNeckView *view = nullptr;
    std::unique_ptr<CMainFrame> frame;
    std::vector<kxchart::RecordingChart *> charts;
    std::vector<std::string> warnings;
    int saveResult = 1;
    int customiseResult = 1;
};

const int kChartCommands[] = {CMainFrame::ID_FILE_SAVE_ASCII, CMainFrame::ID_FILE_SAVE_GRAPH,
                              CMainFrame::ID_FILE_SAVE_UDS,   CMainFrame::ID_FILE_PRINT,
                              CMainFrame::ID_EDIT_COPY_PLOT,  CMainFrame::ID_EDIT_COPY_DATA,
                              CMainFrame::ID_EDIT_CUSTOMIZE};

} // namespace

TEST_F(FrameTest, CancelledFirstOpenLeavesOpenAndAboutEnabledAndNothingElse)
{
    frame->RunCommand(CMainFrame::ID_FILE_OPEN); // the user cancels
    EXPECT_TRUE(Enabled(CMainFrame::ID_FILE_OPEN));
    EXPECT_TRUE(Enabled(CMainFrame::ID_APP_ABOUT));
    for (int id : kChartCommands)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(CMainFrame::ID_VIEW_UDS_SPECIFICATION));
    EXPECT_FALSE(Enabled(CMainFrame::ID_TOOL_UDS_SPECIFICATION));
    EXPECT_FALSE(Enabled(CMainFrame::ID_VIEW_ERROR_MESSAGES));
}

TEST_F(FrameTest, ResultEnablesTheChartCommandsAndAFailedOpenRemovesTheChart)
{
    Open(Axial(), "neck_fz.uds");
    ASSERT_TRUE(view->HasChart());
    for (int id : kChartCommands)
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(CMainFrame::ID_VIEW_UDS_SPECIFICATION));
    frame->RunCommand(CMainFrame::ID_TOOL_UDS_SPECIFICATION);
    EXPECT_EQ(ui.headerViews, 1);

    NeckSignal odd = Axial();
    odd.axis = "RS";
    Open(odd, "neck_rs.uds");
    EXPECT_FALSE(view->HasChart());
    for (int id : kChartCommands)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(CMainFrame::ID_VIEW_ERROR_MESSAGES));
    EXPECT_TRUE(Enabled(CMainFrame::ID_FILE_OPEN));
}

TEST_F(FrameTest, AxialLimitLinesSitOnTheirOwnSides)
{
    Open(Axial(), "neck_fz.uds");
    const kxchart::ChartContent &c = Shown().shown();
    ASSERT_EQ(c.lines.size(), 2u);
    // Tension above zero at its own limit, compression below at its own.
    EXPECT_DOUBLE_EQ(c.lines[0].value, 4170.0);
    EXPECT_DOUBLE_EQ(c.lines[1].value, -4000.0);
    for (const auto &line : c.lines) {
        EXPECT_EQ(line.orientation, kxchart::StraightLine::Orientation::Horizontal);
        EXPECT_DOUBLE_EQ(*line.from, doc.GetPlotX().front());
        EXPECT_DOUBLE_EQ(*line.to, doc.GetPlotX().back());
    }
    EXPECT_EQ(c.curves, 1);
    EXPECT_EQ(c.title, QStringLiteral("neck_fz.uds - Neck Axial Load"));
    EXPECT_EQ(c.xLabel, QStringLiteral("SECONDS"));
    EXPECT_EQ(c.yLabel, QStringLiteral("NEWTONS"));
}

TEST(NeckViewLines, LimitLinesByMeasurement)
{
    struct Case {
        int measurement;
        double upper, lower;
    };
    for (const Case &c : {Case{CQuilletDoc::Shear, 10.0, -20.0}, Case{CQuilletDoc::Moment, 10.0, -20.0},
                          Case{CQuilletDoc::Axial, 20.0, -10.0}}) {
        const auto [upper, lower] = CNeckView::LimitLines(c.measurement, 10.0, 20.0);
        EXPECT_DOUBLE_EQ(upper, c.upper) << c.measurement;
        EXPECT_DOUBLE_EQ(lower, c.lower) << c.measurement;
    }
}

TEST_F(FrameTest, MomentShowsCorrectedAndOriginalCurves)
{
    NeckSignal force;
    force.axis = "X";
    force.yUnits = "NEWTONS";
    force.peak = 800.0;
    const std::string forcePath = folder.File("neck_fx.uds");
    WriteNeckUds(forcePath, force);
    ui.forces.push_back({forcePath, 0});
    Open(NeckSignal{}, "neck_my.uds");
    const kxchart::ChartContent &c = Shown().shown();
    EXPECT_EQ(c.curves, 2);
    EXPECT_TRUE(doc.IsMomentCorrected());
    EXPECT_EQ(c.legend, (QStringList{QStringLiteral("Corrected"), QStringLiteral("Original")}));
    ASSERT_EQ(c.y.size(), 2 * std::size_t(c.points));
    EXPECT_NE(c.y[100], c.y[std::size_t(c.points) + 100]);
    ASSERT_EQ(c.lines.size(), 2u);
    EXPECT_DOUBLE_EQ(c.lines[0].value, 190.0);
    EXPECT_DOUBLE_EQ(c.lines[1].value, -57.0);
}

TEST_F(FrameTest, RefusedCorrectionIsNeverLabelledCorrected)
{
    NeckSignal shorter;
    shorter.axis = "X";
    shorter.yUnits = "NEWTONS";
    shorter.peak = 800.0;
    shorter.points = 300;
    NeckSignal later = shorter;
    later.points = NeckSignal{}.points;
    later.firstPoint = 0;
    WriteNeckUds(folder.File("short_fx.uds"), shorter);
    WriteNeckUds(folder.File("later_fx.uds"), later);
    struct Case {
        const char *why;
        std::string force;
    };
    const Case cases[] = {
        {"blank force name", ""},
        {"other point count", folder.File("short_fx.uds")},
        {"other time axis", folder.File("later_fx.uds")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        ui.forces.push_back({c.force, 0});
        Open(NeckSignal{}, "neck_my.uds");
        ASSERT_TRUE(doc.IsResultReady());
        EXPECT_FALSE(doc.IsMomentCorrected());
        const kxchart::ChartContent &chart = Shown().shown();
        EXPECT_EQ(chart.curves, 1);
        EXPECT_EQ(chart.y.size(), std::size_t(chart.points));
        EXPECT_EQ(chart.legend, QStringList{QStringLiteral("Uncorrected")});
        EXPECT_FALSE(chart.subtitle.contains(QStringLiteral("orrected")));
    }
}

TEST_F(FrameTest, ChartCommandsReachTheChartAndReportFailures)
{
    saveResult = 0;
    customiseResult = -1;
    Open(Axial(), "neck_fz.uds");
    frame->RunCommand(CMainFrame::ID_FILE_SAVE_GRAPH);
    frame->RunCommand(CMainFrame::ID_EDIT_CUSTOMIZE);
    frame->RunCommand(CMainFrame::ID_EDIT_COPY_PLOT);
    frame->RunCommand(CMainFrame::ID_FILE_PRINT);
    EXPECT_EQ(warnings, (std::vector<std::string>{"Failure to save the graph.", "Failure to customize the graph."}));
    const auto &calls = Shown().calls();
    const auto has = [&calls](const std::string &prefix) {
        return std::any_of(calls.begin(), calls.end(), [&](const std::string &c) { return c.rfind(prefix, 0) == 0; });
    };
    EXPECT_TRUE(has("copy"));
    EXPECT_TRUE(has("print"));
    frame->RunCommand(CMainFrame::ID_EDIT_COPY_DATA);
    ASSERT_EQ(ui.clipboard.size(), 1u);
    EXPECT_EQ(ui.clipboard[0].rfind("Curve Number: 7", 0), 0u);
}

TEST_F(FrameTest, NoExceptionLeavesACommand)
{
    Open(Axial(), "neck_fz.uds");
    ui.folderThrows = true;
    EXPECT_NO_THROW(frame->RunCommand(CMainFrame::ID_FILE_SAVE_UDS));
    EXPECT_NO_THROW(frame->RunCommand(CMainFrame::ID_FILE_SAVE_ASCII));
    EXPECT_EQ(warnings, (std::vector<std::string>{"folder chooser failed", "folder chooser failed"}));
    EXPECT_TRUE(Enabled(CMainFrame::ID_FILE_SAVE_UDS));
}

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
