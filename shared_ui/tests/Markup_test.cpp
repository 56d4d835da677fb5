#include "shared_ui/controls/CPPMarkup.h"
#include "shared_ui/controls/MarkupTokens.h"

#include "support/KxServicesSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

using kxres::CPPMarkup;
using kxres::MarkupTag;
using kxres::MarkupToken;

namespace {

// A token list written short: "t:abc" a run, "b", "/b", "br=3", "hr=50%", "img:name".
std::string Describe(const std::vector<MarkupToken> &tokens)
{
    static const char *const names[] = {"b",  "i",   "u",  "s",    "br",   "t",  "ct",  "cti",
                                        "cb", "cbi", "al", "al_c", "al_r", "hr", "img", "ilst"};
    std::string out;
    for (const MarkupToken &t : tokens) {
        if (!out.empty())
            out += ' ';
        if (!t.isTag) {
            out += "t:" + t.text;
            continue;
        }
        if (t.closing)
            out += '/';
        out += names[int(t.tag)];
        if (t.tag == MarkupTag::Image && t.hasValue)
            out += ":" + t.text;
        else if (t.hasValue)
            out += "=" + std::to_string(t.value) + (t.percent ? "%" : "");
    }
    return out;
}

} // namespace

TEST(MarkupTokens, Grammar)
{
    struct Case {
        const char *text;
        const char *tokens;
    };
    const Case cases[] = {
        {"plain text", "t:plain text"},
        {"a<<b", "t:a<b"},
        {"<<<b>x", "t:< b t:x"},
        {"<B>bold</b>base", "b t:bold /b t:base"},
        {"< / B >x", "/b t:x"},
        {"a\tb\r\nc", "t:a t t:b br t:c"},
        {"<br=3>", "br=3"},
        {"<br=0>", "br=0"},
        {"<br=0x10>", "br=16"},
        {"<BR=010>", "br=8"},
        {"<br=08>", "br=0"}, // not octal: read as far as it goes
        {"<br=4294967295>", "br=4294967295"},
        {"<br=99999999999999999999>", "br=4294967295"}, // saturates, no wrap-around
        {"<br>", "br"},
        {"<br=3 junk here>x", "br=3 t:x"},
        {"<hr=50%>", "hr=50%"},
        {"<hr=50>", "hr=50"},
        {"<hr>", "hr"},
        {"<ct=0x0000FF>red</ct>", "ct=255 t:red /ct"},
        {"<cti=30>x", "cti=30 t:x"},
        {"<al_c>c</al_c><al_r><al_l><al>", "al_c t:c /al_c al_r al al"},
        {"<img=smile face>", "img:smile face"},
        {"<ilst=2>", "ilst=2"},
        {"<font size=3>shown", "t:shown"}, // unknown tags are dropped
        {"<>x</>", "t:x"},
        {"ab<b", "t:ab"}, // a tag left open is dropped
        {"ab<br=3", "t:ab"},
        {"", ""},
        {"\xc3\xa9<i>\xe2\x82\xac", "t:\xc3\xa9 i t:\xe2\x82\xac"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Describe(kxres::TokenizeMarkup(c.text)), c.tokens) << "text: " << c.text;
}

namespace {

kxres::MarkupColours DefaultColours()
{
    kxres::MarkupColours colours{};
    colours[17] = 0x000000; // text black
    colours[18] = 0xFFFFFF; // background white
    colours[3] = 0x00FF00;  // an entry for cti
    return colours;
}

class MarkupEngine : public ::testing::Test {
protected:
    MarkupEngine()
        : device(1, 1, QImage::Format_RGB32)
    {
        font = QFont(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(14);
        engine.SetBaseFont(font);
        engine.SetColours(DefaultColours());
    }
    QSize Measure(const char *text)
    {
        return engine.MeasureOrDraw(QString::fromUtf8(text), nullptr, QRect(), true, &device);
    }
    int Advance(const QString &s, int weight = -1) const
    {
        QFont f = font;
        if (weight > 0)
            f.setWeight(QFont::Weight(weight));
        return QFontMetrics(f, &device).horizontalAdvance(s);
    }
    int LineHeight() const { return QFontMetrics(font, &device).height(); }
    // Draws text after measuring it and returns the picture.
    QImage Draw(const char *text, int width = 0)
    {
        const QSize size = Measure(text);
        QImage image(std::max(width, size.width()) + 2, size.height() + 2, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        engine.MeasureOrDraw(QString::fromUtf8(text), &painter,
                             QRect(QPoint(0, 0), QSize(image.width(), size.height())), false);
        return image;
    }
    QFont font;
    QImage device;
    CPPMarkup engine;
};

int CountPixels(const QImage &image, const std::function<bool(QColor)> &test, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

bool IsRed(QColor c)
{
    return c.red() > 150 && c.green() < 100 && c.blue() < 100;
}

bool IsDark(QColor c)
{
    return c.red() < 128 && c.green() < 128 && c.blue() < 128;
}

} // namespace

TEST_F(MarkupEngine, MeasuredSizes)
{
    const int h = LineHeight();
    EXPECT_EQ(Measure("abc"), QSize(Advance("abc"), h));
    EXPECT_EQ(Measure("a<<b"), QSize(Advance("a<b"), h));
    EXPECT_EQ(Measure(""), QSize(0, 0));
    // br=3 leaves two empty lines, br=0 acts as one break.
    EXPECT_EQ(Measure("a<br=3>b").height(), 4 * h);
    EXPECT_EQ(Measure("a<br=0>b").height(), 2 * h);
    EXPECT_EQ(Measure("a\nb").height(), 2 * h);
    EXPECT_EQ(Measure("a<br=0x2>b").height(), 3 * h);
    EXPECT_EQ(Measure("a<br=010>b").height(), 9 * h);
    // A huge count is clamped.
    EXPECT_EQ(Measure("a<br=4294967295>b").height(), (CPPMarkup::kMaxRepeat + 1) * h);
    EXPECT_LE(Measure("<t=4294967295>b").width(),
              CPPMarkup::kMaxRepeat * 4 * QFontMetrics(font, &device).averageCharWidth() + Advance("b"));
    // Bold does not accumulate, and its closing tag returns to the base weight.
    EXPECT_EQ(Measure("<b><b>W</b>W").width(), Advance("W", 800) + Advance("W"));
    EXPECT_EQ(Measure("<B>W</b>W").width(), Advance("W", 800) + Advance("W"));
    // A tab moves to the next stop of 4 average characters.
    const int stop = 4 * QFontMetrics(font, &device).averageCharWidth();
    EXPECT_EQ(Measure("a\tb").width(), stop + Advance("b"));
    EXPECT_EQ(Measure("a<t=2>b").width(), 2 * stop + Advance("b"));
    // A rule in pixels widens the line; a percentage does not.
    EXPECT_EQ(Measure("abc<hr=50>").width(), Advance("abc") + 50);
    EXPECT_EQ(Measure("abc<hr=50%>").width(), Advance("abc"));
    EXPECT_EQ(Measure("abc<hr=99999999>").width(), Advance("abc") + CPPMarkup::kMaxRuleWidth);
    // Unknown tags take no room; an unterminated tag drops the rest.
    EXPECT_EQ(Measure("<font>abc").width(), Advance("abc"));
    EXPECT_EQ(Measure("abc<b").width(), Advance("abc"));
    // An image that is not there takes no room.
    EXPECT_EQ(Measure("a<img=none>b").width(), Advance("a") + Advance("b"));
}

TEST_F(MarkupEngine, ImagesTakeTheirRoom)
{
    const int h = LineHeight();
    QPixmap tall(10, h + 20);
    tall.fill(Qt::red);
    engine.AddImage(QStringLiteral("tall"), tall);
    EXPECT_EQ(Measure("a<img=tall>b"), QSize(Advance("a") + 10 + Advance("b"), h + 20));
    EXPECT_EQ(Measure("a<img=TALL>b"), QSize(Advance("a") + Advance("b"), h)); // names keep their case
    QPixmap icon(16, 16);
    icon.fill(Qt::blue);
    engine.SetImageList({icon, icon}, QSize(12, 12));
    EXPECT_EQ(Measure("<ilst=1>").width(), 12);
    EXPECT_EQ(Measure("<ilst>").width(), 12);
    EXPECT_EQ(Measure("<ilst=2>x").width(), Advance("x"));
    EXPECT_EQ(Measure("<ilst=4294967295>x").width(), Advance("x"));
    // A masked image leaves its mask colour clear.
    QPixmap masked(4, 4);
    masked.fill(QColor(255, 0, 255));
    engine.AddImage(QStringLiteral("clear"), masked, 0xFF00FF);
    const QImage drawn = Draw("<img=clear>");
    EXPECT_EQ(CountPixels(drawn, [](QColor c) { return c.green() < 100; }), 0);
}

TEST_F(MarkupEngine, ColoursAndRules)
{
    // ct 0x0000FF is red; its closing tag returns to the text colour.
    const QImage red = Draw("<ct=0x0000FF>MMM</ct>MMM");
    const int split = Advance("MMM");
    EXPECT_GT(CountPixels(red, IsRed, QRect(0, 0, split, red.height())), 10);
    EXPECT_EQ(CountPixels(red, IsRed, QRect(split + 1, 0, red.width() - split - 1, red.height())), 0);
    EXPECT_GT(CountPixels(red, IsDark, QRect(split + 1, 0, red.width() - split - 1, red.height())), 10);

    // cti 30 changes nothing; cti 3 takes the table's entry.
    const QImage same = Draw("<cti=30>MMM");
    EXPECT_EQ(CountPixels(same, [](QColor c) { return c.green() > 150 && c.red() < 100; }), 0);
    EXPECT_GT(CountPixels(same, IsDark), 10);
    const QImage green = Draw("<cti=3>MMM");
    EXPECT_GT(CountPixels(green, [](QColor c) { return c.green() > 150 && c.red() < 100 && c.blue() < 100; }), 10);

    // A 50 % rule spans half the drawing width, a 50 pixel rule 50 pixels.
    const QImage half = Draw("<hr=50%>", 200);
    EXPECT_EQ(CountPixels(half, IsDark), 101); // the image is 202 wide
    const QImage fixed = Draw("<hr=50>");
    EXPECT_EQ(CountPixels(fixed, IsDark), 50);

    // cb paints the run's background until its closing tag.
    const QImage back = Draw("<cb=0x0000FF>  </cb>  ");
    EXPECT_GT(CountPixels(back, IsRed), 0);
    EXPECT_EQ(CountPixels(back, IsRed, QRect(Advance("  ") + 1, 0, back.width() - Advance("  ") - 1, back.height())),
              0);
}

TEST_F(MarkupEngine, AlignmentUsesTheMeasuredWidths)
{
    const QImage image = Draw("<al_c>ii<br>MMMMMMMMMM<br><al_r>ii");
    const int h = LineHeight();
    const auto leftmostDark = [&](int line) {
        for (int x = 0; x < image.width(); ++x)
            for (int y = line * h; y < (line + 1) * h; ++y)
                if (IsDark(image.pixelColor(x, y)))
                    return x;
        return -1;
    };
    const int wide = Advance("MMMMMMMMMM");
    const int narrow = Advance("ii");
    EXPECT_NEAR(leftmostDark(0), (image.width() - narrow) / 2, 3);
    EXPECT_NEAR(leftmostDark(2), image.width() - narrow, 4);
    EXPECT_LE(leftmostDark(1), 2);
    EXPECT_EQ(engine.GetLineWidths().size(), 3u);
    EXPECT_EQ(engine.GetLineWidths()[1], wide);
}

int main(int argc, char **argv)
{
    kxtest::UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
