#pragma once

// The chart pane: "No Data" until curves are ticked, then the document's packed
// curves with their labels and a "P<parameter>-C<channel>" legend.

#include "Sorvelt/document/UpdateHint.h"
#include "platform/chart/Chart.h"

#include <QRectF>
#include <QWidget>

#include <memory>
#include <optional>

namespace sorvelt {

class CSorveltDoc;

class CSorveltPlot : public QWidget {
    Q_OBJECT
public:
    explicit CSorveltPlot(CSorveltDoc &doc, kxchart::ChartFactory factory = kxchart::makeChart,
                          QWidget *parent = nullptr);
    ~CSorveltPlot() override;

    kxchart::Chart *Chart() const { return m_chart.get(); }
    // Hints other than Tree show the document's curves, or "No Data" without them.
    void OnUpdate(UpdateHint hint);
    void OnEditCopy();
    void OnFilePrint();

    // What the chart shows for the document's content.
    static kxchart::ChartContent BuildContent(const CSorveltDoc &doc);
    static kxchart::ChartContent NoDataContent();

    QSize sizeHint() const override { return {800, 500}; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void CreateChart();

    CSorveltDoc &m_doc;
    kxchart::ChartFactory m_factory;
    std::unique_ptr<kxchart::Chart> m_chart;
    // Kept across rebuilds while Save Zoom is on; only a chart of curves has one.
    std::optional<QRectF> m_zoom;
    bool m_showsCurves = false;
};

} // namespace sorvelt
