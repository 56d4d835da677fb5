// Selecting many files in the list: the load behind its progress window, Cancel,
// the list following the document in one change, and the guard around every call
// of the list into the document.

#include "Pellora/app/CMainFrame.h"
#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/views/CPelloraView.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include "support/PelloraTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>

using namespace pellora;
using namespace pelloratest;

namespace {

// A user whose wait cursor fails once armed: the document's calls then throw.
class ThrowingUi : public FakeUi {
public:
    bool armed = false;
    void BeginWaitCursor() override
    {
        if (armed)
            throw std::runtime_error("The wait cursor failed.");
        FakeUi::BeginWaitCursor();
    }
};

class ListTest : public ::testing::Test {
protected:
    ListTest()
        : doc(&ui, settings.Program())
    {}

    // count files of a few points each in the folder, browsed.
    void Browse(int count)
    {
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "f%03d.uds", i);
            WriteUds(folder.File(name), {.curveNumber = i + 1, .points = 20});
        }
        ASSERT_TRUE(doc.OpenDirectory(folder.Str()));
    }
    std::vector<std::string> AllPaths() const
    {
        std::vector<std::string> paths;
        for (const std::string &name : doc.GetFileNames())
            paths.push_back(doc.FullPathOf(name));
        return paths;
    }
    static int SelectedCount(const CPelloraView &list) { return int(list.SelectedNames().size()); }

    ScratchSettings settings;
    TempFolder folder;
    ThrowingUi ui;
    CPelloraDoc doc;
};

} // namespace

TEST_F(ListTest, ALongLoadShowsProgressAndCancelKeepsTheFilesLoaded)
{
    Browse(8);
    CPelloraView list(doc);
    list.Refill();
    // Progress delay, step whose Cancel is pressed (-1: none), files kept, progress windows.
    const struct {
        int delayMs;
        int cancelAt;
        std::size_t kept;
        int windows;
    } cases[] = {
        {60000, -1, 8, 0}, // a quick load shows no window
        {0, -1, 8, 1},
        {0, 3, 3, 1},
        {0, 1, 1, 1},
    };
    for (const auto &c : cases) {
        list.clearSelection();
        ASSERT_TRUE(doc.GetSignals().empty());
        ui.messages.clear();
        ui.progressBegun = 0;
        ui.progressEnded = 0;
        ui.cancelProgressAt = c.cancelAt;
        doc.SetProgressDelay(std::chrono::milliseconds(c.delayMs));
        list.selectAll();
        EXPECT_EQ(ui.progressBegun, c.windows) << c.cancelAt;
        EXPECT_EQ(ui.progressBegun, ui.progressEnded);
        EXPECT_FALSE(doc.IsBatchRunning());
        ASSERT_EQ(doc.GetSignals().size(), c.kept) << c.cancelAt;
        EXPECT_EQ(doc.GetSelectedFiles().size(), c.kept);
        // The files loaded are the first ones, and the list shows just them selected.
        EXPECT_EQ(doc.GetSelectedFiles().back()->GetFileName(), doc.GetFileNames()[c.kept - 1]);
        EXPECT_EQ(SelectedCount(list), int(c.kept)) << c.cancelAt;
        EXPECT_EQ(doc.GetSignalCount(), int(c.kept));
        if (c.kept < 8) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0], "Loading cancelled: the " + std::to_string(c.kept) +
                                          " files loaded stay selected; the other " + std::to_string(8 - c.kept) +
                                          " were not loaded.");
        } else {
            EXPECT_TRUE(ui.messages.empty());
        }
    }
    ui.cancelProgressAt = -1;
    // Files held stay loaded as they are when the selection grows again.
    const kx::CNSignalPtr first = doc.GetSignals().front();
    list.selectAll();
    EXPECT_EQ(doc.GetSignals().size(), 8u);
    EXPECT_EQ(doc.GetSignals().front(), first);
}

