#pragma once

#include "platform/chart/Chart.h"

#include <QPen>
#include <QPointer>
#include <QRectF>

#include <memory>
#include <vector>

class QCustomPlot;

namespace kxchart {

struct SharedLineCache;

// The chart drawn by QCustomPlot.
class PlotChart : public Chart {
public:
    PlotChart();
    ~PlotChart() override;

    bool create(QWidget *parent, const QRect &rect) override;
    void destroy() override;
    bool isCreated() const override;
    QWidget *widget() const override;
    void setGeometry(const QRect &rect) override;

    ChartContent &content() override { return m_content; }
    const ChartContent &content() const override { return m_content; }
    void reinitialise() override;
    void resetImage() override;
    void resetZoom() override;
    bool zoomRange(QRectF &range) const override;
    void setZoomRange(const QRectF &range) override;

    int exportResolution() const override { return m_dpi; }
    void setExportResolution(int dpi) override;

    bool copyToClipboard(const QSize &size) override;
    bool save(ImageFormat format, const QString &path, const QSize &size) override;
    QImage render(const QSize &size) override;
    bool paint(QPainter &painter, const QRect &target) override;
    bool print(QWidget *dialogParent) override;

    int customiseDialog(QWidget *parent) override;
    int saveDialog(QWidget *parent) override;

    // The pen a curve of the given style code and index is drawn with.
    static QPen penForStyle(int code, int curve);

    // The drawing widget, for the chart layer's own tests.
    QCustomPlot *plot() const;

    // How many times the chart was drawn (replotted) since its last reinitialise.
    int drawCount() const { return m_draws; }

private:
    void build();
    // The automatic axis ranges, without drawing.
    void rescale();

    // What a scan of a shared curve's arrays found, kept across rebuilds so that only
    // new arrays are scanned.
    struct SharedFacts {
        SharedCurve curve;
        const double *xData = nullptr;
        const double *yData = nullptr;
        std::size_t count = 0;
        bool drawable = false; // X finite and never decreasing
        bool hasValues = false;
        double low = 0.0, high = 0.0;           // Y range over the first count points
        std::shared_ptr<SharedLineCache> lines; // what the last draw took from the arrays
    };
    SharedFacts factsOf(const SharedCurve &curve, std::size_t limit, const std::vector<SharedFacts> &known) const;

    ChartContent m_content;
    std::vector<SharedFacts> m_sharedFacts;
    QPointer<QCustomPlot> m_plot;
    int m_dpi = 96;
    int m_draws = 0;
    QRectF m_autoRange;
};

} // namespace kxchart
