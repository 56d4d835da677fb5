#include "Pellora/app/CMainFrame.h"
#include "Pellora/app/CPelloraApp.h"
#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/app/CPelloraUi.h"
#include "Pellora/views/CPelloraView.h"
#include "platform/CSettings.h"
#include "platform/CSingleInstance.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include "support/PelloraTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QToolBar>
#include <QUrl>
#include <QUuid>

using namespace pellora;

using namespace pelloratest;

namespace {

QString UniqueKey()
{
    return QStringLiteral("PelloraTest-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

class FrameTest : public ::testing::Test {
protected:
    FrameTest()
        : doc(&ui, settings.Program())
        , frame(doc)
    {
        // Sample signals made with the data library: two head accelerations and a neck force.
        WriteUds(folder.File("v4711h01001.uds"), {.curveNumber = 1, .points = 400, .step = 0.0005, .peak = 60.0});
        WriteUds(folder.File("v4711h01003.uds"), {.curveNumber = 3,
                                                  .attachment = "NECK - UPPER",
                                                  .yType = "FORCE",
                                                  .yUnits = "NEWTONS",
                                                  .points = 300,
                                                  .step = 0.0005,
                                                  .peak = 2150.0});
        WriteUds(folder.File("v4711h01002.uds"), {.curveNumber = 2, .points = 200, .step = 0.0005, .peak = 35.0});
        WriteText(folder.File("setup.ini"), "[x]\n");
    }

    QStringList ListTexts() const
    {
        QStringList texts;
        for (int i = 0; i < frame.ListView()->count(); ++i)
            texts << frame.ListView()->item(i)->text();
        return texts;
    }

    ScratchSettings settings;
    TempFolder folder;
    FakeUi ui;
    CPelloraDoc doc;
    CMainFrame frame;
};

} // namespace

TEST_F(FrameTest, StartsOnAFolderSelectsFilesAndSavesAPicture)
{
    frame.resize(1000, 700);
    frame.show();
    ui.directories.push_back(folder.Str());
    frame.Action(CMainFrame::ID_FILE_OPEN_DIRECTORY)->trigger();
    EXPECT_EQ(ListTexts(), (QStringList{"v4711h01001.uds", "v4711h01002.uds", "v4711h01003.uds"}));
    EXPECT_FALSE(frame.Action(CMainFrame::ID_VIEW_UDS_HEADER)->isEnabled());
    EXPECT_FALSE(frame.Action(CMainFrame::ID_LABEL_SIGNALS)->isEnabled());

    frame.ListView()->SelectNames({"v4711h01001.uds", "v4711h01002.uds"});
    ASSERT_EQ(doc.GetSignals().size(), 2u);
    EXPECT_EQ(doc.GetSignalCount(), 2);
    EXPECT_EQ(doc.GetMaxPointCount(), 400);
    EXPECT_TRUE(frame.Action(CMainFrame::ID_VIEW_UDS_HEADER)->isEnabled());
    EXPECT_TRUE(frame.Action(CMainFrame::ID_LABEL_SIGNALS)->isEnabled());
    frame.Action(CMainFrame::ID_VIEW_UDS_HEADER)->trigger();
    EXPECT_EQ(ui.headerViews, 1);

    // With two signals the signal commands run; HIC wants one or three.
    for (int id : {CMainFrame::ID_OPERATE_FILTER, CMainFrame::ID_CFC60, CMainFrame::ID_EDIT_COPY_DATA}) {
        ASSERT_NE(frame.Action(id), nullptr) << id;
        EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;
    }
    EXPECT_FALSE(frame.Action(CMainFrame::ID_INJURY_HIC)->isEnabled());
    EXPECT_EQ(frame.ToolBar()->actions().size(), 15);
    ASSERT_EQ(frame.Splitter()->count(), 2);
    EXPECT_EQ(frame.Splitter()->widget(0), frame.ListView());

    QCoreApplication::processEvents();
    const QImage image = frame.grab().toImage();
    ASSERT_FALSE(image.isNull());
    const QString png = QDir::current().filePath(QStringLiteral("pellora_main_window.png"));
    EXPECT_TRUE(image.save(png));
    std::cout << "main window picture: " << png.toStdString() << '\n';
}

TEST_F(FrameTest, EveryMenuAndToolBarEntryRunsACommand)
{
    // Every entry that carries a command id reaches a handler: no entry is dead.
    QList<QAction *> entries = frame.ToolBar()->actions();
    for (QMenu *menu : frame.menuBar()->findChildren<QMenu *>())
        for (QAction *action : menu->actions())
            entries.push_back(action);
    int commands = 0;
    for (QAction *action : entries) {
        if (!action->objectName().startsWith(QStringLiteral("ID_")))
            continue;
        ++commands;
        const int id = action->data().toInt();
        EXPECT_TRUE(frame.Commands().IsBound(id)) << action->text().toStdString() << " " << id;
        EXPECT_EQ(frame.Action(id), action) << id;
    }
    EXPECT_GE(commands, 60);
    // Each id of the frame's commands has its entry.
    for (int id : {CMainFrame::ID_FILE_OPEN_DIRECTORY, CMainFrame::ID_FILE_SAVE_AS_JPEG, CMainFrame::ID_FILE_PRINT_ALL,
                   CMainFrame::ID_FILE_PAGE_MARGIN, CMainFrame::ID_OPERATE_BIAS_TAIL, CMainFrame::ID_CFC1000,
                   CMainFrame::ID_LABEL_MULTILINE, CMainFrame::ID_INJURY_TIBIA, CMainFrame::ID_APP_ABOUT})
        EXPECT_TRUE(frame.Commands().IsBound(id)) << id;
}

TEST_F(FrameTest, PlotPaneCanBeReplaced)
{
    auto *pane = new QWidget;
    pane->setObjectName("plotView");
    frame.SetPlotPane(pane);
    EXPECT_EQ(frame.PlotPane(), pane);
    EXPECT_EQ(frame.Splitter()->widget(1), pane);
    EXPECT_EQ(frame.Splitter()->count(), 2);
    // A pane without the plot interface leaves the plot commands disabled.
    EXPECT_FALSE(frame.Action(CMainFrame::ID_FILE_PRINT_CURRENT)->isEnabled());
}

TEST_F(FrameTest, SortCommandsStoreTheOrder)
{
    WriteUds(folder.File("abcdefgxyz.uds"));
    doc.OpenDirectory(folder.Str());
    frame.Action(CMainFrame::ID_VIEW_SORT_CURVE)->trigger();
    EXPECT_EQ(ListTexts().last(), "abcdefgxyz.uds");
    EXPECT_EQ(kxplatform::CSettings(settings.Program()).GetInt("Sort"), 1);
    EXPECT_TRUE(frame.Action(CMainFrame::ID_VIEW_SORT_CURVE)->isChecked());
    frame.Action(CMainFrame::ID_VIEW_SORT_NAME)->trigger();
    EXPECT_EQ(ListTexts().first(), "abcdefgxyz.uds");
    EXPECT_EQ(kxplatform::CSettings(settings.Program()).GetInt("Sort"), 0);
}

TEST_F(FrameTest, MultiLineTitleTogglesTheHeaderModeAndTheLabelCommands)
{
    EXPECT_TRUE(frame.IsShortHeader());
    EXPECT_TRUE(frame.Action(CMainFrame::ID_LABEL_TITLE)->isEnabled());
    EXPECT_FALSE(frame.Action(CMainFrame::ID_LABEL_MULTILINE)->isChecked());
    frame.Action(CMainFrame::ID_LABEL_MULTILINE)->trigger();
    EXPECT_FALSE(frame.IsShortHeader());
    EXPECT_FALSE(frame.Action(CMainFrame::ID_LABEL_TITLE)->isEnabled());
    EXPECT_FALSE(frame.Action(CMainFrame::ID_LABEL_SUBTITLE)->isEnabled());
    EXPECT_TRUE(frame.Action(CMainFrame::ID_LABEL_MULTILINE)->isChecked());
    EXPECT_EQ(kxplatform::CSettings(settings.Program()).GetInt("ShortHeader", -1), 0);
    frame.Action(CMainFrame::ID_LABEL_MULTILINE)->trigger();
    EXPECT_TRUE(frame.IsShortHeader());
    EXPECT_EQ(kxplatform::CSettings(settings.Program()).GetInt("ShortHeader", -1), 1);
}

TEST(CMainFrameSizes, SaveAllPlotsChoices)
{
    EXPECT_EQ(CPelloraDoc::JpegSizeFor(0), QSize(320, 240));
    EXPECT_EQ(CPelloraDoc::JpegSizeFor(1), QSize(640, 480));
    EXPECT_EQ(CPelloraDoc::JpegSizeFor(2), QSize(800, 600));
    EXPECT_EQ(CPelloraDoc::JpegSizeFor(3), QSize(1024, 780));
    EXPECT_EQ(CPelloraDoc::MetafileSizeFor(0), QSize(10000, 5000));
    EXPECT_EQ(CPelloraDoc::MetafileSizeFor(1), QSize(10000, 7500));
    EXPECT_EQ(CPelloraDoc::MetafileSizeFor(2), QSize(10000, 10000));
}

TEST_F(FrameTest, HitListModeRemoveSelectedAndUnselected)
{
    doc.AddFileNames({folder.File("v4711h01001.uds"), folder.File("v4711h01002.uds"), folder.File("v4711h01003.uds")});
    CPelloraView *list = frame.ListView();
    ASSERT_EQ(list->count(), 3);
    list->SelectNames({QString::fromStdString(folder.File("v4711h01002.uds"))});
    {
        std::unique_ptr<QMenu> menu(list->BuildContextMenu(nullptr));
        QStringList texts;
        for (QAction *a : menu->actions()) {
            if (!a->isSeparator())
                texts << a->text();
        }
        EXPECT_TRUE(texts.contains("Remove Selected Item(s)"));
        EXPECT_FALSE(texts.contains("Apply Filter ..."));
    }
    list->OnRemoveSelected();
    EXPECT_EQ(ListTexts(), (QStringList{QString::fromStdString(folder.File("v4711h01001.uds")),
                                        QString::fromStdString(folder.File("v4711h01003.uds"))}));
    EXPECT_TRUE(doc.GetSignals().empty());
    list->SelectNames({QString::fromStdString(folder.File("v4711h01003.uds"))});
    list->OnRemoveUnselected();
    EXPECT_EQ(ListTexts(), QStringList{QString::fromStdString(folder.File("v4711h01003.uds"))});
    // The selected file stays selected and loaded.
    EXPECT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(doc.GetSignals().size(), 1u);
}

TEST_F(FrameTest, AFailingListMenuEntryIsReportedAndLetsNothingOut)
{
    doc.AddFileNames({folder.File("v4711h01001.uds")});
    ui.hitList = [](std::vector<std::string> &) -> bool { throw std::runtime_error("The hit list editor failed."); };
    QStringList warnings;
    const kxres::WarningHandler previous =
        kxres::SetWarningHandler([&warnings](QWidget *, const QString &text) { warnings << text; });
    std::unique_ptr<QMenu> menu(frame.ListView()->BuildContextMenu(nullptr));
    for (QAction *action : menu->actions()) {
        if (action->text() == QStringLiteral("Edit HitList")) {
            EXPECT_NO_THROW(action->trigger());
        }
    }
    kxres::SetWarningHandler(previous);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("The hit list editor failed."))) << warnings[0].toStdString();
}

