#include "shared_ui/controls/CNEdit.h"
#include "shared_ui/controls/NEditChecks.h"

#include "support/KxServicesSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <limits>

using kxres::CNEdit;

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr double kDoubleMax = std::numeric_limits<double>::max();

enum class Colour { White, Yellow };

Colour BackgroundOf(const CNEdit &edit)
{
    EXPECT_EQ(edit.GetTextColour(), QColor(Qt::black));
    EXPECT_EQ(edit.palette().color(QPalette::Active, QPalette::Base), edit.GetBackgroundColour());
    EXPECT_EQ(edit.palette().color(QPalette::Inactive, QPalette::Base), edit.GetBackgroundColour());
    if (edit.GetBackgroundColour() == QColor(255, 255, 255))
        return Colour::White;
    EXPECT_EQ(edit.GetBackgroundColour(), QColor(255, 255, 0));
    return Colour::Yellow;
}

struct Case {
    const char *text;
    Colour colour;
    const char *value; // stored value, null = the text itself
};

void RunTable(CNEdit &edit, std::initializer_list<Case> cases)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        edit.setText(QStringLiteral("placeholder that differs"));
        edit.setText(QString::fromUtf8(c.text));
        EXPECT_EQ(BackgroundOf(edit), c.colour);
        EXPECT_EQ(edit.IsValid(), c.colour == Colour::White);
        EXPECT_EQ(edit.GetValue(), QString::fromUtf8(c.value ? c.value : c.text));
    }
}

} // namespace

TEST(CNEdit, IntTexts)
{
    CNEdit edit;
    edit.SetIntRange(1, kIntMax, true);
    RunTable(edit, {
                       {"", Colour::White, nullptr},
                       {"0", Colour::Yellow, nullptr},
                       {"12", Colour::White, nullptr},
                       {"1a", Colour::Yellow, nullptr},
                       {"  7 ", Colour::White, "7"},
                       {"-", Colour::Yellow, nullptr}, // a lone sign is 0
                       {"+5", Colour::Yellow, nullptr},
                       {"2147483647", Colour::White, nullptr},
                       {"2147483648", Colour::Yellow, nullptr},
                       {"4294967297", Colour::Yellow, nullptr}, // no wrap-around to 1
                       {"1 000", Colour::Yellow, nullptr},
                       {"0x10", Colour::Yellow, nullptr},
                       {"\xd9\xa3", Colour::Yellow, nullptr}, // an Arabic-Indic digit
                   });
    edit.SetIntRange(-5, 5, false);
    RunTable(edit, {{"", Colour::Yellow, nullptr},
                    {"-", Colour::White, nullptr},
                    {"-5", Colour::White, nullptr},
                    {"-6", Colour::Yellow, nullptr}});
}

TEST(CNEdit, DoubleTexts)
{
    CNEdit edit;
    edit.SetDoubleRange(0.0, kDoubleMax, true);
    RunTable(edit, {
                       {"", Colour::White, nullptr},
                       {"-", Colour::White, nullptr}, // a number worth 0.0
                       {"-.5", Colour::Yellow, nullptr},
                       {"1e5", Colour::Yellow, nullptr},
                       {"1e+5", Colour::White, nullptr},
                       {"2.5E-3", Colour::White, nullptr},
                       {"1e+", Colour::White, nullptr}, // an exponent without digits adds nothing
                       {"5.", Colour::White, nullptr},
                       {".5", Colour::White, nullptr},
                       {".", Colour::Yellow, nullptr},
                       {".e+5", Colour::White, nullptr}, // a number with no digit read: 0.0
                       {"-.e-2", Colour::White, nullptr},
                       {"-.e", Colour::Yellow, nullptr}, // an exponent needs its sign
                       {"1.2.3", Colour::Yellow, nullptr},
                       {"+1", Colour::Yellow, nullptr},
                       {"1,5", Colour::Yellow, nullptr},
                       {"nan", Colour::Yellow, nullptr},
                       {"inf", Colour::Yellow, nullptr},
                       {"-inf", Colour::Yellow, nullptr},
                       {"1e+999", Colour::Yellow, nullptr}, // out of range, not infinity
                       {"0x1p3", Colour::Yellow, nullptr},
                   });
}

TEST(CNEdit, ChecksIgnoreTheUsersLanguage)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(kxres::CheckDoubleText("1.5", 0.0, 2.0, false));
    EXPECT_FALSE(kxres::CheckDoubleText("1,5", 0.0, 2.0, false));
    EXPECT_TRUE(kxres::CheckIntText("1000", 0, 2000, false));
    EXPECT_FALSE(kxres::CheckIntText("1.000", 0, 2000, false));
    EXPECT_EQ(kxres::CheckDateText("Jan 5, 2024", 0), std::optional<QString>("Jan 05, 2024"));
    QLocale::setDefault(before);
}

