// The 3-D surface chart: the data it is given (no OpenGL), and, where an OpenGL
// window can be made (under xvfb-run), a rendered picture with the surface's colours.

#include "platform/chart/surface/SurfaceChart.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QWidget>

#include <filesystem>

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
    for (const Case c : {Case{0, 0, 0.0f, 100.0f, 2.0f}, Case{3, 4, 0.08f, 400.0f, 32.0f},
                         Case{1, 2, 0.04f, 600.0f, 12.0f}}) {
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

TEST(SurfaceChartGl, RendersTheSurfaceInItsColours)
{
    if (!CanMakeGlContext())
        GTEST_SKIP() << "no OpenGL context (run under xvfb-run)";
    QWidget parent;
    parent.resize(640, 480);
    parent.show();
    auto chart = kxchart::makeSurfaceChart();
    ASSERT_TRUE(chart->create(&parent, QRect(0, 0, 640, 480)));
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

TEST(SurfaceChartGl, TheWholeSurfaceStaysInAWideView)
{
    if (!CanMakeGlContext())
        GTEST_SKIP() << "no OpenGL context (run under xvfb-run)";
    QWidget parent;
    parent.resize(1000, 500);
    parent.show();
    auto chart = kxchart::makeSurfaceChart();
    ASSERT_TRUE(chart->create(&parent, QRect(0, 0, 1000, 500)));
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

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