TEST_F(FrameTest, PastedAndDroppedNamesSwitchToHitListMode)
{
    doc.OpenDirectory(folder.Str());
    CPelloraView *list = frame.ListView();
    list->SelectNames({"v4711h01001.uds"});
    list->OnCopyFilenames();
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromStdString(folder.File("v4711h01001.uds")) + "\r\n");

    const std::string extra = folder.File("extra.uds");
    WriteUds(extra);
    QApplication::clipboard()->setText(QString::fromStdString(extra) + "\r\n\r\n" +
                                       QString::fromStdString(folder.File("v4711h01002.uds")) + "\r\n");
    list->OnPasteFilenames();
    EXPECT_TRUE(doc.IsHitList());
    EXPECT_EQ(list->count(), 4);
    // Listed in the stored (name) order, as every refill of the list is.
    EXPECT_EQ(ListTexts().first(), QString::fromStdString(extra));
    // The selection survives the switch.
    EXPECT_EQ(list->selectedItems().size(), 1);

    QMimeData drop;
    drop.setUrls({QUrl::fromLocalFile(folder.File("more.uds").c_str()), QUrl::fromLocalFile(extra.c_str())});
    EXPECT_TRUE(list->AddFromMimeData(&drop));
    EXPECT_EQ(list->count(), 5);
    QMimeData nothing;
    EXPECT_FALSE(list->AddFromMimeData(&nothing));
}