TEST(CNEdit, LongTextAndDateTexts)
{
    CNEdit edit;
    edit.SetLongRange(0, std::numeric_limits<long long>::max(), false);
    RunTable(edit, {{"4294967297", Colour::White, nullptr},
                    {"9223372036854775807", Colour::White, nullptr},
                    {"9223372036854775808", Colour::Yellow, nullptr},
                    {"", Colour::Yellow, nullptr}});
    edit.SetTextRange(2, 4, false);
    RunTable(edit, {{"", Colour::Yellow, nullptr},
                    {"a", Colour::Yellow, nullptr},
                    {"abcd", Colour::White, nullptr},
                    {"abcde", Colour::Yellow, nullptr}});
    edit.SetAllowEmpty(true);
    RunTable(edit, {{"", Colour::White, nullptr}});

    edit.SetDateType(8);
    RunTable(edit, {{"", Colour::White, nullptr},
                    {"010224", Colour::White, "01022024"},
                    {"01/02/2024", Colour::White, "01022024"},
                    {"12311999", Colour::White, "12311999"},
                    {"123199", Colour::White, "12311999"},
                    {"13/45/2020", Colour::Yellow, "13/45/2020"},
                    {"0102", Colour::Yellow, "0102"},
                    {"someday", Colour::Yellow, "SOMEDAY"}});
    edit.SetDateType(6);
    RunTable(edit, {{"12/31/2029", Colour::White, "123129"}});
    edit.SetDateType(0);
    RunTable(edit, {{"1/5/24", Colour::White, "JAN 05, 2024"}, {"1/5/31", Colour::White, "JAN 05, 1931"}});
}

TEST(CNEdit, WithoutATypeTheTextIsKeptUnchecked)
{
    CNEdit edit;
    RunTable(edit, {{" anything ", Colour::White, "anything"}});
    // A check of another type than the control's passes.
    edit.SetIntRange(1, 2, false);
    edit.setText("x");
    EXPECT_TRUE(edit.CheckDouble(Qt::black, Qt::red, Qt::green));
    EXPECT_EQ(edit.GetBackgroundColour(), QColor(255, 255, 0));
    // A check called by the owner shows its own colours.
    EXPECT_FALSE(edit.CheckInt(Qt::blue, Qt::red, Qt::green));
    EXPECT_EQ(edit.palette().color(QPalette::Active, QPalette::Base), QColor(Qt::red));
    EXPECT_EQ(edit.palette().color(QPalette::Active, QPalette::Text), QColor(Qt::blue));
    edit.setText("2");
    EXPECT_TRUE(edit.CheckInt(Qt::black, Qt::red, Qt::green));
    EXPECT_EQ(edit.palette().color(QPalette::Active, QPalette::Base), QColor(Qt::green));
}

TEST(CNEdit, ADisabledEditLooksDisabled)
{
    const QLineEdit plain;
    CNEdit edit;
    edit.SetIntRange(1, kIntMax, true);
    edit.setText("0");
    EXPECT_EQ(edit.palette().color(QPalette::Active, QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(edit.palette().color(QPalette::Disabled, QPalette::Base),
              plain.palette().color(QPalette::Disabled, QPalette::Base));
}

TEST(CNEdit, RedrawsOnlyOnAChange)
{
    CNEdit edit;
    edit.SetIntRange(1, kIntMax, true);
    edit.setText("7");
    const int after7 = edit.GetRedrawCount();
    edit.setText("7 "); // same value once trimmed, same colour
    edit.setText(" 7");
    EXPECT_EQ(edit.GetRedrawCount(), after7);
    edit.setText("8"); // new value
    EXPECT_EQ(edit.GetRedrawCount(), after7 + 1);
    edit.setText("0"); // new value and colour: one redraw
    EXPECT_EQ(edit.GetRedrawCount(), after7 + 2);
    edit.SetColours(Qt::black, QColor(255, 255, 0)); // as they are
    EXPECT_EQ(edit.GetRedrawCount(), after7 + 2);
    edit.SetColours(Qt::black, Qt::white);
    EXPECT_EQ(edit.GetRedrawCount(), after7 + 3);
}

TEST(CNEdit, FocusSelectsAllOrSkips)
{
    QWidget window;
    auto *first = new CNEdit(&window);
    auto *second = new CNEdit(&window);
    auto *third = new CNEdit(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(third);
    first->setText("0.0005");
    third->setText("12");
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    first->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(first->selectedText(), "0.0005");

    second->SetSkipOnFocus(true);
    second->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(QTest::qWaitFor([&] { return third->hasFocus(); }, 3000));
    EXPECT_EQ(third->selectedText(), "12");
}

int main(int argc, char **argv)
{
    kxtest::UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
