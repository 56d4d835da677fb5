#include "Sorvelt/app/CMainFrame.h"
#include "Sorvelt/document/CSorveltDoc.h"
#include "Sorvelt/views/CSorveltPlot.h"
#include "Sorvelt/views/CSorveltView.h"
#include "platform/chart/RecordingChart.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "support/SorveltTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSplitter>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace sorvelt;
using namespace sorvelttest;

namespace {

// A frame whose chart records what it was asked to do.
class ViewsTest : public ::testing::Test {
protected:
    ViewsTest()
        : doc(&ui, settings.Program())
        , frame(doc, [this](CMainFrame &f) {
            f.SetPlot(new CSorveltPlot(doc, [this] {
                auto chart = std::make_unique<kxchart::RecordingChart>();
                recording = chart.get();
                return chart;
            }));
        })
    {
        frame.resize(900, 600);
        frame.show();
        QApplication::processEvents();
    }
    CSorveltView &Tree() { return *frame.Tree(); }
    QTreeWidgetItem *Item(int parameter, int channel = -1)
    {
        QTreeWidgetItem *root = Tree().topLevelItem(parameter);
        return channel < 0 ? root : root->child(channel);
    }
    const kxchart::ChartContent &Shown() const { return recording->shown(); }
    int States(int parameter)
    {
        // Parameter state, then each channel's, as digits: "2101".
        int value = CSorveltView::StateOf(Item(parameter));
        for (int c = 0; c < Item(parameter)->childCount(); ++c)
            value = value * 10 + CSorveltView::StateOf(Item(parameter, c));
        return value;
    }

    TempFolder folder;
    ScratchSettings settings;
    FakeUi ui;
    CSorveltDoc doc;
    kxchart::RecordingChart *recording = nullptr;
    CMainFrame frame;
};

} // namespace

TEST_F(ViewsTest, FrameSplitsOneThirdTwoThirdsAndShowsNoDataFirst)
{
    const QList<int> sizes = frame.Splitter()->sizes();
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_NEAR(double(sizes[0]) / (sizes[0] + sizes[1]), 1.0 / 3.0, 0.03);
    ASSERT_NE(recording, nullptr);
    EXPECT_EQ(Shown().xLabel, "No Data");
    EXPECT_EQ(Shown().yLabel, "No Data");
    EXPECT_EQ(Shown().curves, 1);
    EXPECT_EQ(Shown().points, 4);
    EXPECT_TRUE(Shown().title.isEmpty());
    // Commands on curves wait for curves.
    EXPECT_FALSE(frame.Commands().Action(CMainFrame::ID_OPERATE_SCALE_Y)->isEnabled());
    EXPECT_FALSE(frame.Commands().Action(CMainFrame::ID_FILE_CONVERT)->isEnabled());
}

// A command's failure reaches the user as the document's message, and the frame goes on.
TEST_F(ViewsTest, FailingCommandsAreReportedThroughTheDocument)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 2, 2, 10)));
    Tree().ClickStateIcon(Item(0, 0));
    ASSERT_TRUE(frame.Commands().Action(CMainFrame::ID_OPERATE_SCALE_Y)->isEnabled());
    QStringList boxes;
    auto previous = kxres::SetWarningHandler([&boxes](QWidget *, const QString &text) { boxes << text; });
    const struct {
        int command;
        const char *answer;
        const char *expected;
    } cases[] = {
        {CMainFrame::ID_OPERATE_SCALE_Y, "two", "is not a valid value"},
        {CMainFrame::ID_OPERATE_ADD_X, "1,5", "is not a valid value"},
    };
    for (const auto &c : cases) {
        ui.messages.clear();
        ui.labels.push_back(std::string(c.answer));
        EXPECT_FALSE(frame.Commands().Run(c.command));
        ASSERT_EQ(ui.messages.size(), 1u) << c.answer;
        EXPECT_NE(ui.messages[0].find(c.expected), std::string::npos) << ui.messages[0];
        EXPECT_EQ(ui.messageIcons.back(), ISorveltUi::Icon::Exclamation);
    }
    kxres::SetWarningHandler(std::move(previous));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();
}

