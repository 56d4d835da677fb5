#include "support/RecordingPaintDevice.h"

#include <QPainterPath>

RecordingPaintEngine::RecordingPaintEngine()
    : QPaintEngine(QPaintEngine::AllFeatures)
{}

bool RecordingPaintEngine::begin(QPaintDevice *)
{
    m_transform = QTransform();
    return true;
}

bool RecordingPaintEngine::end()
{
    return true;
}

void RecordingPaintEngine::updateState(const QPaintEngineState &state)
{
    if (state.state() & QPaintEngine::DirtyTransform)
        m_transform = state.transform();
    if (state.state() & QPaintEngine::DirtyBrush)
        m_brush = state.brush();
    if (state.state() & QPaintEngine::DirtyPen)
        m_pen = state.pen();
}

void RecordingPaintEngine::drawPixmap(const QRectF &r, const QPixmap &, const QRectF &)
{
    images.push_back(m_transform.mapRect(r));
}

void RecordingPaintEngine::drawImage(const QRectF &r, const QImage &, const QRectF &, Qt::ImageConversionFlags)
{
    images.push_back(m_transform.mapRect(r));
}

void RecordingPaintEngine::drawTextItem(const QPointF &p, const QTextItem &textItem)
{
    texts.push_back({textItem.text(), m_transform.map(p), textItem.font(), m_pen.color(), ++m_order});
}

void RecordingPaintEngine::drawLines(const QLineF *lines, int lineCount)
{
    for (int i = 0; i < lineCount; ++i) {
        QPolygonF points;
        points << m_transform.map(lines[i].p1()) << m_transform.map(lines[i].p2());
        shapes.push_back({points, QBrush(), true, ++m_order});
    }
}

void RecordingPaintEngine::drawRects(const QRectF *rects, int rectCount)
{
    for (int i = 0; i < rectCount; ++i) {
        shapes.push_back({m_transform.map(QPolygonF(rects[i])), m_brush, false, ++m_order});
    }
}

void RecordingPaintEngine::drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode)
{
    QPolygonF polygon;
    for (int i = 0; i < pointCount; ++i)
        polygon << m_transform.map(points[i]);
    shapes.push_back({polygon, m_brush, false, ++m_order});
}

void RecordingPaintEngine::drawPath(const QPainterPath &path)
{
    shapes.push_back({m_transform.map(path.toFillPolygon()), m_brush, false, ++m_order});
}

RecordingPaintDevice::RecordingPaintDevice(int width, int height, int dpi)
    : m_width(width)
    , m_height(height)
    , m_dpi(dpi)
    , m_engine(std::make_unique<RecordingPaintEngine>())
{}

RecordingPaintDevice::~RecordingPaintDevice() = default;

QPaintEngine *RecordingPaintDevice::paintEngine() const
{
    return m_engine.get();
}

int RecordingPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_width;
    case PdmHeight:
        return m_height;
    case PdmWidthMM:
        return static_cast<int>(m_width * 25.4 / m_dpi);
    case PdmHeightMM:
        return static_cast<int>(m_height * 25.4 / m_dpi);
    case PdmNumColors:
        return 2;
    case PdmDepth:
        return 1;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_dpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    default:
        return 0;
    }
}

QString RecordingPaintDevice::AllText() const
{
    QStringList lines;
    for (const auto &t : m_engine->texts)
        lines << t.text;
    return lines.join('\n');
}

const RecordedText *RecordingPaintDevice::FindText(const QString &text) const
{
    for (const auto &t : m_engine->texts) {
        if (t.text == text)
            return &t;
    }
    return nullptr;
}

void RecordingPaintDevice::Clear()
{
    m_engine->texts.clear();
    m_engine->shapes.clear();
    m_engine->images.clear();
}
