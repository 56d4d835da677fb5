#include "shared_ui/controls/CPPToolTip.h"
#include "shared_ui/controls/ToolTipLayout.h"

#include "support/KxServicesSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <set>

using kxres::CPPToolTip;
using kxres::PlaceTip;

TEST(ToolTipPlacement, EachDirectionAtEachEdge)
{
    struct Case {
        const char *what;
        QPoint cursor;
        QSize size;
        int direction;
        QPoint topLeft;
        int shown;
    };
    const QRect screen(0, 0, 1000, 800);
    const QSize tip(200, 100);
    const Case cases[] = {
        {"0 centre", {500, 400}, tip, 0, {316, 300}, 0},
        {"1 centre", {500, 400}, tip, 1, {484, 300}, 1},
        {"2 centre", {500, 400}, tip, 2, {316, 400}, 2},
        {"3 centre", {500, 400}, tip, 3, {484, 400}, 3},
        {"3 right edge", {950, 400}, tip, 3, {766, 400}, 2},
        {"1 right edge", {950, 400}, tip, 1, {766, 300}, 0},
        {"0 right edge", {995, 400}, tip, 0, {800, 300}, 0},
        {"2 left edge", {50, 400}, tip, 2, {34, 400}, 3},
        {"0 left edge", {50, 400}, tip, 0, {34, 300}, 1},
        {"1 in the margin", {5, 400}, tip, 1, {0, 300}, 1},
        {"2 bottom edge", {500, 750}, tip, 2, {316, 650}, 0},
        {"3 bottom edge", {500, 750}, tip, 3, {484, 650}, 1},
        {"0 top edge", {500, 50}, tip, 0, {316, 50}, 2},
        {"1 top edge", {500, 50}, tip, 1, {484, 50}, 3},
        {"2 bottom right corner", {990, 790}, tip, 2, {800, 690}, 0},
        {"1 top left corner", {3, 3}, tip, 1, {0, 3}, 3},
        {"larger than the screen", {500, 400}, {1200, 900}, 3, {0, 0}, 0},
        {"wider than the screen", {500, 400}, {1200, 100}, 1, {0, 300}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const kxres::TipPlacement place = PlaceTip(screen, c.cursor, c.size, c.direction, 16);
        EXPECT_EQ(place.topLeft, c.topLeft);
        EXPECT_EQ(place.direction, c.shown);
    }
    // A screen that does not start at the origin.
    const kxres::TipPlacement second = PlaceTip(QRect(1000, 0, 800, 600), {1500, 300}, tip, 3, 16);
    EXPECT_EQ(second.topLeft, QPoint(1484, 300));
}

namespace {

// A dialog-like owner: an edit, and a frame holding a button.
struct Owner {
    Owner()
    {
        window.resize(300, 200);
        edit = new QLineEdit(&window);
        edit->setGeometry(10, 10, 120, 24);
        frame = new QFrame(&window);
        frame->setGeometry(10, 60, 200, 100);
        button = new QPushButton(QStringLiteral("Go"), frame);
        button->setGeometry(10, 10, 80, 30);
        window.move(100, 100);
        window.show();
        tip.Create(&window);
        tip.SetStyles(kxres::kStyleAlwaysShow, 0); // no active window offscreen
    }
    QPoint At(QWidget *w, QPoint local) const { return w->mapToGlobal(local); }
    void Move(QWidget *w, QPoint local)
    {
        const QPoint global = w->mapToGlobal(local);
        QCursor::setPos(global);
        QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(global), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    QWidget window;
    QLineEdit *edit = nullptr;
    QFrame *frame = nullptr;
    QPushButton *button = nullptr;
    CPPToolTip tip;
};

} // namespace

TEST(CPPToolTip, AddToolReplacesTheSameWindowAndRectangle)
{
    Owner o;
    o.tip.AddTool(o.edit, QStringLiteral("first"));
    o.tip.AddTool(o.edit, QStringLiteral("second"));
    ASSERT_EQ(o.tip.GetToolCount(), 1);
    EXPECT_EQ(o.tip.GetTool(0).text, "second");
    o.tip.AddTool(o.edit, QStringLiteral("corner"), QRect(0, 0, 5, 5), 7);
    o.tip.AddTool(o.edit, QStringLiteral("corner again"), QRect(0, 0, 5, 5), 8);
    ASSERT_EQ(o.tip.GetToolCount(), 2);
    EXPECT_EQ(o.tip.GetTool(1).text, "corner again");
    EXPECT_EQ(o.tip.GetTool(1).id, 8);
    EXPECT_EQ(o.tip.GetTool(5).text, ""); // no such tool
    EXPECT_EQ(o.tip.GetTool(-3).text, "");
}

TEST(CPPToolTip, ClosingTheOwnerHidesTheTip)
{
    Owner o;
    o.tip.AddTool(o.edit, QStringLiteral("tip"));
    o.tip.SetDelayTime(CPPToolTip::kDelayAutoPop, 0);
    ASSERT_TRUE(o.tip.ShowTip(0, o.At(o.edit, {5, 5})));
    ASSERT_TRUE(o.tip.IsTipShown());
    o.window.hide(); // a dialog ending by its title bar's close button
    EXPECT_FALSE(o.tip.IsTipShown());
    EXPECT_FALSE(o.tip.IsHideTimerActive());
}

TEST(CPPToolTip, FindsTheInnermostToolThenItsAncestors)
{
    Owner o;
    o.tip.AddTool(o.frame, QStringLiteral("frame"));
    o.tip.AddTool(&o.window, QStringLiteral("top strip"), QRect(0, 0, 300, 8));
    EXPECT_EQ(o.tip.FindTool(o.At(o.button, {5, 5})), 0); // the button has none: its frame
    EXPECT_EQ(o.tip.FindTool(o.At(o.frame, {150, 80})), 0);
    EXPECT_EQ(o.tip.FindTool(o.At(&o.window, {150, 4})), 1);
    EXPECT_EQ(o.tip.FindTool(o.At(o.edit, {5, 5})), -1);
    EXPECT_EQ(o.tip.FindTool(o.At(&o.window, {400, 4})), -1); // outside the owner
    o.tip.AddTool(o.button, QStringLiteral("button"));
    EXPECT_EQ(o.tip.FindTool(o.At(o.button, {5, 5})), 2);
}

TEST(CPPToolTip, SettersIgnoreIndexesOutOfRange)
{
    Owner o;
    o.tip.AddTool(o.edit, QStringLiteral("x"));
    const KxColorRef before = o.tip.GetColour(0);
    o.tip.SetColour(26, 0x123456);
    o.tip.SetColour(-1, 0x123456);
    o.tip.SetColour(1 << 30, 0x123456);
    EXPECT_EQ(o.tip.GetColour(0), before);
    EXPECT_EQ(o.tip.GetColour(26), 0u);
    o.tip.SetColour(25, 0xABCDEF);
    EXPECT_EQ(o.tip.GetColour(25), 0xABCDEFu);

    o.tip.SetSize(11, 99);
    o.tip.SetSize(-1, 99);
    for (int i = 0; i < kxres::kSizeCount; ++i)
        EXPECT_NE(o.tip.GetSize(i), 99) << i;
    EXPECT_EQ(o.tip.GetSize(kxres::kSizeMarginX), 12);
    o.tip.SetDefaultSizes(false);
    EXPECT_EQ(o.tip.GetSize(kxres::kSizeMarginX), 3);
    EXPECT_EQ(o.tip.GetSize(kxres::kSizeAnchorHeight), 0);

    o.tip.SetDirection(1);
    o.tip.SetDirection(4);
    o.tip.SetDirection(-1);
    EXPECT_EQ(o.tip.GetDirection(), 1);
    o.tip.SetDirection(0, 0);
    EXPECT_EQ(o.tip.GetTool(0).direction, 0);
    EXPECT_EQ(o.tip.GetTool(0).mask, kxres::kMaskDirection);
    for (const int tool : {-2, 1, 5, -1000}) {
        o.tip.SetDirection(2, tool);
        o.tip.SetEffect(9, 3, tool);
        o.tip.SetStyles(0, 0xFF, tool);
        o.tip.SetBehaviour(0xF, tool);
    }
    EXPECT_EQ(o.tip.GetTool(0).direction, 0);
    EXPECT_EQ(o.tip.GetTool(0).mask, kxres::kMaskDirection);
    EXPECT_EQ(o.tip.GetDirection(), 1);
    EXPECT_EQ(o.tip.GetEffect(), 0);
    EXPECT_EQ(o.tip.GetBehaviour(), 0u);

    o.tip.SetDelayTime(CPPToolTip::kDelayAutoPop, -5);
    EXPECT_EQ(o.tip.GetDelayTime(CPPToolTip::kDelayAutoPop), 5000);
    EXPECT_EQ(o.tip.GetDelayTime(CPPToolTip::kDelayInitial), 500);
}

TEST(CPPToolTip, ShowsAfterTheDelayAndAKeyHidesIt)
{
    Owner o;
    o.tip.AddTool(o.edit, QStringLiteral("Please enter a Time Step greater then zero."));
    o.tip.SetDelayTime(CPPToolTip::kDelayInitial, 10);
    o.Move(o.edit, {20, 10});
    EXPECT_TRUE(o.tip.IsShowTimerActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return o.tip.IsTipShown(); }, 3000));
    EXPECT_EQ(o.tip.GetDisplayedTool(), 0);
    EXPECT_TRUE(o.tip.IsHideTimerActive());
    // The anchor points at the cursor: the tip's shape holds a pixel next to it.
    const QPoint cursor = o.At(o.edit, {20, 10});
    EXPECT_TRUE(o.tip.geometry().adjusted(-1, -1, 1, 1).contains(cursor));

    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(o.edit, &key);
    EXPECT_FALSE(o.tip.IsTipShown());
    EXPECT_FALSE(o.tip.IsHideTimerActive());

    // A button down hides it too.
    ASSERT_TRUE(o.tip.ShowTip(0, cursor));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 10), QPointF(cursor), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(o.edit, &press);
    EXPECT_FALSE(o.tip.IsTipShown());
}

