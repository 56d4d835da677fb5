#include "Pellora/dialogs/CAddPoints.h"
#include "Pellora/dialogs/CAppendFileDlg.h"
#include "Pellora/dialogs/CAxisShifter.h"
#include "Pellora/dialogs/CBiasTailPercentDlg.h"
#include "Pellora/dialogs/CDirDialog1.h"
#include "Pellora/dialogs/CEditHitList.h"
#include "shared_ui/dialogs/CLabelDlg.h"
#include "Pellora/dialogs/COutputDir.h"
#include "Pellora/dialogs/COutputImage.h"
#include "Pellora/dialogs/CPageMarginSetup.h"
#include "Pellora/dialogs/CPlottingOptions.h"
#include "Pellora/dialogs/CResampleDlg.h"
#include "Pellora/dialogs/CSelectXYAxes.h"
#include "Pellora/dialogs/CSignalLabelDlg.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "platform/CSettings.h"

#include "support/PelloraTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include <QApplication>
#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTableWidget>

using namespace pellora;

namespace {

// Collects the warnings of the dialogs' checks instead of showing them.
class Warnings {
public:
    Warnings()
    {
        m_previous = kxres::SetWarningHandler([this](QWidget *, const QString &text) { texts << text; });
    }
    ~Warnings() { kxres::SetWarningHandler(std::move(m_previous)); }
    QStringList texts;

private:
    kxres::WarningHandler m_previous;
};

template <typename T>
T *Child(QWidget &dlg, const char *name)
{
    T *child = dlg.findChild<T *>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// Keys go through the window system, so an open completion pop-up sees them first.
void TypeInto(QWidget &window, const QString &text)
{
    for (const QChar ch : text)
        QTest::keyClick(window.windowHandle(), ch.toLatin1());
}

} // namespace

TEST(CLabelDlg, CaptionPromptAndValue)
{
    kxres::CLabelDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Enter Plot Label");
    dlg.SetCaption("Apply Filter for Displaying File Names");
    dlg.SetPrompt("Enter Filter    (e.g. v*.aa0.*)");
    dlg.SetValue("*.*");
    dlg.InitDialog();
    EXPECT_EQ(dlg.windowTitle(), "Apply Filter for Displaying File Names");
    EXPECT_EQ(Child<QLabel>(dlg, "prompt")->text(), "Enter Filter    (e.g. v*.aa0.*)");
    auto *edit = Child<QLineEdit>(dlg, "value");
    EXPECT_EQ(edit->text(), "*.*");
    edit->setText("v*.uds");
    dlg.reject();
    EXPECT_EQ(dlg.GetValue(), "*.*");
    dlg.accept();
    EXPECT_EQ(dlg.GetValue(), "v*.uds");
}

TEST(CAddPoints, MessageTable)
{
    struct Case {
        int a, b;
        const char *text;
    };
    const Case cases[] = {
        {3, 2, "Padding at both begin && end"},
        {-3, -2, "Cutting at both begin && end"},
        {-1, 1, "Cutting at begin && padding at end"},
        {1, -1, "Padding at begin && cutting at end"},
        {-4, 0, "Cutting at begin only"},
        {4, 0, "Padding at begin only"},
        {0, -4, "Cutting at end only"},
        {0, 4, "Padding at end only"},
        {0, 0, "No Action"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CAddPoints::Message(c.a, c.b), c.text) << c.a << " " << c.b;
}

TEST(CAddPoints, MessageFollowsTheCountsAndOkTellsWhetherAnythingChanged)
{
    CAddPoints dlg;
    dlg.SetPoints(0.001, -10, 99);
    dlg.SetCounts(0, 0);
    EXPECT_EQ(dlg.MessageText(), "No Action");
    dlg.accept();
    EXPECT_TRUE(dlg.IsUnchanged());

    Child<QLineEdit>(dlg, "atFirst")->setText("5");
    Child<QLineEdit>(dlg, "atLast")->setText("-3");
    EXPECT_EQ(dlg.MessageText(), "Padding at begin & cutting at end");
    dlg.accept();
    EXPECT_FALSE(dlg.IsUnchanged());
    EXPECT_EQ(dlg.GetNewNFP(), -15);
    EXPECT_EQ(dlg.GetNewNLP(), 96);
}

TEST(CAddPoints, TypedCountsAreWholeNumbersOrTheDialogStaysOpen)
{
    {
        // Opened and closed at once: no change, no complaint.
        Warnings warnings;
        CAddPoints dlg;
        dlg.SetPoints(0.001, 0, 99);
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_TRUE(dlg.IsUnchanged());
        EXPECT_TRUE(warnings.texts.isEmpty());
    }
    const struct {
        const char *box;
        QString typed;
        QString warning; // empty: accepted
        int atFirst;
        int atLast;
    } cases[] = {
        {"atFirst", "1e400", "Padding(+)/Cutting(-) points at first \"1e400\": not a whole number", 0, 0},
        {"atLast", "2.5", "Padding(+)/Cutting(-) points at last \"2.5\": not a whole number", 0, 0},
        {"atLast", "abc", "Padding(+)/Cutting(-) points at last \"abc\": not a whole number", 0, 0},
        {"atFirst", "99999999999", "Padding(+)/Cutting(-) points at first \"99999999999\": the number is out of range",
         0, 0},
        {"atFirst", "-12", "", -12, 0},
        {"atLast", " 7 ", "", 0, 7},
    };
    for (const auto &c : cases) {
        Warnings warnings;
        CAddPoints dlg;
        dlg.SetPoints(0.001, 0, 99);
        dlg.SetCounts(0, 0);
        // Typed key by key, as the user types it.
        QWidget *box = dlg.findChild<QWidget *>(QLatin1String(c.box));
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, c.typed);
        dlg.accept();
        if (c.warning.isEmpty()) {
            EXPECT_EQ(dlg.result(), QDialog::Accepted) << c.typed.toStdString();
            EXPECT_TRUE(warnings.texts.isEmpty()) << c.typed.toStdString();
            EXPECT_EQ(dlg.GetAtFirst(), c.atFirst);
            EXPECT_EQ(dlg.GetAtLast(), c.atLast);
        } else {
            EXPECT_NE(dlg.result(), QDialog::Accepted) << c.typed.toStdString();
            EXPECT_EQ(warnings.texts, QStringList{c.warning});
        }
    }
}

TEST(CAppendFileDlg, AppendBoxTurnsTheOverwritePromptOff)
{
    CAppendFileDlg dlg(nullptr, "Save Hitlist as", QDir::tempPath(), "Hit List Files (*)");
    EXPECT_FALSE(dlg.IsAppend());
    EXPECT_FALSE(dlg.testOption(QFileDialog::DontConfirmOverwrite));
    dlg.AppendBox()->setChecked(true);
    EXPECT_TRUE(dlg.IsAppend());
    EXPECT_TRUE(dlg.testOption(QFileDialog::DontConfirmOverwrite));
    dlg.AppendBox()->setChecked(false);
    EXPECT_FALSE(dlg.IsAppend());
    EXPECT_FALSE(dlg.testOption(QFileDialog::DontConfirmOverwrite));
}

TEST(CAxisShifter, SixAssignmentsThenTheFirstAgain)
{
    CAxisShifter dlg;
    dlg.SetNames({"fx.uds", "fy.uds", "fz.uds"});
    EXPECT_EQ(dlg.AxisText(0), "X-AXIS: fx.uds");
    std::set<std::array<int, 3>> seen;
    for (int i = 0; i < 6; ++i) {
        seen.insert(dlg.GetOrder());
        Child<QPushButton>(dlg, "next")->click();
    }
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(dlg.GetOrder(), (std::array<int, 3>{0, 1, 2}));
    Child<QPushButton>(dlg, "next")->click();
    EXPECT_EQ(dlg.AxisText(1), "Y-AXIS: fz.uds");
    EXPECT_EQ(dlg.AxisText(2), "Z-AXIS: fy.uds");
}

TEST(CBiasTailPercentDlg, PercentageMustBeWithinRange)
{
    Warnings warnings;
    CBiasTailPercentDlg dlg;
    EXPECT_DOUBLE_EQ(dlg.GetPercentage(), 5.0);
    auto *edit = Child<QLineEdit>(dlg, "percentage");
    for (const char *bad : {"-0.1", "100.5", "abc"}) {
        edit->setText(bad);
        dlg.accept();
        EXPECT_NE(dlg.result(), QDialog::Accepted) << bad;
    }
    EXPECT_EQ(warnings.texts, QStringList(3, "Percentage must be between 0 and 100"));
    edit->setText("100");
    Child<QRadioButton>(dlg, "fromStart")->setChecked(true);
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dlg.GetPercentage(), 100.0);
    EXPECT_EQ(dlg.GetFromStart(), 1);
}

