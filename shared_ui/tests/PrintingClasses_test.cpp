// Geometry of the page printing classes, checked on a recording paint device.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cmath>

#include "shared_ui/printing/CPage.h"
#include "shared_ui/printing/CPrintRegion.h"
#include "shared_ui/printing/CPrintTable.h"
#include "support/RecordingPaintDevice.h"

namespace {

// 8 x 10 inches at 100 pixels per inch.
constexpr int Dpi = 100;
constexpr int Width = 800;
constexpr int Height = 1000;

class PageTest : public ::testing::Test {
protected:
    PageTest()
        : device(Width, Height, Dpi)
        , painter(&device)
    {
        info.m_rectDraw = QRect(0, 0, Width, Height);
    }

    std::unique_ptr<CPage> MakePage(int mode) { return std::make_unique<CPage>(info, &painter, mode); }

    RecordingPaintDevice device;
    QPainter painter;
    CPrintInfo info;
};

TEST_F(PageTest, ModesAndUnits)
{
    auto text = MakePage(5); // any mode but 8 is MM_TEXT
    EXPECT_EQ(text->GetMode(), CPage::MM_TEXT);
    EXPECT_EQ(text->GetPageWidth(), Width);
    EXPECT_EQ(text->GetPageHeight(), Height);
    EXPECT_EQ(text->InchesToUnitsX(1.5), 150);
    EXPECT_EQ(text->InchesToUnitsY(-2.0), 0);
    EXPECT_DOUBLE_EQ(text->UnitsToInchesY(250), 2.5);
    EXPECT_DOUBLE_EQ(text->UnitsToInchesY(0), 0.0);
    text.reset();

    auto grid = MakePage(8);
    EXPECT_EQ(grid->GetMode(), CPage::MM_ANISOTROPIC);
    EXPECT_EQ(grid->GetPageWidth(), 1000);
    EXPECT_EQ(grid->GetPageHeight(), 1000);
    EXPECT_EQ(grid->InchesToUnitsX(1.0), 125); // 8 inches over 1000 units
    EXPECT_EQ(grid->InchesToUnitsY(1.0), 100); // 10 inches over 1000 units
    EXPECT_EQ(grid->InchesToUnitsX(8.0), 1000);
    EXPECT_DOUBLE_EQ(grid->UnitsToInchesX(500), 4.0);
}

TEST_F(PageTest, EdgesResetToThePageSize)
{
    auto page = MakePage(CPage::MM_TEXT);
    EXPECT_EQ(page->SetRightEdge(300), Width);
    EXPECT_EQ(page->SetBottomEdge(400), Height);
    EXPECT_EQ(page->SetBottomEdge(-1), 400);
    EXPECT_EQ(page->GetBottomEdge(), Height);
    EXPECT_EQ(page->GetRightEdge(), 300);  // left alone
    EXPECT_EQ(page->SetRightEdge(0), 300); // only queries
    page->SetRightEdge(-1);
    EXPECT_EQ(page->GetRightEdge(), Width);
    EXPECT_DOUBLE_EQ(page->SetRightEdge(2.0), 8.0);
    EXPECT_EQ(page->GetRightEdge(), 200);
}

TEST_F(PageTest, TextBeyondTheRightEdgePrintsNothing)
{
    auto page = MakePage(CPage::MM_TEXT);
    page->SetRightEdge(300);
    EXPECT_EQ(page->Print(120, 301, 0, 12, "%s", "outside"), 120);
    EXPECT_EQ(device.FindText("outside"), nullptr);
    page->SetBottomEdge(100);
    EXPECT_EQ(page->Print(120, 10, 0, 12, "%s", "below"), 120);
    EXPECT_EQ(device.FindText("below"), nullptr);
}

TEST_F(PageTest, ColumnsPlaceTextAtTheirInches)
{
    auto page = MakePage(CPage::MM_ANISOTROPIC);
    const double columns[] = {0.5, 2.0, 3.5, 5.0, 6.5};
    double row = 1.5;
    for (int i = 0; i < 5; ++i) {
        page->Print(row, columns[i], 0, 12, "%s", ("v" + std::to_string(i)).c_str());
    }
    for (int i = 0; i < 5; ++i) {
        const RecordedText *t = device.FindText(QString("v%1").arg(i));
        ASSERT_NE(t, nullptr) << i;
        EXPECT_NEAR(t->position.x(), columns[i] * Dpi, 1.0) << i;
        // Baseline a little below the row.
        EXPECT_GT(t->position.y(), row * Dpi);
        EXPECT_LT(t->position.y(), row * Dpi + 12.0 / 72 * Dpi * 1.3);
        // 12 points at 100 pixels per inch.
        EXPECT_EQ(t->font.pixelSize(), 17);
    }
}

TEST_F(PageTest, LineSpacingAddsPartOfTheFontHeight)
{
    auto page = MakePage(CPage::MM_TEXT);
    page->SetLineSpacing(1.0);
    const int single = page->Print(100, 10, 0, 12, "%s", "one");
    const int height = single - 100;
    EXPECT_GT(height, 12); // about 17 pixels of font plus leading
    EXPECT_EQ(page->GetState().lastBottom, single);
    page->SetLineSpacing(0.5);
    EXPECT_EQ(page->Print(100, 10, 0, 12, "%s", "half"), single);
    EXPECT_EQ(page->SetLineSpacing(1.5), 0.5);
    const int fontHeight = page->InchesToUnitsY(12 / 72.0);
    EXPECT_EQ(page->Print(100, 10, 0, 12, "%s", "one and a half"), single + static_cast<int>(fontHeight * 0.5));
    EXPECT_EQ(page->SetLineSpacing(0.0), 1.5); // ignored
    EXPECT_EQ(page->GetLineSpacing(), 1.5);
}

TEST_F(PageTest, FormatDirectivesInArgumentsPrintLiterally)
{
    auto page = MakePage(CPage::MM_TEXT);
    page->Print(10, 10, 0, 12, "%s", "100% %d %s");
    EXPECT_NE(device.FindText("100% %d %s"), nullptr);
    page->Print(40, 10, 0, 12, "Page: %d", 3);
    EXPECT_NE(device.FindText("Page: 3"), nullptr);
}

TEST_F(PageTest, RegionsStayOnThePage)
{
    auto page = MakePage(CPage::MM_ANISOTROPIC);
    EXPECT_EQ(page->CreateRegion(100, 0, 200, 1001), nullptr);
    EXPECT_EQ(page->CreateRegion(-1, 0, 200, 500), nullptr);
    EXPECT_EQ(page->CreateRegion(100, 0, 1001, 500), nullptr);
    EXPECT_EQ(page->GetRegionCount(), 0U);
    page->SetRightEdge(600);
    CPrintRegion *region = page->CreateRegion(1.0, 0.0, 2.0, 8.0);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(page->GetRegionCount(), 1U);
    EXPECT_EQ(region->GetTop(), 100);
    EXPECT_EQ(region->GetRight(), 600); // clipped to the right edge
    EXPECT_EQ(region->GetFirstRow(), 101);
    EXPECT_EQ(region->GetFirstCol(), 1);

    // Text relative to the region; rows past its bottom print nothing.
    const double next = page->Print(region, 0.0, 0.5, 0x200, 12, "%s", "inside");
    EXPECT_GT(next, 0.0);
    const RecordedText *inside = device.FindText("inside");
    ASSERT_NE(inside, nullptr);
    EXPECT_NEAR(inside->position.x(), (0.5 + 0.01) * Dpi, 1.5);
    EXPECT_GT(inside->position.y(), 1.0 * Dpi);
    EXPECT_EQ(page->Print(region, 1.5, 0.5, 0x200, 12, "%s", "below"), 1.5);
    EXPECT_EQ(device.FindText("below"), nullptr);
}

TEST_F(PageTest, TitledRegionMovesItsFirstRowBelowTheBand)
{
    auto page = MakePage(CPage::MM_ANISOTROPIC);
    CPrintRegion *region = page->CreateRegion(1.0, 0.0, 2.4, 1.6);
    ASSERT_NE(region, nullptr);
    region->DrawBorder();
    region->PrintTitle("File", 15, 0x91, 0);
    EXPECT_GT(region->GetFirstRow(), region->GetTop() + 10);
    EXPECT_LT(region->GetFirstRow(), region->GetTop() + 50);
    const RecordedText *title = device.FindText("File");
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->font.bold());
    // Centred in the region 0 .. 1.6 inches.
    EXPECT_GT(title->position.x(), 0.4 * Dpi);
    EXPECT_LT(title->position.x(), 0.8 * Dpi);
}

