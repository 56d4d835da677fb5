// The shared kit of the programs' frames: the command table with its guard, the
// widgets behind the shared prompts, and the scripted fake the documents' tests use.

#include "shared_ui/dialogs/CProgressWnd.h"
#include "shared_ui/dialogs/CStepOrPointsDlg.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/frame/CCommandTable.h"
#include "shared_ui/frame/CQtKxUi.h"
#include "shared_ui/kit/FolderExport.h"
#include "support/FakeKxUi.h"
#include "support/KxServicesSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QMainWindow>
#include <QMenuBar>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A program interface with one prompt of its own over the shared part.
class IDemoUi : public kxres::IKxUi {
public:
    virtual bool AskName(std::string &name) = 0;
};

class DemoQtUi : public kxres::CQtKxUi<IDemoUi> {
public:
    explicit DemoQtUi(QWidget *parent)
        : CQtKxUi(parent, {QStringLiteral("Demo"), false, QStringLiteral(" - Demo")})
    {}
    bool AskName(std::string &) override { return false; }
};

class DemoFake : public kxtest::CFakeKxUi<IDemoUi> {
public:
    bool AskName(std::string &name) override
    {
        name = "fake";
        return true;
    }
};

struct Failure {
    const char *name;
    std::function<void()> handler;
    std::string reported;
};

class CommandTableTest : public ::testing::Test {
protected:
    QMainWindow frame;
    QMenu *menu = frame.menuBar()->addMenu(QStringLiteral("&File"));
    std::vector<QString> reports;
    kxres::CCommandTable table{&frame, [this](const QString &text) { reports.push_back(text); }};
};

TEST_F(CommandTableTest, NoFailureOfAHandlerLeavesTheTableAndEachIsReported)
{
    const std::vector<Failure> cases = {
        {"logic", [] { throw std::logic_error("File is truncated"); }, "File is truncated"},
        {"memory", [] { throw std::bad_alloc(); }, "Not enough memory to complete the command."},
        {"not a std exception", [] { throw 42; }, "The command failed."},
    };
    int id = 100;
    for (const Failure &c : cases) {
        SCOPED_TRACE(c.name);
        reports.clear();
        table.Add(menu, ++id, QStringLiteral("Fail"), c.handler);
        EXPECT_FALSE(table.Run(id));
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports.front().toStdString(), c.reported);
        // Triggering the action from the menu goes through the same guard.
        reports.clear();
        table.Action(id)->trigger();
        EXPECT_EQ(reports.size(), 1u);
    }
}

TEST_F(CommandTableTest, RulesGateAndBindDecideWhatRuns)
{
    int runs = 0;
    bool enabled = false;
    bool gate = true;
    QAction *action = table.Add(
        menu, 1, QStringLiteral("&Open..."), [&] { ++runs; }, [&] { return enabled; }, QKeySequence::Open);
    table.SetGate([&] { return gate; });
    EXPECT_EQ(action->objectName(), QStringLiteral("ID_1"));
    EXPECT_EQ(action->data().toInt(), 1);
    EXPECT_EQ(action->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(menu->actions().size(), 1);

    EXPECT_FALSE(table.Run(1));
    EXPECT_FALSE(action->isEnabled());
    enabled = true;
    EXPECT_TRUE(table.Run(1));
    EXPECT_EQ(runs, 1);
    gate = false;
    EXPECT_FALSE(table.Run(1));
    table.Update();
    EXPECT_FALSE(action->isEnabled());
    gate = true;

    // A command without a handler waits for Bind; an unknown id does not run.
    table.Add(menu, 2, QStringLiteral("Later"));
    EXPECT_FALSE(table.Run(2));
    EXPECT_FALSE(table.IsBound(2));
    table.Bind(2, [&] { runs += 10; });
    EXPECT_TRUE(table.IsBound(2));
    EXPECT_TRUE(table.Run(2));
    EXPECT_EQ(runs, 11);
    EXPECT_FALSE(table.Run(999));
    EXPECT_TRUE(reports.empty());
}

TEST_F(CommandTableTest, BindingAnIdThatWasNeverAddedIsAnError)
{
    table.Add(menu, 32812, QStringLiteral("Open &Hitlist ..."));
    const struct {
        const char *what;
        std::function<void()> call;
    } cases[] = {
        {"Bind", [&] { table.Bind(32821, [] {}); }},
        {"Bind with a rule",
         [&] {
             table.Bind(
                 -1, [] {}, [] { return true; });
         }},
        {"SetChecked", [&] { table.SetChecked(32813, [] { return true; }); }},
    };
    for (const auto &c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.what << " took an unknown id";
        } catch (const std::invalid_argument &e) {
            EXPECT_NE(std::string(e.what()).find("id"), std::string::npos) << c.what;
        }
    }
    // Nothing was added by the failed calls, and the known command is still unbound.
    EXPECT_EQ(menu->actions().size(), 1);
    EXPECT_FALSE(table.Contains(32821));
    EXPECT_FALSE(table.IsBound(32812));
    EXPECT_NO_THROW(table.Bind(32812, [] {}));
    EXPECT_TRUE(table.IsBound(32812));
}

