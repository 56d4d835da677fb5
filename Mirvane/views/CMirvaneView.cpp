#include "Mirvane/views/CMirvaneView.h"

#include "Mirvane/core/CPlot.h"
#include "Mirvane/core/SummaryText.h"
#include "Mirvane/document/CMirvaneDoc.h"
#include "Mirvane/views/CResultsModel.h"
#include "platform/chart/content/ChartRules.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QResizeEvent>
#include <QTableView>
#include <QUrl>

namespace mirvane {

CMirvaneView::CMirvaneView(CMirvaneDoc &doc, kxchart::ChartFactory factory, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_factory(std::move(factory))
{
    m_model = new CResultsModel(m_doc, this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("results"));
    m_table->setModel(m_model);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setShowGrid(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionsMovable(true);
    m_table->hide();

    openHelp = [](const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    connect(&m_doc, &CMirvaneDoc::Updated, this, &CMirvaneView::OnUpdate);
}

CMirvaneView::~CMirvaneView() = default;

void CMirvaneView::DestroyChart()
{
    if (m_chart) {
        m_chart->destroy();
        m_chart.reset();
    }
}

void CMirvaneView::OnUpdate(UpdateHint hint)
{
    if (!m_doc.HasSignals()) {
        DestroyChart();
        m_table->hide();
        m_model->Refill();
        emit PlotKindsCleared();
        return;
    }
    if (hint == UpdateHint::Run)
        emit PlotKindsChanged(m_doc.PlotKinds());
    if (m_doc.CurrentPlotKind() != PlotSummary) {
        m_table->hide();
        if (!m_chart) {
            m_chart = m_factory();
            m_chart->create(this, rect());
        }
        FillChart();
    } else {
        DestroyChart();
        m_table->setGeometry(rect());
        m_table->show();
        m_model->Refill();
        m_table->resizeColumnsToContents();
    }
}

void CMirvaneView::FillChart()
{
    kxchart::ChartContent &c = m_chart->content();
    const int curves = m_doc.SeriesCount();
    const int points = m_doc.PointCount();
    std::vector<double> x, y;
    m_doc.TakeChartArrays(x, y);
    // A plot drawn before keeps its arrays in the chart.
    if (!x.empty() || curves * points == 0) {
        c.x = std::move(x);
        c.y = std::move(y);
        c.curves = curves;
        c.points = points;
    }
    c.nullValue = m_doc.MissingValue();
    c.title = QString::fromStdString(m_doc.Title());
    c.subtitle = QString::fromStdString(m_doc.SubTitle());
    c.xLabel = QString::fromStdString(m_doc.XAxisTitle());
    c.yLabel = QString::fromStdString(m_doc.YAxisTitle());
    c.legend.clear();
    for (const std::string &label : m_doc.Labels())
        c.legend << QString::fromStdString(label);
    c.lineStyles.clear();
    for (int i = 0; i < c.curves; ++i)
        c.lineStyles.push_back(kxchart::LineStyleCode(0, i));
    m_chart->reinitialise();
}

void CMirvaneView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_table->setGeometry(rect());
    if (m_chart)
        m_chart->setGeometry(rect());
}

std::vector<int> CMirvaneView::ColumnOrder() const
{
    std::vector<int> order;
    const QHeaderView *header = m_table->horizontalHeader();
    for (int visual = 0; visual < kColumnCount; ++visual)
        order.push_back(header->logicalIndex(visual));
    return order;
}

void CMirvaneView::OnCopy()
{
    if (HasChart())
        m_chart->copyPictureToClipboard();
}

void CMirvaneView::OnCopyData()
{
    if (m_doc.CurrentPlotKind() == PlotSummary)
        m_doc.CopyData(ColumnOrder());
}

void CMirvaneView::OnPrint()
{
    if (HasChart())
        m_chart->print(this);
}

void CMirvaneView::OnSaveBitmap()
{
    if (!HasChart())
        return;
    m_doc.SaveChart("Save Bitmap as", "Windows Bitmap(*.bmp)", kxchart::kSaveFailure, [this](const std::string &path) {
        return m_chart->save(kxchart::ImageFormat::Bitmap, QString::fromStdString(path), size());
    });
}

void CMirvaneView::OnSavePdf()
{
    if (!HasChart())
        return;
    m_doc.SaveChart("Save PDF as", "PDF Document(*.pdf)", kxchart::kSaveFailure, [this](const std::string &path) {
        return m_chart->save(kxchart::ImageFormat::Vector, QString::fromStdString(path), kxchart::VectorSize(QSize()));
    });
}

void CMirvaneView::OnSaveHtml()
{
    if (m_doc.CurrentPlotKind() == PlotSummary)
        m_doc.OnSaveHtml(ColumnOrder());
}

QStringList CMirvaneView::HelpPageCandidates()
{
    return HelpPageCandidates(QCoreApplication::applicationDirPath());
}

QStringList CMirvaneView::HelpPageCandidates(const QString &programDir)
{
    return {QDir::cleanPath(programDir + QStringLiteral("/../share/mirvane/mirvane-help.html"))};
}

void CMirvaneView::OnHelp()
{
    for (const QString &candidate : helpPages) {
        if (QFileInfo::exists(candidate)) {
            if (!openHelp(QFileInfo(candidate).absoluteFilePath()))
                m_doc.Report("Unable to open the help page: " + candidate.toStdString());
            return;
        }
    }
    m_doc.Report("The help page mirvane-help.html is not installed.");
}

} // namespace mirvane