TEST_F(PageTest, FilledFrameIsDrawnBeforeItsText)
{
    auto page = MakePage(CPage::MM_TEXT);
    page->PrintBox(100, 100, 140, 400, 0x10 | 0x200, 12, "on black");
    const RecordedText *text = device.FindText("on black");
    ASSERT_NE(text, nullptr);
    ASSERT_FALSE(device.Shapes().empty());
    EXPECT_LT(device.Shapes().back().order, text->order);
    device.Clear();
    CPrintRegion *region = page->CreateRegion(200, 100, 400, 400);
    ASSERT_NE(region, nullptr);
    region->PrintTitle("Dark", 12, 0x10, 0x8);
    const RecordedText *dark = device.FindText("Dark");
    ASSERT_NE(dark, nullptr);
    EXPECT_EQ(dark->colour, QColor(Qt::white));
    bool filledFirst = false;
    for (const auto &s : device.Shapes()) {
        if (s.brush.style() != Qt::NoBrush && s.order < dark->order)
            filledFirst = true;
    }
    EXPECT_TRUE(filledFirst);
}

TEST_F(PageTest, TableColumnsEndAtTheTableRight)
{
    auto page = MakePage(CPage::MM_TEXT);
    TableDescription fixed;
    fixed.inInches = 1;
    fixed.autoWidth = 0;
    fixed.columns = 3;
    fixed.rows = 2;
    fixed.top = 1.0;
    fixed.left = 1.0;
    fixed.right = 5.0;
    for (int c = 0; c < 3; ++c)
        fixed.column[static_cast<std::size_t>(c)].width = 1.0;
    ASSERT_NE(page->CreateTable(&fixed), nullptr);
    EXPECT_EQ(fixed.column[0].width, 100);
    EXPECT_EQ(fixed.column[2].width, 200); // widened to end at 5 inches
    // Header line 1.5 x 10 points, two rows of 1.5 x 10 points, back in inches.
    const int row = static_cast<int>(1.5 * 10 / 72.0 * Dpi);
    EXPECT_NEAR(fixed.bottom, 1.0 + 3 * row / 100.0, 1e-9);
    EXPECT_NE(device.FindText("Col 1"), nullptr);
    EXPECT_NE(device.FindText("Col 3"), nullptr);

    auto grid = MakePage(CPage::MM_TEXT);
    TableDescription automatic;
    automatic.columns = 3;
    automatic.top = 100;
    automatic.left = 100;
    automatic.right = 500;
    ASSERT_NE(grid->CreateTable(&automatic), nullptr);
    EXPECT_EQ(automatic.column[0].width, 133);
    EXPECT_EQ(automatic.column[1].width, 133);
    EXPECT_EQ(automatic.column[2].width, 134); // takes the remainder
}