TEST(CDirDialog1, RecentFoldersKeepTenNewestFirst)
{
    pelloratest::ScratchSettings scratch;
    kxplatform::CSettings settings(scratch.Program());
    pelloratest::TempFolder folder;
    const QString added = QString::fromStdString(folder.Str());
    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten << QStringLiteral("/data/d%1").arg(i);
    CDirDialog1::WriteRecent(settings, ten);

    CDirDialog1 dlg(settings);
    EXPECT_EQ(dlg.RecentFolders(), ten);
    EXPECT_EQ(Child<QComboBox>(dlg, "directory")->currentText(), "/data/d0");
    dlg.SetDirectoryText(added);
    dlg.accept();
    EXPECT_EQ(dlg.GetDirectory(), added);
    QStringList expected = ten.mid(0, 9);
    expected.prepend(added);
    EXPECT_EQ(CDirDialog1::ReadRecent(settings), expected);

    // A folder already listed moves to the top.
    EXPECT_EQ(CDirDialog1::PushRecent({"a", "b", "c"}, "c"), (QStringList{"c", "a", "b"}));
}

TEST(CDirDialog1, ReadingStopsAtTheFirstGap)
{
    pelloratest::ScratchSettings scratch;
    kxplatform::CSettings settings(scratch.Program());
    settings.SetString("Directory0", "/a");
    settings.SetString("Directory2", "/c");
    EXPECT_EQ(CDirDialog1::ReadRecent(settings), QStringList{"/a"});
    CDirDialog1 dlg(settings);
    dlg.SetDirectoryText("  ");
    dlg.accept();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
}