TEST_F(CommandTableTest, AFailingRuleDisablesAndTheAfterRunHookIsGuarded)
{
    table.Add(
        menu, 1, QStringLiteral("Odd"), [] {}, []() -> bool { throw std::runtime_error("rule"); });
    EXPECT_FALSE(table.Run(1));
    EXPECT_FALSE(table.Action(1)->isEnabled());

    bool checked = true;
    table.Add(menu, 2, QStringLiteral("Sort"), [&] { checked = !checked; });
    table.SetChecked(2, [&] { return checked; });
    table.SetAfterRun([] { throw std::runtime_error("after"); });
    EXPECT_TRUE(table.Run(2));
    EXPECT_FALSE(table.Action(2)->isChecked());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports.front(), QStringLiteral("after"));
}

TEST(CommandTableWarning, WithoutAReporterTheWarningBoxShowsTheText)
{
    std::vector<QString> warned;
    const auto previous = kxres::SetWarningHandler([&](QWidget *, const QString &text) { warned.push_back(text); });
    {
        QMainWindow frame;
        kxres::CCommandTable table(&frame);
        table.Add(nullptr, 7, QStringLiteral("Boom"), [] { throw std::runtime_error("Cannot open file"); });
        EXPECT_FALSE(table.Run(7));
    }
    kxres::SetWarningHandler(previous);
    ASSERT_EQ(warned.size(), 1u);
    EXPECT_EQ(warned.front(), QStringLiteral("Cannot open file"));
}

TEST(QtKxUi, ProgressWindowStepsAndItsCancelStopsTheJob)
{
    QMainWindow frame;
    DemoQtUi ui(&frame);
    auto progress = ui.BeginProgress("Saving", "Saving files...", 3);
    auto *window = frame.findChild<kxres::CProgressWnd *>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Title(), QStringLiteral("Saving"));
    EXPECT_TRUE(progress->Step(1, "a.uds"));
    EXPECT_EQ(window->GetPos(), 1);
    EXPECT_EQ(window->Text(), QStringLiteral("a.uds"));
    window->CancelButton()->click();
    EXPECT_FALSE(progress->Step(2, ""));
    EXPECT_TRUE(progress->IsCancelled());
    progress.reset();
    EXPECT_EQ(frame.findChild<kxres::CProgressWnd *>(), nullptr);
}

TEST(QtKxUi, TheYesNoQuestionIsCaptionedByTheProgramAndDefaultsToNo)
{
    QMainWindow frame;
    DemoQtUi ui(&frame);
    for (const bool yes : {true, false}) {
        QString caption, text;
        bool noIsDefault = false;
        kxtest::WhenModal([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle();
            text = box->text();
            noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(ui.AskYesNo("These files already exist:"), yes);
        EXPECT_EQ(caption, QStringLiteral("Demo"));
        EXPECT_EQ(text, QStringLiteral("These files already exist:"));
        EXPECT_TRUE(noIsDefault);
    }
}

TEST(QtKxUi, LabelHeaderAndCaptionPromptsUseTheSharedWidgets)
{
    QMainWindow frame;
    auto *inner = new QWidget(&frame);
    DemoQtUi ui(inner);
    ui.SetMainWindowText("run.dat");
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("run.dat - Demo"));

    QString caption, prompt;
    kxtest::WhenModal([&](QWidget *w) {
        caption = w->windowTitle();
        const auto labels = w->findChildren<QLabel *>();
        for (QLabel *label : labels)
            prompt += label->text();
        auto *edit = w->findChild<QLineEdit *>();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QStringLiteral("old"));
        edit->setText(QStringLiteral("new"));
        static_cast<QDialog *>(w)->accept();
    });
    std::string value = "old";
    EXPECT_TRUE(ui.EditLabel("Title Label", "Enter Label", value));
    EXPECT_EQ(value, "new");
    EXPECT_EQ(caption, QStringLiteral("Title Label"));
    EXPECT_TRUE(prompt.contains(QStringLiteral("Enter Label"))) << prompt.toStdString();

    auto signal = std::make_shared<kx::CNSignal>();
    signal->SetFileName("head.uds");
    QString viewerTitle;
    kxtest::WhenModal([&](QWidget *w) {
        viewerTitle = w->windowTitle();
        static_cast<QDialog *>(w)->reject();
    });
    ui.ShowUdsHeader({signal});
    EXPECT_EQ(viewerTitle, QStringLiteral("UDS File Specification - head.uds"));
}