TEST(CPPToolTip, AMoveToTheSamePositionIsIgnored)
{
    Owner o;
    o.tip.AddTool(o.edit, QStringLiteral("tip"));
    o.tip.SetDelayTime(CPPToolTip::kDelayInitial, 10000);
    o.Move(o.edit, {20, 10});
    EXPECT_TRUE(o.tip.IsShowTimerActive());
    o.tip.HideTip(); // stops the timers
    o.Move(o.edit, {20, 10});
    EXPECT_FALSE(o.tip.IsShowTimerActive());
    o.Move(o.edit, {21, 10});
    EXPECT_TRUE(o.tip.IsShowTimerActive());
    // Leaving the tool forgets it.
    o.Move(&o.window, {250, 20});
    EXPECT_FALSE(o.tip.IsShowTimerActive());
    EXPECT_EQ(o.tip.GetPendingTool(), -1);
}

TEST(CPPToolTip, AutoPopZeroKeepsTheTipUntilTheCursorLeaves)
{
    Owner o;
    o.tip.AddTool(o.edit, QStringLiteral("stays"));
    o.tip.SetDelayTime(CPPToolTip::kDelayInitial, 1);
    o.tip.SetDelayTime(CPPToolTip::kDelayAutoPop, 0);
    o.Move(o.edit, {20, 10});
    EXPECT_TRUE(QTest::qWaitFor([&] { return o.tip.IsTipShown(); }, 3000));
    EXPECT_FALSE(o.tip.IsHideTimerActive());
    QTest::qWait(50);
    EXPECT_TRUE(o.tip.IsTipShown());
    o.Move(o.edit, {25, 12}); // same tool: nothing changes
    EXPECT_TRUE(o.tip.IsTipShown());
    o.Move(&o.window, {250, 20});
    EXPECT_FALSE(o.tip.IsTipShown());

    // With an auto-pop delay the tip goes by itself.
    o.tip.SetDelayTime(CPPToolTip::kDelayAutoPop, 20);
    o.Move(o.edit, {20, 10});
    EXPECT_TRUE(QTest::qWaitFor([&] { return o.tip.IsTipShown(); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !o.tip.IsTipShown(); }, 3000));
}

