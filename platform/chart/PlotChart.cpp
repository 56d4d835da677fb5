#include "platform/chart/PlotChart.h"

#include "signal/CReplacingFile.h"

#include "platform/chart/ChartDialogs.h"
#include "platform/chart/TitleText.h"

#include <qcustomplot.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <array>
#include <cmath>

namespace kxchart {

namespace {

const std::array<QColor, 10> kPalette = {
    QColor(0, 0, 200),   QColor(200, 0, 0), QColor(0, 140, 0),   QColor(200, 0, 200), QColor(0, 150, 150),
    QColor(150, 100, 0), QColor(0, 0, 0),   QColor(255, 120, 0), QColor(100, 0, 160), QColor(120, 120, 120),
};

// Curves with more points than this are drawn without antialiasing, and so is every
// curve of a chart holding more points than the second limit in all.
constexpr std::size_t kSmoothPointLimit = 2000;
constexpr std::size_t kSmoothChartLimit = 100000;

// A graph whose wide lines are stroked in short pieces on screen and in images. A
// long wide polyline becomes one outline crossing itself at every turn, and filling
// that costs far more than filling its pieces; the dashes run on across the pieces.
class PiecewiseGraph : public QCPGraph {
public:
    using QCPGraph::QCPGraph;

protected:
    void drawLinePlot(QCPPainter *painter, const QVector<QPointF> &lines) const override
    {
        QPen pen = painter->pen();
        const double width = pen.widthF();
        if (pen.style() == Qt::NoPen || pen.color().alpha() == 0 || width <= 1.0 || pen.isCosmetic() ||
            painter->modes().testFlag(QCPPainter::pmVectorized) || antialiased()) {
            QCPGraph::drawLinePlot(painter, lines);
            return;
        }
        applyDefaultAntialiasingHint(painter);
        constexpr qsizetype piece = 32;
        const bool dashed = pen.style() != Qt::SolidLine;
        double offset = pen.dashOffset();
        const qsizetype count = lines.size();
        qsizetype start = 0;
        while (start < count) {
            // One run between gaps (NaN or infinite points).
            qsizetype end = start;
            while (end < count && std::isfinite(lines[end].x()) && std::isfinite(lines[end].y()))
                ++end;
            for (qsizetype from = start; from + 1 < end; from += piece) {
                const qsizetype to = std::min(from + piece, end - 1);
                if (dashed) {
                    pen.setDashOffset(offset);
                    painter->setPen(pen);
                    for (qsizetype i = from; i < to; ++i)
                        offset += QLineF(lines[i], lines[i + 1]).length() / width;
                }
                painter->drawPolyline(lines.constData() + from, int(to - from + 1));
            }
            start = end + 1;
        }
    }
};

// A title line that fits the width of the picture it is drawn in: smaller type or
// more lines, never cut at the picture's edges.
class TitleElement : public QCPTextElement {
public:
    TitleElement(QCustomPlot *plot, const QString &text, const QFont &font)
        : QCPTextElement(plot, text, font)
    {
        setTextFlags(Qt::AlignCenter);
    }

protected:
    QSize minimumOuterSizeHint() const override { return sizeFor(availableWidth()); }
    QSize maximumOuterSizeHint() const override
    {
        QSize size = sizeFor(availableWidth());
        size.setWidth(QWIDGETSIZE_MAX);
        return size;
    }

    void draw(QCPPainter *painter) override
    {
        FittedText fitted = fitText(mText, mFont, mRect.width());
        // A narrower place than the layout planned for: the lines shrink to its height.
        const int height = QFontMetrics(fitted.font).height() * int(fitted.lines.size());
        if (height > mRect.height() && mRect.height() > 0) {
            const double share = double(mRect.height()) / height;
            if (fitted.font.pixelSize() > 0)
                fitted.font.setPixelSize(std::max(1, int(fitted.font.pixelSize() * share)));
            else
                fitted.font.setPointSizeF(std::max(1.0, fitted.font.pointSizeF() * share));
        }
        painter->setFont(fitted.font);
        painter->setPen(QPen(mTextColor));
        painter->drawText(mRect, mTextFlags, fitted.lines.join(QLatin1Char('\n')), &mTextBoundingRect);
    }

private:
    int availableWidth() const { return mParentPlot->viewport().width() - mMargins.left() - mMargins.right(); }