TEST(StepOrPoints, TheChosenValueGivesTheOtherAndASignalOfTwoPointsAtLeast)
{
    struct Case {
        bool byStep;
        double duration;
        kxres::CStepOrPoints in;
        kxres::StepOrPointsFault fault;
        kxres::CStepOrPoints out; // when accepted
    };
    using F = kxres::StepOrPointsFault;
    const Case cases[] = {
        {true, 0.1, {0.001, 0}, F::None, {0.001, 100}},   // 0.1 / 0.001 + 0.99 = 100.99
        {true, 0.15, {0.001, 0}, F::None, {0.001, 150}},  // 150.99
        {false, 0.1, {0.0, 200}, F::None, {0.0005, 200}}, // the count wins
        {false, 0.1, {0.0, 2}, F::None, {0.05, 2}},       // the fewest points
        {false, 0.1, {0.0, 1}, F::Points, {}},            // one point is no signal
        {false, 0.1, {0.0, 0}, F::Points, {}},
        {false, 0.0, {0.0, 10}, F::Points, {}}, // no duration: no step
        {true, 0.1, {-1.0, 0}, F::Step, {}},
        {true, 0.1, {0.0, 0}, F::Step, {}},
        {true, 0.1, {0.2, 0}, F::Step, {}},    // 0.5 + 0.99: one point
        {true, 0.1, {1e-300, 0}, F::Step, {}}, // more points than can be counted
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << (c.byStep ? "step " : "points ") << c.in.step << " / " << c.in.points);
        kxres::CStepOrPoints values = c.in;
        EXPECT_EQ(kxres::CompleteStepOrPoints(c.byStep, c.duration, values), c.fault);
        const kxres::CStepOrPoints expected = c.fault == F::None ? c.out : c.in;
        EXPECT_DOUBLE_EQ(values.step, expected.step);
        EXPECT_EQ(values.points, expected.points);
    }
}

TEST(StepOrPoints, TheDialogReadsWithTheStrictParserAndStaysOpenOnARefusal)
{
    QStringList warned;
    const auto previous = kxres::SetWarningHandler([&](QWidget *, const QString &text) { warned << text; });
    struct Case {
        bool byStep;
        const char *typed;
        bool accepted;
    };
    const Case cases[] = {
        {true, " 0.001 ", true}, {true, "1e400", false}, {true, "nan", false}, {true, "0.001x", false},
        {true, "1,5", false},    {false, "50", true},    {false, "1", false},  {false, "2.5", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        warned.clear();
        kxres::CStepOrPointsDlg dlg({QStringLiteral("bad step"), QStringLiteral("bad points")});
        dlg.SetStepOrPoints({0.0001, 1001}, 0.1);
        dlg.ChooseTimeStep(c.byStep);
        EXPECT_EQ(dlg.findChild<QRadioButton *>(QStringLiteral("byStep"))->isChecked(), c.byStep);
        auto *edit = dlg.findChild<QLineEdit *>(QString::fromLatin1(c.byStep ? "step" : "points"));
        EXPECT_TRUE(edit->isEnabled());
        edit->setText(QString::fromLatin1(c.typed));
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(warned, c.accepted ? QStringList{} : QStringList{c.byStep ? "bad step" : "bad points"});
        if (!c.accepted) {
            // Nothing of the refused entry is kept.
            EXPECT_DOUBLE_EQ(dlg.StepOrPoints().step, 0.0001);
            EXPECT_EQ(dlg.StepOrPoints().points, 1001);
        }
    }
    kxres::SetWarningHandler(previous);
}

TEST(QtKxUi, ChooserFilterMeansEveryFileForStarDotStar)
{
    EXPECT_EQ(kxres::qtui::ChooserFilter("All Files (*.*)"), QStringLiteral("All Files (*)"));
    EXPECT_EQ(kxres::qtui::ChooserFilter("UDS Files (*.uds);;All Files (*.*)"),
              QStringLiteral("UDS Files (*.uds);;All Files (*)"));
}

TEST(FolderExport, SharedTargetsAreRefusedExistingFilesAskedOnceAndKeptOnNo)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kx_folder_export_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string a = (dir / "a.uds").string();
    const std::string b = (dir / "b.uds").string();
    std::ofstream(b) << "old";
    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace);
        DemoFake ui;
        ui.yesNo = {replace};
        std::vector<std::string> errors;
        const auto targets = kxres::PlanFolderExport({a, b, a}, {"one/a.uds", "b.uds", "two/a.uds"}, ui, errors);
        EXPECT_EQ(errors,
                  std::vector<std::string>{"Not saved: one/a.uds, two/a.uds would all be written to " + a + "."});
        ASSERT_EQ(ui.questions.size(), 1u);
        EXPECT_NE(ui.questions[0].find(b), std::string::npos);
        ASSERT_EQ(targets.size(), 1u);
        EXPECT_EQ(targets[0].item, 1u);
        EXPECT_EQ(targets[0].keep, !replace);

        // Kept targets step the progress too; an escaping exception is reported with the path.
        auto progress = ui.BeginProgress("Saving", "", 2);
        std::vector<std::string> written;
        const auto failures = kxres::WriteFolderExport(
            {{0, a, false}, {1, b, !replace}, {2, "/nowhere/c.uds", false}},
            [&](const kxres::CExportTarget &t) -> std::string {
                if (t.item == 2)
                    throw std::runtime_error("cannot open");
                written.push_back(t.path);
                return t.item == 0 ? "a failed" : "";
            },
            progress.get());
        EXPECT_EQ(failures, (std::vector<std::string>{"a failed", "/nowhere/c.uds: cannot open"}));
        EXPECT_EQ(written, (replace ? std::vector<std::string>{a, b} : std::vector<std::string>{a}));
        EXPECT_EQ(ui.progressTexts.size(), 3u);
    }
    std::filesystem::remove_all(dir);
    EXPECT_EQ(kxres::AsciiExportName("v1.head.uds"), "v1_head.txt");
    EXPECT_EQ(kxres::AsciiExportName("a.uds.bak"), "a_bak.txt");
}