TEST(CPPToolTip, TheParentMayRewriteTheToolBeforeShowing)
{
    Owner o;
    o.tip.AddTool(o.edit, QStringLiteral("short"), QRect(), 4);
    o.tip.SetNotify(true);
    QPoint seen;
    QString replacement = QStringLiteral("a much longer text than before, to widen the tip");
    QObject::connect(&o.tip, &CPPToolTip::ToolTipNeeded, [&](kxres::PPToolInfo *info, QPoint pos) {
        seen = pos;
        info->text = replacement;
        info->id = 99;
        info->window = nullptr;
    });
    const QPoint cursor = o.At(o.edit, {20, 10});
    ASSERT_TRUE(o.tip.ShowTip(0, cursor));
    EXPECT_EQ(seen, o.window.mapFromGlobal(cursor));
    const int wide = o.tip.width();
    EXPECT_EQ(o.tip.GetTool(0).text, "short"); // the record itself is kept
    EXPECT_EQ(o.tip.GetTool(0).id, 4);
    replacement = QStringLiteral("x");
    ASSERT_TRUE(o.tip.ShowTip(0, cursor));
    EXPECT_LT(o.tip.width(), wide);
    replacement.clear(); // nothing to show
    EXPECT_FALSE(o.tip.ShowTip(0, cursor));
    EXPECT_FALSE(o.tip.IsTipShown());
}

