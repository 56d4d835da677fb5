// Exports of the drawn chart read back as the files they claim to be.

#include "platform/chart/content/ChartRules.h"
#include "platform/chart/PlotChart.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kxchart;

namespace {

ChartContent unequalCurves()
{
    constexpr double pad = 2.220446049250313e-16;
    ChartContent c;
    c.curves = 2;
    c.points = 5;
    c.x = {0.0, 0.001, 0.002, 0.003, 0.004, 0.0, 0.001, 0.002, pad, pad};
    c.y = {0.0, 40.0, 60.0, 30.0, 5.0, 0.0, 20.0, 25.0, pad, pad};
    c.nullValue = pad;
    c.title = "Head Acceleration";
    c.subtitle = "Test 4711";
    c.xLabel = "TIME - SECONDS";
    c.yLabel = "ACCELERATION - G'S";
    c.legend = {"driver.uds", "passenger.uds"};
    return c;
}

} // namespace

TEST(PlotChartExport, ImagesReadBackAtTheirPixelSizeAndThePdfIsAPdf)
{
    PlotChart chart;
    ASSERT_TRUE(chart.create(nullptr, QRect(0, 0, 640, 400)));
    chart.content() = unequalCurves();
    chart.reinitialise();
    QTemporaryDir dir;

    const struct {
        ImageFormat format;
        const char *name;
        const char *reader;
        QSize size;
    } images[] = {
        {ImageFormat::Jpeg, "plot.jpg", "JPG", QSize(1024, 780)},
        {ImageFormat::Jpeg, "small.jpg", "JPG", QSize(320, 240)},
        {ImageFormat::Bitmap, "plot.bmp", "BMP", QSize(640, 480)},
    };
    for (const auto &image : images) {
        const QString path = dir.filePath(image.name);
        ASSERT_TRUE(chart.save(image.format, path, image.size)) << image.name;
        const QImage back(path, image.reader);
        ASSERT_FALSE(back.isNull()) << image.name;
        EXPECT_EQ(back.size(), image.size) << image.name;
        // Something was drawn: not a blank page.
        EXPECT_NE(back.pixelColor(back.width() / 2, back.height() / 2).rgb() & 0xffffff, 0u) << image.name;
    }

    const QString pdf = dir.filePath("plot.pdf");
    ASSERT_TRUE(chart.save(ImageFormat::Vector, pdf, QSize(1000, 500)));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF")) << bytes.left(8).toStdString();
    EXPECT_TRUE(bytes.contains("/Type /Page"));
}

TEST(PlotChartExport, CopiedPictureIsTheClipboardSizeDrawnAtTheClipboardResolution)
{
    PlotChart chart;
    EXPECT_FALSE(chart.copyPictureToClipboard());
    ASSERT_TRUE(chart.create(nullptr, QRect(0, 0, 640, 400)));
    chart.content() = unequalCurves();
    chart.reinitialise();
    chart.setExportResolution(150);

    QApplication::clipboard()->clear();
    ASSERT_TRUE(chart.copyPictureToClipboard());
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), ClipboardImageSize());
    // The resolution of the chart's own exports is left as it was.
    EXPECT_EQ(chart.exportResolution(), 150);

    chart.setExportResolution(ClipboardResolution());
    const QImage atClipboardResolution = chart.render(ClipboardImageSize());
    chart.setExportResolution(96);
    const QImage atScreenResolution = chart.render(ClipboardImageSize());
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
              atClipboardResolution.convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(copied.convertToFormat(QImage::Format_RGB32), atScreenResolution.convertToFormat(QImage::Format_RGB32));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