TEST(CDirDialog1, ReturnTakesTheTypedFolder)
{
    pelloratest::ScratchSettings scratch;
    kxplatform::CSettings settings(scratch.Program());
    // The folders exist: one that does not is refused.
    pelloratest::TempFolder root;
    for (const char *sub : {"data", "data_b", "DATA_BAD", "data_bad", "elsewhere", "data/old", "srv/x"})
        std::filesystem::create_directories(root.Path() / sub);
    const std::string r = root.Str();
    const QString rq = QString::fromStdString(r);
    const QStringList recent{rq + "/data_bad", rq + "/data/old", rq + "/srv/x"};

    // Typed text, how many recent folders the pop-up offers, how many of them the
    // user steps down to, and the folder taken by Return.
    const struct {
        const char *typed;
        int offered;
        int down;
        const char *taken;
    } cases[] = {
        {"/data", 2, 0, "/data"},         {"/data_b", 1, 0, "/data_b"},
        {"/DATA_BAD", 0, 0, "/DATA_BAD"}, // another folder on a case-sensitive file system
        {"/data_bad", 1, 0, "/data_bad"}, {"/elsewhere", 0, 0, "/elsewhere"},
        {"/data", 2, 2, "/data/old"}, // a folder the user picked from the offer
    };
    for (const auto &c : cases) {
        CDirDialog1::WriteRecent(settings, recent);
        CDirDialog1 dlg(settings);
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        auto *combo = Child<QComboBox>(dlg, "directory");
        QLineEdit *edit = combo->lineEdit();
        edit->setFocus();
        edit->clear();
        TypeInto(dlg, QString::fromStdString(r + c.typed));
        EXPECT_EQ(edit->text().toStdString(), r + c.typed);
        const QAbstractItemView *popup = combo->completer()->popup();
        EXPECT_EQ(popup && popup->isVisible() ? popup->model()->rowCount() : 0, c.offered) << c.typed;
        for (int i = 0; i < c.down; ++i)
            QTest::keyClick(dlg.windowHandle(), Qt::Key_Down);
        QTest::keyClick(dlg.windowHandle(), Qt::Key_Return);
        EXPECT_EQ(dlg.result(), QDialog::Accepted) << c.typed;
        EXPECT_EQ(dlg.GetDirectory().toStdString(), r + c.taken) << c.typed;
        EXPECT_EQ(CDirDialog1::ReadRecent(settings).front().toStdString(), r + c.taken) << c.typed;
    }
}

