#pragma once

// The plot: the lower pane of the main window. Owns one chart that shows the
// document's current plot and copies it; printing and images are the document's.

#include "Pellora/document/UpdateHint.h"
#include "Pellora/views/IPlotPane.h"
#include "platform/chart/Chart.h"

#include <QRectF>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace pellora {

class CPelloraDoc;

class CPlotView : public QWidget, public IPlotPane {
    Q_OBJECT
public:
    explicit CPlotView(CPelloraDoc &doc, kxchart::ChartFactory factory = kxchart::makeChart, QWidget *parent = nullptr);
    ~CPlotView() override;

    CPelloraDoc &Document() const { return m_doc; }
    // The current chart, null before the first plot.
    kxchart::Chart *Chart() const { return m_chart.get(); }

    // Hints 1 (file list) and 2 (plot) rebuild the chart when the document holds
    // at least two points; other hints do nothing.
    void OnUpdate(pellora::UpdateHint hint);

    // IPlotPane.
    bool HasChart() const override;
    void CopyPlot() override;
    bool ZoomRange(QRectF &range) const override;
    void OnChartChanged(std::function<void()> changed) override { m_chartChanged = std::move(changed); }

    QSize sizeHint() const override { return {800, 400}; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Destroys the chart, creates a new one and fills it from the document.
    bool RebuildChart();
    // Destroys the chart: the pane is empty.
    void ClearChart();
    // Remembers the user's zoom of the current chart.
    void KeepZoom();

    CPelloraDoc &m_doc;
    kxchart::ChartFactory m_factory;
    std::unique_ptr<kxchart::Chart> m_chart;
    std::optional<QRectF> m_zoom;
    std::function<void()> m_chartChanged;
};

} // namespace pellora
