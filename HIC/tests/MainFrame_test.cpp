// HIC's main frame: which commands are enabled, and what the window and view
// commands do.

#include "HIC/app/CMainFrame.h"
#include "HIC/document/CHICDoc.h"
#include "HIC/views/CHICView.h"
#include "platform/chart/RecordingChart.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "support/HicTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>

#include <cmath>
#include <stdexcept>

using namespace hic;
using namespace hictest;

namespace {

using F = CMainFrame;

struct FrameFixture : ::testing::Test {
    FakeUi ui;
    CHICDoc doc;
    TempFolder folder;
    CHICView *view = new CHICView(
        doc, [] { return std::make_unique<kxchart::RecordingChart>(); },
        [] { return std::make_unique<kxchart::RecordingChart>(); });
    CMainFrame frame{doc, view};

    void SetUp() override
    {
        doc.SetUi(&ui);
        QObject::connect(&doc, &CHICDoc::Updated, view, &CHICView::OnUpdate);
        QObject::connect(&doc, &CHICDoc::Updated, &frame, &CMainFrame::UpdateCommands);
    }
    bool Enabled(F::Command id) { return frame.Action(id)->isEnabled(); }
    std::string Head(const std::string &name, std::size_t width, double level, const std::string &axis = "RS")
    {
        const std::string path = folder.File(name);
        WriteHead(path, {Rect(3000, 500, width, level), 1.0e-4, 0, axis});
        return path;
    }
};

TEST_F(FrameFixture, ResultCommandsWaitForAResult)
{
    const F::Command needResult[] = {
        F::ID_FILE_SAVE_RESULTANT, F::ID_FILE_SAVE_PDF,  F::ID_FILE_SAVE_BMP, F::ID_FILE_PRINT, F::ID_EDIT_COPY,
        F::ID_EDIT_COPY_DATA,      F::ID_EDIT_LABELS,    F::ID_EDIT_WINDOW,   F::ID_HIC15,      F::ID_HIC36,
        F::ID_NO_WINDOW,           F::ID_VIEW_RESULTANT, F::ID_VIEW_SURFACE,  F::ID_VIEW_SFC,   F::ID_VIEW_AIS};
    frame.UpdateCommands();
    for (F::Command id : needResult)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(F::ID_VIEW_XYZ));
    EXPECT_FALSE(Enabled(F::ID_VIEW_ERRORS));
    EXPECT_TRUE(Enabled(F::ID_FILE_OPEN));

    // A failed open leaves them off, with its errors to show.
    ui.openAnswers.push_back({"", "", "", folder.File("missing.uds"), 0, true, false, false});
    frame.Run(F::ID_FILE_OPEN);
    for (F::Command id : needResult)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(F::ID_VIEW_ERRORS));

    ui.openAnswers.push_back({"", "", "", Head("r.uds", 100, 80.0), 0, true, false, false});
    frame.Run(F::ID_FILE_OPEN);
    for (F::Command id : needResult)
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(F::ID_VIEW_XYZ));
    const std::string x = Head("x.uds", 100, 60.0, "XG");
    ui.openAnswers.push_back({x, x, x, "", 0, false, false, false});
    frame.Run(F::ID_FILE_OPEN);
    EXPECT_TRUE(Enabled(F::ID_VIEW_XYZ));
}

TEST_F(FrameFixture, WindowCommandsRecomputeAndChooseTheMode)
{
    ui.openAnswers.push_back({"", "", "", Head("r.uds", 500, 50.0), 0, true, false, false});
    frame.Run(F::ID_FILE_OPEN);
    ASSERT_TRUE(doc.ResultReady());
    EXPECT_NEAR(doc.Hic(), std::pow(50.0, 2.5) * 0.036, 1e-3);

    frame.Run(F::ID_VIEW_AIS);
    EXPECT_EQ(doc.Mode(), ModeAis);
    EXPECT_EQ(doc.Window(), 15.0);
    EXPECT_NEAR(doc.Hic(), std::pow(50.0, 2.5) * 0.015, 1e-3);
    // No window does nothing in the AIS mode.
    frame.Run(F::ID_NO_WINDOW);
    EXPECT_EQ(doc.Window(), 15.0);
    frame.Run(F::ID_HIC36);
    EXPECT_EQ(doc.Mode(), ModeResultant);
    EXPECT_EQ(doc.Window(), 36.0);
    frame.Run(F::ID_NO_WINDOW);
    EXPECT_EQ(doc.Window(), 0.0);
    EXPECT_EQ(doc.Labels().subTitle.rfind("Unwindowed HIC = ", 0), 0u);

    ui.windowAnswers.push_back(20.0);
    frame.Run(F::ID_EDIT_WINDOW);
    EXPECT_EQ(doc.Window(), 20.0);
    EXPECT_NEAR(doc.Hic(), std::pow(50.0, 2.5) * 0.020, 1e-3);

    frame.Run(F::ID_VIEW_SFC);
    EXPECT_EQ(doc.Mode(), ModeSfc);

    ui.labelAnswers.push_back({"Sled 12", "sub", "t", "g"});
    frame.Run(F::ID_EDIT_LABELS);
    EXPECT_EQ(doc.Labels().title, "Sled 12");
}