TEST(CDirDialog1, TypingReplacesTheOfferedFolderAndAMissingOneIsRefused)
{
    pelloratest::ScratchSettings scratch;
    kxplatform::CSettings settings(scratch.Program());
    pelloratest::TempFolder root;
    std::filesystem::create_directories(root.Path() / "batch");
    std::filesystem::create_directories(root.Path() / "bat");
    const std::string r = root.Str();
    const QStringList recent{QString::fromStdString(r + "/batch")};
    CDirDialog1::WriteRecent(settings, recent);
    QStringList warnings;
    const kxres::WarningHandler previous =
        kxres::SetWarningHandler([&warnings](QWidget *, const QString &text) { warnings << text; });

    // What is typed after the box opens, whether Return takes it, and the folder browsed.
    const struct {
        const char *typed;
        bool accepted;
    } cases[] = {
        {"/bat", true},
        {"/missing", false},
    };
    for (const auto &c : cases) {
        warnings.clear();
        CDirDialog1 dlg(settings);
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        QLineEdit *edit = Child<QComboBox>(dlg, "directory")->lineEdit();
        EXPECT_EQ(edit->selectedText().toStdString(), CDirDialog1::ReadRecent(settings).front().toStdString())
            << c.typed;
        TypeInto(dlg, QString::fromStdString(r + c.typed));
        EXPECT_EQ(edit->text().toStdString(), r + c.typed);
        QTest::keyClick(dlg.windowHandle(), Qt::Key_Return);
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted) << c.typed;
        EXPECT_EQ(warnings.size(), c.accepted ? 0 : 1) << c.typed;
        const QStringList stored = CDirDialog1::ReadRecent(settings);
        if (c.accepted) {
            EXPECT_EQ(dlg.GetDirectory().toStdString(), r + c.typed);
            EXPECT_EQ(stored.front().toStdString(), r + c.typed);
        } else {
            EXPECT_TRUE(warnings.value(0).contains(QString::fromStdString(r + c.typed)))
                << warnings.value(0).toStdString();
            EXPECT_FALSE(stored.contains(QString::fromStdString(r + c.typed)));
        }
        dlg.reject();
    }
    kxres::SetWarningHandler(previous);
}

TEST(CEditHitList, NonEmptyLinesReplaceTheNames)
{
    CEditHitList dlg;
    dlg.SetNames({"/a.uds", "/b.uds"});
    EXPECT_EQ(dlg.Edit()->toPlainText(), "/a.uds\n/b.uds\n");
    dlg.Edit()->setPlainText("/a.uds\n\n  \n/c.uds\r\n" + QString(1100, 'x'));
    dlg.accept();
    EXPECT_EQ(dlg.GetNames(), (QStringList{"/a.uds", "/c.uds", QString(1024, 'x')}));
}

