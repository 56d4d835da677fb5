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
#include <optional>

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

// Most points kept from one draw of a shared curve for the next.
constexpr std::size_t kCachedPointLimit = 65536;

} // namespace

// The points a shared curve's last draw took from its arrays, and the X axis they were
// taken for.
struct SharedLineCache {
    bool valid = false;
    std::array<double, 4> axis{};
    std::vector<QCPGraphData> points;
};

namespace {

// A graph drawn from arrays its owner holds, without a copy of its own: its store
// keeps only the end points, and each draw takes the visible points from the arrays.
// Dense stretches are thinned to the first, lowest, highest and last point of each
// pixel step before the graph's own sampling runs, which keeps what it draws the same.
class SharedGraph : public PiecewiseGraph {
public:
    static bool InDomain(double v, QCP::SignDomain domain)
    {
        return domain == QCP::sdBoth || (domain == QCP::sdPositive && v > 0.0) ||
               (domain == QCP::sdNegative && v < 0.0);
    }

    static QCPRange Range(const double *v, std::size_t b, std::size_t e, QCP::SignDomain domain, bool &found)
    {
        found = false;
        QCPRange range;
        for (std::size_t i = b; i < e; ++i) {
            if (std::isnan(v[i]) || !InDomain(v[i], domain))
                continue;
            if (!found) {
                range = QCPRange(v[i], v[i]);
                found = true;
            } else if (v[i] < range.lower) {
                range.lower = v[i];
            } else if (v[i] > range.upper) {
                range.upper = v[i];
            }
        }
        return range;
    }

    // values: the Y range of the first limit points, when there is one.
    SharedGraph(QCPAxis *keyAxis, QCPAxis *valueAxis, SharedCurve curve, std::size_t limit,
                std::optional<QCPRange> values, std::shared_ptr<SharedLineCache> cache)
        : PiecewiseGraph(keyAxis, valueAxis)
        , m_curve(std::move(curve))
        , m_limit(limit)
        , m_values(values)
        , m_cache(std::move(cache))
    {
        setSelectable(QCP::stNone);
        const std::size_t n = count();
        QVector<QCPGraphData> ends;
        if (n > 0)
            ends.push_back(QCPGraphData((*m_curve.x)[0], (*m_curve.y)[0]));
        if (n > 1)
            ends.push_back(QCPGraphData((*m_curve.x)[n - 1], (*m_curve.y)[n - 1]));
        data()->set(ends, true);
    }

    // True when the first n X never decrease and are all finite: only then is the curve
    // drawn from its arrays.
    static bool Drawable(const double *x, std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i)
            if (!std::isfinite(x[i]) || (i > 0 && x[i] < x[i - 1]))
                return false;
        return true;
    }

    QCPRange getKeyRange(bool &foundRange, QCP::SignDomain inSignDomain) const override
    {
        // As the graph's own store counts them: points without a value are left out.
        // X is finite and sorted, so the ends are found from both sides.
        const std::size_t n = count();
        const double *x = m_curve.x->data();
        const double *y = m_curve.y->data();
        if (inSignDomain != QCP::sdBoth) {
            std::vector<double> keys;
            for (std::size_t i = 0; i < n; ++i)
                if (!std::isnan(y[i]))
                    keys.push_back(x[i]);
            return Range(keys.data(), 0, keys.size(), inSignDomain, foundRange);
        }
        std::size_t b = 0;
        while (b < n && std::isnan(y[b]))
            ++b;
        std::size_t e = n;
        while (e > b && std::isnan(y[e - 1]))
            --e;
        foundRange = b < e;
        return foundRange ? QCPRange(x[b], x[e - 1]) : QCPRange();
    }

