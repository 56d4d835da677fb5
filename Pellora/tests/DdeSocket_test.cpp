// Commands of later starts arrive through the real local socket; an error list
// shown while handling one (a dialog with its own event loop) must not pull the
// socket away from under the reader.

#include "Pellora/app/CMainFrame.h"
#include "Pellora/app/CPelloraApp.h"
#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/views/CPelloraView.h"
#include "platform/CSingleInstance.h"
#include "shared_ui/services/CMyCommandInfo.h"
#include "support/PelloraTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QUuid>

#include <gtest/gtest.h>

#include <filesystem>

using namespace pellora;
using namespace pelloratest;

namespace {

// What a modal dialog does: an event loop of its own until the user dismisses it.
void NestedLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString UniqueKey()
{
    return QStringLiteral("pellora-test-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

} // namespace

TEST(DdeSocket, HitListWithAMissingLineShowsItsErrorAfterTheReadAndKeepsRunning)
{
    ScratchSettings settings;
    TempFolder folder;
    FakeUi ui;
    CPelloraDoc doc(&ui, settings.Program());
    CMainFrame frame(doc);
    WriteUds(folder.File("a.uds"));
    const std::string list = folder.File("list.txt");
    WriteText(list, folder.File("a.uds") + "\n" + folder.File("missing.uds") + "\n");
    ui.onErrorList = [] { NestedLoop(150); };

    kxplatform::CSingleInstance instance(UniqueKey());
    ASSERT_TRUE(instance.Listen());
    QObject::connect(&instance, &kxplatform::CSingleInstance::MessageReceived, &frame,
                     [&frame](const QString &message) { frame.HandleDdeCommand(message); });

    // A later start sends the command and goes away at once.
    ASSERT_TRUE(kxplatform::CSingleInstance::SendToRunning(
        instance.Key(), {QStringLiteral("[HitList(%1)]").arg(QString::fromStdString(list)),
                         QStringLiteral("[HitList(%1)]").arg(QString::fromStdString(folder.File("gone.lst")))}));
    ASSERT_TRUE(WaitFor([&] { return ui.errorLists.size() >= 2; }));
    NestedLoop(100);

    EXPECT_EQ(doc.GetFileNames(), std::vector<std::string>{folder.File("a.uds")});
    ASSERT_EQ(ui.errorLists[0].size(), 1u);
    EXPECT_EQ(ui.errorLists[0][0], "Hitlist " + list + ", filename " + folder.File("missing.uds") + ", not found");
    EXPECT_EQ(ui.errorLists[1][0], "Failure to open file: " + folder.File("gone.lst") + " for reading.");

    // The server still takes commands.
    ASSERT_TRUE(kxplatform::CSingleInstance::SendToRunning(
        instance.Key(), {QStringLiteral("[DataFile(%1)]").arg(QString::fromStdString(folder.File("a.uds")))}));
    NestedLoop(200);
    EXPECT_EQ(doc.GetFileNames().size(), 1u);
}

TEST(DdeSocket, LaterStartChecksItsNamesAsAtStartUpAndHandsOverTheLoadSwitch)
{
    ScratchSettings settings;
    TempFolder folder;
    WriteUds(folder.File("first.uds"), {.curveNumber = 1});
    WriteUds(folder.File("v1.uds"), {.curveNumber = 2});
    WriteUds(folder.File("v2.uds"), {.curveNumber = 3});
    std::filesystem::create_directory(folder.File("sub"));
    CPelloraApp::Options options;
    options.instanceKey = UniqueKey();
    options.settingsProgram = settings.Program();
    options.trackUsage = false;
    options.showMainWindow = false;
    CPelloraApp running(options);
    ASSERT_EQ(running.InitInstance({"Pellora", QString::fromStdString(folder.File("first.uds"))}), -1);
    FakeUi ui;
    running.Document()->SetUi(&ui);

    // From the file's folder: a pattern, a missing name and a folder, loaded at once.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder.Str()));
    CPelloraApp later(options);
    EXPECT_EQ(later.InitInstance({"Pellora", "-O", "v*.uds", "gone.uds", "sub"}), 0);
    QDir::setCurrent(previous);

    CPelloraDoc &doc = *running.Document();
    ASSERT_TRUE(WaitFor([&] { return !ui.errorLists.empty(); }));
    EXPECT_EQ(doc.GetFileNames(),
              (std::vector<std::string>{folder.File("first.uds"), folder.File("v1.uds"), folder.File("v2.uds")}));
    ASSERT_EQ(doc.GetSignals().size(), 2u);
    EXPECT_EQ(doc.GetSignals()[0]->GetPathName(), folder.File("v1.uds"));
    EXPECT_EQ(running.MainFrame()->ListView()->selectedItems().size(), 2);
    EXPECT_EQ(ui.errorLists[0],
              (std::vector<std::string>{"File, " + folder.File("gone.uds") + ", does not Exist",
                                        "File, " + folder.File("sub") + ", is a folder, not a file"}));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
