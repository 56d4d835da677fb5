// The 3-D surface chart: the data it is given (no OpenGL), and, where an OpenGL
// window can be made (under xvfb-run), a rendered picture with the surface's colours.

#include "platform/chart/TitleText.h"
#include "platform/chart/surface/SurfaceChart.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

kxchart::Surface Ridge()
{
    kxchart::Surface s;
    s.rows = 4;
    s.columns = 5;
    s.xFrom = 0.0;
    s.xTo = 0.08;
    s.yFrom = 2.0;
    s.yTo = 32.0;
    for (int r = 0; r < s.rows; ++r)
        for (int c = 0; c < s.columns; ++c)
            s.values.push_back(100.0 * (r + 1) * (c == 2 ? 3 : 1));
    s.rowLabel = QStringLiteral("Window Size (msec)");
    s.colourLevels = 17;
    return s;
}

TEST(SurfaceChartData, PositionsFollowTheGridAndTheValues)
{
    const kxchart::Surface s = Ridge();
    struct Case {
        int row, column;
        float x, y, z;
    };
    for (const Case c :
         {Case{0, 0, 0.0f, 100.0f, 2.0f}, Case{3, 4, 0.08f, 400.0f, 32.0f}, Case{1, 2, 0.04f, 600.0f, 12.0f}}) {
        const QVector3D p = kxchart::surfacePosition(s, c.row, c.column);
        EXPECT_FLOAT_EQ(p.x(), c.x);
        EXPECT_FLOAT_EQ(p.y(), c.y);
        EXPECT_FLOAT_EQ(p.z(), c.z);
    }
    // A short value list reads as zeros, never past its end.
    kxchart::Surface shortList = s;
    shortList.values.resize(3);
    EXPECT_EQ(kxchart::surfacePosition(shortList, 3, 4).y(), 0.0f);
}

TEST(SurfaceChartData, ContourScaleRunsFromBlueToRed)
{
    const std::vector<QColor> colours = kxchart::contourColours(17);
    ASSERT_EQ(colours.size(), 17u);
    EXPECT_EQ(colours.front().hue(), 240);
    EXPECT_EQ(colours.back().hue(), 0);
    for (std::size_t i = 1; i < colours.size(); ++i)
        EXPECT_LT(colours[i].hue(), colours[i - 1].hue());
}

TEST(SurfaceChartData, NothingIsCreatedWithoutOpenGLWindows)
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "runs on the offscreen platform";
    QWidget parent;
    auto chart = kxchart::makeSurfaceChart();
    EXPECT_FALSE(chart->create(&parent, QRect(0, 0, 400, 300)));
    EXPECT_FALSE(chart->isCreated());
    chart->content().surface = Ridge();
    chart->reinitialise();
    EXPECT_TRUE(chart->render(QSize(200, 100)).isNull());
    EXPECT_FALSE(chart->save(kxchart::ImageFormat::Bitmap, QStringLiteral("/tmp/never.bmp"), QSize(800, 600)));
}

// A grid as fine as a start step of 0.1 ms over 0.15 s and windows every 0.1 ms give.
kxchart::Surface FineGrid()
{
    kxchart::Surface s;
    s.columns = 1539;
    s.rows = 340;
    s.xTo = 0.1439;
    s.yFrom = 2.0;
    s.yTo = 35.9;
    s.values.reserve(std::size_t(s.rows) * std::size_t(s.columns));
    for (int r = 0; r < s.rows; ++r)
        for (int c = 0; c < s.columns; ++c)
            s.values.push_back(300.0 * (r + 1) / s.rows * std::exp(-std::pow((c - 500) / 120.0, 2)));
    s.colourLevels = 17;
    return s;
}

