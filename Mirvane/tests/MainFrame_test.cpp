#include "Mirvane/app/CMainFrame.h"
#include "Mirvane/app/CMirvaneApp.h"
#include "Mirvane/core/CPlot.h"
#include "Mirvane/core/SummaryText.h"
#include "Mirvane/document/CMirvaneDoc.h"
#include "Mirvane/views/CMirvaneView.h"
#include "platform/chart/content/ChartRules.h"
#include "platform/chart/RecordingChart.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "support/FakeMirvaneUi.h"
#include "support/MirvaneFiles.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableView>

#include <cmath>
#include <stdexcept>

using namespace mirvane;
using mirvane_test::FakeMirvaneUi;
using mirvane_test::SignalFolder;

namespace {

struct Frame {
    SignalFolder folder;
    FakeMirvaneUi ui;
    CMirvaneDoc doc{&ui, mirvane_test::TestSettingsName()};
    kxchart::RecordingChart *chart = nullptr;
    std::string chartFails; // when set, making a chart fails with this text
    CMirvaneView *view = new CMirvaneView(doc, [this] {
        if (!chartFails.empty())
            throw std::runtime_error(chartFails);
        auto made = std::make_unique<kxchart::RecordingChart>();
        chart = made.get();
        return made;
    });
    CMainFrame frame{doc, view};

    // Three records compared with a chosen reference.
    void RunThree(const std::string &firstName = "a.uds")
    {
        CSelectFilesValues v;
        v.files = {folder.Uds(firstName, 0, 300, 1e-4, [](double t) { return 100 * std::sin(60 * t); }),
                   folder.Uds("b.uds", 0, 300, 1e-4, [](double t) { return 100 * std::sin(60 * t) + 9; }),
                   folder.Uds("c.uds", -10, 200, 2e-4, [](double t) { return 90 * std::sin(60 * t); })};
        v.referenceFile = folder.Uds("ref.uds", 0, 300, 1e-4, [](double t) { return 100 * std::sin(60 * t); });
        v.filter = false;
        v.truncate = false;
        ui.selections.push_back(v);
        frame.Action(CMainFrame::ID_SELECT_FILES)->trigger();
    }

