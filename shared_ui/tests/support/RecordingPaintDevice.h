#pragma once
// A paint device that draws nothing and records what was drawn, in device pixels.

#include <QBrush>
#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <memory>
#include <vector>

struct RecordedText {
    QString text;
    QPointF position; // baseline start
    QFont font;
    QColor colour;
    int order = 0;
};

struct RecordedShape {
    QPolygonF points; // a line has two points
    QBrush brush;
    bool isLine = false;
    int order = 0;
};

class RecordingPaintEngine : public QPaintEngine {
public:
    RecordingPaintEngine();
    bool begin(QPaintDevice *device) override;
    bool end() override;
    void updateState(const QPaintEngineState &state) override;
    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr) override;
    void drawImage(const QRectF &r, const QImage &image, const QRectF &sr, Qt::ImageConversionFlags flags) override;
    void drawTextItem(const QPointF &p, const QTextItem &textItem) override;
    void drawLines(const QLineF *lines, int lineCount) override;
    void drawRects(const QRectF *rects, int rectCount) override;
    void drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath &path) override;
    Type type() const override { return QPaintEngine::User; }

    std::vector<RecordedText> texts;
    std::vector<RecordedShape> shapes;
    std::vector<QRectF> images;

private:
    QTransform m_transform;
    QBrush m_brush;
    QPen m_pen;
    int m_order = 0;
};

class RecordingPaintDevice : public QPaintDevice {
public:
    // Size in pixels and resolution in pixels per inch.
    RecordingPaintDevice(int width, int height, int dpi);
    ~RecordingPaintDevice() override;
    QPaintEngine *paintEngine() const override;

    const std::vector<RecordedText> &Texts() const { return m_engine->texts; }
    const std::vector<RecordedShape> &Shapes() const { return m_engine->shapes; }
    const std::vector<QRectF> &Images() const { return m_engine->images; }
    // The recorded texts joined by newlines, in drawing order.
    QString AllText() const;
    const RecordedText *FindText(const QString &text) const;
    void Clear();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int m_width;
    int m_height;
    int m_dpi;
    std::unique_ptr<RecordingPaintEngine> m_engine;
};
