#include "shared_ui/dialogs/CFilterClass.h"
#include "shared_ui/dialogs/CResampleDlg.h"
#include "shared_ui/dialogs/CTruncateDlg.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/dialogs/MessageBox.h"
#include "shared_ui/controls/CNEdit.h"
#include "shared_ui/controls/CPPToolTip.h"

#include "support/KxServicesSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using kxres::CFilterClass;
using kxres::CResampleDlg;
using kxres::CTruncateDlg;

namespace {

// Collects the dialogs' warning texts while a test runs.
class Warnings {
public:
    Warnings()
    {
        m_previous = kxres::SetWarningHandler([this](QWidget *, const QString &text) { m_texts << text; });
    }
    ~Warnings() { kxres::SetWarningHandler(m_previous); }
    QStringList Take()
    {
        QStringList texts = m_texts;
        m_texts.clear();
        return texts;
    }

private:
    QStringList m_texts;
    kxres::WarningHandler m_previous;
};

template <typename T>
T *Child(const QWidget &parent, const char *name)
{
    auto *child = parent.findChild<T *>(QString::fromLatin1(name));
    if (!child)
        ADD_FAILURE() << "no control " << name;
    return child;
}

// The balloon tip text registered for a widget of the dialog.
QString ToolText(const QWidget &dlg, QWidget *widget)
{
    const auto *tip = dlg.findChild<kxres::CPPToolTip *>();
    if (!tip)
        return QStringLiteral("<no tooltip>");
    for (int i = 0; i < tip->GetToolCount(); ++i)
        if (tip->GetTool(i).window == widget)
            return tip->GetTool(i).text;
    return QStringLiteral("<no tool>");
}

// accept() and reject() end the dialog without showing it; result() tells which.
bool Accepted(QDialog &dlg)
{
    dlg.setResult(-1);
    dlg.accept();
    return dlg.result() == QDialog::Accepted;
}

} // namespace

// ---------------------------------------------------------------- resample

TEST(CResampleDlg, StartsOnTheTimeStepWithBothValuesShown)
{
    CResampleDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Select Time Step or Number of Points");
    dlg.SetTimeStep(1.0 / 3.0);
    dlg.SetNumberOfPoints(250);
    dlg.InitDialog();
    EXPECT_EQ(Child<QLineEdit>(dlg, "timeStep")->text(), "0.333333");
    EXPECT_EQ(Child<QLineEdit>(dlg, "numberOfPoints")->text(), "250");
    EXPECT_TRUE(Child<QRadioButton>(dlg, "timeStepRadio")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(dlg, "pointsRadio")->isChecked());
    EXPECT_TRUE(Child<QLineEdit>(dlg, "timeStep")->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(dlg, "numberOfPoints")->isEnabled());

    Child<QRadioButton>(dlg, "pointsRadio")->click();
    EXPECT_FALSE(Child<QRadioButton>(dlg, "timeStepRadio")->isChecked());
    EXPECT_FALSE(Child<QLineEdit>(dlg, "timeStep")->isEnabled());
    EXPECT_TRUE(Child<QLineEdit>(dlg, "numberOfPoints")->isEnabled());
    Child<QRadioButton>(dlg, "timeStepRadio")->click();
    EXPECT_FALSE(Child<QRadioButton>(dlg, "pointsRadio")->isChecked());
    EXPECT_TRUE(Child<QLineEdit>(dlg, "timeStep")->isEnabled());
}