TEST(SurfaceChartData, MeshLinesOnlyWhereCellsShowBetweenThem)
{
    struct Case {
        const char *name;
        int rows, columns;
        QSize pixels;
        bool mesh;
    };
    for (const Case &c : {
             Case{"default grid in the window", 17, 72, QSize(1090, 600), true},
             Case{"default grid in the bitmap", 17, 72, QSize(800, 540), true},
             Case{"default grid on a page", 17, 72, QSize(1575, 1100), true},
             Case{"fine grid in the window", 340, 1539, QSize(1090, 600), false},
             Case{"fine grid on a page", 340, 1539, QSize(1575, 1100), false},
             Case{"fine windows only", 340, 20, QSize(1090, 600), false},
             Case{"one cell", 2, 2, QSize(100, 100), true},
             Case{"one value", 1, 1, QSize(100, 100), true},
         }) {
        kxchart::Surface s;
        s.rows = c.rows;
        s.columns = c.columns;
        EXPECT_EQ(kxchart::meshShown(s, c.pixels), c.mesh) << c.name;
    }
}

TEST(SurfaceChartData, ALargeGridIsDrawnThinnedAndKeepsItsPeak)
{
    struct Case {
        const char *name;
        int rows, columns;
        int peakRow, peakColumn;
        int drawnRows, drawnColumns; // 0: the grid as it is
    };
    for (const Case &c : {
             Case{"default grid", 17, 72, 5, 40, 0, 0},
             Case{"at the bound", 340, 1000, 339, 999, 0, 0},
             Case{"long record", 340, 50001, 200, 31337, 340, 981},
             Case{"just past the bound", 1001, 3, 1000, 2, 501, 3},
             Case{"both axes", 2500, 2500, 1234, 2, 834, 834},
         }) {
        kxchart::Surface s;
        s.rows = c.rows;
        s.columns = c.columns;
        s.xFrom = 0.001;
        s.xTo = 0.001 + 0.0001 * (c.columns - 1);
        s.yFrom = 2.0;
        s.yTo = 2.0 + 0.1 * (c.rows - 1);
        s.rowLabel = QStringLiteral("Window Size (msec)");
        s.colourLevels = 17;
        s.values.resize(std::size_t(c.rows) * std::size_t(c.columns));
        for (int r = 0; r < c.rows; ++r)
            for (int col = 0; col < c.columns; ++col)
                s.values[std::size_t(r) * std::size_t(c.columns) + std::size_t(col)] =
                    0.01 * ((r * 7 + col * 13) % 100);
        const double peak = 5000.0;
        s.values[std::size_t(c.peakRow) * std::size_t(c.columns) + std::size_t(c.peakColumn)] = peak;

        const kxchart::Surface d = kxchart::drawnSurface(s);
        if (c.drawnRows == 0) {
            EXPECT_EQ(d.rows, s.rows) << c.name;
            EXPECT_EQ(d.columns, s.columns) << c.name;
            EXPECT_EQ(d.xTo, s.xTo) << c.name;
            EXPECT_EQ(d.yTo, s.yTo) << c.name;
            EXPECT_TRUE(d.values == s.values) << c.name;
            continue;
        }
        EXPECT_EQ(d.rows, c.drawnRows) << c.name;
        EXPECT_EQ(d.columns, c.drawnColumns) << c.name;
        EXPECT_LE(d.rows, kxchart::kMostDrawnCells) << c.name;
        EXPECT_LE(d.columns, kxchart::kMostDrawnCells) << c.name;
        ASSERT_EQ(d.values.size(), std::size_t(d.rows) * std::size_t(d.columns)) << c.name;
        EXPECT_EQ(d.rowLabel, s.rowLabel) << c.name;
        EXPECT_EQ(d.colourLevels, s.colourLevels) << c.name;
        // The peak is drawn with its value where its block starts, and nothing is higher.
        const auto top = std::max_element(d.values.begin(), d.values.end());
        EXPECT_EQ(*top, peak) << c.name;
        const int at = int(top - d.values.begin());
        const QVector3D drawn = kxchart::surfacePosition(d, at / d.columns, at % d.columns);
        const int rowStep = (c.rows + d.rows - 1) / d.rows;
        const int columnStep = (c.columns + d.columns - 1) / d.columns;
        const QVector3D first =
            kxchart::surfacePosition(s, c.peakRow / rowStep * rowStep, c.peakColumn / columnStep * columnStep);
        EXPECT_NEAR(drawn.x(), first.x(), 1e-6) << c.name;
        EXPECT_NEAR(drawn.z(), first.z(), 1e-4) << c.name;
        EXPECT_FLOAT_EQ(drawn.y(), float(peak)) << c.name;
        // Every drawn value is its block's largest.
        for (int r = 0; r < d.rows; r += std::max(1, d.rows / 7)) {
            for (int col = 0; col < d.columns; col += std::max(1, d.columns / 7)) {
                double most = -1.0;
                for (int rr = r * rowStep; rr < std::min(c.rows, (r + 1) * rowStep); ++rr)
                    for (int cc = col * columnStep; cc < std::min(c.columns, (col + 1) * columnStep); ++cc)
                        most = std::max(most, s.values[std::size_t(rr) * std::size_t(c.columns) + std::size_t(cc)]);
                EXPECT_EQ(d.values[std::size_t(r) * std::size_t(d.columns) + std::size_t(col)], most)
                    << c.name << " at " << r << ", " << col;
            }
        }
    }
}