TEST_F(PageTest, CellsSitInTheirGridBox)
{
    auto page = MakePage(CPage::MM_ANISOTROPIC);
    TableDescription table;
    table.inInches = 1;
    table.autoWidth = 0;
    table.pointSize = 15;
    table.columns = 2;
    table.rows = 3;
    table.top = 2.0;
    table.left = 0.0;
    table.right = 8.0;
    table.column[0] = {6.0, "Curve: 15"};
    table.column[1] = {2.0, " "};
    ASSERT_NE(page->CreateTable(&table), nullptr);
    page->PrintTableCell(&table, 1, 1, 12, 0, "%s", "cell");
    page->PrintTableCell(&table, 3, 0, 12, 0, "%s", "no row 3");
    page->PrintTableCell(&table, 0, 2, 12, 0, "%s", "no column 2");
    EXPECT_EQ(device.FindText("no row 3"), nullptr);
    EXPECT_EQ(device.FindText("no column 2"), nullptr);
    const RecordedText *cell = device.FindText("cell");
    ASSERT_NE(cell, nullptr);
    EXPECT_NEAR(cell->position.x(), 6.0 * Dpi + 2 * 0.8, 1.5);
    // Grid rows of 22 units (1.5 x 15) at 100 dpi over 10 inches: 0.22 inch each.
    const double rowTop = 2.0 * Dpi + 22 + 22;
    EXPECT_GT(cell->position.y(), rowTop);
    EXPECT_LT(cell->position.y(), rowTop + 22);
    EXPECT_NEAR(table.bottom, 2.0 + 4 * 0.22, 0.011);
}

