// Titles and subtitles of saved and printed charts are drawn whole, inside the picture.

#include "platform/chart/PlotChart.h"
#include "platform/chart/TitleText.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <string>

using namespace kxchart;

namespace {

QString Squeezed(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

// A title of n characters in words of a file name, a sensor and numbers.
QString LongText(int n)
{
    const QString words =
        QStringLiteral("HEAD_ACCEL_RES_IEEE.UDS Test 12345, Curve 678 - Head CG Accel X 318778.241 ms ");
    QString text;
    while (text.size() < n)
        text += words;
    return text.left(n).trimmed();
}

// Every text lies inside the picture, and the texts drawn hold the whole of wanted.
testing::AssertionResult DrawnWholeInside(const std::vector<DrawnText> &texts, const QSize &size,
                                          const QStringList &wanted)
{
    QString all;
    for (const DrawnText &t : texts) {
        all += t.text;
        const QRectF inside = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(-1, -1, 1, 1);
        if (!inside.contains(t.bounds))
            return testing::AssertionFailure() << '"' << t.text.toStdString() << "\" lies at x " << t.bounds.left()
                                               << " to " << t.bounds.right() << ", y " << t.bounds.top() << " to "
                                               << t.bounds.bottom() << " of " << size.width() << " x " << size.height();
    }
    for (const QString &text : wanted)
        if (!Squeezed(all).contains(Squeezed(text)))
            return testing::AssertionFailure() << '"' << text.toStdString() << "\" is not drawn whole";
    return testing::AssertionSuccess();
}

} // namespace

TEST(TitleText, FitsByShrinkingThenByLines)
{
    const QFont font(QStringLiteral("Arial"), 12, QFont::Bold);
    const QString shortText = QStringLiteral("Head Acceleration");
    const qreal shortWidth = QFontMetricsF(font).horizontalAdvance(shortText);
    struct Case {
        const char *name;
        QString text;
        qreal width;
        int lines;
        bool smaller;
    };
    const QString sixtyWords = LongText(400);
    for (const Case &c : {
             Case{"fits as it is", shortText, shortWidth + 2, 1, false},
             Case{"a little too wide: smaller type", shortText, shortWidth * 0.9, 1, true},
             Case{"far too wide: several lines", sixtyWords, 300.0, 0, true},
             Case{"one word wider than the line", QStringLiteral("X").repeated(200), 120.0, 0, true},
         }) {
        SCOPED_TRACE(c.name);
        const FittedText fitted = fitText(c.text, font, c.width);
        if (c.lines > 0)
            EXPECT_EQ(fitted.lines.size(), c.lines);
        else
            EXPECT_GT(fitted.lines.size(), 1);
        EXPECT_EQ(fitted.font.pointSizeF() < font.pointSizeF(), c.smaller);
        EXPECT_GE(fitted.font.pointSizeF(), font.pointSizeF() * 0.75 - 0.01);
        for (const QString &line : fitted.lines)
            EXPECT_LE(QFontMetricsF(fitted.font).horizontalAdvance(line), c.width) << line.toStdString();
        EXPECT_EQ(Squeezed(fitted.lines.join(QString())), Squeezed(c.text));
    }
}

// The longest titles and subtitles each program makes, in the pictures it saves and prints.
TEST(PlotChartTitles, TheLongestTitlesOfEveryProgramAreDrawnWhole)
{
    struct Picture {
        const char *name;
        QSize size;
        int dpi;
    };
    const Picture pictures[] = {
        {"bitmap 800 x 600", QSize(800, 600), 96},
        {"image 640 x 480", QSize(640, 480), 96},
        {"letter page at 300 dpi", QSize(3150, 2400), 300},
        {"A4 page at 600 dpi", QSize(6800, 4700), 600},
    };
    struct Titles {
        const char *program;
        QString title;
        QString subtitle;
        QStringList lines;
    };
    const Titles programs[] = {
        // Labels typed in the label box: 254 and 46 characters.
        {"Pellora", LongText(254), LongText(46), {}},
        // One subtitle line per signal label.
        {"Pellora labels", QStringLiteral("Current Plot"), QString(), {LongText(120), LongText(120), LongText(120)}},
        {"Quillet",
         LongText(240) + QStringLiteral(" - Neck Axial Load"),
         QStringLiteral("Compression 99999.9 / 99999 - Tension 99999.9 / 99999"),
         {}},
        {"HIC", LongText(200), QStringLiteral("Unwindowed HIC = 318778.241  from 1234.5 to 1290.5 ms (56.0 ms)"), {}},
        {"HIC SFC",
         QStringLiteral("Skull Fracture Correlate"),
         QStringLiteral("SFC = 12345.6, (SFC critical 12345.6), Hic = 318778.2, Duration 36 ms"),
         {}},
        // HIC's label box takes any length.
        {"HIC labels", LongText(300), LongText(254), {}},
        {"Sorvelt", LongText(240), QStringLiteral("Ymin -99999.00 @1234.5, Ymax 99999.00 @ 1234.5"), {}},
    };
    for (const Titles &p : programs) {
        PlotChart chart;
        ASSERT_TRUE(chart.create(nullptr, QRect(0, 0, 1000, 700)));
        ChartContent &c = chart.content();
        c.title = p.title;
        c.subtitle = p.subtitle;
        c.subtitleLines = p.lines;
        c.curves = 1;
        c.points = 3;
        c.x = {0.0, 0.05, 0.1};
        c.y = {0.0, 80.0, 10.0};
        c.xLabel = QStringLiteral("Time in Seconds");
        c.yLabel = QStringLiteral("G's");
        chart.reinitialise();
        for (const Picture &picture : pictures) {
            SCOPED_TRACE(std::string(p.program) + ", " + picture.name);
            chart.setExportResolution(picture.dpi);
            QStringList wanted{p.title, p.subtitle};
            wanted << p.lines;
            EXPECT_TRUE(DrawnWholeInside(drawnTexts(chart, picture.size), picture.size, wanted));
        }
    }
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