    QSize sizeFor(int width) const
    {
        const FittedText fitted = fitText(mText, mFont, width);
        const QFontMetrics metrics(fitted.font);
        return QSize(mMargins.left() + mMargins.right() + 1,
                     metrics.height() * int(fitted.lines.size()) + mMargins.top() + mMargins.bottom());
    }
};

// Empties the legend in one pass. Removing a plottable takes its item out of the
// legend and lays the rest out again, which made clearing a chart of n curves cost n^3.
void releaseLegend(QCustomPlot *plot)
{
    if (plot && plot->legend)
        plot->legend->clear();
}

QCPTextElement *textElement(QCustomPlot *plot, const QString &text, const QFont &font)
{
    return new TitleElement(plot, text, font);
}

} // namespace

std::unique_ptr<Chart> makeChart()
{
    return std::make_unique<PlotChart>();
}

PlotChart::PlotChart() = default;

PlotChart::~PlotChart()
{
    destroy();
}

bool PlotChart::create(QWidget *parent, const QRect &rect)
{
    destroy();
    m_plot = new QCustomPlot(parent);
    // The widget queues a draw of its empty self when made; the content's draw
    // comes with the first reinitialise instead.
    QCoreApplication::removePostedEvents(m_plot.data(), QEvent::MetaCall);
    m_plot->setGeometry(rect);
    m_plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    QObject::connect(m_plot.data(), &QCustomPlot::afterReplot, m_plot.data(), [this] { ++m_draws; });
    if (parent)
        m_plot->show();
    if (!m_plot->isVisible())
        m_plot->replot(); // empty, and lets later queued draws through
    return true;
}

void PlotChart::destroy()
{
    releaseLegend(m_plot.data());
    delete m_plot.data();
    m_plot = nullptr;
}

QCustomPlot *PlotChart::plot() const
{
    return m_plot.data();
}

bool PlotChart::isCreated() const
{
    return !m_plot.isNull();
}

QWidget *PlotChart::widget() const
{
    return m_plot.data();
}

void PlotChart::setGeometry(const QRect &rect)
{
    if (m_plot)
        m_plot->setGeometry(rect);
}

void PlotChart::setExportResolution(int dpi)
{
    m_dpi = dpi > 0 ? dpi : 96;
}

QPen PlotChart::penForStyle(int code, int curve)
{
    QPen pen(kPalette[size_t(curve < 0 ? 0 : curve) % kPalette.size()]);
    // 0-4: thin solid, dash, dot, dash-dot, dash-dot-dot; 5 medium, 6 thick;
    // 7-11: the dashed and dotted styles at medium width.
    static const std::array<Qt::PenStyle, 5> dashes = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                                       Qt::DashDotDotLine};
    if (code == LineMedium) {
        pen.setWidthF(2.0);
    } else if (code == LineThick) {
        pen.setWidthF(3.0);
    } else if (code >= 7 && code <= 11) {
        pen.setWidthF(2.0);
        pen.setStyle(dashes[size_t(code - 7)]);
    } else if (code >= 0 && code <= 4) {
        pen.setWidthF(1.0);
        pen.setStyle(dashes[size_t(code)]);
    } else {
        pen.setWidthF(1.0);
    }
    return pen;
}

void PlotChart::reinitialise()
{
    build();
}

