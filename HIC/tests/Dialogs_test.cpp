// HIC's dialogs: window, surface intervals, file choice and labels.

#include "HIC/dialogs/CLabelDlg.h"
#include "HIC/dialogs/COpenFiles.h"
#include "HIC/dialogs/CSurfaceParams.h"
#include "HIC/dialogs/CWindowSize.h"
#include "platform/CSettings.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QUuid>

using namespace hic;

namespace {

// Collects the warnings the dialogs show.
struct Warnings {
    std::vector<QString> texts;
    Warnings()
    {
        kxres::SetWarningHandler([this](QWidget *, const QString &text) { texts.push_back(text); });
    }
    ~Warnings() { kxres::SetWarningHandler({}); }
};

TEST(WindowSizeDialog, ListFollowsTheWindowAndCustomWindowsMustBePositive)
{
    struct Case {
        double window;
        int entry;
    };
    for (const Case c : {Case{36.0, 0}, Case{15.0, 1}, Case{0.0, 2}, Case{22.5, 2}}) {
        CWindowSize dlg(c.window);
        EXPECT_EQ(dlg.List()->currentIndex(), c.entry) << c.window;
        EXPECT_TRUE(dlg.List()->isEnabled());
        EXPECT_FALSE(dlg.CustomEdit()->isEnabled());
    }
    CWindowSize unwindowed(36.0);
    unwindowed.List()->setCurrentIndex(2);
    unwindowed.accept();
    EXPECT_EQ(unwindowed.result(), QDialog::Accepted);
    EXPECT_EQ(unwindowed.Window(), 0.0);

    Warnings warnings;
    for (const char *text : {"0", "-5", "abc"}) {
        CWindowSize dlg(36.0);
        dlg.CustomRadio()->setChecked(true);
        EXPECT_FALSE(dlg.List()->isEnabled());
        EXPECT_TRUE(dlg.CustomEdit()->isEnabled());
        dlg.CustomEdit()->setText(QString::fromLatin1(text));
        dlg.accept();
        EXPECT_NE(dlg.result(), QDialog::Accepted) << text;
    }
    EXPECT_EQ(warnings.texts, std::vector<QString>(3, QStringLiteral("Invalid Window Size Selected")));
    CWindowSize custom(36.0);
    custom.CustomRadio()->setChecked(true);
    custom.CustomEdit()->setText(QStringLiteral(" 22.5 "));
    custom.accept();
    EXPECT_EQ(custom.Window(), 22.5);

    // On 0.1 ms data a window must span one step at least; the list's entries stay.
    warnings.texts.clear();
    struct Step {
        const char *text;
        bool accepted;
    };
    for (const Step c : {Step{"0.05", false}, Step{"0.0999", false}, Step{"0.1", true}, Step{"0.3", true}}) {
        CWindowSize dlg(36.0);
        dlg.SetTimeStep(0.1);
        dlg.CustomRadio()->setChecked(true);
        dlg.CustomEdit()->setText(QString::fromLatin1(c.text));
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted) << c.text;
        EXPECT_EQ(dlg.Window(), c.accepted ? std::stod(c.text) : 36.0) << c.text;
    }
    EXPECT_EQ(warnings.texts, std::vector<QString>(2, QStringLiteral("Invalid Window Size Selected: it is shorter "
                                                                     "than one time step (0.1 ms)")));
    CWindowSize listed(0.05);
    listed.SetTimeStep(0.1);
    listed.List()->setCurrentIndex(1);
    listed.accept();
    EXPECT_EQ(listed.Window(), 15.0);
}

TEST(SurfaceParamsDialog, RefusesIntervalsInOrder)
{
    struct Case {
        SurfaceParams p;
        const char *refusal;
    };
    const SurfaceParams good{0.0, 0.1, 0.002, 0.002, 0.036, 0.002};
    const Case cases[] = {
        {{0.1, 0.1, 0.0, 0.04, 0.036, 0.0}, "Invalid Time Interval"},
        {{0.0, 0.1, 0.0, 0.04, 0.036, 0.0}, "Invalid Time Increment"},
        {{0.0, 0.1, 0.002, 0.04, 0.036, 0.0}, "Invalid Window Interval"},
        {{0.0, 0.1, 0.002, 0.002, 0.036, -1.0}, "Invalid Window Increment"},
    };
    Warnings warnings;
    for (const Case &c : cases) {
        CSurfaceParams dlg(c.p);
        dlg.accept();
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        ASSERT_FALSE(warnings.texts.empty());
        EXPECT_EQ(warnings.texts.back(), QString::fromLatin1(c.refusal));
    }
    CSurfaceParams dlg(good);
    dlg.Edit(1)->setText(QStringLiteral("0.2"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Params().startTo, 0.2);
    EXPECT_EQ(dlg.Params().windowEvery, 0.002);
}

TEST(OpenFilesDialog, OpensOnTheResultantAndRemembersTheFolder)
{
    const QString program = QStringLiteral("hic-dialog-test-") + QUuid::createUuid().toString(QUuid::Id128).left(8);
    {
        kxplatform::CSettings settings(program);
        OpenFilesValues v;
        v.resultant = false;
        v.fileType = 1;
        v.xPath = "/data/x.txt";
        v.checkHeaders = true;
        COpenFiles dlg(v, settings);
        EXPECT_TRUE(dlg.ResultantRadio()->isChecked());
        EXPECT_TRUE(dlg.AsciiRadio()->isChecked());
        EXPECT_EQ(dlg.PathEdit(1)->text(), QStringLiteral("/data/x.txt"));
        EXPECT_FALSE(dlg.ApplyFilter()->isEnabled());
        dlg.CheckHeaders()->setChecked(false);
        EXPECT_TRUE(dlg.ApplyFilter()->isEnabled());

        QString askedTitle, askedFolder;
        dlg.chooseFile = [&](const QString &title, const QString &folder, const QString &, QString &filter) {
            askedTitle = title;
            askedFolder = folder;
            filter = QStringLiteral("All Files (*)");
            return QStringLiteral("/tmp/heads/zaa0.uds");
        };
        dlg.Browse(3);
        EXPECT_EQ(askedTitle, QStringLiteral("Open Z Axis File"));
        EXPECT_EQ(askedFolder, QStringLiteral("Q:\\uds\\vehdb"));
        dlg.ComponentsRadio()->setChecked(true);
        const OpenFilesValues out = dlg.Values();
        EXPECT_EQ(out.zPath, "/tmp/heads/zaa0.uds");
        EXPECT_FALSE(out.resultant);
        EXPECT_EQ(out.fileType, 1);
        EXPECT_EQ(settings.GetString("InputDir"), "/tmp/heads");
        EXPECT_EQ(settings.GetInt("FileType"), 2);
        QFile::remove(settings.FileName());
    }
}

TEST(LabelDialog, CarriesTheFourLabels)
{
    CLabelDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Enter Lables for the Plot"));
    dlg.SetLabels({"t", "s", "x", "y"});
    dlg.YLabelEdit()->setText(QStringLiteral("G"));
    const PlotLabels l = dlg.Labels();
    EXPECT_EQ(l.title, "t");
    EXPECT_EQ(l.subTitle, "s");
    EXPECT_EQ(l.xLabel, "x");
    EXPECT_EQ(l.yLabel, "G");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
