#pragma once

// The neck chart: the load curve (for a moment also its uncorrected twin), the two
// critical limits as horizontal lines and the result in the titles.

#include "platform/chart/Chart.h"

#include <QWidget>

#include <memory>
#include <utility>

namespace quillet {

class CQuilletDoc;
enum class UpdateHint : int;

class CNeckView : public QWidget {
    Q_OBJECT
public:
    explicit CNeckView(CQuilletDoc &doc, kxchart::ChartFactory factory = kxchart::makeChart, QWidget *parent = nullptr);
    ~CNeckView() override;

    // Redraws from the document; without a result the chart is removed.
    void OnUpdate(quillet::UpdateHint hint);
    bool HasChart() const { return m_chart && m_chart->isCreated(); }
    kxchart::Chart *Chart() const { return m_chart.get(); }

    // The limit lines of a measurement (0 shear, 1 moment, 2 axial): upper and lower.
    // Compression is the first load case of the axial pair but lies below zero.
    static std::pair<double, double> LimitLines(int measurement, double firstCritical, double secondCritical);
    static kxchart::ChartContent BuildContent(const CQuilletDoc &doc);

    void SaveGraph();
    void CustomizeGraph();
    void PrintGraph();
    void CopyPlot();

signals:
    void ChartChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    CQuilletDoc &m_doc;
    kxchart::ChartFactory m_factory;
    std::unique_ptr<kxchart::Chart> m_chart;
};

} // namespace quillet