TEST(CResampleDlg, OkChecksTheTypedValue)
{
    struct Case {
        bool points;
        const char *text;
        bool accepted;
        const char *message; // prefix of the one message, or null for none
        double step;
        int count;
    };
    const Case cases[] = {
        {false, "0.0005", true, nullptr, 0.0005, 10},
        {false, " 2e-3 ", true, nullptr, 0.002, 10},
        {false, "-1", false, "Time Step: -1 needs to be greater then zero.", 0.0, 10},
        {false, "0", false, "Time Step: 0 needs to be greater then zero.", 0.0, 10},
        {false, "", false, "The Time Step is emtpy.  Please enter a valid Time Step", 0.0, 10},
        {false, "nan", false, "Failure to convert Time Step: nan\n", 0.0, 10},
        {false, "inf", false, "Failure to convert Time Step: inf\n", 0.0, 10},
        {false, "1,5", false, "Failure to convert Time Step: 1,5\n", 0.0, 10},
        {false, "1e999", false, "Failure to convert Time Step: 1e999\n", 0.0, 10},
        {true, "500", true, nullptr, 0.001, 500},
        {true, "2", true, nullptr, 0.001, 2},
        {true, "1", false, "Number of Points: 1 needs to be greater then one.", 0.001, 1},
        {true, "-7", false, "Number of Points: -7 needs to be greater then one.", 0.001, 1},
        {true, "", false, "The Number of Points is emtpy.  Please enter a valid Number of Points.", 0.001, 1},
        {true, "4294967297", false, "Failure to convert Number of Points: 4294967297\n", 0.001, 1},
        {true, "12abc", false, "Failure to convert Number of Points: 12abc\n", 0.001, 1},
        {true, "2.5", false, "Failure to convert Number of Points: 2.5\n", 0.001, 1},
    };
    Warnings warnings;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        CResampleDlg dlg;
        dlg.SetTimeStep(0.001);
        dlg.SetNumberOfPoints(10);
        dlg.InitDialog();
        if (c.points)
            Child<QRadioButton>(dlg, "pointsRadio")->click();
        Child<QLineEdit>(dlg, c.points ? "numberOfPoints" : "timeStep")->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(Accepted(dlg), c.accepted);
        const QStringList texts = warnings.Take();
        if (c.message) {
            ASSERT_EQ(texts.size(), 1);
            EXPECT_TRUE(texts.front().startsWith(QString::fromLatin1(c.message))) << texts.front().toStdString();
        } else {
            EXPECT_TRUE(texts.isEmpty()) << texts.join('|').toStdString();
        }
        EXPECT_DOUBLE_EQ(dlg.GetTimeStep(), c.step);
        EXPECT_EQ(dlg.GetNumberOfPoints(), c.count);
    }
}

TEST(CResampleDlg, UnchangedOkReturnsThePresetStepExactly)
{
    Warnings warnings;
    for (const double step : {double(0.0001f), 1.0 / 3.0, 0.000123456789, 2.5e-5}) {
        CResampleDlg dlg;
        dlg.SetTimeStep(step);
        dlg.InitDialog();
        ASSERT_TRUE(Accepted(dlg));
        EXPECT_EQ(dlg.GetTimeStep(), step); // bit for bit, not the 6 digits shown
        // A retyped value is what was typed.
        dlg.InitDialog();
        Child<QLineEdit>(dlg, "timeStep")->setText("0.0002");
        ASSERT_TRUE(Accepted(dlg));
        EXPECT_EQ(dlg.GetTimeStep(), 0.0002);
    }
    // An unchanged step that is no step is still refused.
    CResampleDlg dlg;
    dlg.InitDialog();
    EXPECT_FALSE(Accepted(dlg));
    EXPECT_EQ(warnings.Take(), QStringList{"Time Step: 0 needs to be greater then zero."});
    // So is a preset that is no number at all (a damaged header's step).
    for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        CResampleDlg badDlg;
        badDlg.SetTimeStep(bad);
        badDlg.InitDialog();
        EXPECT_FALSE(Accepted(badDlg));
        const QStringList texts = warnings.Take();
        ASSERT_EQ(texts.size(), 1);
        EXPECT_TRUE(texts.front().startsWith("Failure to convert Time Step: ")) << texts.front().toStdString();
        EXPECT_EQ(badDlg.GetTimeStep(), 0.0);
    }
}

TEST(CResampleDlg, ARefusedEntryDoesNotLeakIntoTheOtherChoice)
{
    Warnings warnings;
    {
        // A refused step, then the number of points: the step comes back as it was put in.
        CResampleDlg dlg;
        dlg.SetTimeStep(0.001);
        dlg.SetNumberOfPoints(10);
        dlg.InitDialog();
        Child<QLineEdit>(dlg, "timeStep")->setText("-1");
        EXPECT_FALSE(Accepted(dlg));
        Child<QRadioButton>(dlg, "pointsRadio")->click();
        Child<QLineEdit>(dlg, "numberOfPoints")->setText("500");
        ASSERT_TRUE(Accepted(dlg));
        EXPECT_EQ(dlg.GetTimeStep(), 0.001);
        EXPECT_EQ(dlg.GetNumberOfPoints(), 500);
    }
    {
        // A refused number of points, then the step left as shown: nothing changed.
        CResampleDlg dlg;
        dlg.SetTimeStep(0.001);
        dlg.SetNumberOfPoints(10);
        dlg.InitDialog();
        Child<QRadioButton>(dlg, "pointsRadio")->click();
        Child<QLineEdit>(dlg, "numberOfPoints")->setText("1");
        EXPECT_FALSE(Accepted(dlg));
        Child<QRadioButton>(dlg, "timeStepRadio")->click();
        ASSERT_TRUE(Accepted(dlg));
        EXPECT_EQ(dlg.GetTimeStep(), 0.001);
        EXPECT_EQ(dlg.GetNumberOfPoints(), 10);
    }
    EXPECT_EQ(warnings.Take().size(), 2);
}

