#include "shared_ui/services/CErrorDialog.h"

#include "support/KxServicesSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

using kxres::CErrorDialog;

namespace {

QStringList EditLines(const CErrorDialog &dlg)
{
    const auto *edit = dlg.findChild<QPlainTextEdit *>("messages");
    return edit ? edit->toPlainText().split('\n') : QStringList{"<no edit>"};
}

} // namespace

TEST(CErrorDialog, EmptyListSaysSo)
{
    CErrorDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), "Error and Warning Messages");
    EXPECT_EQ(EditLines(dlg), QStringList{"No Error Messages:"});
    dlg.SetMessages({});
    EXPECT_EQ(EditLines(dlg), QStringList{"No Error Messages:"});
    EXPECT_TRUE(dlg.findChild<QPlainTextEdit *>("messages")->isReadOnly());
}

TEST(CErrorDialog, EachMessageOnItsOwnLinesKeepingTheirBreaks)
{
    CErrorDialog dlg;
    dlg.SetMessages({"a", "b\nc", "d\r\ne"});
    EXPECT_EQ(EditLines(dlg), (QStringList{"a", "b", "c", "d", "e", ""}));
    // An empty list later leaves the messages shown.
    dlg.SetMessages({});
    EXPECT_EQ(EditLines(dlg).front(), "a");
    dlg.SetMessages({"x"});
    EXPECT_EQ(EditLines(dlg), (QStringList{"x", ""}));
}

TEST(CErrorDialog, LongMessagesWrapAtTheEdge)
{
    CErrorDialog dlg;
    const std::string path = "/data/" + std::string(300, 'p') + "/v1234.uds";
    dlg.SetMessages({path + ": File size not a multiple of 512 bytes."});
    dlg.show();
    QApplication::processEvents();
    auto *edit = dlg.findChild<QPlainTextEdit *>("messages");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->horizontalScrollBar()->maximum(), 0);
    const QTextBlock block = edit->document()->firstBlock();
    ASSERT_NE(block.layout(), nullptr);
    EXPECT_GT(block.layout()->lineCount(), 1);
}

TEST(CErrorDialog, RunsModallyAndEndsWithOk)
{
    CErrorDialog dlg;
    dlg.SetMessages({"File not found: /data/a.uds"});
    bool seen = false;
    kxtest::WhenModal([&](QWidget *w) {
        seen = w == &dlg;
        static_cast<QDialog *>(w)->accept();
    });
    EXPECT_EQ(dlg.DoModal(), QDialog::Accepted);
    EXPECT_TRUE(seen);
}

int main(int argc, char **argv)
{
    kxtest::UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