    QCPRange getValueRange(bool &foundRange, QCP::SignDomain inSignDomain, const QCPRange &inKeyRange) const override
    {
        if (inSignDomain == QCP::sdBoth && inKeyRange == QCPRange() && m_values.has_value() == (count() > 0)) {
            foundRange = m_values.has_value();
            return m_values.value_or(QCPRange());
        }
        std::size_t b = 0;
        std::size_t e = count();
        if (inKeyRange != QCPRange()) {
            const double *x = m_curve.x->data();
            b = std::size_t(std::lower_bound(x, x + e, inKeyRange.lower) - x);
            e = std::size_t(std::upper_bound(x, x + e, inKeyRange.upper) - x);
        }
        return Range(m_curve.y->data(), b, e, inSignDomain, foundRange);
    }

protected:
    void getOptimizedLineData(QVector<QCPGraphData> *lineData, const QCPGraphDataContainer::const_iterator &,
                              const QCPGraphDataContainer::const_iterator &) const override
    {
        QCPAxis *keyAxis = mKeyAxis.data();
        const std::size_t n = count();
        if (!lineData || !keyAxis || n == 0)
            return;
        const double *x = m_curve.x->data();
        const double *y = m_curve.y->data();
        // The visible points and one more on each side, as the graph's store gives them.
        const QCPRange range = keyAxis->range();
        std::size_t b = std::size_t(std::lower_bound(x, x + n, range.lower) - x);
        if (b > 0)
            --b;
        std::size_t e = std::size_t(std::upper_bound(x, x + n, range.upper) - x);
        if (e < n)
            ++e;
        if (b >= e)
            return;
        // The points taken depend only on the X axis: a new Y range or another curve
        // leaves them as they were.
        const std::array<double, 4> axis = {range.lower, range.upper, keyAxis->coordToPixel(range.lower),
                                            keyAxis->coordToPixel(range.upper)};
        std::vector<QCPGraphData> local;
        std::vector<QCPGraphData> &points = m_cache ? m_cache->points : local;
        if (!m_cache || !m_cache->valid || m_cache->axis != axis) {
            if (!Thin(keyAxis, x, y, b, e, points)) {
                points.resize(e - b);
                for (std::size_t i = b; i < e; ++i)
                    points[i - b] = QCPGraphData(x[i], y[i]);
            }
            if (m_cache) {
                m_cache->axis = axis;
                m_cache->valid = true;
                // A long run of points kept one by one is not worth holding.
                if (points.size() > kCachedPointLimit) {
                    local.swap(points);
                    m_cache->valid = false;
                }
            }
        }
        const std::vector<QCPGraphData> &taken = m_cache && m_cache->valid ? m_cache->points : local;
        if (taken.empty())
            return;
        using Iterator = QCPGraphDataContainer::const_iterator;
        QCPGraph::getOptimizedLineData(lineData, Iterator(taken.data()), Iterator(taken.data() + taken.size()));
    }

private:
    std::size_t count() const { return std::min({m_curve.x->size(), m_curve.y->size(), m_limit}); }

    // Keeps, of each pixel step along X, its first, lowest, highest and last point (four
    // entries, repeated where they coincide; a step of one point keeps it). False when the
    // graph would not sample these points, so they are all needed.
    bool Thin(QCPAxis *keyAxis, const double *x, const double *y, std::size_t b, std::size_t e,
              std::vector<QCPGraphData> &out) const
    {
        if (!adaptiveSampling() || keyAxis->scaleType() != QCPAxis::stLinear)
            return false;
        // The graph samples only where there are at least two points per pixel.
        const double span = qAbs(keyAxis->coordToPixel(x[b]) - keyAxis->coordToPixel(x[e - 1]));
        const double most = 2.0 * span + 2.0;
        if (double(e - b) < most)
            return false;
        const int orientation = keyAxis->pixelOrientation();
        const int roundUp = orientation == -1 ? 1 : 0;
        const auto stepStart = [keyAxis, roundUp](double key) {
            return keyAxis->pixelToCoord(int(keyAxis->coordToPixel(key) + roundUp));
        };
        double start = stepStart(x[b]);
        const double width = qAbs(start - keyAxis->pixelToCoord(keyAxis->coordToPixel(start) + 1.0 * orientation));
        out.clear();
        const auto keep = [&](std::size_t first, std::size_t low, std::size_t high, std::size_t last) {
            out.emplace_back(x[first], y[first]);
            if (last == first)
                return;
            const std::size_t a = std::min(low, high);
            const std::size_t c = std::max(low, high);
            out.emplace_back(x[a], y[a]);
            out.emplace_back(x[c], y[c]);
            out.emplace_back(x[last], y[last]);
        };
        std::size_t first = b, low = b, high = b;
        for (std::size_t i = b + 1; i < e; ++i) {
            if (x[i] < start + width) {
                if (y[i] < y[low])
                    low = i;
                else if (y[i] > y[high])
                    high = i;
                continue;
            }
            keep(first, low, high, i - 1);
            first = low = high = i;
            start = stepStart(x[i]);
        }
        keep(first, low, high, e - 1);
        return double(out.size()) >= most;
    }