TEST(CResampleDlg, EditsAreValidatingNumericEdits)
{
    CResampleDlg dlg;
    dlg.InitDialog();
    auto *step = Child<kxres::CNEdit>(dlg, "timeStep");
    auto *points = Child<kxres::CNEdit>(dlg, "numberOfPoints");
    EXPECT_EQ(ToolText(dlg, step), "Please enter a Time Step greater then zero.");
    EXPECT_EQ(ToolText(dlg, points), "Please enter the number of points greater then one.");
    step->setText("-.5");
    EXPECT_FALSE(step->IsValid());
    step->setText("");
    EXPECT_TRUE(step->IsValid());
    points->setText("0");
    EXPECT_FALSE(points->IsValid());
    points->setText("12");
    EXPECT_TRUE(points->IsValid());
}

TEST(CResampleDlg, RestingOnTheStepShowsItsBalloon)
{
    CResampleDlg dlg;
    dlg.InitDialog();
    dlg.show();
    auto *tip = dlg.findChild<kxres::CPPToolTip *>();
    ASSERT_TRUE(tip);
    tip->SetStyles(kxres::kStyleAlwaysShow, 0); // no active window offscreen
    tip->SetDelayTime(kxres::CPPToolTip::kDelayInitial, 1);
    auto *step = Child<QLineEdit>(dlg, "timeStep");
    const QPoint global = step->mapToGlobal(QPoint(5, 5));
    QCursor::setPos(global);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(global), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(step, &move);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tip->IsTipShown(); }, 3000));
    EXPECT_EQ(tip->GetTool(tip->GetDisplayedTool()).text, "Please enter a Time Step greater then zero.");
    QKeyEvent key(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    QApplication::sendEvent(step, &key);
    EXPECT_FALSE(tip->IsTipShown());
}

// ---------------------------------------------------------------- truncate

TEST(CTruncateDlg, ShowsThePresetBounds)
{
    CTruncateDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Set Signal Truncate Interval");
    dlg.SetMaxTime(0.1, true);
    dlg.InitDialog();
    EXPECT_TRUE(Child<QCheckBox>(dlg, "allSignals")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dlg, "minSet")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dlg, "minSet")->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(dlg, "minTime")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>(dlg, "minTime")->text(), "");
    EXPECT_TRUE(Child<QCheckBox>(dlg, "maxSet")->isChecked());
    EXPECT_TRUE(Child<QLineEdit>(dlg, "maxTime")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>(dlg, "maxTime")->text(), "0.1");
    EXPECT_EQ(ToolText(dlg, Child<QLineEdit>(dlg, "minTime")), "Please enter min value before the max value.");
    EXPECT_EQ(ToolText(dlg, Child<QLineEdit>(dlg, "maxTime")), "Please enter max value after the min value.");
}

TEST(CTruncateDlg, UnchangedOkIsRecognisedAndKeepsThePresetTimes)
{
    const double min = double(-0.0123456789f);
    const double max = 0.1234567891;
    CTruncateDlg dlg;
    dlg.SetMinTime(min, true);
    dlg.SetMaxTime(max, true);
    dlg.InitDialog();
    ASSERT_TRUE(Accepted(dlg));
    EXPECT_TRUE(dlg.IsUnchanged());
    EXPECT_TRUE(dlg.IsMinSet());
    EXPECT_TRUE(dlg.IsMaxSet());
    EXPECT_EQ(dlg.GetMinTime(), min);
    EXPECT_EQ(dlg.GetMaxTime(), max);

    // A preset bound that is no number is not handed back.
    {
        Warnings warnings;
        CTruncateDlg bad;
        bad.SetMinTime(std::nan(""), true);
        bad.SetMaxTime(max, true);
        bad.InitDialog();
        EXPECT_FALSE(Accepted(bad));
        const QStringList texts = warnings.Take();
        ASSERT_EQ(texts.size(), 1);
        EXPECT_TRUE(texts.front().startsWith("Failure to convert Min Time: ")) << texts.front().toStdString();
    }

    // A typed bound is a change.
    dlg.InitDialog();
    Child<QLineEdit>(dlg, "maxTime")->setText("0.05");
    ASSERT_TRUE(Accepted(dlg));
    EXPECT_FALSE(dlg.IsUnchanged());
    EXPECT_EQ(dlg.GetMinTime(), min);
    EXPECT_EQ(dlg.GetMaxTime(), 0.05);
}

