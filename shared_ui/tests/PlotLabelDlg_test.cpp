#include "shared_ui/dialogs/CPlotLabelDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

using kxres::CPlotLabelDlg;
using kxres::CPlotLabels;

namespace {

const kxres::CPlotLabelNames kNames{"Heading", "Second line", "Across", "Up"};

QString FieldLabel(const CPlotLabelDlg &dlg, QLineEdit *edit)
{
    for (auto *form : dlg.findChildren<QFormLayout *>())
        if (auto *label = qobject_cast<QLabel *>(form->labelForField(edit)))
            return label->text();
    return {};
}

} // namespace

TEST(CPlotLabelDlg, EachFieldHasItsNameLabelAndText)
{
    CPlotLabelDlg dlg("Label the plot", kNames);
    EXPECT_EQ(dlg.windowTitle(), "Label the plot");
    dlg.SetLabels({"T", "S", "X", "Y"});
    const struct {
        QLineEdit *edit;
        const char *name;
        QString label;
        QString text;
    } cases[] = {
        {dlg.TitleEdit(), "title", kNames.title, "T"},
        {dlg.SubtitleEdit(), "subtitle", kNames.subTitle, "S"},
        {dlg.XLabelEdit(), "xLabel", kNames.xLabel, "X"},
        {dlg.YLabelEdit(), "yLabel", kNames.yLabel, "Y"},
    };
    for (const auto &c : cases) {
        ASSERT_NE(c.edit, nullptr) << c.name;
        EXPECT_EQ(dlg.findChild<QLineEdit *>(c.name), c.edit) << c.name;
        EXPECT_EQ(FieldLabel(dlg, c.edit), c.label) << c.name;
        EXPECT_EQ(c.edit->text(), c.text) << c.name;
    }
}

TEST(CPlotLabelDlg, LabelsTakeWhatWasTyped)
{
    CPlotLabelDlg dlg("Caption", kNames);
    dlg.SetLabels({"T", "S", "X", "Y"});
    dlg.TitleEdit()->setText("Sled 12");
    dlg.YLabelEdit()->setText("kN");
    dlg.XLabelEdit()->clear();
    const CPlotLabels labels = dlg.Labels();
    EXPECT_EQ(labels.title, "Sled 12");
    EXPECT_EQ(labels.subTitle, "S");
    EXPECT_EQ(labels.xLabel, "");
    EXPECT_EQ(labels.yLabel, "kN");
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