bool CanMakeGlContext()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return false;
    QOpenGLContext context;
    if (!context.create())
        return false;
    QOffscreenSurface surface;
    surface.create();
    return context.makeCurrent(&surface);
}

// A surface chart shown in a window of the given size; the test is skipped where no
// OpenGL context can be made.
class SurfaceChartGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CanMakeGlContext())
            GTEST_SKIP() << "no OpenGL context (run under xvfb-run)";
    }
    bool Show(QSize size)
    {
        parent.resize(size);
        parent.show();
        chart = kxchart::makeSurfaceChart();
        return chart->create(&parent, QRect(QPoint(0, 0), size));
    }

    QWidget parent;
    std::unique_ptr<kxchart::Chart> chart;
};

TEST_F(SurfaceChartGl, RendersTheSurfaceInItsColours)
{
    ASSERT_TRUE(Show(QSize(640, 480)));
    chart->content().title = QStringLiteral("Ridge");
    chart->content().surface = Ridge();
    chart->reinitialise();
    QApplication::processEvents();
    const QImage image = chart->render(QSize(800, 600));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(800, 600));
    // The low ground is blue, the ridge reaches red.
    int blue = 0, red = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            if (c.saturation() < 120 || c.value() < 80)
                continue;
            if (c.hue() >= 200 && c.hue() <= 250)
                ++blue;
            if (c.hue() <= 15 || c.hue() >= 345)
                ++red;
        }
    }
    EXPECT_GT(blue, 50);
    EXPECT_GT(red, 5);
    const auto dir = std::filesystem::temp_directory_path() / "hic-surface-gl-test";
    std::filesystem::create_directories(dir);
    const QString bmp = QString::fromStdString((dir / "surface.bmp").string());
    ASSERT_TRUE(chart->save(kxchart::ImageFormat::Bitmap, bmp, QSize(800, 600)));
    EXPECT_EQ(QImage(bmp).size(), QSize(800, 600));
    const QString pdf = QString::fromStdString((dir / "surface.pdf").string());
    ASSERT_TRUE(chart->save(kxchart::ImageFormat::Vector, pdf, QSize(1000, 500)));
    EXPECT_GT(std::filesystem::file_size(pdf.toStdString()), 1000u);
    chart->destroy();
    std::filesystem::remove_all(dir);
}