TEST(CTruncateDlg, SaysWhichBoundsAreSet)
{
    Warnings warnings;
    CTruncateDlg dlg;
    dlg.InitDialog();
    EXPECT_FALSE(Child<QCheckBox>(dlg, "allSignals")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dlg, "minSet")->isEnabled());
    // ALL, then only Min with a value.
    Child<QCheckBox>(dlg, "allSignals")->click();
    EXPECT_TRUE(Child<QCheckBox>(dlg, "minSet")->isEnabled());
    EXPECT_TRUE(Child<QCheckBox>(dlg, "maxSet")->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(dlg, "minTime")->isEnabled());
    Child<QCheckBox>(dlg, "minSet")->click();
    EXPECT_TRUE(Child<QLineEdit>(dlg, "minTime")->isEnabled());
    Child<QLineEdit>(dlg, "minTime")->setText("0.0");
    ASSERT_TRUE(Accepted(dlg));
    EXPECT_TRUE(dlg.IsMinSet());
    EXPECT_FALSE(dlg.IsMaxSet());
    EXPECT_EQ(dlg.GetMinTime(), 0.0); // a real bound at zero, told apart by IsMinSet
    EXPECT_FALSE(dlg.IsUnchanged());

    // A checked bound with no number is reported, not taken as 0.0.
    Child<QCheckBox>(dlg, "maxSet")->click();
    EXPECT_FALSE(Accepted(dlg));
    ASSERT_EQ(warnings.Take().size(), 1);
    Child<QLineEdit>(dlg, "maxTime")->setText("nan");
    EXPECT_FALSE(Accepted(dlg));
    const QStringList texts = warnings.Take();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts.front().startsWith("Failure to convert Max Time: nan\n"));

    // Unchecking a bound, then ALL, clears them.
    Child<QCheckBox>(dlg, "maxSet")->click();
    EXPECT_EQ(Child<QLineEdit>(dlg, "maxTime")->text(), "");
    EXPECT_FALSE(dlg.IsMaxSet());
    Child<QCheckBox>(dlg, "allSignals")->click();
    EXPECT_FALSE(dlg.IsMinSet());
    EXPECT_FALSE(Child<QCheckBox>(dlg, "minSet")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dlg, "minSet")->isEnabled());
    ASSERT_TRUE(Accepted(dlg));
    EXPECT_FALSE(dlg.IsMinSet());
    EXPECT_FALSE(dlg.IsMaxSet());
    EXPECT_TRUE(dlg.IsUnchanged()); // nothing was set and nothing is
}

TEST(CTruncateDlg, CancelClearsBothBounds)
{
    CTruncateDlg dlg;
    dlg.SetMinTime(0.01, true);
    dlg.SetMaxTime(0.2, true);
    dlg.InitDialog();
    dlg.reject();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.IsMinSet());
    EXPECT_FALSE(dlg.IsMaxSet());
    EXPECT_EQ(dlg.GetMinTime(), 0.0);
    EXPECT_EQ(dlg.GetMaxTime(), 0.0);
}

// ---------------------------------------------------------------- filter class

namespace {

std::shared_ptr<kx::CNSignal> Signal(int channelClass, double prefilter, const char *name)
{
    auto signal = std::make_shared<kx::CNSignal>();
    signal->SetFilterClass(channelClass);
    signal->SetPreFil(prefilter);
    signal->SetFileName(name);
    return signal;
}

const char *const kRadios[] = {"cfc60", "cfc180", "cfc600", "cfc1000", "cfcUnknown"};
const char *const kLabels[] = {"at60", "at180", "at600", "at1000", "atUnknown"};

} // namespace