TEST_F(FrameFixture, AFileWhoseHicFailedKeepsTheWindowCommandsAndNoOtherFilesChart)
{
    // A 20 kHz file drawn with a 0.06 ms window, then a 10 kHz file that window does not suit.
    const std::string fine = folder.File("fine.uds");
    WriteHead(fine, {Rect(6000, 1000, 400, 70.0), 5.0e-5});
    ui.openAnswers.push_back({"", "", "", fine, 0, true, false, false});
    frame.Run(F::ID_FILE_OPEN);
    ui.windowAnswers.push_back(0.06);
    frame.Run(F::ID_EDIT_WINDOW);
    ASSERT_TRUE(doc.ResultReady());
    ASSERT_DOUBLE_EQ(doc.Window(), 0.06);
    ASSERT_NE(view->Chart(), nullptr);
    ui.openAnswers.push_back({"", "", "", Head("coarse.uds", 150, 80.0), 0, true, false, false});
    frame.Run(F::ID_FILE_OPEN);
    ASSERT_FALSE(doc.ResultReady());
    for (F::Command id : {F::ID_EDIT_WINDOW, F::ID_HIC15, F::ID_HIC36, F::ID_NO_WINDOW, F::ID_VIEW_RESULTANT,
                          F::ID_VIEW_SURFACE, F::ID_VIEW_SFC, F::ID_VIEW_AIS})
        EXPECT_TRUE(Enabled(id)) << id;
    for (F::Command id : {F::ID_FILE_SAVE_RESULTANT, F::ID_FILE_SAVE_PDF, F::ID_FILE_SAVE_BMP, F::ID_FILE_PRINT,
                          F::ID_EDIT_COPY, F::ID_EDIT_COPY_DATA, F::ID_EDIT_LABELS, F::ID_VIEW_XYZ})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(view->Chart(), nullptr);

    frame.Run(F::ID_HIC15);
    ASSERT_TRUE(doc.ResultReady());
    ASSERT_NE(view->Chart(), nullptr);
    EXPECT_EQ(view->Chart()->content().title, QStringLiteral("coarse.uds"));
    EXPECT_TRUE(view->Chart()->content().subtitle.startsWith(QStringLiteral("15.0 ms HIC = ")));
    EXPECT_TRUE(Enabled(F::ID_FILE_SAVE_RESULTANT));
}

TEST_F(FrameFixture, CallsIntoTheDocumentFromOutsideTheMenusAreGuarded)
{
    std::vector<QString> warnings;
    const auto previous = kxres::SetWarningHandler([&](QWidget *, const QString &text) { warnings.push_back(text); });
    // A recent file whose error list fails, and a start-up open that runs out of memory.
    ui.onErrorList = [] { throw std::runtime_error("error list failed"); };
    EXPECT_NO_THROW(frame.OpenRecent(QString::fromStdString(folder.File("missing.uds"))));
    ui.onErrorList = {};
    EXPECT_FALSE(frame.Guard([] { throw std::bad_alloc(); }));
    kxres::SetWarningHandler(previous);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("error list failed")));
    EXPECT_FALSE(warnings[1].isEmpty());
    EXPECT_TRUE(Enabled(F::ID_VIEW_ERRORS));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST_F(FrameFixture, AFailingCommandIsReportedAndLetsNothingOut)
{
    ui.openAnswers.push_back({"", "", "", Head("r.uds", 500, 50.0), 0, true, false, false});
    frame.Run(F::ID_FILE_OPEN);
    ASSERT_TRUE(doc.ResultReady());
    ui.surfaceAnswer = [](SurfaceParams &) -> bool { throw std::runtime_error("surface dialog failed"); };
    std::vector<QString> warnings;
    const auto previous = kxres::SetWarningHandler([&](QWidget *, const QString &text) { warnings.push_back(text); });
    EXPECT_NO_THROW(frame.Run(F::ID_VIEW_SURFACE));
    kxres::SetWarningHandler(previous);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("surface dialog failed")));
    EXPECT_EQ(doc.Mode(), ModeResultant);
    EXPECT_TRUE(Enabled(F::ID_VIEW_SURFACE));
}