TEST(COutputDir, FolderComesFromAndGoesToOutputDir)
{
    pelloratest::ScratchSettings scratch;
    kxplatform::CSettings settings(scratch.Program());
    settings.SetString("OutputDir", "/out/");
    COutputDir dlg(settings);
    EXPECT_EQ(Child<QLineEdit>(dlg, "folder")->text(), "/out/");
    dlg.SetSizes({"320 by 240", "640 by 480", "800 by 600", "1024 by 780"});
    Child<QComboBox>(dlg, "sizes")->setCurrentIndex(3);
    Child<QLineEdit>(dlg, "folder")->setText("/images/");
    dlg.accept();
    EXPECT_EQ(dlg.GetSizeIndex(), 3);
    EXPECT_EQ(dlg.GetFolder(), "/images/");
    EXPECT_EQ(settings.GetString("OutputDir"), "/images/");
}

TEST(COutputImage, PixelSizeAndAspectRatioChecks)
{
    EXPECT_EQ(COutputImage::CheckSize(3000, 600), "Pixel Size must be between 32 and 2000");
    EXPECT_EQ(COutputImage::CheckSize(31, 100), "Pixel Size must be between 32 and 2000");
    EXPECT_EQ(COutputImage::CheckSize(1000, 50), "Aspect Ratio (width/height) must be between .333 and 10.0");
    EXPECT_EQ(COutputImage::CheckSize(100, 320), "Aspect Ratio (width/height) must be between .333 and 10.0");
    EXPECT_EQ(COutputImage::CheckSize(800, 600), "");
    EXPECT_EQ(COutputImage::CheckSize(2000, 200), "");

    Warnings warnings;
    pelloratest::ScratchSettings scratch;
    kxplatform::CSettings settings(scratch.Program());
    COutputImage dlg(settings);
    Child<QLineEdit>(dlg, "width")->setText("3000");
    dlg.accept();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(warnings.texts, QStringList{"Pixel Size must be between 32 and 2000"});
    Child<QLineEdit>(dlg, "width")->setText("1024");
    Child<QLineEdit>(dlg, "height")->setText("780");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetWidth(), 1024);
    EXPECT_EQ(dlg.GetHeight(), 780);
}

TEST(CPageMarginSetup, UnitChangeConvertsAndButtonsFill)
{
    CPageMarginSetup dlg;
    CPageMarginValues margins;
    margins.left = "1.000";
    dlg.SetMargins(margins);
    auto *unit = Child<QComboBox>(dlg, "unit");
    unit->setCurrentIndex(1);
    EXPECT_EQ(dlg.Texts()[0], "2.540");
    EXPECT_EQ(dlg.Texts()[1], "1.270");
    unit->setCurrentIndex(0);
    EXPECT_EQ(dlg.Texts()[0], "1.000");
    EXPECT_EQ(dlg.Texts()[3], "0.500");

    Child<QPushButton>(dlg, "zero")->click();
    EXPECT_EQ(dlg.Texts(), (std::array<QString, 4>{"0.0", "0.0", "0.0", "0.0"}));
    Child<QPushButton>(dlg, "default")->click();
    EXPECT_EQ(dlg.Texts(), (std::array<QString, 4>{"1.0", "0.5", "0.5", "0.5"}));
    unit->setCurrentIndex(1);
    dlg.accept();
    EXPECT_EQ(dlg.GetMargins().left, "2.540");
    EXPECT_EQ(dlg.GetMargins().unit, 1);
}

TEST(CPageMarginSetup, OkTakesOnlyMarginsOfZeroOrMore)
{
    const struct {
        const char *edit;
        QString typed;
        QString warning;
        QString inCentimetres; // after a change of unit
    } cases[] = {
        {"left", "abc", "Left margin \"abc\": not a number", "abc"},
        {"right", "nan", "Right margin \"nan\": not a number", "nan"},
        {"top", "-1", "Top margin \"-1\": a margin is 0 or more", "-2.540"},
        {"bottom", "1e400", "Bottom margin \"1e400\": the number is out of range", "1e400"},
        {"bottom", "Inf", "Bottom margin \"Inf\": not a number", "Inf"},
    };
    for (const auto &c : cases) {
        Warnings warnings;
        CPageMarginSetup dlg;
        dlg.SetMargins(CPageMarginValues{});
        Child<QLineEdit>(dlg, c.edit)->setText(c.typed);
        dlg.accept();
        EXPECT_NE(dlg.result(), QDialog::Accepted) << c.typed.toStdString();
        EXPECT_EQ(warnings.texts, QStringList{c.warning});
        EXPECT_EQ(dlg.GetMargins().left, CPageMarginValues{}.left);
        // Changing the unit converts the numbers and leaves a text that is none.
        Child<QComboBox>(dlg, "unit")->setCurrentIndex(1);
        EXPECT_EQ(Child<QLineEdit>(dlg, c.edit)->text(), c.inCentimetres);
    }
}