TEST(FakeKxUi, AnswersFromItsQueuesAndRecordsEveryCall)
{
    DemoFake fake;
    kxres::IKxUi &ui = fake;
    fake.saveFiles = {"/tmp/a.uds", ""};
    std::string path;
    EXPECT_TRUE(ui.ChooseSaveFile({"Save As", "UDS Files (*.uds)", "uds", "/tmp", ""}, path));
    EXPECT_EQ(path, "/tmp/a.uds");
    EXPECT_FALSE(ui.ChooseSaveFile({"Save As", "", "", "", ""}, path)); // an empty answer cancels
    EXPECT_FALSE(ui.ChooseSaveFile({"Save As", "", "", "", ""}, path)); // so does an empty queue
    EXPECT_EQ(fake.saveTitles.size(), 3u);

    {
        kxres::CUiWaitCursor wait(&ui);
        EXPECT_EQ(fake.openWaitCursors, 1);
    }
    EXPECT_EQ(fake.openWaitCursors, 0);
    EXPECT_EQ(fake.waitCursors, 1);

    fake.cancelProgressAt = 2;
    auto progress = ui.BeginProgress("Print All", "", 5);
    EXPECT_TRUE(progress->Step(1, "one"));
    EXPECT_FALSE(progress->Step(2, "two"));
    progress.reset();
    EXPECT_EQ(fake.progressEnded, 1);
    EXPECT_EQ(fake.progressTexts, (std::vector<std::string>{"one", "two"}));

    fake.clipboardWorks = false;
    EXPECT_FALSE(ui.PutTextOnClipboard("x"));
    EXPECT_TRUE(fake.clipboard.empty());

    fake.labelAnswers = {std::string("typed"), std::nullopt};
    std::string label = "old";
    EXPECT_TRUE(ui.EditLabel("Scale", "Enter factor", label));
    EXPECT_EQ(label, "typed");
    EXPECT_FALSE(ui.EditLabel("Scale", "Enter factor", label)); // cancelled
    EXPECT_FALSE(ui.EditLabel("Scale", "Enter factor", label)); // nothing queued
    EXPECT_EQ(label, "typed");
    EXPECT_EQ(fake.labelRequests.size(), 6u);
    ui.ShowUdsHeader({std::make_shared<kx::CNSignal>()});
    ui.SetMainWindowText("a.uds");
    EXPECT_EQ(fake.headersShown.size(), 1u);
    EXPECT_EQ(fake.windowTexts, std::vector<std::string>{"a.uds"});
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