TEST(ToolTipEffects, GradientBandsAndPalette)
{
    QImage image(128, 4, QImage::Format_RGB32);
    QPainter painter(&image);
    kxres::FillGradientEffect(painter, image.rect(), 1, 0x000000, 0x00FF00, 0xFFFFFF);
    painter.end();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(127, 0), QColor(251, 251, 251)); // band 63: 255 * 63 / 64
    EXPECT_EQ(image.pixelColor(64, 0), QColor(127, 127, 127));

    CCeXDib dib;
    const auto zero = [](int) { return 0; };
    ASSERT_TRUE(kxres::RenderPixelEffect(dib, 10, 4, 9, 0, 0x0000FF, 0x00FF00, 0xFF0000, zero));
    // Row 0 from the bottom holds index 0, the top row 255 * 3 / 4.
    EXPECT_EQ(dib.GetPixelIndex(0, 3), 0);
    EXPECT_EQ(dib.GetPixelIndex(0, 0), 191);
    // Entry 0 is C and 255 is A, each 5 % toward A.
    // (GetPaletteColour answers 0x00RRGGBB.)
    EXPECT_EQ(dib.GetPaletteColour(0), 0x0C00F2u); // red 255 * 5 / 100, blue 255 * 95 / 100
    EXPECT_EQ(dib.GetPaletteColour(255), 0xFF0000u);
    EXPECT_EQ(dib.GetPaletteColour(127), 0x0CF000u); // C to B at 127/128, then blended
}

