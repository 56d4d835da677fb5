#include "Mirvane/dialogs/CCorridorDlg.h"
#include "Mirvane/dialogs/CCriticalValuesDlg.h"
#include "Mirvane/dialogs/CSelectFiles.h"
#include "platform/CSettings.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "support/MirvaneFiles.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>
#include <sstream>

using namespace mirvane;

namespace {

// The dialog with scripted file choosers.
class ScriptedSelectFiles : public CSelectFiles {
public:
    using CSelectFiles::CSelectFiles;
    QStringList openFiles;
    QString openFile;
    QString saveFile;
    QString selectedFilter = QStringLiteral("Processed UDS Data (*.uds)");

protected:
    QStringList ChooseOpenFiles(const QString &, const QString &, const QString &, QString *selected) override
    {
        *selected = selectedFilter;
        return openFiles;
    }
    QString ChooseOpenFile(const QString &, const QString &, const QString &) override { return openFile; }
    QString ChooseSaveFile(const QString &, const QString &, const QString &) override { return saveFile; }
};

class MirvaneDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = kxres::SetWarningHandler([this](QWidget *, const QString &text) { warnings << text; });
        settings.SetString("HitlistDir", "/kept/");
    }
    void TearDown() override { kxres::SetWarningHandler(m_previous); }

    CSelectFilesValues Values(std::vector<std::string> files = {"a.uds"})
    {
        CSelectFilesValues v;
        v.files = std::move(files);
        v.referenceFile = "ref.uds";
        return v;
    }

    kxplatform::CSettings settings{mirvane_test::TestSettingsName()};
    QStringList warnings;
    QTemporaryDir dir;

private:
    kxres::WarningHandler m_previous;
};

std::vector<std::string> ListTexts(const QListWidget *list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i)
        out.push_back(list->item(i)->text().toStdString());
    return out;
}

TEST_F(MirvaneDialogs, SelectFilesChecksInOrder)
{
    struct Case {
        const char *name;
        std::function<void(CSelectFiles &)> change;
        bool accepted;
        QString warning;
    };
    const std::vector<Case> cases = {
        {"valid", [](CSelectFiles &) {}, true, {}},
        {"equal times",
         [](CSelectFiles &d) {
             d.MinTimeEdit()->setText("0.3");
             d.MaxTimeEdit()->setText("0.3");
         },
         false, QStringLiteral("Max time must be > min time")},
        {"times checked without truncation",
         [](CSelectFiles &d) {
             d.TruncateCheck()->setChecked(false);
             d.MinTimeEdit()->setText("1");
         },
         false, QStringLiteral("Max time must be > min time")},
        {"no reference file", [](CSelectFiles &d) { d.ReferenceEdit()->clear(); }, false, {}},
        {"average needs no reference",
         [](CSelectFiles &d) {
             d.ReferenceEdit()->clear();
             d.AverageRadio()->setChecked(true);
         },
         true,
         {}},
        {"empty list", [](CSelectFiles &d) { d.List()->clear(); }, false,
         QStringLiteral("You must select at least one signal")},
        {"reference before list",
         [](CSelectFiles &d) {
             d.List()->clear();
             d.ReferenceEdit()->clear();
         },
         false,
         {}},
        {"not a number", [](CSelectFiles &d) { d.MinTimeEdit()->setText("0,1"); }, false, QStringLiteral("*")},
    };
    for (const Case &c : cases) {
        warnings.clear();
        CSelectFiles dlg(settings);
        dlg.SetValues(Values());
        c.change(dlg);
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted) << c.name;
        if (c.warning == QStringLiteral("*")) {
            EXPECT_EQ(warnings.size(), 1) << c.name;
        } else if (c.warning.isEmpty()) {
            EXPECT_TRUE(warnings.isEmpty()) << c.name << " " << warnings.value(0).toStdString();
        } else {
            EXPECT_EQ(warnings, QStringList{c.warning}) << c.name;
        }
    }
}

TEST_F(MirvaneDialogs, SelectFilesEnablingAndFilterClass)
{
    CSelectFiles dlg(settings);
    CSelectFilesValues v = Values();
    v.filterClass = 1001;
    dlg.SetValues(v);
    EXPECT_EQ(dlg.ClassCombo()->currentIndex(), -1);
    dlg.AverageRadio()->click();
    EXPECT_FALSE(dlg.ReferenceEdit()->isEnabled());
    EXPECT_FALSE(dlg.ReferenceButton()->isEnabled());
    dlg.SelectSignalRadio()->click();
    EXPECT_TRUE(dlg.ReferenceEdit()->isEnabled());
    dlg.FilterCheck()->click();
    EXPECT_FALSE(dlg.ClassCombo()->isEnabled());
    dlg.TruncateCheck()->click();
    EXPECT_FALSE(dlg.MinTimeEdit()->isEnabled());
    EXPECT_FALSE(dlg.MaxTimeEdit()->isEnabled());
    dlg.accept();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Values().filterClass, 60);
    EXPECT_FALSE(dlg.Values().filter);
    EXPECT_FALSE(dlg.Values().truncate);

    for (const auto &[cls, index] : std::vector<std::pair<int, int>>{{60, 0}, {180, 1}, {600, 2}, {1000, 3}}) {
        CSelectFiles d(settings);
        v.filterClass = cls;
        d.SetValues(v);
        EXPECT_EQ(d.ClassCombo()->currentIndex(), index);
        d.accept();
        EXPECT_EQ(d.Values().filterClass, cls);
    }
}