TEST(CFilterClass, RadioTableFollowsTheCurrentClass)
{
    struct Case {
        int current;
        int checked;
        std::array<bool, 5> disabled;
        int filteredAt;
    };
    const Case cases[] = {
        {60, 0, {false, true, true, true, true}, 0},        {180, 1, {false, false, true, true, true}, 1},
        {600, 2, {false, false, false, true, true}, 2},     {1000, 3, {false, false, false, false, true}, -1},
        {1001, 4, {false, false, false, false, false}, -1}, {1, 4, {false, false, false, false, false}, -1}, // FIR100
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.current);
        const kxres::FilterRadioState state = kxres::FilterRadiosFor(c.current);
        EXPECT_EQ(state.checked, c.checked);
        EXPECT_EQ(state.disabled, c.disabled);
        EXPECT_EQ(state.filteredAt, c.filteredAt);

        // The dialog shows the same for one signal of that class.
        CFilterClass dlg;
        dlg.SetSignals({Signal(c.current, 0.0, "a.uds")}, 0);
        dlg.InitDialog();
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(Child<QRadioButton>(dlg, kRadios[i])->isChecked(), i == c.checked) << kRadios[i];
            EXPECT_EQ(Child<QRadioButton>(dlg, kRadios[i])->isEnabled(), !c.disabled[std::size_t(i)]) << kRadios[i];
        }
    }
}

TEST(CFilterClass, OneSignalShowsFilteredAtAndAsSubmitted)
{
    CFilterClass dlg;
    EXPECT_EQ(dlg.windowTitle(), "Select Filter Class");
    dlg.SetSignals({Signal(180, 1650.0, "head_ax.uds")}, 0);
    dlg.InitDialog();
    EXPECT_EQ(dlg.GetCurrentClass(), 180);
    EXPECT_EQ(dlg.GetSubmittedClass(), 1000);
    EXPECT_TRUE(Child<QRadioButton>(dlg, "cfc180")->isChecked());
    for (const char *name : {"cfc600", "cfc1000", "cfcUnknown"})
        EXPECT_FALSE(Child<QRadioButton>(dlg, name)->isEnabled()) << name;
    for (int i = 0; i < 5; ++i) {
        const QLabel *label = Child<QLabel>(dlg, kLabels[i]);
        const bool shown = !label->isHidden();
        if (i == 1) {
            EXPECT_TRUE(shown);
            EXPECT_EQ(label->text(), "Filtered At");
        } else if (i == 3) {
            EXPECT_TRUE(shown);
            EXPECT_EQ(label->text(), "As Submitted");
        } else {
            EXPECT_FALSE(shown) << kLabels[i];
        }
    }
    EXPECT_EQ(Child<QLabel>(dlg, "fileLine")->text(), "FileName: head_ax.uds");
}

TEST(CFilterClass, SeveralSignalsTakeTheHighestSubmittedClass)
{
    CFilterClass dlg;
    // Submitted 60, 600 and 1000: the last one (at its current class 600) sets the radios.
    dlg.SetSignals({Signal(60, 100.0, "a"), Signal(180, 1000.0, "b"), Signal(600, 1650.0, "c")}, 0);
    dlg.InitDialog();
    EXPECT_EQ(dlg.GetCurrentClass(), 600);
    EXPECT_TRUE(Child<QRadioButton>(dlg, "cfc600")->isChecked());
    EXPECT_EQ(Child<QLabel>(dlg, "fileLine")->text(), "Multiple Signals");
    for (const char *name : kLabels) {
        if (QString::fromLatin1(name) != "at600") {
            EXPECT_TRUE(Child<QLabel>(dlg, name)->isHidden()) << name;
        }
    }
}

TEST(CFilterClass, ChosenClassFollowsTheCheckedRadio)
{
    Warnings warnings;
    {
        // Unknown checked: OK asks for a class instead of filtering at 1000.
        CFilterClass dlg;
        dlg.SetSignals({Signal(1001, 0.0, "a.uds")}, 0);
        dlg.InitDialog();
        EXPECT_FALSE(Accepted(dlg));
        EXPECT_EQ(warnings.Take(), QStringList{"Please select a Filter Class: CFC 60, 180, 600 or 1000."});
        Child<QRadioButton>(dlg, "cfc600")->click();
        ASSERT_TRUE(Accepted(dlg));
        EXPECT_FALSE(dlg.IsCutoffSelected());
        EXPECT_EQ(dlg.GetFilterClass(), 600);
    }
    {
        // The radio checked at the start counts without a click.
        CFilterClass dlg;
        dlg.SetSignals({Signal(180, 1650.0, "a.uds")}, 0);
        dlg.InitDialog();
        ASSERT_TRUE(Accepted(dlg));
        EXPECT_EQ(dlg.GetFilterClass(), 180);
        Child<QRadioButton>(dlg, "cfc60")->click();
        ASSERT_TRUE(Accepted(dlg));
        EXPECT_EQ(dlg.GetFilterClass(), 60);
    }
    EXPECT_TRUE(warnings.Take().isEmpty());
}