TEST(ToolTipEffects, EveryEffectStaysInRangeForAnySize)
{
    // The noise keeps to -g..g.
    const kxres::NoiseSource noise = kxres::DefaultNoise(7);
    std::set<int> values;
    for (int i = 0; i < 20000; ++i) {
        const int n = noise(3);
        ASSERT_GE(n, -3);
        ASSERT_LE(n, 3);
        values.insert(n);
    }
    EXPECT_EQ(values.size(), 7u);
    EXPECT_EQ(noise(0), 0);

    // Effect 7 with granularity 10 stays within 118..138.
    CCeXDib dib;
    ASSERT_TRUE(kxres::RenderPixelEffect(dib, 64, 32, 7, 10, 0xFFFFFF, 0x808080, 0, kxres::DefaultNoise()));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) {
            ASSERT_GE(dib.GetPixelIndex(x, y), 118);
            ASSERT_LE(dib.GetPixelIndex(x, y), 138);
        }
    // Tiny and empty sizes divide by nothing.
    for (int effect = 7; effect <= 15; ++effect) {
        for (const QSize size : {QSize(1, 1), QSize(1, 40), QSize(40, 1), QSize(5, 3)})
            EXPECT_TRUE(kxres::RenderPixelEffect(dib, size.width(), size.height(), effect, 255, 0xFFFFFF, 0x808080, 0,
                                                 kxres::DefaultNoise()))
                << effect;
        EXPECT_FALSE(kxres::RenderPixelEffect(dib, 0, 10, effect, 0, 0, 0, 0, kxres::DefaultNoise()));
        EXPECT_FALSE(kxres::RenderPixelEffect(dib, 10, 0, effect, 0, 0, 0, 0, kxres::DefaultNoise()));
    }
    EXPECT_FALSE(kxres::RenderPixelEffect(dib, 10, 10, 6, 0, 0, 0, 0, kxres::DefaultNoise()));
}

TEST(ToolTipEffects, SheetOfEveryEffect)
{
    Owner o;
    o.tip.AddTool(o.edit, QStringLiteral("<b>Effect</b> tip<br><ct=0x0000FF>red</ct> and <i>italic</i><br><hr>"
                                         "<br><al_c>centred<br><al_r>right"));
    o.tip.SetColour(kxres::kColourBackground, 0xFFE0C0);
    o.tip.SetColour(kxres::kColourMiddle, 0x80FF80);
    o.tip.SetColour(kxres::kColourEnd, 0x4040C0);
    const QPoint cursor = o.At(o.edit, {20, 10});
    ASSERT_TRUE(o.tip.ShowTip(0, cursor));
    const QSize cell = o.tip.GetTipImage().size() + QSize(20, 20);
    QImage sheet(cell.width() * 4, cell.height() * 4, QImage::Format_ARGB32_Premultiplied);
    // A checked ground shows the shadow's translucency.
    QPainter painter(&sheet);
    for (int y = 0; y < sheet.height(); y += 8)
        for (int x = 0; x < sheet.width(); x += 8)
            painter.fillRect(x, y, 8, 8, ((x + y) / 8) % 2 ? QColor(230, 230, 230) : QColor(255, 255, 255));
    for (int effect = 0; effect < 16; ++effect) {
        o.tip.SetEffect(effect, effect >= 7 ? 8 : 0);
        o.tip.SetDirection(effect % 4);
        ASSERT_TRUE(o.tip.ShowTip(0, cursor));
        const QImage &image = o.tip.GetTipImage();
        // Opaque body, translucent shadow, clear corners.
        EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255) << effect;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << effect;
        const int alpha = qAlpha(image.pixel(image.width() - 2, image.height() / 2));
        EXPECT_GT(alpha, 0) << effect;
        EXPECT_LT(alpha, 255) << effect;
        if (effect >= 1) {
            std::set<QRgb> colours;
            for (int x = 4; x < image.width() - 8; x += 3)
                colours.insert(image.pixel(x, image.height() / 2) | 0xFF000000);
            for (int y = 4; y < image.height() - 8; y += 3)
                colours.insert(image.pixel(image.width() / 3, y) | 0xFF000000);
            EXPECT_GT(colours.size(), 3u) << "effect " << effect << " looks flat";
        }
        painter.drawImage((effect % 4) * cell.width() + 10, (effect / 4) * cell.height() + 10, image);
        painter.setPen(Qt::black);
        painter.drawText((effect % 4) * cell.width() + 2, (effect / 4) * cell.height() + 10, QString::number(effect));
    }
    painter.end();
    const QString path = QDir::temp().filePath(QStringLiteral("kx_tooltip_effects.png"));
    EXPECT_TRUE(sheet.save(path));
}

int main(int argc, char **argv)
{
    kxtest::UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
