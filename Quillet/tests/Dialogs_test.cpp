#include "Quillet/core/KxNeckCompression.h"
#include "Quillet/core/KxNeckExtension.h"
#include "Quillet/core/KxNeckFlexion.h"
#include "Quillet/core/KxNeckForwardShear.h"
#include "Quillet/core/KxNeckRearShear.h"
#include "Quillet/core/KxNeckTension.h"
#include "Quillet/dialogs/CCondylleDlg.h"
#include "Quillet/dialogs/CDummySelectionDlg.h"
#include "Quillet/dialogs/CForceDlg.h"
#include "Quillet/dialogs/CNeckFileDlg.h"
#include "Quillet/dialogs/CNeckOptionBoxes.h"
#include "Quillet/dialogs/CQuilletConditions.h"
#include "platform/CSettings.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "support/QuilletTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <stdexcept>

using namespace quillet;
using namespace quillettest;

namespace {

class WarningCatcher {
public:
    WarningCatcher()
    {
        kxres::SetWarningHandler([this](QWidget *, const QString &text) { texts.push_back(text.toStdString()); });
    }
    ~WarningCatcher() { kxres::SetWarningHandler({}); }
    std::vector<std::string> texts;
};

} // namespace

TEST(NeckOptionBoxes, FilterBoxShowsItsOwnValueAndIsOnlyForUncheckedHeaders)
{
    CNeckOptionBoxes boxes(false);
    CNeckOptions options;
    options.checkUds = true;
    options.saeFilters = false;
    boxes.SetOptions(options);
    EXPECT_FALSE(boxes.SaeFilters()->isChecked());
    EXPECT_FALSE(boxes.SaeFilters()->isEnabled());

    boxes.CheckUds()->click(); // check off
    EXPECT_FALSE(boxes.GetOptions().checkUds);
    EXPECT_TRUE(boxes.SaeFilters()->isEnabled());
    EXPECT_FALSE(boxes.SaeFilters()->isChecked());
    boxes.SaeFilters()->click();
    EXPECT_TRUE(boxes.GetOptions().saeFilters);
    boxes.CheckUds()->click(); // check on again
    EXPECT_FALSE(boxes.SaeFilters()->isEnabled());
    EXPECT_TRUE(boxes.SaeFilters()->isChecked());

    // Each box toggles its own option only.
    CNeckOptions expected = boxes.GetOptions();
    boxes.OutOfPosition()->click();
    boxes.RemoveBias()->click();
    expected.outOfPosition = !expected.outOfPosition;
    expected.removeBias = !expected.removeBias;
    EXPECT_EQ(boxes.GetOptions(), expected);
}

TEST(NeckOptionBoxes, DialogsStartFromTheGivenOptions)
{
    CNeckOptions options;
    options.saeCoordinates = false;
    options.advanced = false;
    CQuilletConditions conditions;
    conditions.SetOptions(options);
    EXPECT_EQ(conditions.GetOptions(), options);
    EXPECT_EQ(conditions.windowTitle(), QStringLiteral("Check Process Condition"));
    EXPECT_EQ(conditions.Boxes()->SaeCoordinates()->text(),
              QStringLiteral("Use Sae Coordinate System for Condyle Connection"));

    CNeckFileDlg open;
    CNeckFileChoice choice;
    choice.options = options;
    choice.filterIndex = 4;
    open.SetChoice(choice);
    const CNeckFileChoice back = open.GetChoice();
    EXPECT_EQ(back.options, options);
    EXPECT_EQ(back.filterIndex, 4);
    EXPECT_EQ(open.windowTitle(), QStringLiteral("Open Neck Data File"));
}