TEST_F(PageTest, TableWiderThanTheRightEdgePrintsNothing)
{
    auto page = MakePage(CPage::MM_ANISOTROPIC);
    page->SetRightEdge(6.0);
    TableDescription table;
    table.inInches = 1;
    table.top = 1.0;
    table.left = 0.0;
    table.right = 8.0;
    EXPECT_EQ(page->CreateTable(&table), nullptr);
    EXPECT_TRUE(device.Shapes().empty());
    EXPECT_TRUE(device.Texts().empty());
    page->PrintTableCell(&table, 0, 0, 12, 0, "%s", "nothing");
    EXPECT_TRUE(device.Texts().empty());
}

TEST_F(PageTest, LinesBoxesAndCheckBoxes)
{
    auto page = MakePage(CPage::MM_TEXT);
    page->DrawLine(1.0, 1.0, 1.0, 3.0, 1, 0);
    ASSERT_EQ(device.Shapes().size(), 1U);
    EXPECT_TRUE(device.Shapes()[0].isLine);
    EXPECT_EQ(device.Shapes()[0].points[1], QPointF(300, 100));
    device.Clear();
    page->DrawBox(100, 100, 200, 300, 1, 0x8, 0);
    ASSERT_EQ(device.Shapes().size(), 1U);
    EXPECT_EQ(device.Shapes()[0].brush.color(), QColor(Qt::black));
    device.Clear();
    // Unticked: label then an empty box; ticked without fill: box and its two diagonals.
    page->PrintCheckBox("Belted", false, 300, 100, 12, true, 1, 0, 0x200);
    EXPECT_NE(device.FindText("Belted"), nullptr);
    EXPECT_EQ(device.Shapes().size(), 1U);
    device.Clear();
    page->PrintCheckBox("Airbag", true, 400, 100, 12, false, 1, 0, 0x200);
    EXPECT_EQ(device.Shapes().size(), 3U);
    const RecordedText *label = device.FindText("Airbag");
    ASSERT_NE(label, nullptr);
    EXPECT_GT(label->position.x(), 100 + page->InchesToUnitsX(12 / 72.0));
}

TEST_F(PageTest, FormatCallbackFeedsValueOutput)
{
    auto page = MakePage(CPage::MM_TEXT);
    EXPECT_EQ(page->PrintValue(10, 10, 5), 0); // no callback yet
    page->SetFormatCallback([](int v) { return "value " + std::to_string(v); });
    EXPECT_GT(page->PrintValue(10, 10, 5), 10);
    EXPECT_NE(device.FindText("value 5"), nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