// Opening a recent file is a call into the document like a menu command: what it
// throws is reported through the document, not left to the event loop or a stray box.
TEST_F(ViewsTest, ARecentFileOpensInsideTheCommandGuard)
{
    QStringList boxes;
    auto previous = kxres::SetWarningHandler([&boxes](QWidget *, const QString &text) { boxes << text; });
    const std::string good = WriteSimulation(folder.File("good.dat"), 2, 2, 10);
    frame.SetRecentFiles({QString::fromStdString(good), QStringLiteral("/nowhere/lost.dat")});
    QStringList opened;
    frame.onOpenRecent = [&](const QString &path) {
        opened << path;
        if (path.startsWith("/nowhere"))
            throw std::runtime_error("the disk went away");
        doc.OpenDocument(path.toStdString());
    };
    auto *menu = frame.findChild<QMenu *>(QStringLiteral("recentMenu"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    menu->actions().at(1)->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("the disk went away"), std::string::npos) << ui.messages[0];
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('|').toStdString();
    // The commands follow what the entry changed.
    EXPECT_FALSE(frame.Commands().Action(CMainFrame::ID_FILE_CONVERT)->isEnabled());
    menu->actions().at(0)->trigger();
    EXPECT_EQ(opened.size(), 2);
    EXPECT_TRUE(frame.Commands().Action(CMainFrame::ID_FILE_CONVERT)->isEnabled());
    kxres::SetWarningHandler(std::move(previous));
}

// The tree's own rule: a mixed parent is unticked by a click, its children with it.
TEST_F(ViewsTest, TriStateRuleAndChart)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 3, 3, 10)));
    ASSERT_EQ(Tree().topLevelItemCount(), 3);
    EXPECT_EQ(Item(1)->text(0), "Body 2");
    EXPECT_EQ(Item(1, 2)->text(0), "Ch3 (G)");
    EXPECT_EQ(Item(2, 1)->data(0, CSorveltView::CurveRole).toUInt(), 7u);

    Tree().ClickStateIcon(Item(1));
    EXPECT_EQ(States(1), 1111);
    EXPECT_EQ(doc.GetSelection(), (std::vector<unsigned>{3, 4, 5}));
    EXPECT_EQ(Shown().curves, 3);
    EXPECT_EQ(Shown().legend, (QStringList{"P2-C1", "P2-C2", "P2-C3"}));
    EXPECT_EQ(Shown().yLabel, "Mixed Units");
    EXPECT_EQ(Shown().nullValue, CSorveltDoc::PadValue);

    Tree().ClickStateIcon(Item(1, 1));
    EXPECT_EQ(States(1), 2101);
    EXPECT_EQ(doc.GetSelection(), (std::vector<unsigned>{3, 5}));
    EXPECT_EQ(Shown().legend, (QStringList{"P2-C1", "P2-C3"}));
    EXPECT_EQ(Shown().yLabel, "G");

    // Ticking in another parameter keeps tree order in the selection.
    Tree().ClickStateIcon(Item(0, 2));
    EXPECT_EQ(States(0), 2001);
    EXPECT_EQ(doc.GetSelection(), (std::vector<unsigned>{2, 3, 5}));

    // A mixed parent becomes unticked with every child.
    Tree().ClickStateIcon(Item(1));
    EXPECT_EQ(States(1), 0);
    Tree().ClickStateIcon(Item(0, 2));
    EXPECT_EQ(States(0), 0);
    EXPECT_TRUE(doc.GetSelection().empty());
    // The last curve gone: "No Data" again.
    EXPECT_EQ(Shown().xLabel, "No Data");
    EXPECT_EQ(Shown().curves, 1);

    // Ticking every channel one by one makes the parent ticked.
    for (int c = 0; c < 3; ++c)
        Tree().ClickStateIcon(Item(2, c));
    EXPECT_EQ(States(2), 1111);
}

TEST_F(ViewsTest, OnlyTheCheckBoxAndSpaceTick)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 2, 2, 10)));
    Tree().expandAll();
    QApplication::processEvents();
    QTreeWidgetItem *channel = Item(0, 1);
    const QRect box = Tree().StateIconRect(channel);
    ASSERT_TRUE(box.isValid());

    // A click on the text changes nothing.
    const QRect row = Tree().visualItemRect(channel);
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, QPoint(row.right() - 5, row.center().y()));
    EXPECT_EQ(States(0), 0);
    EXPECT_TRUE(doc.GetSelection().empty());

    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(States(0), 201);
    EXPECT_EQ(doc.GetSelection(), (std::vector<unsigned>{1}));

    // Space on the current item acts as a click.
    Tree().setCurrentItem(Item(0));
    Tree().setFocus();
    QTest::keyClick(&Tree(), Qt::Key_Space);
    EXPECT_EQ(States(0), 0);
    QTest::keyClick(&Tree(), Qt::Key_Space);
    EXPECT_EQ(States(0), 111);
    EXPECT_EQ(doc.GetSelection(), (std::vector<unsigned>{0, 1}));
}