TEST_F(MirvaneDialogs, SelectFilesListSortRemoveAndAdd)
{
    ScriptedSelectFiles dlg(settings);
    std::vector<std::string> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back("f" + std::to_string(i) + ".uds");
    dlg.SetValues(Values(ten));
    dlg.List()->item(2)->setSelected(true);
    dlg.List()->item(5)->setSelected(true);
    dlg.OnRemove();
    EXPECT_EQ(ListTexts(dlg.List()), (std::vector<std::string>{"f0.uds", "f1.uds", "f3.uds", "f4.uds", "f6.uds",
                                                               "f7.uds", "f8.uds", "f9.uds"}));

    ScriptedSelectFiles adder(settings);
    adder.SetValues(Values({"b.uds"}));
    adder.openFiles = {QStringLiteral("/x/y/C.uds"), QStringLiteral("/x/y/a.uds"), QStringLiteral("b.uds")};
    adder.OnAddFiles();
    // Sorted ignoring case; a name already listed comes in again.
    EXPECT_EQ(ListTexts(adder.List()), (std::vector<std::string>{"/x/y/a.uds", "/x/y/C.uds", "b.uds", "b.uds"}));
    EXPECT_EQ(settings.GetInt("DataType"), 5);
    EXPECT_EQ(settings.GetString("InputDir"), QDir::currentPath().toStdString());

    adder.openFile = QStringLiteral("/r/s/ref2.uds");
    adder.OnChooseReference();
    EXPECT_EQ(adder.ReferenceEdit()->text(), QStringLiteral("/r/s/ref2.uds"));
    EXPECT_EQ(settings.GetString("ReferenceDir"), "/r/s");
}

TEST_F(MirvaneDialogs, HitLists)
{
    const std::string hit = (dir.path() + "/list.hit").toStdString();
    std::ofstream(hit) << "one.uds\n\n   \ntwo.uds\r\n\none.uds\n";
    ScriptedSelectFiles dlg(settings);
    dlg.SetValues(Values({"one.uds"}));
    dlg.openFile = QString::fromStdString(hit);
    dlg.OnReadHitlist();
    EXPECT_EQ(ListTexts(dlg.List()), (std::vector<std::string>{"   ", "one.uds", "one.uds", "one.uds", "two.uds"}));
    EXPECT_EQ(settings.GetString("HitlistDir"), dir.path().toStdString());

    dlg.openFile = dir.path() + QStringLiteral("/missing.hit");
    settings.SetString("HitlistDir", "/kept/");
    dlg.OnReadHitlist();
    EXPECT_EQ(warnings, QStringList{QStringLiteral("Unable to read Hit list file")});
    EXPECT_EQ(settings.GetString("HitlistDir"), "/kept/");

    // A line too long is refused with the reader's words; the names before it are kept.
    warnings.clear();
    const std::string longHit = (dir.path() + "/long.hit").toStdString();
    std::ofstream(longHit) << "three.uds\n" << std::string((std::size_t{1} << 20) + 1, 'x') << "\nfour.uds\n";
    dlg.SetValues(Values({}));
    dlg.openFile = QString::fromStdString(longHit);
    dlg.OnReadHitlist();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("Line 2 of ") + dlg.openFile)) << warnings[0].toStdString();
    EXPECT_EQ(ListTexts(dlg.List()), (std::vector<std::string>{"three.uds"}));
    EXPECT_EQ(settings.GetString("HitlistDir"), "/kept/");
    dlg.SetValues(Values({"one.uds"}));
    dlg.openFile = QString::fromStdString(hit);
    dlg.OnReadHitlist();
    settings.SetString("HitlistDir", "/kept/");

    warnings.clear();
    dlg.saveFile = dir.path() + QStringLiteral("/no/such/folder/out.hit");
    dlg.OnSaveHitlist();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("Unable to write Hit list file")));
    EXPECT_EQ(settings.GetString("HitlistDir"), "/kept/");

    dlg.saveFile = dir.path() + QStringLiteral("/out.hit");
    dlg.OnSaveHitlist();
    std::ifstream in((dir.path() + "/out.hit").toStdString());
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "   \none.uds\none.uds\none.uds\ntwo.uds\n");
    EXPECT_EQ(settings.GetString("HitlistDir"), dir.path().toStdString());
}

