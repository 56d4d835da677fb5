#include "Sorvelt/app/CMainFrame.h"
#include "Sorvelt/app/CSorveltApp.h"
#include "Sorvelt/document/CSorveltDoc.h"
#include "Sorvelt/views/CSorveltView.h"
#include "shared_ui/services/CKxStartup.h"
#include "shared_ui/services/CRecentFileList.h"
#include "support/SorveltTestSupport.h"

#include <QApplication>
#include <QMenu>

#include <gtest/gtest.h>

using namespace sorvelt;
using namespace sorvelttest;

// The plain command line names the file to open; opened files go to a list of four.
TEST(SorveltApp, CommandLineFileAndFourRecentFiles)
{
    TempFolder folder;
    ScratchSettings settings;
    CSorveltApp app({settings.Program(), false, false});
    const std::string first = WriteSimulation(folder.File("first.dat"), 2, 2, 10);
    app.InitInstance({QStringLiteral("Sorvelt"), QString::fromStdString(first)});
    ASSERT_TRUE(app.Document()->IsLoaded());
    EXPECT_EQ(app.Document()->GetFileName(), "first");
    EXPECT_EQ(app.MainFrame()->Tree()->topLevelItemCount(), 2);
    CRecentFileList *recent = app.Startup()->RecentFiles();
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->Files(), QStringList{QString::fromStdString(first)});

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(
            app.Document()->OpenDocument(WriteSimulation(folder.File("f" + std::to_string(i) + ".dat"), 1, 1, 5)));
    EXPECT_EQ(recent->Files().size(), 4);
    EXPECT_FALSE(recent->Files().contains(QString::fromStdString(first)));
    auto *menu = app.MainFrame()->findChild<QMenu *>(QStringLiteral("recentMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().size(), 4);

    // Opening from the list is the same open: the tree is filled again.
    menu->actions().back()->trigger();
    EXPECT_EQ(app.Document()->GetFileName(), "f0");
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
