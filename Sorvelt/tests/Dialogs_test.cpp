#include "Sorvelt/app/CSorveltUi.h"
#include "Sorvelt/dialogs/CConvertDlg.h"
#include "Sorvelt/dialogs/CFilterClassDlg.h"
#include "Sorvelt/dialogs/CResampleDlg.h"
#include "Sorvelt/dialogs/CTruncateDlg.h"
#include "Sorvelt/document/CSorveltDoc.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace sorvelt;

namespace {

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

void Type(QWidget &dlg, const char *name, const QString &text)
{
    Child<QLineEdit>(dlg, name)->setText(text);
}

} // namespace

TEST(SorveltDialogs, ConvertNormalisesTheFolderAndRefusesWhatCannotWork)
{
    Warnings warnings;
    CConvertDlg dlg;
    dlg.SetCounts(5, 3);
    dlg.SetValues({"run_", "1-5", "1-3", "/tmp/out "});
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetValues().folder, "/tmp/out/");
    EXPECT_EQ(Child<QLineEdit>(dlg, "folder")->text(), "/tmp/out/");
    EXPECT_EQ(CConvertDlg::NormaliseFolder("  /a/b/ "), "/a/b/");

    struct Case {
        const char *field;
        const char *text;
        bool warned;
    };
    const Case cases[] = {
        {"header", "  ", false},   {"parameters", "", false},   {"channels", " ", false},
        {"folder", "", false},     {"parameters", "1-x", true}, {"channels", "4-9", true}, // none of the 3 channels
        {"parameters", "0", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.field) + " = \"" + c.text + "\"");
        CConvertDlg d;
        d.SetCounts(5, 3);
        d.SetValues({"run_", "1-5", "1-3", "/tmp/out"});
        Type(d, c.field, QString::fromLatin1(c.text));
        warnings.texts.clear();
        d.setResult(QDialog::Rejected);
        d.accept();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_EQ(warnings.texts.size(), c.warned ? 1 : 0);
    }

    // The browse button puts the chosen folder in the field.
    CConvertDlg browse;
    browse.chooseFolder = [](QString &folder) {
        folder = QStringLiteral("/chosen");
        return true;
    };
    Child<QPushButton>(browse, "browse")->click();
    EXPECT_EQ(Child<QLineEdit>(browse, "folder")->text(), "/chosen");
}

TEST(SorveltDialogs, ResampleByStepOrPoints)
{
    Warnings warnings;
    struct Case {
        int mode;
        const char *text;
        bool accepted;
        double step;
        int points;
        const char *warning;
    };
    const Case cases[] = {
        {0, "0.001", true, 0.001, 150, ""}, // 0.15 / 0.001 + 0.99 = 150.99
        {0, "0", false, 0, 0, "Invalid Time Step Specified"},
        {0, "-1", false, 0, 0, "Invalid Time Step Specified"},
        {0, "abc", false, 0, 0, "Invalid Time Step Specified"},
        {0, "1e-300", false, 0, 0, "Invalid Time Step Specified"},
        {1, "300", true, 0.0005, 300, ""},
        {1, "0", false, 0, 0, "Invalid Number of Points"},
        // One point is no signal: a count must give at least two.
        {1, "1", false, 0, 0, "Invalid Number of Points"},
        {1, "2.5", false, 0, 0, "Invalid Number of Points"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        CResampleDlg dlg;
        dlg.SetValues({0.15, 0.0001, 1501});
        if (c.mode == 1)
            Child<QRadioButton>(dlg, "byPoints")->click();
        EXPECT_EQ(Child<QLineEdit>(dlg, "step")->isEnabled(), c.mode == 0);
        EXPECT_EQ(Child<QLineEdit>(dlg, "points")->isEnabled(), c.mode == 1);
        Type(dlg, c.mode == 0 ? "step" : "points", QString::fromLatin1(c.text));
        warnings.texts.clear();
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted);
        if (c.accepted) {
            EXPECT_NEAR(dlg.GetValues().step, c.step, 1e-12);
            EXPECT_EQ(dlg.GetValues().points, c.points);
            EXPECT_TRUE(warnings.texts.isEmpty());
        } else {
            EXPECT_EQ(warnings.texts, QStringList{QString::fromLatin1(c.warning)});
        }
    }
}

TEST(SorveltDialogs, TruncateRefusesAStopNotAfterTheStart)
{
    Warnings warnings;
    const std::tuple<const char *, const char *, bool> cases[] = {
        {"0.01", "0.05", true}, {"0.05", "0.05", false}, {"0.05", "0.01", false},
        {"x", "0.05", false},   {"0.01", "", false},
    };
    for (const auto &[start, stop, accepted] : cases) {
        SCOPED_TRACE(std::string(start) + " .. " + stop);
        CTruncateDlg dlg;
        dlg.SetInterval(0.0, 0.1);
        EXPECT_EQ(Child<QLineEdit>(dlg, "stop")->text(), "0.1");
        Type(dlg, "start", QString::fromLatin1(start));
        Type(dlg, "stop", QString::fromLatin1(stop));
        warnings.texts.clear();
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, accepted);
        EXPECT_EQ(warnings.texts.size(), accepted ? 0 : 1);
        if (accepted) {
            EXPECT_DOUBLE_EQ(dlg.GetStart(), double(0.01f));
            EXPECT_DOUBLE_EQ(dlg.GetStop(), double(0.05f));
        }
    }
}

TEST(SorveltDialogs, FilterClassAndPlotLabels)
{
    CFilterClassDlg filter;
    EXPECT_TRUE(Child<QRadioButton>(filter, "cfc1000")->isChecked());
    Child<QRadioButton>(filter, "cfc180")->click();
    filter.accept();
    EXPECT_EQ(filter.result(), QDialog::Accepted);
    EXPECT_EQ(filter.GetFilterClass(), 180);
    // No class chosen: the dialog stays.
    CFilterClassDlg none;
    none.SetFilterClass(7);
    none.accept();
    EXPECT_EQ(none.result(), QDialog::Rejected);

    // The label dialog as the program shows it.
    CSorveltDoc doc;
    CSorveltUi ui(doc);
    QString caption;
    QStringList fieldNames;
    QString subtitle;
    QTimer::singleShot(0, [&] {
        auto *dlg = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        caption = dlg->windowTitle();
        auto *form = dlg->findChild<QFormLayout *>();
        ASSERT_NE(form, nullptr);
        for (const char *name : {"title", "subtitle", "xLabel", "yLabel"})
            if (auto *label = qobject_cast<QLabel *>(form->labelForField(Child<QLineEdit>(*dlg, name))))
                fieldNames << label->text();
        subtitle = Child<QLineEdit>(*dlg, "subtitle")->text();
        Type(*dlg, "yLabel", "kN");
        dlg->accept();
    });
    CPlotLabels labels{"T", "S", "X", "Y"};
    EXPECT_TRUE(ui.EditPlotLabels(labels));
    EXPECT_EQ(caption, "Enter the Labels for the Plot");
    EXPECT_EQ(fieldNames, (QStringList{"Title", "Subtitle", "X Axis Label", "Y Axis Label"}));
    EXPECT_EQ(subtitle, "S");
    EXPECT_EQ(labels.title, "T");
    EXPECT_EQ(labels.yLabel, "kN");
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