TEST_F(MirvaneDialogs, CorridorSize)
{
    for (const auto &[text, accepted, warning] : std::vector<std::tuple<QString, bool, QString>>{
             {"0", false, "You must enter a positive Value for the corridor Size"},
             {"-1", false, "You must enter a positive Value for the corridor Size"},
             {"abc", false, "*"},
             {"0.001", true, ""}}) {
        warnings.clear();
        CCorridorDlg dlg;
        EXPECT_EQ(dlg.Size(), 4.0);
        dlg.Edit()->setText(text);
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, accepted) << text.toStdString();
        if (warning == "*") {
            EXPECT_EQ(warnings.size(), 1);
        } else if (!warning.isEmpty()) {
            EXPECT_EQ(warnings, QStringList{warning});
        }
        if (accepted) {
            EXPECT_EQ(dlg.Size(), 0.001);
        }
    }
}

TEST_F(MirvaneDialogs, CriticalValues)
{
    kxres::CCriticalValuesDlg dlg;
    EXPECT_EQ(dlg.Values().averageResidual, 0.0);
    dlg.SetValues(CCriticalValues{});
    EXPECT_EQ(dlg.Edit(4)->text(), QStringLiteral("2.58"));
    dlg.Edit(2)->setText("0.25");
    dlg.Edit(5)->setText("0.5");
    dlg.accept();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Values().corridor, 0.25);
    EXPECT_EQ(dlg.Values().momentDifference, 0.5);
    EXPECT_EQ(dlg.Values().averageResidual, 5.0);

    kxres::CCriticalValuesDlg bad;
    bad.Edit(0)->setText("five");
    bad.accept();
    EXPECT_NE(bad.result(), QDialog::Accepted);
    EXPECT_EQ(warnings.size(), 1);
}

// A typed number that is refused names its field; the dialog stays open.
TEST_F(MirvaneDialogs, RefusedNumbersNameTheirField)
{
    // Types text into one edit of a fresh dialog and presses OK; true when it closed.
    using Typing = std::function<bool(const QString &text)>;
    const auto selectFiles = [this](bool minimum) -> Typing {
        return [this, minimum](const QString &text) {
            CSelectFiles dlg(settings);
            dlg.SetValues(Values());
            (minimum ? dlg.MinTimeEdit() : dlg.MaxTimeEdit())->setText(text);
            dlg.accept();
            return dlg.result() == QDialog::Accepted;
        };
    };
    const Typing corridor = [](const QString &text) {
        CCorridorDlg dlg;
        dlg.Edit()->setText(text);
        dlg.accept();
        return dlg.result() == QDialog::Accepted;
    };
    const auto critical = [](int edit) -> Typing {
        return [edit](const QString &text) {
            kxres::CCriticalValuesDlg dlg;
            dlg.SetValues(CCriticalValues{});
            dlg.Edit(edit)->setText(text);
            dlg.accept();
            return dlg.result() == QDialog::Accepted;
        };
    };
    struct Case {
        const char *name;
        Typing type;
        QString text;
        QString warning;
    };
    const std::vector<Case> cases = {
        {"min time comma", selectFiles(true), "0,1", "Min Time: not a number"},
        {"min time empty", selectFiles(true), " ", "Min Time: no number was entered"},
        {"max time nan", selectFiles(false), "nan", "Max Time: not a number"},
        {"max time overflow", selectFiles(false), "1e400", "Max Time: the number is out of range"},
        {"corridor letters", corridor, "abc", "Corridor Size: not a number"},
        {"corridor inf", corridor, "inf", "Corridor Size: not a number"},
        {"average residual", critical(0), "five", "Average Residual: not a number"},
        {"standard deviation", critical(1), "1e999", "Standard Deviation: the number is out of range"},
        {"corridor share", critical(2), "10%", "Corridor: not a number"},
        {"correlation", critical(3), "", "Correlation Factor: no number was entered"},
        {"t statistic", critical(4), "2.58.1", "T Statistic: not a number"},
        {"moment differences", critical(5), "-nan", "Moment Differences: not a number"},
    };
    for (const Case &c : cases) {
        warnings.clear();
        EXPECT_FALSE(c.type(c.text)) << c.name;
        EXPECT_EQ(warnings, QStringList{c.warning}) << c.name;
    }
}

} // namespace

// The list and hit-list failures are error boxes captioned "Error".
TEST(MirvaneDialogBoxes, SelectFilesErrorsAreErrorBoxes)
{
    kxplatform::CSettings settings{mirvane_test::TestSettingsName()};
    const auto previous = kxres::SetWarningHandler({});
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    const auto closeBox = [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            icon = box->icon();
            text = box->text();
            box->accept();
        }
    };
    CSelectFiles dlg(settings);
    dlg.List()->clear();
    dlg.ReferenceEdit()->setText(QStringLiteral("ref.uds"));
    QTimer::singleShot(0, closeBox);
    dlg.accept();
    EXPECT_EQ(text, QStringLiteral("You must select at least one signal"));
    EXPECT_EQ(title, QStringLiteral("Error"));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    title.clear();
    QTimer::singleShot(0, closeBox);
    EXPECT_FALSE(dlg.ReadHitlist(QStringLiteral("/nonexistent/list.hit")));
    EXPECT_EQ(text, QStringLiteral("Unable to read Hit list file"));
    EXPECT_EQ(title, QStringLiteral("Error"));
    EXPECT_EQ(icon, QMessageBox::Critical);
    kxres::SetWarningHandler(previous);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
