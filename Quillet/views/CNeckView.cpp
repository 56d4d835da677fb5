#include "Quillet/views/CNeckView.h"

#include "Quillet/document/CQuilletDoc.h"
#include "platform/chart/content/ChartRules.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include <QResizeEvent>

namespace quillet {

CNeckView::CNeckView(CQuilletDoc &doc, kxchart::ChartFactory factory, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_factory(std::move(factory))
{
    setObjectName(QStringLiteral("neckView"));
    setMinimumSize(200, 150);
    connect(&m_doc, &CQuilletDoc::Updated, this, &CNeckView::OnUpdate);
}

CNeckView::~CNeckView()
{
    if (m_chart)
        m_chart->destroy();
}

std::pair<double, double> CNeckView::LimitLines(int measurement, double firstCritical, double secondCritical)
{
    if (measurement == CQuilletDoc::Axial)
        return {secondCritical, -firstCritical};
    return {firstCritical, -secondCritical};
}

kxchart::ChartContent CNeckView::BuildContent(const CQuilletDoc &doc)
{
    kxchart::ChartContent content;
    const std::vector<double> &x = doc.GetPlotX();
    const std::vector<double> &y = doc.GetPlotY();
    const std::vector<double> &original = doc.GetPlotYOriginal();
    const std::size_t n = std::min(x.size(), y.size());
    const bool moment = doc.GetMeasurement() == CQuilletDoc::Moment;
    const bool twin = moment && doc.IsMomentCorrected() && original.size() == n && n > 0;
    content.curves = twin ? 2 : 1;
    content.points = int(n);
    content.x.assign(x.begin(), x.begin() + std::ptrdiff_t(n));
    content.y.assign(y.begin(), y.begin() + std::ptrdiff_t(n));
    if (twin) {
        content.x.insert(content.x.end(), x.begin(), x.begin() + std::ptrdiff_t(n));
        content.y.insert(content.y.end(), original.begin(), original.end());
        content.legend = {QStringLiteral("Corrected"), QStringLiteral("Original")};
    } else if (moment) {
        // A refused correction leaves the measured moment alone on the chart.
        content.legend = {QStringLiteral("Uncorrected")};
    }
    content.lineStyles.assign(std::size_t(content.curves), kxchart::LineThin);
    content.xLabel = QString::fromStdString(doc.GetXLabel());
    content.yLabel = QString::fromStdString(doc.GetYLabel());
    content.title = QString::fromStdString(doc.GetTitle());
    content.subtitle = QString::fromStdString(doc.GetSubTitle());
    if (n > 0) {
        const auto [upper, lower] = LimitLines(doc.GetMeasurement(), doc.GetFirstCritical(), doc.GetSecondCritical());
        for (const double value : {upper, lower}) {
            kxchart::StraightLine line;
            line.orientation = kxchart::StraightLine::Orientation::Horizontal;
            line.value = value;
            line.from = x.front();
            line.to = x[n - 1];
            line.colour = Qt::red;
            content.lines.push_back(line);
        }
    }
    return content;
}

void CNeckView::OnUpdate(UpdateHint)
{
    if (!m_doc.IsResultReady()) {
        // A failed open shows nothing rather than the previous file's curve.
        if (m_chart) {
            m_chart->destroy();
            m_chart.reset();
            emit ChartChanged();
        }
        update();
        return;
    }
    if (!m_chart && m_factory) {
        m_chart = m_factory();
        if (m_chart && !m_chart->create(this, rect()))
            m_chart.reset();
        if (m_chart && m_chart->widget())
            m_chart->widget()->show();
    }
    if (m_chart) {
        m_chart->content() = BuildContent(m_doc);
        m_chart->reinitialise();
        m_chart->resetZoom();
    }
    update();
    emit ChartChanged();
}

void CNeckView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_chart)
        m_chart->setGeometry(rect());
}

void CNeckView::SaveGraph()
{
    if (HasChart() && m_chart->saveDialog(this) == 0)
        kxres::Warn(this, QString::fromLatin1(kxchart::kSaveFailure));
}

void CNeckView::CustomizeGraph()
{
    if (HasChart() && m_chart->customiseDialog(this) == -1)
        kxres::Warn(this, QString::fromLatin1(kxchart::kCustomiseFailure));
}

void CNeckView::PrintGraph()
{
    if (HasChart())
        m_chart->print(this);
}

void CNeckView::CopyPlot()
{
    if (!HasChart())
        return;
    m_chart->copyPictureToClipboard();
}

} // namespace quillet