TEST_F(SurfaceChartGl, TheWholeSurfaceStaysInAWideView)
{
    ASSERT_TRUE(Show(QSize(1000, 500)));
    chart->content().surface = Ridge();
    chart->reinitialise();
    QApplication::processEvents();
    // The page and window shape: no coloured surface may touch the picture's edges.
    for (const QSize size : {QSize(1000, 500), QSize(1600, 800)}) {
        const QImage image = chart->render(size);
        ASSERT_FALSE(image.isNull());
        int onEdge = 0;
        const auto coloured = [&](int x, int y) {
            const QColor c = image.pixelColor(x, y);
            return c.saturation() >= 120 && c.value() >= 80;
        };
        for (int x = 0; x < image.width(); ++x)
            onEdge += coloured(x, image.height() - 1) + coloured(x, image.height() - 3);
        for (int y = 0; y < image.height(); ++y)
            onEdge += coloured(0, y) + coloured(image.width() - 1, y);
        EXPECT_EQ(onEdge, 0) << size.width() << " x " << size.height();
    }
    chart->destroy();
}

// Dark grey: text and the wireframe, not the coloured surface or the faint grid.
bool Ink(const QColor &c)
{
    const int spread = std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
    return spread < 40 && c.lightness() < 110;
}

// Heights in pixels of the glyphs of the labels: connected blots of ink of letter size.
std::vector<int> GlyphHeights(const QImage &image)
{
    const int w = image.width(), h = image.height();
    std::vector<char> ink(std::size_t(w) * std::size_t(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ink[std::size_t(y) * std::size_t(w) + std::size_t(x)] = Ink(image.pixelColor(x, y));
    std::vector<int> heights;
    std::vector<std::pair<int, int>> stack;
    for (int y0 = 0; y0 < h; ++y0) {
        for (int x0 = 0; x0 < w; ++x0) {
            if (!ink[std::size_t(y0) * std::size_t(w) + std::size_t(x0)])
                continue;
            int top = y0, bottom = y0, left = x0, right = x0, pixels = 0;
            stack.assign(1, {x0, y0});
            ink[std::size_t(y0) * std::size_t(w) + std::size_t(x0)] = 0;
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                ++pixels;
                top = std::min(top, y), bottom = std::max(bottom, y);
                left = std::min(left, x), right = std::max(right, x);
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                            continue;
                        char &next = ink[std::size_t(ny) * std::size_t(w) + std::size_t(nx)];
                        if (next) {
                            next = 0;
                            stack.push_back({nx, ny});
                        }
                    }
                }
            }
            const int height = bottom - top + 1, width = right - left + 1;
            // Dots and commas are too small to tell, lines and the wireframe too long.
            if (pixels >= 6 && height >= 3 && height <= 80 && width <= 80 && width <= 3 * height)
                heights.push_back(height);
        }
    }
    return heights;
}

int Median(std::vector<int> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2), values.end());
    return values[values.size() / 2];
}

TEST_F(SurfaceChartGl, LabelsAreReadableInTheWindowAndInTheBitmap)
{
    ASSERT_TRUE(Show(QSize(1100, 660)));
    chart->content().xLabel = QStringLiteral("T1 (sec)");
    chart->content().yLabel = QStringLiteral("HIC");
    chart->content().surface = Ridge();
    chart->reinitialise();
    QApplication::processEvents();
    // The graph of the default window, and the bitmap that File / Save / Bmp writes
    // (the titles above it take their share of the 600 rows).
    for (const QSize size : {QSize(1090, 600), QSize(800, 540)}) {
        const QImage image = chart->render(size);
        const std::vector<int> glyphs = GlyphHeights(image);
        ASSERT_GE(glyphs.size(), 30u) << size.width() << " x " << size.height();
        EXPECT_GE(Median(glyphs), 11) << size.width() << " x " << size.height();
        // No label is cut by the picture's edges.
        int onEdge = 0;
        for (int x = 0; x < image.width(); ++x)
            onEdge += Ink(image.pixelColor(x, 0)) + Ink(image.pixelColor(x, image.height() - 1));
        for (int y = 0; y < image.height(); ++y)
            onEdge += Ink(image.pixelColor(0, y)) + Ink(image.pixelColor(image.width() - 1, y));
        EXPECT_EQ(onEdge, 0) << size.width() << " x " << size.height();
    }
    chart->destroy();
}

