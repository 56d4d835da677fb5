#include "Sorvelt/views/CSorveltPlot.h"

#include "Sorvelt/document/CSorveltDoc.h"
#include "platform/chart/content/ChartRules.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include <QResizeEvent>

#include <algorithm>

namespace sorvelt {

CSorveltPlot::CSorveltPlot(CSorveltDoc &doc, kxchart::ChartFactory factory, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_factory(std::move(factory))
{
    setObjectName(QStringLiteral("plotPane"));
    connect(&m_doc, &CSorveltDoc::Updated, this, &CSorveltPlot::OnUpdate);
    CreateChart();
}

CSorveltPlot::~CSorveltPlot()
{
    if (m_chart)
        m_chart->destroy();
}

void CSorveltPlot::CreateChart()
{
    if (m_chart || !m_factory)
        return;
    m_chart = m_factory();
    if (!m_chart)
        return;
    if (!m_chart->create(this, rect())) {
        m_chart.reset();
        return;
    }
    if (QWidget *w = m_chart->widget())
        w->show();
    m_chart->content() = NoDataContent();
    m_chart->reinitialise();
    m_chart->resetImage();
}

kxchart::ChartContent CSorveltPlot::NoDataContent()
{
    kxchart::ChartContent content;
    content.curves = 1;
    content.points = 4;
    content.x.assign(4, 0.1);
    content.y.assign(4, 0.1);
    content.xLabel = QStringLiteral("No Data");
    content.yLabel = QStringLiteral("No Data");
    content.grid = true;
    return content;
}

kxchart::ChartContent CSorveltPlot::BuildContent(const CSorveltDoc &doc)
{
    kxchart::ChartContent content;
    const int points = doc.GetPointsPerCurve();
    const int curves = std::min(doc.GetCurveCount(), int(doc.GetCurves().size()));
    if (points < 2 || curves < 1)
        return NoDataContent();
    content.curves = curves;
    content.points = points;
    content.nullValue = CSorveltDoc::PadValue;
    // The chart draws the curves' own samples: a tick adds one curve, not a copy of all.
    for (int c = 0; c < curves; ++c) {
        const CSignal &curve = doc.GetCurves()[std::size_t(c)];
        const kx::CNSignalPtr &signal = curve.SignalPtr();
        content.sharedCurves.push_back({std::shared_ptr<const std::vector<double>>(signal, &signal->GetX()),
                                        std::shared_ptr<const std::vector<double>>(signal, &signal->GetY())});
        content.legend << QStringLiteral("P%1-C%2").arg(curve.Parameter() + 1).arg(curve.Channel() + 1);
        content.lineStyles.push_back(kxchart::LineStyleCode(0, c));
    }
    content.title = QString::fromStdString(doc.GetTitle());
    content.subtitle = QString::fromStdString(doc.GetSubTitle());
    content.xLabel = QString::fromStdString(doc.GetXLabel());
    content.yLabel = QString::fromStdString(doc.GetYLabel());
    content.grid = true;
    return content;
}

void CSorveltPlot::OnUpdate(UpdateHint hint)
{
    if (hint == UpdateHint::Tree)
        return;
    kxres::Guarded(this, [this] {
        CreateChart();
        if (!m_chart)
            return;
        // The user's zoom on the curves shown so far, taken before the rebuild.
        if (m_showsCurves) {
            QRectF range;
            if (m_chart->zoomRange(range))
                m_zoom = range;
            else
                m_zoom.reset();
        }
        m_chart->content() = BuildContent(m_doc);
        m_showsCurves = !m_chart->content().legend.isEmpty();
        m_chart->reinitialise();
        if (!m_doc.GetSaveZoom()) {
            m_zoom.reset();
            m_chart->resetZoom();
        } else if (m_showsCurves && m_zoom) {
            m_chart->setZoomRange(*m_zoom);
        }
        m_chart->resetImage();
    });
}

void CSorveltPlot::OnEditCopy()
{
    if (m_chart)
        m_chart->copyPictureToClipboard();
}

void CSorveltPlot::OnFilePrint()
{
    if (m_chart)
        m_chart->print(this);
}

void CSorveltPlot::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_chart)
        m_chart->setGeometry(rect());
}

void CSorveltPlot::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    CreateChart();
    if (m_chart)
        m_chart->setGeometry(rect());
}

} // namespace sorvelt
