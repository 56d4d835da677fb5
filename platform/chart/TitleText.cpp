#include "platform/chart/TitleText.h"

#include "platform/chart/Chart.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

#include <algorithm>
#include <climits>
#include <cmath>

namespace kxchart {

namespace {

// The smallest type a title shrinks to before it takes a second line.
constexpr qreal kSmallestShare = 0.75;

QFont scaledFont(const QFont &font, qreal share)
{
    QFont scaled = font;
    if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, int(std::floor(font.pixelSize() * share))));
    else
        scaled.setPointSizeF(std::max(1.0, font.pointSizeF() * share));
    return scaled;
}

qreal advance(const QString &text, const QFont &font, const QPaintDevice *device)
{
    return device ? QFontMetricsF(font, device).horizontalAdvance(text) : QFontMetricsF(font).horizontalAdvance(text);
}

// Words with the blanks that follow them, so that joined lines keep their spacing.
QStringList pieces(const QString &text)
{
    QStringList out;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool blank = c.isSpace();
        if (!blank && !current.isEmpty() && current.back().isSpace()) {
            out << current;
            current.clear();
        }
        current += blank ? QChar(u' ') : c;
    }
    if (!current.isEmpty())
        out << current;
    return out;
}

QStringList wrap(const QString &text, const QFont &font, qreal width, const QPaintDevice *device)
{
    QStringList lines;
    QString line;
    const auto fits = [&](const QString &candidate) { return advance(candidate.trimmed(), font, device) <= width; };
    for (const QString &piece : pieces(text)) {
        if (fits(line + piece)) {
            line += piece;
            continue;
        }
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
        line.clear();
        // A word wider than the line is broken where it must be.
        for (const QChar c : piece) {
            if (!line.isEmpty() && !fits(line + c)) {
                lines << line.trimmed();
                line.clear();
            }
            line += c;
        }
    }
    if (!line.trimmed().isEmpty())
        lines << line.trimmed();
    return lines;
}

} // namespace

FittedText fitText(const QString &text, const QFont &font, qreal width, const QPaintDevice *device)
{
    const qreal natural = advance(text, font, device);
    if (natural <= width || text.isEmpty() || width <= 0.0)
        return {font, {text}};
    for (qreal share = std::min(1.0, width / natural); share >= kSmallestShare; share -= 0.02) {
        const QFont smaller = scaledFont(font, share);
        if (advance(text, smaller, device) <= width)
            return {smaller, {text}};
    }
    const QFont smallest = scaledFont(font, kSmallestShare);
    return {smallest, wrap(text, smallest, width, device)};
}

namespace {

// A paint engine that keeps the texts it is given and draws nothing.
class TextEngine : public QPaintEngine {
public:
    TextEngine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint *, int, PolygonDrawMode) override {}
    void drawLines(const QLineF *, int) override {}
    void drawLines(const QLine *, int) override {}
    void drawRects(const QRectF *, int) override {}
    void drawRects(const QRect *, int) override {}
    void drawPoints(const QPointF *, int) override {}
    void drawPoints(const QPoint *, int) override {}
    void drawEllipse(const QRectF &) override {}
    void drawTiledPixmap(const QRectF &, const QPixmap &, const QPointF &) override {}

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QRectF local(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
        texts.push_back({item.text(), painter()->combinedTransform().mapRect(local)});
    }

    std::vector<DrawnText> texts;
};

class TextDevice : public QPaintDevice {
public:
    explicit TextDevice(const QSize &size)
        : m_size(size)
    {}

    QPaintEngine *paintEngine() const override { return &m_engine; }
    std::vector<DrawnText> &texts() { return m_engine.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return int(m_size.width() * 25.4 / 96);
        case PdmHeightMM:
            return int(m_size.height() * 25.4 / 96);
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    QSize m_size;
    mutable TextEngine m_engine;
};

} // namespace

std::vector<DrawnText> drawnTexts(Chart &chart, const QSize &size)
{
    TextDevice device(size);
    {
        QPainter painter(&device);
        chart.paint(painter, QRect(QPoint(0, 0), size));
    }
    return std::move(device.texts());
}

} // namespace kxchart