TEST_F(SurfaceChartGl, APrintedPageHoldsTheGraphAtAPageResolution)
{
    ASSERT_TRUE(Show(QSize(800, 500)));
    chart->content().title = QStringLiteral("Ridge");
    chart->content().surface = Ridge();
    chart->reinitialise();
    QApplication::processEvents();
    const auto dir = std::filesystem::temp_directory_path() / "hic-surface-print-test";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "page.pdf").string();
    {
        // The printer the print dialog hands over: high resolution, A4 across.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(file));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        ASSERT_GE(printer.resolution(), 600);
        QPainter painter;
        ASSERT_TRUE(painter.begin(&printer));
        const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
        EXPECT_TRUE(chart->paint(painter, QRect(QPoint(0, 0), page.size())));
        ASSERT_TRUE(painter.end());
    }
    std::ifstream in(file, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The picture's width in pixels, against the 11.7 inches of the page.
    const QRegularExpressionMatch image =
        QRegularExpression(QStringLiteral("/Subtype /Image\\s*/Width (\\d+)")).match(QString::fromLatin1(pdf));
    ASSERT_TRUE(image.hasMatch());
    const int width = image.captured(1).toInt();
    EXPECT_LE(width, int(11.7 * 300));
    EXPECT_GE(width, int(10.0 * 100));
    chart->destroy();
    std::filesystem::remove_all(dir);
}

TEST_F(SurfaceChartGl, ALongSubtitleIsDrawnWholeInTheBitmapAndOnThePage)
{
    ASSERT_TRUE(Show(QSize(1100, 660)));
    // The longest the program makes: an unwindowed result of six digits with a contour
    // factor, under a title typed in the label box.
    const QString title = QStringLiteral("Sled test 2718 driver head resultant, CFC 1000, ").repeated(4);
    const QString subtitle =
        QStringLiteral("Unwindowed HIC = 318778.241  from 1234.5 to 1290.5 ms (56.0 ms); Contour factor = 1/1000");
    chart->content().title = title;
    chart->content().subtitle = subtitle;
    chart->content().surface = Ridge();
    chart->reinitialise();
    QApplication::processEvents();
    for (const QSize size : {QSize(800, 600), QSize(640, 480), QSize(3300, 2400)}) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        QString drawn;
        for (const kxchart::DrawnText &text : kxchart::drawnTexts(*chart, size)) {
            drawn += text.text;
            EXPECT_GE(text.bounds.left(), 0.0) << text.text.toStdString();
            EXPECT_LE(text.bounds.right(), size.width()) << text.text.toStdString();
        }
        const auto squeezed = [](QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); };
        EXPECT_TRUE(squeezed(drawn).contains(squeezed(title))) << drawn.toStdString();
        EXPECT_TRUE(squeezed(drawn).contains(squeezed(subtitle))) << drawn.toStdString();
    }
    chart->destroy();
}

TEST_F(SurfaceChartGl, AFineGridShowsItsColoursNotItsMesh)
{
    ASSERT_TRUE(Show(QSize(1100, 660)));
    chart->content().surface = FineGrid();
    chart->reinitialise();
    QApplication::processEvents();
    for (const QSize size : {QSize(800, 600), QSize(1600, 1100)}) {
        const QImage image = chart->render(size);
        ASSERT_FALSE(image.isNull());
        // Of the surface's pixels (all but the white ground and the grey box), most
        // show a colour of the scale; mesh lines a pixel apart would turn them black.
        int coloured = 0, dark = 0;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                const QColor c = image.pixelColor(x, y);
                if (c.saturation() >= 120 && c.value() >= 80)
                    ++coloured;
                else if (c.value() < 60)
                    ++dark;
            }
        }
        EXPECT_GT(coloured, 4 * dark) << size.width() << " x " << size.height();
    }
    chart->destroy();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