void PlotChart::build()
{
    if (!m_plot)
        return;
    m_draws = 0;
    QCustomPlot *plot = m_plot;
    releaseLegend(plot);
    plot->clearPlottables();
    plot->clearItems();
    plot->plotLayout()->clear();

    // Title area: a header table or the title and subtitles.
    int row = 0;
    auto *axisRect = new QCPAxisRect(plot);
    if (m_content.headerTable && m_content.headerTable->rows > 0 && m_content.headerTable->columns > 0) {
        const HeaderTable &table = *m_content.headerTable;
        auto *grid = new QCPLayoutGrid;
        plot->plotLayout()->addElement(row++, 0, grid);
        QFont font(table.fontFamily, 7);
        for (int r = 0; r < table.rows; ++r) {
            for (int c = 0; c < table.columns; ++c) {
                const size_t index = size_t(r * table.columns + c);
                const QString text = index < table.cells.size() ? table.cells[index] : QString();
                auto *cell = new QCPTextElement(plot, text, font);
                cell->setTextFlags(Qt::AlignLeft | Qt::AlignVCenter);
                grid->addElement(r, c, cell);
            }
        }
        grid->setRowSpacing(0);
    } else {
        QFont titleFont(QStringLiteral("Arial"), 12, QFont::Bold);
        QFont subFont(QStringLiteral("Arial"), 9);
        if (!m_content.title.isEmpty())
            plot->plotLayout()->addElement(row++, 0, textElement(plot, m_content.title, titleFont));
        if (!m_content.subtitle.isEmpty())
            plot->plotLayout()->addElement(row++, 0, textElement(plot, m_content.subtitle, subFont));
        for (const QString &line : m_content.subtitleLines)
            plot->plotLayout()->addElement(row++, 0, textElement(plot, line, subFont));
    }
    plot->plotLayout()->addElement(row, 0, axisRect);
    for (int r = 0; r < row; ++r)
        plot->plotLayout()->setRowStretchFactor(r, 0.001);

    plot->xAxis = axisRect->axis(QCPAxis::atBottom);
    plot->yAxis = axisRect->axis(QCPAxis::atLeft);
    plot->xAxis2 = axisRect->axis(QCPAxis::atTop);
    plot->yAxis2 = axisRect->axis(QCPAxis::atRight);
    plot->xAxis->setLabel(m_content.xLabel);
    plot->yAxis->setLabel(m_content.yLabel);
    plot->xAxis->grid()->setVisible(m_content.grid);
    plot->yAxis->grid()->setVisible(m_content.grid);

    if (m_content.surface && m_content.surface->rows > 0 && m_content.surface->columns > 0) {
        const Surface &s = *m_content.surface;
        auto *map = new QCPColorMap(plot->xAxis, plot->yAxis);
        map->data()->setSize(s.columns, s.rows);
        map->data()->setRange(QCPRange(s.xFrom, s.xTo), QCPRange(s.yFrom, s.yTo));
        for (int r = 0; r < s.rows; ++r)
            for (int c = 0; c < s.columns; ++c) {
                const size_t index = size_t(r * s.columns + c);
                if (index < s.values.size())
                    map->data()->setCell(c, r, s.values[index]);
            }
        map->setGradient(QCPColorGradient::gpJet);
        map->rescaleDataRange(true);
        auto *scale = new QCPColorScale(plot);
        plot->plotLayout()->addElement(row, 1, scale);
        map->setColorScale(scale);
    } else {
        std::vector<double> xs, ys;
        const bool smoothChart =
            std::size_t(std::max(0, m_content.curves)) * std::size_t(std::max(0, m_content.points)) <=
            kSmoothChartLimit;
        for (int c = 0; c < m_content.curves; ++c) {
            m_content.curvePoints(c, xs, ys);
            QCPAbstractPlottable *plottable = nullptr;
            const std::size_t n = std::min(xs.size(), ys.size());
            if (std::is_sorted(xs.begin(), xs.end())) {
                auto *graph = new PiecewiseGraph(plot->xAxis, plot->yAxis);
                // The points go straight into the graph's own store, sorted already.
                QVector<QCPGraphData> points(static_cast<qsizetype>(n));
                for (std::size_t i = 0; i < n; ++i)
                    points[qsizetype(i)] = QCPGraphData(xs[i], ys[i]);
                graph->data()->set(points, true);
                plottable = graph;
            } else {
                // An X-Y signal: X runs back and forth, drawn in the order of its points.
                auto *curve = new QCPCurve(plot->xAxis, plot->yAxis);
                curve->setData(QVector<double>(xs.begin(), xs.begin() + qsizetype(n)),
                               QVector<double>(ys.begin(), ys.begin() + qsizetype(n)));
                plottable = curve;
            }
            const int style = size_t(c) < m_content.lineStyles.size() ? m_content.lineStyles[size_t(c)] : LineThin;
            plottable->setPen(penForStyle(style, c));
            // A long curve lies denser than the pixels it crosses: smoothing its edges
            // shows nothing, and stroking its dashes smoothly costs most of a draw.
            if (!smoothChart || xs.size() > kSmoothPointLimit)
                plottable->setAntialiased(false);
            if (c < m_content.legend.size())
                plottable->setName(m_content.legend.at(c));
        }
    }

    if (!m_content.legend.isEmpty() && m_content.curves > 0 && !m_content.surface) {
        auto *legend = new QCPLegend;
        axisRect->insetLayout()->addElement(legend, Qt::AlignTop | Qt::AlignRight);
        legend->setLayer(QStringLiteral("legend"));
        // One item per curve, each in its own row: adding them one by one searches the
        // legend for the plottable and for a free cell every time.
        const int count = plot->plottableCount();
        legend->expandTo(count, 1);
        for (int i = 0; i < count; ++i)
            legend->addElement(i, 0, new QCPPlottableLegendItem(legend, plot->plottable(i)));
        plot->legend = legend;
    } else {
        plot->legend = nullptr;
    }

    for (const StraightLine &line : m_content.lines) {
        const bool horizontal = line.orientation == StraightLine::Orientation::Horizontal;
        QCPAbstractItem *item = nullptr;
        if (line.from && line.to) {
            auto *segment = new QCPItemLine(plot);
            segment->start->setCoords(horizontal ? *line.from : line.value, horizontal ? line.value : *line.from);
            segment->end->setCoords(horizontal ? *line.to : line.value, horizontal ? line.value : *line.to);
            segment->setPen(QPen(line.colour, 1.5));
            item = segment;
        } else {
            auto *straight = new QCPItemStraightLine(plot);
            straight->point1->setCoords(horizontal ? 0.0 : line.value, horizontal ? line.value : 0.0);
            straight->point2->setCoords(horizontal ? 1.0 : line.value, horizontal ? line.value : 1.0);
            straight->setPen(QPen(line.colour, 1.5));
            item = straight;
        }
        item->setClipAxisRect(axisRect);
    }
    rescale();
    // Queued: the redraws asked for by one rebuild come together in one.
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void PlotChart::resetImage()
{
    if (m_plot)
        m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void PlotChart::resetZoom()
{
    if (!m_plot || !m_plot->xAxis)
        return;
    rescale();
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

bool PlotChart::zoomRange(QRectF &range) const
{
    if (!m_plot || !m_plot->xAxis || !m_plot->yAxis)
        return false;
    const QCPRange x = m_plot->xAxis->range();
    const QCPRange y = m_plot->yAxis->range();
    const QRectF shown(QPointF(x.lower, y.lower), QPointF(x.upper, y.upper));
    if (shown == m_autoRange)
        return false;
    range = shown;
    return true;
}

void PlotChart::setZoomRange(const QRectF &range)
{
    if (!m_plot || !m_plot->xAxis || !m_plot->yAxis || !range.isValid())
        return;
    m_plot->xAxis->setRange(range.left(), range.right());
    m_plot->yAxis->setRange(range.top(), range.bottom());
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void PlotChart::rescale()
{
    if (!m_plot || !m_plot->xAxis)
        return;
    m_plot->rescaleAxes();
    // Keep the limit lines in view.
    for (const StraightLine &line : m_content.lines) {
        QCPAxis *axis = line.orientation == StraightLine::Orientation::Horizontal ? m_plot->yAxis : m_plot->xAxis;
        QCPRange range = axis->range();
        range.expand(line.value);
        axis->setRange(range);
    }
    if (m_content.yMin && m_content.yMax)
        m_plot->yAxis->setRange(*m_content.yMin, *m_content.yMax);
    else
        m_plot->yAxis->scaleRange(1.05);
    const QCPRange x = m_plot->xAxis->range();
    const QCPRange y = m_plot->yAxis->range();
    m_autoRange = QRectF(QPointF(x.lower, y.lower), QPointF(x.upper, y.upper));
}

QImage PlotChart::render(const QSize &size)
{
    if (!m_plot || size.width() <= 0 || size.height() <= 0)
        return {};
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    const double dpm = m_dpi / 0.0254;
    image.setDotsPerMeterX(int(dpm));
    image.setDotsPerMeterY(int(dpm));
    QPainter painter(&image);
    paint(painter, QRect(QPoint(0, 0), size));
    return image;
}

bool PlotChart::paint(QPainter &painter, const QRect &target)
{
    if (!m_plot || target.isEmpty())
        return false;
    // Lay the chart out at a screen-like size and scale it into the target, so that
    // fonts keep their proportion to the curves on any device. The chart is recorded
    // as drawing commands, so a printer gets lines and text, not an image.
    const double scale = std::max(1.0, double(m_dpi) / 96.0);
    const int width = std::max(1, int(target.width() / scale));
    const int height = std::max(1, int(target.height() / scale));
    QPicture picture;
    {
        QCPPainter recorder(&picture);
        recorder.setMode(QCPPainter::pmVectorized);
        recorder.setMode(QCPPainter::pmNoCaching);
        m_plot->toPainter(&recorder, width, height);
    }
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / width, double(target.height()) / height);
    painter.setClipRect(QRect(0, 0, width, height), Qt::IntersectClip);
    // A picture plays itself scaled by the device's resolution over its own; the
    // layout above has chosen the size already.
    if (const QPaintDevice *device = painter.device(); device && device->logicalDpiX() > 0 && device->logicalDpiY() > 0)
        painter.scale(double(picture.logicalDpiX()) / device->logicalDpiX(),
                      double(picture.logicalDpiY()) / device->logicalDpiY());
    painter.drawPicture(0, 0, picture);
    painter.restore();
    return true;
}

bool PlotChart::copyToClipboard(const QSize &size)
{
    const QImage image = render(size);
    if (image.isNull())
        return false;
    QGuiApplication::clipboard()->setImage(image);
    return true;
}

bool PlotChart::save(ImageFormat format, const QString &path, const QSize &size)
{
    if (!m_plot || path.isEmpty() || size.width() <= 0 || size.height() <= 0)
        return false;
    // Written next to the target and renamed over it in one step, so a failed save
    // leaves the old file as it was.
    return kx::ReplaceFileVia(QFile::encodeName(path).toStdString(), [&](const std::string &tempPath) {
        const QString temp = QFile::decodeName(tempPath.c_str());
        switch (format) {
        case ImageFormat::Vector:
            return m_plot->savePdf(temp, size.width(), size.height());
        case ImageFormat::Bitmap:
            return render(size).save(temp, "BMP");
        case ImageFormat::Jpeg:
            return render(size).save(temp, "JPG", 90);
        case ImageFormat::Png:
            return render(size).save(temp, "PNG");
        }
        return false;
    });
}

bool PlotChart::print(QWidget *dialogParent)
{
    if (!m_plot)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int saved = m_dpi;
    m_dpi = printer.resolution();
    const bool ok =
        paint(painter, printer.pageLayout()
                           .paintRectPixels(printer.resolution())
                           .translated(-printer.pageLayout().paintRectPixels(printer.resolution()).topLeft()));
    m_dpi = saved;
    return painter.end() && ok;
}

int PlotChart::customiseDialog(QWidget *parent)
{
    if (!m_plot)
        return -1;
    CustomiseChartDialog dialog(m_content, parent);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    dialog.apply(m_content);
    build();
    return 1;
}

int PlotChart::saveDialog(QWidget *parent)
{
    if (!m_plot)
        return 0;
    const QString path =
        QFileDialog::getSaveFileName(parent, QStringLiteral("Save Graph"), QString(), chartSaveFilters());
    if (path.isEmpty())
        return 1; // cancelled: nothing to report
    const QSize size = m_plot->size().isEmpty() ? QSize(800, 600) : m_plot->size();
    return save(formatForPath(path), path, size) ? 1 : 0;
}

} // namespace kxchart