TEST(CPlottingOptions, ValuesGoInAndComeBack)
{
    CPlottingOptions dlg;
    dlg.SetOptions({false, true, 2, "/opt/brisca"});
    EXPECT_FALSE(Child<QCheckBox>(dlg, "columnHeaders")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(dlg, "style2")->isChecked());
    Child<QRadioButton>(dlg, "style3")->setChecked(true);
    Child<QCheckBox>(dlg, "columnHeaders")->setChecked(true);
    Child<QLineEdit>(dlg, "suiteDirectory")->setText("/srv/kx");
    dlg.accept();
    const CPlottingOptionValues v = dlg.GetOptions();
    EXPECT_TRUE(v.columnHeaders);
    EXPECT_TRUE(v.saveZoom);
    EXPECT_EQ(v.lineStyle, 3);
    EXPECT_EQ(v.suiteDirectory, "/srv/kx");
}

TEST(CResampleDlg, CompletesTheOtherValueAndRefusesInvalidEntries)
{
    Warnings warnings;
    CResampleDlg dlg;
    dlg.SetValues(0.001f, 101, 0.0);
    EXPECT_DOUBLE_EQ(dlg.GetDuration(), 100 * static_cast<double>(0.001f));
    EXPECT_FALSE(Child<QLineEdit>(dlg, "points")->isEnabled());
    Child<QRadioButton>(dlg, "byPoints")->setChecked(true);
    EXPECT_FALSE(Child<QLineEdit>(dlg, "step")->isEnabled());
    Child<QLineEdit>(dlg, "points")->setText("1");
    dlg.accept();
    EXPECT_EQ(warnings.texts, QStringList{"Invalid Entry - Try Again"});
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    Child<QLineEdit>(dlg, "points")->setText("51");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_NEAR(dlg.GetStep(), 0.1 / 51, 1e-7);
}

TEST(CSelectXYAxes, SwapAndWarnings)
{
    EXPECT_EQ(CSelectXYAxes::WarningFor("SEC", "MSEC"), "Two Siganls have different X-units: SEC, MSEC");
    EXPECT_EQ(CSelectXYAxes::WarningFor("MM", "MM"), "X-units of seleted signals are not time.");
    EXPECT_EQ(CSelectXYAxes::WarningFor("SECONDS", "SECONDS"), "");

    Warnings warnings;
    CSelectXYAxes dlg;
    dlg.SetSignals("force.uds", "MM", "defl.uds", "MM");
    EXPECT_EQ(dlg.XText(), "X-AXIS: force.uds");
    Child<QPushButton>(dlg, "swap")->click();
    EXPECT_EQ(dlg.GetXIndex(), 1);
    EXPECT_EQ(dlg.XText(), "X-AXIS: defl.uds");
    EXPECT_EQ(dlg.YText(), "Y-AXIS: force.uds");
    dlg.accept();
    // The warning does not keep the dialog open.
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(warnings.texts, QStringList{"X-units of seleted signals are not time."});
}

TEST(CSignalLabelDlg, RowsAndLabels)
{
    CSignalLabelDlg dlg;
    dlg.SetColumnTitles("FileNames", "Label");
    dlg.SetRows({"a.uds", "b.uds"}, {"first"});
    QTableWidget *table = dlg.Table();
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "FileNames");
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "Label");
    EXPECT_EQ(table->rowCount(), 2);
    dlg.SetLabel(1, "second");
    dlg.accept();
    EXPECT_EQ(dlg.GetLabels(), (QStringList{"first", "second"}));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
