#include "Pellora/views/CPlotOutput.h"

#include "platform/chart/content/ChartRules.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/printing/PageSetup.h"

#include <QPageLayout>
#include <QPainter>
#include <QPicture>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace pellora {

namespace {

// The window size the chart lays itself out in before it is drawn or saved.
const QRect ChartWindow(0, 0, 800, 400);

} // namespace

std::unique_ptr<kxchart::Chart> MakePlotChart(const kxchart::ChartFactory &factory, const CPlotPicture &picture)
{
    if (!factory)
        return nullptr;
    std::unique_ptr<kxchart::Chart> chart = factory();
    if (!chart || !chart->create(nullptr, ChartWindow))
        return nullptr;
    chart->content() = picture.content;
    chart->reinitialise();
    if (picture.zoom)
        chart->setZoomRange(*picture.zoom);
    chart->resetImage();
    return chart;
}

bool SavePlotPicture(const kxchart::ChartFactory &factory, const CPlotPicture &picture, PlotImageKind kind,
                     const QString &path, const QSize &size)
{
    std::unique_ptr<kxchart::Chart> chart = MakePlotChart(factory, picture);
    if (!chart)
        return false;
    const bool saved = kind == PlotImageKind::Jpeg
                           ? chart->save(kxchart::ImageFormat::Jpeg, path, size)
                           : chart->save(kxchart::ImageFormat::Vector, path, kxchart::VectorSize(size));
    chart->destroy();
    return saved;
}

// The preview's pages, one file of drawing commands each.
struct CPlotPrintJob::Spool {
    QTemporaryDir folder;
    QString PagePath(int index) const { return folder.filePath(QStringLiteral("page%1.pic").arg(index)); }
};

CPlotPrintJob::CPlotPrintJob(QPrinter &printer, bool preview, const std::array<double, 4> &margins, int unit,
                             kxchart::ChartFactory factory, QWidget *previewParent)
    : m_printer(printer)
    , m_preview(preview)
    , m_margins(margins)
    , m_unit(unit)
    , m_factory(std::move(factory))
    , m_previewParent(previewParent)
{
    // Plots are printed landscape only.
    m_printer.setPageOrientation(QPageLayout::Landscape);
    m_target = TargetOn(m_printer);
    if (m_preview)
        m_spool = std::make_unique<Spool>();
}

CPlotPrintJob::~CPlotPrintJob()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

bool CPlotPrintJob::HasRoom() const
{
    return !m_target.isEmpty();
}

QRect CPlotPrintJob::TargetOn(const QPrinter &printer) const
{
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    return PrintTarget(layout, dpi, PrintMargins(m_margins, m_unit, layout, dpi));
}

bool CPlotPrintJob::Draw(QPainter &painter, const CPlotPicture &picture, const QRect &target, int dpi) const
{
    std::unique_ptr<kxchart::Chart> chart = MakePlotChart(m_factory, picture);
    if (!chart)
        return false;
    // The chart lays itself out for the device's resolution and draws as lines and text.
    chart->setExportResolution(dpi);
    const bool drawn = chart->paint(painter, target);
    chart->destroy();
    return drawn;
}

bool CPlotPrintJob::AddPage(const CPlotPicture &picture)
{
    if (!HasRoom())
        return false;
    const int dpi = m_printer.resolution();
    if (m_spool) {
        if (!m_spool->folder.isValid())
            return false;
        QPicture page;
        QPainter painter(&page);
        const bool drawn = Draw(painter, picture, QRect(QPoint(0, 0), m_target.size()), dpi);
        painter.end();
        if (!drawn || !page.save(m_spool->PagePath(m_pages)))
            return false;
        ++m_pages;
        return true;
    }
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(&m_printer))
            return false;
    } else if (!m_painter->isActive() || (m_pages > 0 && !m_printer.newPage())) {
        return false;
    }
    if (!Draw(*m_painter, picture, m_target, dpi))
        return false;
    ++m_pages;
    return true;
}

int CPlotPrintJob::PaintPreviewPages(QPrinter &printer)
{
    if (!m_spool || m_pages == 0)
        return 0;
    const QRect target = TargetOn(printer);
    if (target.isEmpty())
        return 0;
    QPainter painter;
    int drawn = 0;
    for (int i = 0; i < m_pages; ++i) {
        QPicture picture;
        if (!picture.load(m_spool->PagePath(i)))
            continue;
        if (drawn == 0 ? !painter.begin(&printer) : !printer.newPage())
            break;
        // A page built for another paper size is scaled into this one.
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(double(target.width()) / m_target.width(), double(target.height()) / m_target.height());
        // A picture plays itself scaled by the printer's resolution over its own.
        painter.scale(double(picture.logicalDpiX()) / printer.logicalDpiX(),
                      double(picture.logicalDpiY()) / printer.logicalDpiY());
        painter.drawPicture(0, 0, picture);
        painter.restore();
        ++drawn;
    }
    if (painter.isActive())
        painter.end();
    return drawn;
}

void CPlotPrintJob::Finish()
{
    if (!m_spool) {
        if (m_painter && m_painter->isActive())
            m_painter->end();
        return;
    }
    QPrintPreviewDialog preview(&m_printer, m_previewParent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [this, &preview](QPrinter *p) {
        kxres::Guarded(&preview, [&] {
            // The preview's orientation buttons do not turn a plot portrait.
            p->setPageOrientation(QPageLayout::Landscape);
            PaintPreviewPages(*p);
        });
    });
    preview.exec();
}

void CPlotPrintJob::PreparePrinter(QPrinter &printer)
{
    kxres::ApplyProgramPageSetup(printer);
    printer.setPageOrientation(QPageLayout::Landscape);
}

QMargins CPlotPrintJob::PrintMargins(const std::array<double, 4> &margins, int unit, const QPageLayout &layout, int dpi)
{
    // The printer's unprintable border is what lies outside its paint rectangle.
    const QRectF full = layout.fullRect(QPageLayout::Inch);
    const QRectF paint = layout.paintRect(QPageLayout::Inch);
    const double border[4] = {paint.left() - full.left(), full.right() - paint.right(), paint.top() - full.top(),
                              full.bottom() - paint.bottom()};
    int result[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        double inches = margins[size_t(i)];
        if (unit == 1)
            inches /= 2.54;
        if (!std::isfinite(inches))
            inches = 0.0;
        result[i] = int(std::lround(std::max(0.0, inches - std::max(0.0, border[i])) * dpi));
    }
    return QMargins(result[0], result[2], result[1], result[3]);
}

QRect CPlotPrintJob::PrintTarget(const QPageLayout &layout, int dpi, const QMargins &margins)
{
    const QRect paint = layout.paintRectPixels(dpi);
    const QRect target(margins.left(), margins.top(), paint.width() - margins.left() - margins.right(),
                       paint.height() - margins.top() - margins.bottom());
    return target.width() > 0 && target.height() > 0 ? target : QRect();
}

} // namespace pellora