TEST(CFilterClass, CutoffFrequency)
{
    Warnings warnings;
    CFilterClass dlg;
    dlg.SetSignals({Signal(1000, 1650.0, "a.uds")}, 1);
    dlg.InitDialog();
    auto *cutoff = Child<QLineEdit>(dlg, "cutoff");
    EXPECT_TRUE(Child<QRadioButton>(dlg, "cutoffRadio")->isChecked());
    EXPECT_TRUE(cutoff->isEnabled());
    cutoff->setText("nan");
    EXPECT_FALSE(Accepted(dlg));
    QStringList texts = warnings.Take();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts.front().startsWith("Failure to convert Cutoff Frequency: nan\n"));
    cutoff->setText("0");
    EXPECT_FALSE(Accepted(dlg)); // stays open, as told by the focus only
    EXPECT_TRUE(warnings.Take().isEmpty());
    cutoff->setText("250.5");
    ASSERT_TRUE(Accepted(dlg));
    EXPECT_TRUE(dlg.IsCutoffSelected());
    EXPECT_EQ(dlg.GetCutoffFrequency(), 250.5);

    // Back to a class: the edit is disabled and the class is returned.
    Child<QRadioButton>(dlg, "cfc600")->click();
    EXPECT_FALSE(cutoff->isEnabled());
    ASSERT_TRUE(Accepted(dlg));
    EXPECT_FALSE(dlg.IsCutoffSelected());
    EXPECT_EQ(dlg.GetFilterClass(), 600);
}

TEST(CFilterClass, WithoutTheCutoffOptionItsWidgetsAreHidden)
{
    CFilterClass dlg;
    dlg.SetCutoffOption(false);
    dlg.SetSignals({}, 1);
    dlg.InitDialog();
    EXPECT_TRUE(Child<QRadioButton>(dlg, "cutoffRadio")->isHidden());
    EXPECT_TRUE(Child<QLineEdit>(dlg, "cutoff")->isHidden());
    EXPECT_TRUE(Child<QRadioButton>(dlg, "cfcUnknown")->isChecked());
    EXPECT_EQ(Child<QLabel>(dlg, "fileLine")->text(), "FileName: ");
}

TEST(CFilterClass, DoModalRunsWithTheSignals)
{
    CFilterClass dlg;
    kxtest::WhenModal([](QWidget *w) {
        auto *dialog = static_cast<QDialog *>(w);
        dialog->findChild<QRadioButton *>("cfc180")->click();
        dialog->accept();
    });
    EXPECT_EQ(dlg.DoModal({Signal(1000, 1650.0, "x.uds")}, 0), QDialog::Accepted);
    EXPECT_EQ(dlg.GetFilterClass(), 180);
    EXPECT_FALSE(dlg.IsCutoffSelected());
}

int main(int argc, char **argv)
{
    kxtest::UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST(ShowMessageBox, EachIconGetsItsBoxWithTitleAndText)
{
    const struct {
        kxres::MessageIcon icon;
        QMessageBox::Icon box;
    } cases[] = {
        {kxres::MessageIcon::Information, QMessageBox::Information},
        {kxres::MessageIcon::Warning, QMessageBox::Warning},
        {kxres::MessageIcon::Critical, QMessageBox::Critical},
    };
    for (const auto &c : cases) {
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        QString shownTitle, shownText;
        kxtest::WhenModal([&](QWidget *w) {
            if (auto *box = qobject_cast<QMessageBox *>(w)) {
                shownIcon = box->icon();
                shownTitle = box->windowTitle();
                shownText = box->text();
            }
            w->close();
        });
        kxres::ShowMessageBox(nullptr, "Program", "Line one\nline two", c.icon);
        EXPECT_EQ(shownIcon, c.box) << static_cast<int>(c.icon);
        EXPECT_EQ(shownTitle, "Program");
        EXPECT_EQ(shownText, "Line one\nline two");
    }
}
