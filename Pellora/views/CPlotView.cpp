#include "Pellora/views/CPlotView.h"

#include "Pellora/document/CPelloraDoc.h"

#include <QPainter>
#include <QResizeEvent>

namespace pellora {

CPlotView::CPlotView(CPelloraDoc &doc, kxchart::ChartFactory factory, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_factory(std::move(factory))
{
    setObjectName(QStringLiteral("plotView"));
    setMinimumSize(200, 120);
    // Shares the splitter's room equally with the file list.
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHorizontalStretch(1);
    policy.setVerticalStretch(1);
    setSizePolicy(policy);
    connect(&m_doc, &CPelloraDoc::Updated, this, &CPlotView::OnUpdate);
}

CPlotView::~CPlotView()
{
    if (m_chart)
        m_chart->destroy();
}

bool CPlotView::HasChart() const
{
    return m_chart && m_chart->isCreated();
}

bool CPlotView::ZoomRange(QRectF &range) const
{
    return HasChart() && m_chart->zoomRange(range);
}

void CPlotView::OnUpdate(UpdateHint hint)
{
    if (hint != UpdateHint::FileList && hint != UpdateHint::Plot)
        return;
    // Nothing to plot: an empty pane, never the chart of data no longer selected.
    if (m_doc.GetMaxPointCount() < 2)
        ClearChart();
    else
        RebuildChart();
    // The frame enables the chart commands by what the view holds now.
    if (m_chartChanged)
        m_chartChanged();
}

void CPlotView::KeepZoom()
{
    QRectF range;
    if (m_chart && m_chart->zoomRange(range))
        m_zoom = range;
    else if (m_chart)
        m_zoom.reset();
}

void CPlotView::ClearChart()
{
    if (!m_chart)
        return;
    KeepZoom();
    m_chart->destroy();
    m_chart.reset();
    update();
}

bool CPlotView::RebuildChart()
{
    if (m_chart) {
        KeepZoom();
        m_chart->destroy();
        m_chart.reset();
    }
    if (!m_factory)
        return false;
    m_chart = m_factory();
    if (!m_chart)
        return false;
    if (!m_chart->create(this, rect()))
        return false;
    if (QWidget *w = m_chart->widget())
        w->show();
    m_chart->content() = m_doc.BuildPlotContent();
    m_chart->reinitialise();
    // With "Save Zoom Settings between Plots" the user's zoom survives a new plot.
    if (m_doc.GetSaveZoom() && m_zoom)
        m_chart->setZoomRange(*m_zoom);
    m_chart->resetImage();
    update();
    return true;
}

void CPlotView::CopyPlot()
{
    if (HasChart())
        m_chart->copyPictureToClipboard();
}

void CPlotView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_chart)
        m_chart->setGeometry(rect());
}

void CPlotView::paintEvent(QPaintEvent *event)
{
    // Nothing is erased under a chart: it covers the whole view.
    if (HasChart() && m_chart->widget())
        return;
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
}

} // namespace pellora