TEST_F(ListTest, TheListFollowsTheDocumentInOneSelectionChange)
{
    Browse(40);
    CPelloraView list(doc);
    list.Refill();
    std::vector<std::string> paths = AllPaths();
    paths.erase(paths.begin() + 10, paths.begin() + 15); // two runs of rows
    doc.SelectFiles(paths);
    QSignalSpy changes(&list, &QListWidget::itemSelectionChanged);
    doc.UpdateAllViews(UpdateHint::FileList);
    EXPECT_LE(changes.count(), 1);
    ASSERT_EQ(SelectedCount(list), 35);
    EXPECT_EQ(list.UnselectedNames(),
              (std::vector<std::string>{"f010.uds", "f011.uds", "f012.uds", "f013.uds", "f014.uds"}));
    // Clicking one file of a large selection keeps that file's signal.
    const kx::CNSignalPtr kept = doc.GetSignals()[20];
    list.SelectNames({"f025.uds"});
    ASSERT_EQ(doc.GetSignals().size(), 1u);
    EXPECT_EQ(doc.GetSignals().front(), kept);
}

TEST_F(ListTest, AFailureInsideTheDocumentIsReportedNotPassedOn)
{
    Browse(3);
    CMainFrame frame(doc);
    CPelloraView *list = frame.ListView();
    list->Refill();
    QStringList warnings;
    const kxres::WarningHandler previous =
        kxres::SetWarningHandler([&warnings](QWidget *, const QString &text) { warnings << text; });
    const std::string dropped = folder.File("f001.uds");
    // Each entry of the list into the document, with a wait cursor that fails.
    const std::vector<std::pair<const char *, std::function<void()>>> entries = {
        {"selection", [&] { list->selectAll(); }},
        {"drop",
         [&] {
             QMimeData data;
             data.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder.File("new.uds")))});
             list->DropMimeData(&data);
         }},
        {"menu",
         [&] {
             doc.SwitchToHitListMode();
             std::unique_ptr<QMenu> menu(list->BuildContextMenu(nullptr));
             for (QAction *action : menu->actions()) {
                 if (action->text() == QStringLiteral("Clear HitList"))
                     action->trigger();
             }
         }},
    };
    for (const auto &[what, entry] : entries) {
        warnings.clear();
        ui.armed = true;
        EXPECT_NO_THROW(entry()) << what;
        ui.armed = false;
        ASSERT_EQ(warnings.size(), 1) << what;
        EXPECT_EQ(warnings[0], QStringLiteral("The wait cursor failed.")) << what;
    }
    kxres::SetWarningHandler(previous);
}

TEST_F(ListTest, ClosingTheWindowDuringALoadEndsTheLoadThenTheWindow)
{
    Browse(6);
    CMainFrame frame(doc);
    frame.ListView()->Refill();
    frame.show();
    doc.SetProgressDelay(std::chrono::milliseconds(0));
    ui.onProgressStep = [&frame](int step) {
        if (step == 2)
            frame.close();
        return false;
    };
    frame.ListView()->selectAll();
    // The close stops the load after the second file; the window closes once it has ended.
    EXPECT_EQ(doc.GetSignals().size(), 2u);
    EXPECT_TRUE(WaitFor([&frame] { return !frame.isVisible(); }));
}

TEST_F(ListTest, AFolderDroppedAloneIsBrowsedAndAMissingOneIsRefused)
{
    Browse(2);
    TempFolder other;
    WriteUds(other.File("o.uds"));
    const std::vector<std::string> before = doc.GetFileNames();

    ui.messages.clear();
    EXPECT_FALSE(doc.OpenDirectory(other.File("missing")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Directory, " + other.File("missing") + ", does not Exist");
    EXPECT_EQ(doc.GetFileNames(), before);
    EXPECT_EQ(doc.GetDirectory(), folder.Str());

    // A folder among files is refused with a line in the error list; the files are added.
    ui.errorLists.clear();
    EXPECT_EQ(doc.AddDroppedPaths({other.Str(), other.File("o.uds")}), 1u);
    ASSERT_EQ(ui.errorLists.size(), 1u);
    EXPECT_EQ(ui.errorLists[0],
              std::vector<std::string>{other.Str() + ": is a folder, not a file; drop it alone to browse it"});
    EXPECT_TRUE(doc.IsHitList());
    EXPECT_EQ(doc.GetFileNames().size(), 3u);

    // A folder alone is browsed.
    doc.AddDroppedPaths({other.Str()});
    EXPECT_FALSE(doc.IsHitList());
    EXPECT_EQ(doc.GetDirectory(), other.Str());
    EXPECT_EQ(doc.GetFileNames(), std::vector<std::string>{"o.uds"});
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
