#pragma once

// HIC's view: one chart at a time in five modes (resultant with the HIC interval,
// the axis signals, the response surface, the SFC curve, the AIS curves).

#include "HIC/document/UpdateHint.h"
#include "platform/chart/Chart.h"

#include <QWidget>

#include <memory>

namespace hic {

class CHICDoc;

class CHICView : public QWidget {
    Q_OBJECT
public:
    // plain draws curves, surface the 3-D surface; both made anew for every drawing.
    CHICView(CHICDoc &doc, kxchart::ChartFactory plain, kxchart::ChartFactory surface, QWidget *parent = nullptr);
    ~CHICView() override;

    // The document changed: the plot of its mode is drawn anew.
    void OnUpdate(UpdateHint hint);

    // Commands of the chart.
    void OnEditCopy();
    void OnSavePdf();
    void OnSaveBmp();
    void OnPrint();

    kxchart::Chart *Chart() const { return m_chart.get(); }

    // The contents of each mode, as drawn.
    void FillResultant(kxchart::ChartContent &c) const;
    void FillXYZ(kxchart::ChartContent &c) const;
    void FillSfc(kxchart::ChartContent &c) const;
    void FillAis(kxchart::ChartContent &c) const;
    void FillSurface(kxchart::ChartContent &c) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Draw();

    CHICDoc &m_doc;
    kxchart::ChartFactory m_plainFactory;
    kxchart::ChartFactory m_surfaceFactory;
    std::unique_ptr<kxchart::Chart> m_chart;
};

} // namespace hic
