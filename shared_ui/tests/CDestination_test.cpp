#include "shared_ui/services/CDestination.h"

#include "support/KxServicesSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QListView>
#include <QFileSystemModel>
#include <QAbstractProxyModel>

namespace {

// Records the hooks and what the dialog looked like while open.
class RecordingDestination : public CDestination {
public:
    using CDestination::CDestination;
    int inits = 0;
    QStringList changes;

protected:
    void OnInit() override
    {
        ++inits;
        CDestination::OnInit();
    }
    void OnSelChanged(const QString &path) override
    {
        changes << path;
        CDestination::OnSelChanged(path);
    }
};

class CDestinationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath("uds/out"));
        ASSERT_TRUE(QDir(dir.path()).mkpath("other"));
        uds = QDir::cleanPath(dir.filePath("uds"));
    }
    QTemporaryDir dir;
    QString uds;
};

} // namespace

TEST_F(CDestinationTest, ConfirmedFolderIsStoredAndTheSetupIsLockedWhileOpen)
{
    RecordingDestination chooser(nullptr, "Select Directory for UDS files");
    chooser.SetInitialFolder(uds);
    EXPECT_EQ(chooser.GetFlags(), 5u);

    QString status;
    bool titleRefused = false;
    QString title;
    kxtest::WhenModal([&](QWidget *w) {
        title = w->windowTitle();
        status = chooser.GetStatusText();
        titleRefused = !chooser.SetTitle("changed");
        static_cast<QDialog *>(w)->accept();
    });
    ASSERT_TRUE(chooser.SelectFolder());
    EXPECT_EQ(chooser.GetFolderPath(), uds);
    EXPECT_EQ(chooser.GetFolderPathString(), uds.toStdString());
    EXPECT_EQ(title, "Select Directory for UDS files");
    EXPECT_EQ(status, uds);
    EXPECT_TRUE(titleRefused);
    EXPECT_EQ(chooser.GetTitle(), "Select Directory for UDS files");
    EXPECT_EQ(chooser.inits, 1);
    EXPECT_FALSE(chooser.IsOpen());

    // Closed: the title may change again, selection and status are dropped.
    EXPECT_TRUE(chooser.SetTitle("Output Directory"));
    chooser.SetStatusText("dropped");
    chooser.SetSelection("/");
    EXPECT_EQ(chooser.GetStatusText(), "");
}

TEST_F(CDestinationTest, StatusLineFollowsTheSelection)
{
    RecordingDestination chooser(nullptr, "Select Directory for UDS files");
    chooser.SetInitialFolder(uds);
    const QString other = QDir::cleanPath(dir.filePath("other"));
    QString status;
    kxtest::WhenModal([&](QWidget *w) {
        auto *dlg = static_cast<QFileDialog *>(w);
        // The list fills in the background; select once it holds the folder.
        dlg->setDirectory(dir.path());
        QTest::qWait(300);
        // As a click on the folder in the list would.
        auto *list = dlg->findChild<QListView *>("listView");
        auto *model = dlg->findChild<QFileSystemModel *>();
        ASSERT_TRUE(list && model);
        QModelIndex index = model->index(other);
        if (auto *proxy = qobject_cast<QAbstractProxyModel *>(list->model()))
            index = proxy->mapFromSource(index);
        ASSERT_TRUE(index.isValid());
        list->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::qWait(50);
        status = chooser.GetStatusText();
        static_cast<QDialog *>(dlg)->accept();
    });
    ASSERT_TRUE(chooser.SelectFolder());
    EXPECT_TRUE(chooser.changes.contains(other)) << chooser.changes.join(", ").toStdString();
    EXPECT_EQ(status, other);
}

TEST_F(CDestinationTest, CancelReturnsFalseAndKeepsThePath)
{
    RecordingDestination chooser(nullptr, "Select Directory for UDS files");
    chooser.SetInitialFolder(uds);
    kxtest::WhenModal([](QWidget *w) { static_cast<QDialog *>(w)->accept(); });
    ASSERT_TRUE(chooser.SelectFolder());

    const QString missing = dir.filePath("does/not/exist");
    chooser.SetInitialFolder(missing);
    QString status;
    kxtest::WhenModal([&](QWidget *w) {
        status = chooser.GetStatusText();
        static_cast<QDialog *>(w)->reject();
    });
    EXPECT_FALSE(chooser.SelectFolder());
    EXPECT_EQ(chooser.GetFolderPath(), uds);
    // A folder that does not exist is still offered and shown.
    EXPECT_EQ(status, missing);
}

TEST_F(CDestinationTest, ChooseStartsOnTheFolderAndGivesBackTheChosenOne)
{
    const QString other = QDir::cleanPath(dir.filePath("other"));
    for (const bool confirm : {true, false}) {
        QString shown;
        QString title;
        kxtest::WhenModal([&](QWidget *w) {
            auto *dlg = static_cast<QFileDialog *>(w);
            title = dlg->windowTitle();
            shown = QDir::cleanPath(dlg->selectedFiles().value(0));
            if (!confirm) {
                dlg->reject();
                return;
            }
            dlg->setDirectory(other);
            dlg->selectFile(other);
            static_cast<QDialog *>(dlg)->accept();
        });
        QString folder = uds + "/out";
        EXPECT_EQ(CDestination::Choose(nullptr, "Select Output Directory", folder), confirm);
        EXPECT_EQ(title, "Select Output Directory");
        EXPECT_EQ(shown, uds + "/out");
        EXPECT_EQ(folder, confirm ? other : uds + "/out");
    }
}

int main(int argc, char **argv)
{
    kxtest::UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