TEST_F(FrameTest, ApplyFilterThroughTheView)
{
    doc.OpenDirectory(folder.Str());
    ui.labels.push_back({true, "*02.uds"});
    frame.ListView()->OnApplyFilter();
    EXPECT_EQ(ui.labelCaptions.back(), "Apply Filter for Displaying File Names");
    EXPECT_EQ(ui.labelPrompts.back(), "Enter Filter    (e.g. v*.aa0.*)");
    EXPECT_EQ(ListTexts(), QStringList{"v4711h01002.uds"});
}

TEST_F(FrameTest, DesktopCommandsThroughTheLocalServer)
{
    const QString key = UniqueKey();
    kxplatform::CSingleInstance server(key);
    ASSERT_TRUE(server.Listen());
    QObject::connect(&server, &kxplatform::CSingleInstance::MessageReceived, &frame,
                     [this](const QString &m) { frame.HandleDdeCommand(m); });

    const std::string file = folder.File("v4711h01001.uds");
    const QString command = QStringLiteral("[DataFile(%1)]").arg(QString::fromStdString(file));
    ASSERT_TRUE(kxplatform::CSingleInstance::SendToRunning(key, {command, command}));
    ASSERT_TRUE(WaitFor([&] { return frame.ListView()->count() == 1; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(ListTexts(), QStringList{QString::fromStdString(file)});

    // A hit list whose folder is named DataFile.
    std::filesystem::create_directory(folder.Path() / "DataFile");
    const std::string list = folder.File("DataFile/hits.txt");
    WriteText(list, folder.File("v4711h01002.uds") + "\r\n" + folder.File("v4711h01003.uds") + "\r\n");
    ASSERT_TRUE(kxplatform::CSingleInstance::SendToRunning(
        key, {QStringLiteral("[HitList(%1)]").arg(QString::fromStdString(list)), QStringLiteral("[Bogus(x)]")}));
    ASSERT_TRUE(WaitFor([&] { return frame.ListView()->count() == 3; }));
    EXPECT_EQ(ListTexts().last(), QString::fromStdString(folder.File("v4711h01003.uds")));
    EXPECT_TRUE(ui.errorLists.empty());
    EXPECT_FALSE(frame.HandleDdeCommand("[DataFile()]"));
}

TEST(CPelloraApp, SecondStartHandsItsFilesToTheRunningOne)
{
    ScratchSettings settings;
    TempFolder folder;
    const std::string first = folder.File("first.uds");
    const std::string second = folder.File("second.uds");
    WriteUds(first);
    WriteUds(second, {.curveNumber = 2});

    CPelloraApp::Options options;
    options.instanceKey = UniqueKey();
    options.settingsProgram = settings.Program();
    options.trackUsage = false;
    options.showMainWindow = false;
    CPelloraApp running(options);
    ASSERT_EQ(running.InitInstance({"Pellora", "-O", QString::fromStdString(first)}), -1);
    ASSERT_NE(running.Document(), nullptr);
    EXPECT_EQ(running.Document()->GetSignals().size(), 1u);
    EXPECT_EQ(running.MainFrame()->windowTitle(), "Browsing Command Line arguments");
    // Files loaded at once show selected.
    EXPECT_EQ(running.MainFrame()->ListView()->selectedItems().size(), 1);
    ASSERT_NE(running.Instance(), nullptr);
    EXPECT_TRUE(running.Instance()->IsListening());

    // Opening a ".uds" file from the desktop starts Pellora with its name.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder.Str()));
    CPelloraApp later(options);
    EXPECT_EQ(later.InitInstance({"Pellora", "second.uds"}), 0);
    QDir::setCurrent(previous);
    EXPECT_EQ(later.MainFrame(), nullptr);
    ASSERT_TRUE(WaitFor([&] { return running.Document()->GetFileNames().size() == 2; }));
    EXPECT_EQ(running.Document()->GetFileNames().back(), second);
    EXPECT_FALSE(CPelloraApp::ForwardToRunning(options.instanceKey, {"Pellora"}));
}

TEST(CPelloraApp, StartsOnTheSampleFolder)
{
    QStringList arguments{"Pellora", "-O"};
    const QDir examples(QStringLiteral(KX_SOURCE_DIR "/examples"));
    for (const QString &name : examples.entryList({"*.uds"}, QDir::Files, QDir::Name))
        arguments << examples.filePath(name);
    if (arguments.size() == 2)
        GTEST_SKIP() << "no sample files in " << examples.path().toStdString();

    ScratchSettings settings;
    CPelloraApp::Options options;
    options.instanceKey = UniqueKey();
    options.settingsProgram = settings.Program();
    options.trackUsage = false;
    options.showMainWindow = false;
    CPelloraApp pellora(options);
    ASSERT_EQ(pellora.InitInstance(arguments), -1);
    CMainFrame *frame = pellora.MainFrame();
    EXPECT_EQ(frame->ListView()->count(), arguments.size() - 2);
    EXPECT_EQ(frame->ListView()->selectedItems().size(), arguments.size() - 2);
    EXPECT_EQ(pellora.Document()->GetSignalCount(), arguments.size() - 2);
    EXPECT_TRUE(pellora.Document()->GetErrors().empty());
    frame->resize(1000, 700);
    frame->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame->grab().toImage().save(QDir::current().filePath("pellora_examples.png")));
}

// The program's user interface puts the document's requests on the dialogs.
TEST(CPelloraUi, LabelAndErrorListDialogs)
{
    ScratchSettings settings;
    kxplatform::CSettings store(settings.Program());
    QWidget owner;
    CPelloraUi ui(store, &owner);

    QString shownCaption;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
        QWidget *dlg = QApplication::activeModalWidget();
        shownCaption = dlg->windowTitle();
        dlg->findChild<QLineEdit *>("value")->setText("new title");
        QMetaObject::invokeMethod(dlg, "accept");
    });
    std::string value = "old";
    EXPECT_TRUE(ui.EditLabel("Title Label", "Enter Label", value));
    EXPECT_EQ(shownCaption, "Title Label");
    EXPECT_EQ(value, "new title");

    QString shownText;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
        QWidget *dlg = QApplication::activeModalWidget();
        shownText = dlg->findChild<QPlainTextEdit *>("messages")->toPlainText();
        QMetaObject::invokeMethod(dlg, "accept");
    });
    ui.ShowErrorList({"first", "second"});
    EXPECT_EQ(shownText, "first\nsecond\n");

    ui.SetMainWindowText("Browsing /data");
    EXPECT_EQ(owner.windowTitle(), "Browsing /data");
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