TEST_F(ViewsTest, SaveZoomCarriesTheUsersZoomToTheNextPlotOnly)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 2, 2, 10)));
    ASSERT_TRUE(doc.GetSaveZoom());
    Tree().ClickStateIcon(Item(0, 0));
    const QRectF zoom(QPointF(0.0002, -1.0), QPointF(0.0005, 3.0));
    recording->setZoomRange(zoom);

    // Save Zoom on: the range survives another tick, and unticking down to "No Data" and back.
    QRectF shown;
    Tree().ClickStateIcon(Item(1, 1));
    ASSERT_TRUE(recording->zoomRange(shown));
    EXPECT_EQ(shown, zoom);
    Tree().ClickStateIcon(Item(0, 0));
    Tree().ClickStateIcon(Item(1, 1));
    EXPECT_EQ(Shown().xLabel, "No Data");
    Tree().ClickStateIcon(Item(1, 0));
    ASSERT_TRUE(recording->zoomRange(shown));
    EXPECT_EQ(shown, zoom);

    // Save Zoom off: the next plot shows the whole curves, and turning it on again brings nothing back.
    frame.Commands().Run(CMainFrame::ID_VIEW_SAVE_ZOOM);
    Tree().ClickStateIcon(Item(0, 1));
    EXPECT_FALSE(recording->zoomRange(shown));
    frame.Commands().Run(CMainFrame::ID_VIEW_SAVE_ZOOM);
    Tree().ClickStateIcon(Item(0, 0));
    EXPECT_FALSE(recording->zoomRange(shown));
}

TEST_F(ViewsTest, ZoomIsResetOnlyWithoutSaveZoomAndOpeningRefillsTheTree)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 2, 2, 10)));
    ASSERT_TRUE(doc.GetSaveZoom());
    const auto zooms = [this] {
        return std::count(recording->calls().begin(), recording->calls().end(), "reset zoom");
    };
    const auto before = zooms();
    Tree().ClickStateIcon(Item(0, 0));
    EXPECT_EQ(zooms(), before);
    frame.Commands().Run(CMainFrame::ID_VIEW_SAVE_ZOOM);
    EXPECT_FALSE(frame.Commands().Action(CMainFrame::ID_VIEW_SAVE_ZOOM)->isChecked());
    Tree().ClickStateIcon(Item(0, 1));
    EXPECT_EQ(zooms(), before + 1);
    EXPECT_EQ(Shown().points, 10);
    std::vector<double> xs, ys;
    Shown().curvePoints(0, xs, ys);
    EXPECT_NEAR(xs.at(9), 0.0009, 1e-9);

    // Another file: a fresh tree, nothing ticked, "No Data".
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("b.dat"), 4, 1, 10)));
    EXPECT_EQ(Tree().topLevelItemCount(), 4);
    EXPECT_EQ(States(0), 0);
    EXPECT_EQ(Shown().xLabel, "No Data");
}

TEST_F(ViewsTest, OneTimeStepShowsNoCurve)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("one.dat"), 1, 2, 1)));
    Tree().ClickStateIcon(Item(0));
    EXPECT_EQ(Shown().xLabel, "No Data");
    EXPECT_EQ(Shown().curves, 1);
    EXPECT_TRUE(Shown().legend.isEmpty());
}

// A tick adds or removes one curve: the curves already shown keep their samples where
// they are, and the chart draws those samples, not a copy of them.
TEST_F(ViewsTest, ATickAddsOneCurveAndTheChartDrawsTheCurvesOwnSamples)
{
    ASSERT_TRUE(doc.OpenDocument(WriteSimulation(folder.File("a.dat"), 2, 3, 50)));
    const auto shownAsCurves = [this] {
        ASSERT_EQ(Shown().sharedCurves.size(), doc.GetCurves().size());
        for (std::size_t c = 0; c < doc.GetCurves().size(); ++c) {
            EXPECT_EQ(Shown().sharedCurves[c].x.get(), &doc.GetCurves()[c].Signal().GetX()) << c;
            EXPECT_EQ(Shown().sharedCurves[c].y.get(), &doc.GetCurves()[c].Signal().GetY()) << c;
        }
    };
    Tree().ClickStateIcon(Item(1, 2));
    const double *samples = doc.GetCurves().at(0).Signal().GetY().data();
    const kx::CNSignal *signal = &doc.GetCurves().at(0).Signal();
    shownAsCurves();
    for (const auto &[parameter, channel] : {std::pair{0, 1}, {1, 0}, {0, 0}}) {
        Tree().ClickStateIcon(Item(parameter, channel));
        shownAsCurves();
    }
    Tree().ClickStateIcon(Item(1, 0));
    shownAsCurves();
    ASSERT_EQ(doc.GetSelection(), (std::vector<unsigned>{0, 1, 5}));
    // The first curve ticked stays first, with the very samples it was built with.
    ASSERT_EQ(doc.GetCurves().at(0).CurveNumber(), 5u);
    EXPECT_EQ(&doc.GetCurves().at(0).Signal(), signal);
    EXPECT_EQ(doc.GetCurves().at(0).Signal().GetY().data(), samples);
    // The packed arrays are still there for whoever asks.
    EXPECT_EQ(doc.GetChartY().size(), std::size_t(3 * 50));
    EXPECT_EQ(doc.GetChartY().at(100), doc.GetCurves().at(2).Signal().GetY().at(0));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