TEST(DummySelection, DummyRadiosShowTheLoadCaseLimitsAndOtherTakesTypedValues)
{
    KxNeckCompression compression;
    KxNeckTension tension;
    KxNeckForwardShear forward;
    KxNeckRearShear rear;
    KxNeckFlexion flexion;
    KxNeckExtension extension;
    CDummySelectionDlg dlg({&compression, &tension, &forward, &rear, &flexion, &extension});
    CDummyChoice start;
    start.measurement = 2; // axial
    start.dummy = 4;
    dlg.SetChoice(start);
    EXPECT_EQ(dlg.CriticalLabel(0)->text(), QStringLiteral("Critical Compression"));
    EXPECT_EQ(dlg.CriticalLabel(1)->text(), QStringLiteral("Critical Tension"));
    EXPECT_FALSE(dlg.CriticalEdit(0)->isEnabled());
    EXPECT_EQ(dlg.CriticalEdit(0)->text(), QStringLiteral("4000"));
    EXPECT_EQ(dlg.CriticalEdit(1)->text(), QStringLiteral("4170"));
    EXPECT_EQ(tension.GetDummyType(), "HY");
    EXPECT_EQ(tension.GetDummySize(), "50");

    dlg.OnMeasurement(0);
    EXPECT_EQ(dlg.CriticalLabel(0)->text(), QStringLiteral("Critical Shear"));
    EXPECT_EQ(dlg.CriticalLabel(1)->text(), QString());
    EXPECT_EQ(dlg.CriticalEdit(0)->text(), QStringLiteral("3100"));

    dlg.DummyRadio(CDummySelectionDlg::Other)->click();
    EXPECT_TRUE(dlg.CriticalEdit(0)->isEnabled());
    EXPECT_EQ(dlg.CriticalEdit(0)->text(), QStringLiteral("0"));
    WarningCatcher warnings;
    dlg.CriticalEdit(0)->setText(QStringLiteral("12x"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    ASSERT_EQ(warnings.texts.size(), 1u);
    dlg.CriticalEdit(0)->setText(QStringLiteral(" 1500 "));
    dlg.CriticalEdit(1)->setText(QStringLiteral("1400.5"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const CDummyChoice choice = dlg.GetChoice();
    EXPECT_EQ(choice.measurement, 0);
    EXPECT_EQ(choice.dummy, CDummySelectionDlg::Other);
    EXPECT_EQ(choice.type, "OT");
    EXPECT_DOUBLE_EQ(choice.critical1, 1500.0);
    EXPECT_DOUBLE_EQ(choice.critical2, 1400.5);
    // "Other" leaves no unknown-dummy message behind in the load cases.
    EXPECT_TRUE(forward.GetMessages().empty());
}

// A typed critical value of "Other" goes through the strict parser and its range, and
// a refusal names the field.
TEST(DummySelection, RefusedCriticalValuesNameTheirField)
{
    struct Case {
        int measurement;
        const char *first;
        const char *second;
        std::string warning;
    };
    const std::vector<Case> cases = {
        {0, "abc", "1", "Critical Shear: not a number"},
        {0, "1", "nan", "Second critical value: not a number"},
        {1, "-5", "1", "Critical Flexion: must be 0 or more"},
        {1, "1", "1e39", "Critical Extension: the number is out of range"},
        {2, "1e400", "1", "Critical Compression: the number is out of range"},
        {2, "1", "", "Critical Tension: no number was entered"},
    };
    for (const Case &c : cases) {
        KxNeckCompression compression;
        KxNeckTension tension;
        KxNeckForwardShear forward;
        KxNeckRearShear rear;
        KxNeckFlexion flexion;
        KxNeckExtension extension;
        CDummySelectionDlg dlg({&compression, &tension, &forward, &rear, &flexion, &extension});
        CDummyChoice start;
        start.measurement = c.measurement;
        start.dummy = CDummySelectionDlg::Other;
        dlg.SetChoice(start);
        WarningCatcher warnings;
        dlg.CriticalEdit(0)->setText(QLatin1String(c.first));
        dlg.CriticalEdit(1)->setText(QLatin1String(c.second));
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Rejected) << c.warning;
        EXPECT_EQ(warnings.texts, std::vector<std::string>{c.warning});
    }
}

namespace {

// A load case whose dummy codes cannot be taken.
class FailingFlexion : public KxNeckFlexion {
public:
    bool SetDummy(const std::string &type, const std::string &size) override
    {
        if (failing)
            throw std::runtime_error("The flexion limits could not be read.");
        return KxNeckFlexion::SetDummy(type, size);
    }
    bool failing = false;
};

} // namespace

// What a pick in a dialog sets off is reported over the dialog: nothing it throws
// reaches the event loop.
TEST(DialogPicks, FailuresAreReportedNotThrown)
{
    KxNeckCompression compression;
    KxNeckTension tension;
    KxNeckForwardShear forward;
    KxNeckRearShear rear;
    FailingFlexion flexion;
    KxNeckExtension extension;
    CDummySelectionDlg dummy({&compression, &tension, &forward, &rear, &flexion, &extension});
    ScratchSettings scratch;
    kxplatform::CSettings settings(scratch.Program());
    CForceDlg force(settings);
    force.SetFileChooser([](const QString &, const QStringList &, int &, QString &) -> bool {
        throw std::runtime_error("The file chooser failed.");
    });
    struct Case {
        const char *name;
        std::function<void()> pick;
        std::string warning;
    };
    const std::vector<Case> cases = {
        {"moment measurement picked",
         [&] {
             flexion.failing = true;
             emit dummy.MeasurementCombo()->activated(1);
         },
         "The flexion limits could not be read."},
        {"dummy radio clicked",
         [&] {
             CDummyChoice moment;
             moment.measurement = 1;
             dummy.SetChoice(moment);
             flexion.failing = true;
             dummy.DummyRadio(3)->click();
         },
         "The flexion limits could not be read."},
        {"force file browsed", [&] { force.BrowseButton()->click(); }, "The file chooser failed."},
    };
    for (const Case &c : cases) {
        flexion.failing = false;
        dummy.SetChoice(CDummyChoice{});
        WarningCatcher warnings;
        EXPECT_NO_THROW(c.pick()) << c.name;
        EXPECT_EQ(warnings.texts, std::vector<std::string>{c.warning}) << c.name;
    }
}

TEST(DummySelection, RefusesToOpenWithoutAllLoadCases)
{
    KxNeckFlexion flexion;
    CDummySelectionDlg dlg({nullptr, nullptr, nullptr, nullptr, &flexion, nullptr});
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
}

TEST(ForceDialog, BrowsedTypeFollowsTheFilterItWasChosenWith)
{
    ScratchSettings scratch;
    kxplatform::CSettings settings(scratch.Program());
    CForceDlg dlg(settings);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Select X Axis Force File"));
    struct Case {
        int filter;
        int type;
    };
    for (const Case &c : {Case{1, 0}, Case{2, 0}, Case{3, 0}, Case{4, 1}}) {
        QString title;
        dlg.SetFileChooser([&](const QString &t, const QStringList &filters, int &index, QString &path) {
            title = t;
            EXPECT_EQ(filters.size(), 4);
            index = c.filter;
            path = QStringLiteral("/data/force.uds");
            return true;
        });
        dlg.OnBrowse();
        EXPECT_EQ(title, QStringLiteral("Open X Shear Data File"));
        const CForceChoice choice = dlg.GetChoice();
        EXPECT_EQ(choice.path, "/data/force.uds");
        EXPECT_EQ(choice.fileType, c.type) << c.filter;
        EXPECT_EQ(ForceTypeForFilter(c.filter), c.type);
        EXPECT_EQ(settings.GetInt("ShearDataType"), c.filter);
    }
    // A cancelled browse keeps the name and the type.
    dlg.SetFileChooser([](const QString &, const QStringList &, int &, QString &) { return false; });
    dlg.OnBrowse();
    EXPECT_EQ(dlg.GetChoice().fileType, 1);
}

TEST(CondyleDialog, OnlyANumberIsTaken)
{
    WarningCatcher warnings;
    CCondylleDlg dlg;
    EXPECT_EQ(dlg.Edit()->text(), QStringLiteral("0"));
    for (const char *bad : {"", "abc", "0,02", "nan"}) {
        dlg.Edit()->setText(QLatin1String(bad));
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Rejected) << bad;
    }
    EXPECT_EQ(warnings.texts.size(), 4u);
    dlg.Edit()->setText(QStringLiteral("-0.01778"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dlg.GetOffset(), -0.01778);
}

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
