// Curves drawn from their owner's arrays: the same picture as copied curves, without
// a copy of the samples inside the chart.

#include "platform/chart/PlotChart.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace kxchart;

namespace {

using Samples = std::vector<double>;

struct Curve {
    Samples x, y;
};

// A curve of n points from t0 with step dt; a ripple on a pulse, so that every pixel
// column holds a different spread of values.
Curve Pulse(std::size_t n, double t0, double dt, double height, double ripple)
{
    Curve c;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = t0 + double(i) * dt;
        const double u = double(i) / double(n);
        c.x.push_back(t);
        c.y.push_back(height * std::exp(-40.0 * (u - 0.4) * (u - 0.4)) + ripple * std::sin(double(i) * 0.37));
    }
    return c;
}

// The packed content and the shared content of the same curves.
ChartContent Packed(const std::vector<Curve> &curves, const std::vector<int> &styles)
{
    constexpr double pad = 2.220446049250313e-16;
    ChartContent c;
    c.curves = int(curves.size());
    for (const Curve &curve : curves)
        c.points = std::max(c.points, int(curve.x.size()));
    c.x.assign(std::size_t(c.curves * c.points), pad);
    c.y.assign(std::size_t(c.curves * c.points), pad);
    for (std::size_t k = 0; k < curves.size(); ++k) {
        std::copy(curves[k].x.begin(), curves[k].x.end(), c.x.begin() + std::ptrdiff_t(k * std::size_t(c.points)));
        std::copy(curves[k].y.begin(), curves[k].y.end(), c.y.begin() + std::ptrdiff_t(k * std::size_t(c.points)));
        c.legend << QString("Curve %1").arg(k + 1);
    }
    c.nullValue = pad;
    c.lineStyles = styles;
    c.title = "Shared";
    c.xLabel = "Time";
    c.yLabel = "G";
    return c;
}

ChartContent Shared(const std::vector<Curve> &curves, const std::vector<int> &styles)
{
    ChartContent c = Packed(curves, styles);
    c.x.clear();
    c.y.clear();
    for (const Curve &curve : curves)
        c.sharedCurves.push_back({std::make_shared<const Samples>(curve.x), std::make_shared<const Samples>(curve.y)});
    return c;
}

QImage Draw(const ChartContent &content, const QRectF *zoom, PlotChart &chart)
{
    EXPECT_TRUE(chart.create(nullptr, QRect(0, 0, 900, 520)));
    chart.content() = content;
    chart.reinitialise();
    if (zoom)
        chart.setZoomRange(*zoom);
    return chart.render(QSize(900, 520));
}

int Differing(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

} // namespace

TEST(PlotChartShared, DrawsWhatTheCopiedCurvesDraw)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Curve withGap = Pulse(60000, 0.0, 1e-5, 30.0, 2.0);
    withGap.y[30000] = nan;
    withGap.y[0] = nan;
    // Sparse at first, then dense: some pixel steps hold one point, others thousands.
    Curve mixed;
    for (int i = 0; i < 40; ++i) {
        mixed.x.push_back(i * 0.005);
        mixed.y.push_back(5.0 * std::sin(i * 0.4));
    }
    const Curve burst = Pulse(100000, 0.2, 4e-6, -25.0, 4.0);
    mixed.x.insert(mixed.x.end(), burst.x.begin(), burst.x.end());
    mixed.y.insert(mixed.y.end(), burst.y.begin(), burst.y.end());
    const QRectF middle(QPointF(0.1, -40.0), QPointF(0.3, 50.0));
    const QRectF narrow(QPointF(0.2501, -40.0), QPointF(0.2503, 50.0));

    const struct {
        const char *name;
        std::vector<Curve> curves;
        std::vector<int> styles;
        const QRectF *zoom;
    } cases[] = {
        {"dense, three styles, one shorter",
         {Pulse(200000, 0.0, 3e-6, 40.0, 3.0), Pulse(150000, 0.0, 3e-6, -20.0, 1.0),
          Pulse(200000, 0.0, 3e-6, 10.0, 6.0)},
         {0, 1, 6},
         nullptr},
        {"sparse", {Pulse(50, 0.0, 0.01, 12.0, 1.0), Pulse(30, 0.1, 0.01, -8.0, 0.5)}, {5, 3}, nullptr},
        {"gaps of NaN", {withGap}, {0}, nullptr},
        {"sparse then dense", {mixed}, {2}, nullptr},
        {"zoomed into the middle", {mixed, Pulse(120000, 0.0, 4e-6, 15.0, 2.0)}, {0, 7}, &middle},
        {"zoomed into a few points", {mixed}, {5}, &narrow},
    };
    for (const auto &c : cases) {
        PlotChart copied, shared;
        const QImage a = Draw(Packed(c.curves, c.styles), c.zoom, copied);
        const QImage b = Draw(Shared(c.curves, c.styles), c.zoom, shared);
        ASSERT_EQ(a.size(), b.size()) << c.name;
        EXPECT_EQ(Differing(a, b), 0) << c.name;
        EXPECT_EQ(copied.plot()->xAxis->range(), shared.plot()->xAxis->range()) << c.name;
        EXPECT_EQ(copied.plot()->yAxis->range(), shared.plot()->yAxis->range()) << c.name;
        // Drawn again at another place along X: nothing of the first draw is reused.
        const QRectF later(QPointF(0.05, -40.0), QPointF(0.26, 50.0));
        copied.setZoomRange(later);
        shared.setZoomRange(later);
        EXPECT_EQ(Differing(copied.render(QSize(900, 520)), shared.render(QSize(900, 520))), 0) << c.name;
    }
}

TEST(PlotChartShared, HoldsNoCopyOfTheSamplesAndFallsBackForXYCurves)
{
    PlotChart chart;
    ASSERT_TRUE(chart.create(nullptr, QRect(0, 0, 600, 400)));
    const Curve time = Pulse(100000, 0.0, 1e-5, 10.0, 1.0);
    // Force over deflection: X runs out and back, drawn in the order of its points.
    const Curve xy{{0.0, -10.0, -38.0, -12.0, 0.0}, {0.0, 1000.0, 7200.0, 3000.0, 0.0}};
    ChartContent c = Shared({time, xy}, {0, 0});
    chart.content() = c;
    chart.reinitialise();
    QCustomPlot *plot = chart.plot();
    ASSERT_EQ(plot->plottableCount(), 2);
    auto *graph = qobject_cast<QCPGraph *>(plot->plottable(0));
    ASSERT_NE(graph, nullptr);
    // Only the end points are held; the axes still span the whole curve.
    EXPECT_LE(graph->dataCount(), 2);
    EXPECT_DOUBLE_EQ(graph->data()->at(1)->key, time.x.back());
    auto *curve = qobject_cast<QCPCurve *>(plot->plottable(1));
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->dataCount(), 5);
    EXPECT_LE(plot->xAxis->range().lower, -38.0);
    EXPECT_GE(plot->yAxis->range().upper, 7200.0);

    // A curve that is dropped lets go of its arrays.
    std::weak_ptr<const Samples> held = c.sharedCurves[0].y;
    c = ChartContent{};
    chart.content() = ChartContent{};
    chart.reinitialise();
    EXPECT_TRUE(held.expired());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