    void Pick(const QString &name)
    {
        QComboBox *combo = frame.PlotTypeCombo();
        combo->setCurrentIndex(combo->findText(name));
        QCoreApplication::processEvents();
    }
};

TEST(MirvaneFrame, RunFillsSelectorTableAndEnabling)
{
    Frame f;
    EXPECT_FALSE(f.frame.Action(CMainFrame::ID_VIEW_HEADERS)->isEnabled());
    EXPECT_FALSE(f.frame.Action(CMainFrame::ID_SAVE_HTML)->isEnabled());
    f.RunThree();
    ASSERT_TRUE(f.ui.errorLists.empty()) << f.ui.errorLists.front().front();
    QComboBox *combo = f.frame.PlotTypeCombo();
    ASSERT_EQ(combo->count(), 10);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Summary"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Acceleration"));
    EXPECT_EQ(combo->itemData(9).toInt(), PlotCrossCorrelation);
    EXPECT_TRUE(f.frame.Action(CMainFrame::ID_SAVE_HTML)->isEnabled());
    EXPECT_TRUE(f.frame.Action(CMainFrame::ID_EDIT_COPY_DATA)->isEnabled());
    EXPECT_FALSE(f.frame.Action(CMainFrame::ID_FILE_PRINT)->isEnabled());
    EXPECT_FALSE(f.frame.Action(CMainFrame::ID_SAVE_UDS)->isEnabled());
    EXPECT_TRUE(f.frame.Action(CMainFrame::ID_VIEW_HEADERS)->isEnabled());

    QAbstractItemModel *model = f.view->Table()->model();
    ASSERT_EQ(model->rowCount(), 3);
    ASSERT_EQ(model->columnCount(), 16);
    EXPECT_EQ(model->headerData(4, Qt::Horizontal).toString(), QStringLiteral("% in Corridor"));
    // Colours follow the critical values at once: worked out when drawn.
    const QModelIndex t = model->index(0, 6);
    const Colour before = f.doc.Records()[0].GetColumnColour(6);
    EXPECT_EQ(model->data(t, Qt::BackgroundRole).value<QColor>(),
              QColor(RedOf(before), GreenOf(before), BlueOf(before)));
    EXPECT_EQ(model->data(model->index(0, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
    CCriticalValues strict;
    strict.correlation = -1.0;
    f.ui.criticalValues = strict;
    f.frame.Action(CMainFrame::ID_CRITICAL_VALUES)->trigger();
    EXPECT_EQ(model->data(model->index(1, 5), Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
    CriticalValues() = CCriticalValues{};
    EXPECT_FALSE(model->data(model->index(3, 0)).isValid());

    // A moved column moves in the clipboard text too.
    f.view->Table()->horizontalHeader()->moveSection(5, 0);
    EXPECT_EQ(f.view->ColumnOrder().front(), 5);
    const QString text = QString::fromStdString(CopyDataText(f.doc.Records(), f.view->ColumnOrder()));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Correlation Factor\tFilename\tPeak Value\t")));
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 4);
    // Copy Data puts that text on the clipboard through the document.
    f.frame.Action(CMainFrame::ID_EDIT_COPY_DATA)->trigger();
    ASSERT_EQ(f.ui.clipboard.size(), 1u);
    EXPECT_EQ(QString::fromStdString(f.ui.clipboard[0]), text);
}

TEST(MirvaneFrame, BarsAndKeyboardAfterDialogs)
{
    Frame f;
    // The plot-type selector sits on a bar of its own: hiding the tool bar keeps it.
    EXPECT_NE(f.frame.ToolBar(), f.frame.DialogBar());
    EXPECT_EQ(f.frame.PlotTypeCombo()->parentWidget(), f.frame.DialogBar());
    for (const char *name : {"CAP", "NUM", "SCRL"})
        EXPECT_NE(f.frame.statusBar()->findChild<QLabel *>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(f.frame.Action(CMainFrame::ID_EDIT_COPY_DATA)->statusTip(),
              QStringLiteral("Copy the plotted data to the clipboard"));

    // A closed dialog hands the keyboard back, else Ctrl+O and the rest go nowhere.
    f.frame.show();
    QApplication::processEvents();
    f.frame.Action(CMainFrame::ID_VIEW_TOOLBAR)->trigger();
    EXPECT_TRUE(f.frame.ToolBar()->isHidden());
    EXPECT_FALSE(f.frame.DialogBar()->isHidden());
    QDialog outer(&f.frame);
    outer.setModal(true);
    outer.show();
    outer.activateWindow();
    QApplication::processEvents();
    QDialog inner(&outer);
    inner.setModal(true);
    inner.show();
    inner.activateWindow();
    QApplication::processEvents();
    inner.hide();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &outer);
    outer.hide();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &f.frame);
}

TEST(MirvaneFrame, MenusHoldTheirCommandsInOrder)
{
    Frame f;
    const auto texts = [](const QMenu *menu) {
        QStringList out;
        for (QAction *a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text().remove(QLatin1Char('&')));
        return out;
    };
    QStringList titles;
    std::vector<QStringList> menus;
    for (QAction *a : f.frame.menuBar()->actions()) {
        titles << a->text().remove(QLatin1Char('&'));
        menus.push_back(texts(a->menu()));
    }
    ASSERT_EQ(titles, (QStringList{"File", "Edit", "View", "Help"}));
    EXPECT_EQ(menus[0], (QStringList{"Select Files...", "Save", "Print...", "-", "Exit"}));
    EXPECT_EQ(texts(f.frame.menuBar()->actions()[0]->menu()->actions()[1]->menu()),
              (QStringList{"Uds Files", "Ascii Files", "Bmp", "Pdf", "HTML"}));
    EXPECT_EQ(menus[1], (QStringList{"Copy", "Copy Data", "Critical Values", "Corridor Size"}));
    EXPECT_EQ(menus[2], (QStringList{"Toolbar", "Status Bar"}));
    EXPECT_EQ(menus[3], (QStringList{"Contents", "About Mirvane..."}));
    EXPECT_EQ(f.frame.Action(CMainFrame::ID_SELECT_FILES)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(f.frame.Action(CMainFrame::ID_FILE_PRINT)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
}

TEST(MirvaneFrame, FailingCommandsReachTheUserWithTheirText)
{
    Frame f;
    f.RunThree();
    QStringList warnings;
    const auto previous = kxres::SetWarningHandler([&](QWidget *, const QString &text) { warnings << text; });
    f.ui.promptsThrow = "dialog failed";
    f.ui.corridorSize = 3.0;
    for (const int id : {CMainFrame::ID_CRITICAL_VALUES, CMainFrame::ID_CORRIDOR_SIZE, CMainFrame::ID_VIEW_HEADERS}) {
        warnings.clear();
        f.frame.Action(id)->trigger();
        EXPECT_EQ(warnings, QStringList{QStringLiteral("dialog failed")}) << id;
    }
    kxres::SetWarningHandler(previous);
    EXPECT_DOUBLE_EQ(f.doc.CorridorSize(), 4.0);
    EXPECT_TRUE(f.ui.headerShown.empty());
}

TEST(MirvaneFrame, PlotKindsDrawAndSave)
{
    Frame f;
    f.RunThree();
    f.Pick(QStringLiteral("Cummulative Density"));
    ASSERT_TRUE(f.view->HasChart());
    ASSERT_NE(f.chart, nullptr);
    const kxchart::ChartContent &shown = f.chart->shown();
    EXPECT_EQ(shown.curves, 3);
    EXPECT_EQ(shown.points, 100);
    EXPECT_EQ(shown.x.size(), 300u);
    EXPECT_EQ(shown.nullValue, kMissingValue);
    EXPECT_EQ(shown.xLabel, QStringLiteral("Residual"));
    EXPECT_EQ(shown.legend, (QStringList{"a.uds", "b.uds", "c.uds"}));
    EXPECT_TRUE(f.frame.Action(CMainFrame::ID_FILE_PRINT)->isEnabled());
    EXPECT_FALSE(f.frame.Action(CMainFrame::ID_SAVE_HTML)->isEnabled());
    EXPECT_TRUE(f.frame.Action(CMainFrame::ID_SAVE_UDS)->isEnabled());

    f.Pick(QStringLiteral("Corridor"));
    EXPECT_EQ(f.chart->shown().curves, 5);
    EXPECT_EQ(f.chart->shown().legend.front(), QStringLiteral("Plus 4"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(f.chart->shown().lineStyles[static_cast<std::size_t>(i)], kxchart::LineStyleCode(0, i));
    // A changed setting redraws the same curves.
    f.ui.corridorSize = 3.0;
    f.frame.Action(CMainFrame::ID_CORRIDOR_SIZE)->trigger();
    EXPECT_EQ(f.chart->shown().curves, 5);
    EXPECT_EQ(f.chart->shown().x.size(), static_cast<std::size_t>(5 * f.chart->shown().points));

    const QString bmp = QString::fromStdString(f.folder.Path("p.bmp"));
    const QString pdf = QString::fromStdString(f.folder.Path("p.pdf"));
    f.ui.saveFiles = {bmp.toStdString(), pdf.toStdString()};
    f.frame.Action(CMainFrame::ID_SAVE_BMP)->trigger();
    f.frame.Action(CMainFrame::ID_SAVE_PDF)->trigger();
    QStringList titles;
    for (const std::string &title : f.ui.saveTitles)
        titles << QString::fromStdString(title);
    EXPECT_EQ(titles, (QStringList{"Save Bitmap as", "Save PDF as"}));
    const auto &calls = f.chart->calls();
    EXPECT_NE(
        std::find_if(calls.begin(), calls.end(), [](const std::string &c) { return c.rfind("save bitmap", 0) == 0; }),
        calls.end());

    f.Pick(QStringLiteral("Summary"));
    EXPECT_FALSE(f.view->HasChart());
    EXPECT_TRUE(f.view->Table()->isVisibleTo(f.view));

    // A new run returns to the Summary with an empty selector choice list refilled.
    f.Pick(QStringLiteral("Residuals"));
    f.RunThree();
    EXPECT_EQ(f.frame.PlotTypeCombo()->currentText(), QStringLiteral("Summary"));
    EXPECT_FALSE(f.view->HasChart());
    EXPECT_FALSE(f.frame.Action(CMainFrame::ID_SAVE_ASCII)->isEnabled());
}

// After a failed run the window shows no results, on the table as on a chart, and
// offers none to export.
TEST(MirvaneFrame, FailedRunLeavesNothingShown)
{
    Frame f;
    for (const QString &shown : {QStringLiteral("Summary"), QStringLiteral("Residuals")}) {
        f.RunThree();
        f.Pick(shown);
        ASSERT_EQ(f.view->HasChart(), shown != QStringLiteral("Summary"));
        CSelectFilesValues v;
        v.files = {f.folder.Path("a.uds"), f.folder.Path("missing.uds")};
        v.referenceFile = f.folder.Path("ref.uds");
        v.filter = false;
        v.truncate = false;
        f.ui.selections.push_back(v);
        f.frame.Action(CMainFrame::ID_SELECT_FILES)->trigger();
        EXPECT_FALSE(f.view->HasChart()) << shown.toStdString();
        EXPECT_FALSE(f.view->Table()->isVisibleTo(f.view)) << shown.toStdString();
        EXPECT_EQ(f.view->Table()->model()->rowCount(), 0) << shown.toStdString();
        EXPECT_EQ(f.frame.PlotTypeCombo()->count(), 0) << shown.toStdString();
        for (const int id : {CMainFrame::ID_SAVE_HTML, CMainFrame::ID_EDIT_COPY_DATA, CMainFrame::ID_SAVE_UDS,
                             CMainFrame::ID_SAVE_ASCII, CMainFrame::ID_FILE_PRINT, CMainFrame::ID_VIEW_HEADERS})
            EXPECT_FALSE(f.frame.Action(id)->isEnabled()) << shown.toStdString() << " " << id;
    }
}

// A plot kind picked in the selector runs inside the command guard: what fails on the
// way, in the document or in the view it updates, is reported, never thrown out.
TEST(MirvaneFrame, FailingPlotPickIsReported)
{
    Frame f;
    f.RunThree();
    QStringList warnings;
    const auto previous = kxres::SetWarningHandler([&](QWidget *, const QString &text) { warnings << text; });
    f.chartFails = "no chart can be made";
    EXPECT_NO_THROW(f.Pick(QStringLiteral("Residuals")));
    kxres::SetWarningHandler(previous);
    EXPECT_EQ(warnings, QStringList{QStringLiteral("no chart can be made")});
    EXPECT_FALSE(f.view->HasChart());
    EXPECT_FALSE(f.frame.Action(CMainFrame::ID_FILE_PRINT)->isEnabled());
    // The next pick draws.
    f.chartFails.clear();
    f.Pick(QStringLiteral("Corridor"));
    EXPECT_TRUE(f.view->HasChart());
}

// The picture saves ask through the document's user interface: Cancel writes nothing,
// a failed write is reported.
TEST(MirvaneFrame, PictureSavesAskThroughTheDocument)
{
    Frame f;
    f.RunThree();
    f.Pick(QStringLiteral("Corridor"));
    ASSERT_TRUE(f.view->HasChart());
    struct Case {
        int command;
        const char *title;
        const char *filter;
        const char *call;
    };
    for (const Case &c : {Case{CMainFrame::ID_SAVE_BMP, "Save Bitmap as", "Windows Bitmap(*.bmp)", "save bitmap "},
                          Case{CMainFrame::ID_SAVE_PDF, "Save PDF as", "PDF Document(*.pdf)", "save vector "}}) {
        SCOPED_TRACE(c.title);
        const auto saves = [&] {
            const auto &calls = f.chart->calls();
            return std::count_if(calls.begin(), calls.end(),
                                 [&](const std::string &call) { return call.rfind(c.call, 0) == 0; });
        };
        f.ui.saveRequests.clear();
        f.ui.messages.clear();
        f.ui.saveFiles = {""};
        f.frame.Action(c.command)->trigger();
        ASSERT_EQ(f.ui.saveRequests.size(), 1u);
        EXPECT_EQ(f.ui.saveRequests[0].title, c.title);
        EXPECT_EQ(f.ui.saveRequests[0].filter, c.filter);
        EXPECT_TRUE(f.ui.saveRequests[0].startFolder.empty());
        EXPECT_TRUE(f.ui.saveRequests[0].proposedName.empty());
        EXPECT_EQ(saves(), 0);
        EXPECT_TRUE(f.ui.messages.empty());

        f.chart->saveResult = false;
        f.ui.saveFiles = {f.folder.Path("picture")};
        f.frame.Action(c.command)->trigger();
        f.chart->saveResult = true;
        EXPECT_EQ(saves(), 1);
        EXPECT_EQ(f.ui.messages, std::vector<std::string>{kxchart::kSaveFailure});
    }
}

// Help / Contents finds the page from the program's folder of the build tree and of
// an install made by the install rules.
TEST(MirvaneFrame, HelpPage)
{
    const QString prefix =
        QDir::temp().filePath(QStringLiteral("kx_mirvane_help_%1").arg(QCoreApplication::applicationPid()));
    QDir(prefix).removeRecursively();
    QProcess install;
    install.start(QStringLiteral(KX_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(KX_BINARY_DIR), QStringLiteral("--prefix"), prefix,
                   QStringLiteral("--component"), QStringLiteral("mirvane_help")});
    ASSERT_TRUE(install.waitForFinished(60000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    QFile source(QStringLiteral(KX_SOURCE_DIR "/Mirvane/resources/mirvane-help.html"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray page = source.readAll();
    const std::vector<std::pair<const char *, QString>> programDirs = {
        {"build tree", QStringLiteral(KX_BINARY_DIR "/bin")},
        {"install", prefix + QStringLiteral("/bin")},
    };
    for (const auto &[where, programDir] : programDirs) {
        SCOPED_TRACE(where);
        Frame f;
        QStringList opened;
        f.view->openHelp = [&](const QString &path) {
            opened << path;
            return true;
        };
        f.view->helpPages = CMirvaneView::HelpPageCandidates(programDir);
        f.frame.Action(CMainFrame::ID_HELP_CONTENTS)->trigger();
        const auto &messages = f.ui.messages;
        EXPECT_TRUE(messages.empty()) << (messages.empty() ? std::string() : messages.front());
        ASSERT_EQ(opened.size(), 1);
        QFile shown(opened[0]);
        ASSERT_TRUE(shown.open(QIODevice::ReadOnly)) << opened[0].toStdString();
        EXPECT_EQ(shown.readAll(), page);
    }
    QDir(prefix).removeRecursively();

    Frame f;
    QStringList opened;
    f.view->openHelp = [&](const QString &path) {
        opened << path;
        return true;
    };
    f.view->helpPages = {QStringLiteral("/no/such/mirvane-help.html")};
    f.frame.Action(CMainFrame::ID_HELP_CONTENTS)->trigger();
    const auto &messages = f.ui.messages;
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "The help page mirvane-help.html is not installed.");
}

// The HTML summary in a real browser: rows, cells, colours and the file name as text.
TEST(MirvaneFrame, HtmlSummaryInChromium)
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        GTEST_SKIP() << "chromium is not installed";
    Frame f;
    f.RunThree("x<&\">.uds");
    ASSERT_EQ(f.doc.Records().size(), 3u);
    f.view->Table()->horizontalHeader()->moveSection(0, 15);
    const std::string out = f.folder.Path("summary.html");
    f.ui.saveFiles = {out};
    f.frame.Action(CMainFrame::ID_SAVE_HTML)->trigger();
    ASSERT_TRUE(QFile::exists(QString::fromStdString(out)));

    QProcess browser;
    browser.start(chromium,
                  {QStringLiteral("--headless"), QStringLiteral("--disable-gpu"), QStringLiteral("--no-sandbox"),
                   QStringLiteral("--dump-dom"), QStringLiteral("file://") + QString::fromStdString(out)});
    ASSERT_TRUE(browser.waitForFinished(120000));
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    ASSERT_FALSE(dom.isEmpty());
    EXPECT_EQ(dom.count(QRegularExpression(QStringLiteral("<tr[ >]"))), 4);
    EXPECT_EQ(dom.count(QRegularExpression(QStringLiteral("<td[ >]"))), 64);
    // The file name is text, not markup, and stands in the last column.
    const QString name = QString::fromStdString(f.doc.Records()[0].GetFileName())
                             .toHtmlEscaped()
                             .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    EXPECT_TRUE(dom.contains(QStringLiteral("<td>") + name + QStringLiteral("</td>\n</tr>"))) << dom.toStdString();
    int passed = 0, failed = 0;
    for (const CSignal &r : f.doc.Records())
        for (int c = 0; c < 16; ++c) {
            passed += r.GetColumnColour(c) == kPassed;
            failed += r.GetColumnColour(c) == kFailed;
        }
    EXPECT_EQ(dom.count(QStringLiteral("bgcolor=\"#00E000\"")), passed);
    EXPECT_EQ(dom.count(QStringLiteral("bgcolor=\"#E00000\"")), failed);
    EXPECT_GT(passed, 0);
    EXPECT_TRUE(dom.contains(QStringLiteral("<b>Filename</b></td>\n</tr>")));
}

// The command line compares its files with their average at once.
TEST(MirvaneApp, CommandLineRun)
{
    SignalFolder folder;
    const std::string a = folder.Uds("a.uds", 0, 1000, 1e-4, [](double t) { return 50 * std::sin(30 * t); });
    const std::string b = folder.Uds("b.uds", 0, 1000, 1e-4, [](double t) { return 52 * std::sin(30 * t); });
    CMirvaneApp::Options options;
    options.settingsProgram = mirvane_test::TestSettingsName();
    options.trackUsage = false;
    options.showMainWindow = false;
    CMirvaneApp app(options);
    app.InitInstance(
        {QStringLiteral("Mirvane"), QString::fromStdString(a), QString::fromStdString(b), QStringLiteral("-CFC180")});
    QCoreApplication::processEvents();
    ASSERT_EQ(app.Document()->Records().size(), 2u);
    EXPECT_EQ(app.Document()->Records()[1].GetColumnText(13), "Average of 2 files");
    EXPECT_EQ(app.Document()->Records()[0].Signal().GetFilterClass(), 180);
    EXPECT_EQ(app.MainFrame()->PlotTypeCombo()->currentText(), QStringLiteral("Summary"));
    EXPECT_EQ(app.MainFrame()->windowTitle(), QStringLiteral("Mirvane"));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