    SharedCurve m_curve;
    std::size_t m_limit;
    std::optional<QCPRange> m_values;
    std::shared_ptr<SharedLineCache> m_cache;
};

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

    // Facts of the shared curves shown now; those of curves gone are dropped.
    std::vector<SharedFacts> sharedFacts;
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
        sharedFacts.reserve(m_content.sharedCurves.size());
        for (int c = 0; c < m_content.curves; ++c) {
            QCPAbstractPlottable *plottable = nullptr;
            std::size_t n = 0;
            const SharedFacts *facts = nullptr;
            if (size_t(c) < m_content.sharedCurves.size()) {
                facts = &sharedFacts.emplace_back(
                    factsOf(m_content.sharedCurves[size_t(c)], size_t(std::max(0, m_content.points)), m_sharedFacts));
                if (!facts->drawable)
                    facts = nullptr;
            }
            if (facts) {
                // Drawn from the owner's arrays, which keep their own length.
                n = facts->count;
                std::optional<QCPRange> values;
                if (facts->hasValues)
                    values = QCPRange(facts->low, facts->high);
                plottable = new SharedGraph(plot->xAxis, plot->yAxis, facts->curve, n, values, facts->lines);
            } else {
                m_content.curvePoints(c, xs, ys);
                n = std::min(xs.size(), ys.size());
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
            }
            const int style = size_t(c) < m_content.lineStyles.size() ? m_content.lineStyles[size_t(c)] : LineThin;
            plottable->setPen(penForStyle(style, c));
            // A long curve lies denser than the pixels it crosses: smoothing its edges
            // shows nothing, and stroking its dashes smoothly costs most of a draw.
            if (!smoothChart || n > kSmoothPointLimit)
                plottable->setAntialiased(false);
            if (c < m_content.legend.size())
                plottable->setName(m_content.legend.at(c));
        }
    }

    m_sharedFacts = std::move(sharedFacts);
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

PlotChart::SharedFacts PlotChart::factsOf(const SharedCurve &curve, std::size_t limit,
                                          const std::vector<SharedFacts> &known) const
{
    SharedFacts facts;
    facts.curve = curve;
    if (!curve.x || !curve.y)
        return facts;
    facts.xData = curve.x->data();
    facts.yData = curve.y->data();
    facts.count = std::min({curve.x->size(), curve.y->size(), limit});
    for (const SharedFacts &k : known)
        if (k.curve.x == curve.x && k.curve.y == curve.y && k.xData == facts.xData && k.yData == facts.yData &&
            k.count == facts.count)
            return k;
    facts.drawable = SharedGraph::Drawable(facts.xData, facts.count);
    facts.lines = std::make_shared<SharedLineCache>();
    if (facts.drawable) {
        const QCPRange range = SharedGraph::Range(facts.yData, 0, facts.count, QCP::sdBoth, facts.hasValues);
        facts.low = range.lower;
        facts.high = range.upper;
    }
    return facts;
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
