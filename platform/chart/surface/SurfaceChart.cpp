#include "platform/chart/surface/SurfaceChart.h"

#include "platform/MemoryReuse.h"
#include "platform/chart/TitleText.h"
#include "signal/CReplacingFile.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <QWidget>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QSurfaceDataProxy>
#include <QtDataVisualization/QValue3DAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kxchart {

QVector3D surfacePosition(const Surface &s, int row, int column)
{
    const double x = s.columns > 1 ? s.xFrom + (s.xTo - s.xFrom) * column / (s.columns - 1) : s.xFrom;
    const double z = s.rows > 1 ? s.yFrom + (s.yTo - s.yFrom) * row / (s.rows - 1) : s.yFrom;
    const std::size_t at = std::size_t(row) * std::size_t(s.columns) + std::size_t(column);
    const double value = at < s.values.size() ? s.values[at] : 0.0;
    return QVector3D(float(x), float(value), float(z));
}

std::vector<QColor> contourColours(int levels)
{
    std::vector<QColor> colours;
    for (int i = 0; i < levels; ++i) {
        // Hue from blue (240) down to red (0).
        const double t = levels > 1 ? double(i) / (levels - 1) : 0.0;
        colours.push_back(QColor::fromHsvF(float((1.0 - t) * 240.0 / 360.0), 0.9f, 0.95f));
    }
    return colours;
}

bool meshShown(const Surface &surface, const QSize &pixels)
{
    // Seen from the chart's camera, each axis of the box spans about this share of the
    // picture's shorter side.
    constexpr double kAxisShare = 0.45;
    // Narrower cells are covered by their own lines.
    constexpr double kSmallestCell = 3.0;
    const int cells = std::max(surface.rows, surface.columns) - 1;
    if (cells < 1)
        return true;
    return kAxisShare * std::min(pixels.width(), pixels.height()) / cells >= kSmallestCell;
}

Surface drawnSurface(const Surface &s, int most)
{
    most = std::max(1, most);
    // Values merged along each axis, and the drawn values left of them.
    const int rowStep = s.rows > most ? (s.rows + most - 1) / most : 1;
    const int columnStep = s.columns > most ? (s.columns + most - 1) / most : 1;
    if (rowStep == 1 && columnStep == 1)
        return s;
    Surface d;
    d.rows = (s.rows + rowStep - 1) / rowStep;
    d.columns = (s.columns + columnStep - 1) / columnStep;
    // The last drawn row and column stand where the last block starts.
    d.xFrom = s.xFrom;
    d.xTo =
        s.columns > 1 ? s.xFrom + (s.xTo - s.xFrom) * double((d.columns - 1) * columnStep) / (s.columns - 1) : s.xFrom;
    d.yFrom = s.yFrom;
    d.yTo = s.rows > 1 ? s.yFrom + (s.yTo - s.yFrom) * double((d.rows - 1) * rowStep) / (s.rows - 1) : s.yFrom;
    d.rowLabel = s.rowLabel;
    d.colourLevels = s.colourLevels;
    d.values.assign(std::size_t(d.rows) * std::size_t(d.columns), std::numeric_limits<double>::quiet_NaN());
    for (int r = 0; r < s.rows; ++r) {
        double *out = d.values.data() + std::size_t(r / rowStep) * std::size_t(d.columns);
        for (int c = 0; c < s.columns; ++c) {
            const std::size_t at = std::size_t(r) * std::size_t(s.columns) + std::size_t(c);
            // Past a short value list the grid reads as zeros, as surfacePosition reads it.
            const double v = at < s.values.size() ? s.values[at] : 0.0;
            double &m = out[c / columnStep];
            // A missing value (NaN) hides none of its block's numbers.
            if (std::isnan(m) || v > m)
                m = v;
        }
    }
    return d;
}

namespace {

// Camera zoom in percent and the height it looks at (below the box's middle): the
// whole box, its tick numbers and its axis titles stay in view.
constexpr float kSurfaceZoom = 62.0f;
constexpr float kSurfaceTargetY = -0.8f;
// Finest resolution the graph is rendered at on paper and in files: past it the
// picture only costs memory (a printer page at 1200 dpi took gigabytes).
constexpr int kGraphDpi = 150;
// Point size of the tick numbers and axis titles. The graph scales its labels with
// the picture, so this size keeps them readable down to an 800 x 600 bitmap.
constexpr qreal kLabelPointSize = 60.0;

class SurfaceChart : public Chart {
public:
    ~SurfaceChart() override { destroy(); }

    bool create(QWidget *parent, const QRect &rect) override
    {
        destroy();
        // Qt Data Visualization needs an OpenGL window; the offscreen platform has none.
        if (QGuiApplication::platformName() == QLatin1String("offscreen") || QGuiApplication::platformName().isEmpty())
            return false;
        m_content = ChartContent{};
        m_box = new QWidget(parent);
        m_box->setAutoFillBackground(true);
        auto *layout = new QVBoxLayout(m_box);
        layout->setContentsMargins(4, 4, 4, 4);
        m_title = new QLabel(m_box);
        m_title->setAlignment(Qt::AlignCenter);
        QFont big = m_title->font();
        big.setPointSizeF(big.pointSizeF() * 1.4);
        big.setBold(true);
        m_title->setFont(big);
        m_subtitle = new QLabel(m_box);
        m_subtitle->setAlignment(Qt::AlignCenter);
        // A long title takes more lines rather than widening the window.
        m_title->setWordWrap(true);
        m_subtitle->setWordWrap(true);
        m_graph = new Q3DSurface();
        QWidget *container = QWidget::createWindowContainer(m_graph, m_box);
        container->setMinimumSize(100, 100);
        layout->addWidget(m_title);
        layout->addWidget(m_subtitle);
        layout->addWidget(container, 1);
        // Seconds along one axis and milliseconds along the other: the box stays square.
        m_graph->setHorizontalAspectRatio(1.0);
        m_graph->scene()->activeCamera()->setCameraPreset(Q3DCamera::CameraPresetIsometricRightHigh);
        // Seen from above, the near corner of the box leaves a wide view at full zoom.
        m_graph->scene()->activeCamera()->setZoomLevel(kSurfaceZoom);
        m_graph->scene()->activeCamera()->setTarget(QVector3D(0.0f, kSurfaceTargetY, 0.0f));
        // Shadows hardly show from this camera, and their maps double the memory a
        // rendering takes.
        m_graph->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
        Q3DTheme *theme = m_graph->activeTheme();
        QFont labels = theme->font();
        labels.setPointSizeF(kLabelPointSize);
        theme->setFont(labels);
        // Plain black text, turned towards the viewer.
        theme->setLabelTextColor(Qt::black);
        theme->setLabelBackgroundEnabled(false);
        theme->setLabelBorderEnabled(false);
        for (QValue3DAxis *axis : {m_graph->axisX(), m_graph->axisY(), m_graph->axisZ()})
            axis->setLabelAutoRotation(90.0f);
        m_series = new QSurface3DSeries();
        m_graph->addSeries(m_series);
        // The mesh lines come and go with the size of the window.
        const auto resized = [this] {
            if (m_graph)
                showMesh(m_graph->size());
        };
        QObject::connect(m_graph, &QWindow::widthChanged, m_box, resized);
        QObject::connect(m_graph, &QWindow::heightChanged, m_box, resized);
        m_box->setGeometry(rect);
        m_box->show();
        return true;
    }

    void destroy() override
    {
        // The graph window belongs to its container, which belongs to the box.
        delete m_box.data();
        m_box = nullptr;
        m_graph = nullptr;
        m_series = nullptr;
    }

    bool isCreated() const override { return m_box != nullptr; }
    QWidget *widget() const override { return m_box; }
    void setGeometry(const QRect &rect) override
    {
        if (m_box)
            m_box->setGeometry(rect);
    }

    ChartContent &content() override { return m_content; }
    const ChartContent &content() const override { return m_content; }

    void reinitialise() override
    {
        if (!m_box)
            return;
        m_title->setText(m_content.title);
        m_subtitle->setText(m_content.subtitle);
        m_title->setVisible(!m_content.title.isEmpty());
        m_subtitle->setVisible(!m_content.subtitle.isEmpty());
        m_graph->axisX()->setTitle(m_content.xLabel);
        m_graph->axisY()->setTitle(m_content.yLabel);
        m_graph->axisX()->setTitleVisible(true);
        m_graph->axisY()->setTitleVisible(true);
        m_graph->axisZ()->setTitleVisible(true);
        auto *array = new QSurfaceDataArray;
        if (m_content.surface && m_content.surface->rows > 0 && m_content.surface->columns > 0) {
            // A picture shows no finer grid than this; the content keeps every value.
            const Surface s = drawnSurface(*m_content.surface);
            m_graph->axisZ()->setTitle(s.rowLabel);
            array->reserve(s.rows);
            for (int r = 0; r < s.rows; ++r) {
                auto *row = new QSurfaceDataRow(s.columns);
                for (int c = 0; c < s.columns; ++c)
                    (*row)[c].setPosition(surfacePosition(s, r, c));
                array->append(row);
            }
            const int levels = s.colourLevels > 0 ? s.colourLevels : 17;
            const std::vector<QColor> colours = contourColours(levels);
            // Hard steps between the levels, as a contour scale shows them.
            QLinearGradient gradient;
            for (int i = 0; i < levels; ++i) {
                gradient.setColorAt(double(i) / levels, colours[std::size_t(i)]);
                gradient.setColorAt(std::min(1.0, double(i + 1) / levels - 1e-4), colours[std::size_t(i)]);
            }
            m_series->setBaseGradient(gradient);
            m_series->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
            m_series->setFlatShadingEnabled(false);
        }
        m_series->dataProxy()->resetArray(array);
        showMesh(m_graph->size());
    }

    void resetImage() override
    {
        if (m_box)
            m_box->update();
    }
    void resetZoom() override {}

    int exportResolution() const override { return m_dpi; }
    void setExportResolution(int dpi) override { m_dpi = dpi; }

    bool copyToClipboard(const QSize &size) override
    {
        const QImage image = render(size);
        if (image.isNull() || !QGuiApplication::clipboard())
            return false;
        QGuiApplication::clipboard()->setImage(image);
        return true;
    }

    bool save(ImageFormat format, const QString &path, const QSize &size) override
    {
        if (!m_box || path.isEmpty() || size.isEmpty())
            return false;
        const kxplatform::MappedLargeBlocks release;
        // Written next to the target and renamed over it, so a failed save leaves the
        // old file as it was.
        return kx::ReplaceFileVia(QFile::encodeName(path).toStdString(), [&](const std::string &tempPath) {
            const QString temp = QFile::decodeName(tempPath.c_str());
            if (format == ImageFormat::Vector) {
                QPdfWriter pdf(temp);
                pdf.setPageSize(QPageSize(QSizeF(size.width(), size.height()), QPageSize::Point));
                pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
                pdf.setResolution(300);
                QPainter painter;
                if (!painter.begin(&pdf))
                    return false;
                const QRect page(QPoint(0, 0), QSize(pdf.width(), pdf.height()));
                const bool ok = paint(painter, page);
                return painter.end() && ok;
            }
            const QImage image = render(size);
            const char *kind = format == ImageFormat::Bitmap ? "BMP" : format == ImageFormat::Jpeg ? "JPG" : "PNG";
            return !image.isNull() && image.save(temp, kind);
        });
    }

    QImage render(const QSize &size) override
    {
        if (!m_box || size.isEmpty())
            return {};
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const bool ok = paint(painter, QRect(QPoint(0, 0), size));
        painter.end();
        return ok ? image : QImage();
    }

    bool paint(QPainter &painter, const QRect &target) override
    {
        if (!m_box || target.isEmpty())
            return false;
        // Titles above, the graph rendered at the size left below them.
        QFont font = painter.font();
        font.setPixelSize(std::max(10, target.height() / 30));
        QFont bold = font;
        bold.setBold(true);
        bold.setPixelSize(font.pixelSize() * 4 / 3);
        int top = target.top() + font.pixelSize() / 2;
        painter.fillRect(target, Qt::white);
        painter.setPen(Qt::black);
        // Long titles take smaller type or a second line; none is cut at the edges.
        const int margin = font.pixelSize() / 2;
        const int width = target.width() - 2 * margin;
        for (const auto &[text, f] : {std::pair{m_content.title, bold}, std::pair{m_content.subtitle, font}}) {
            if (text.isEmpty())
                continue;
            const FittedText fitted = fitText(text, f, width, painter.device());
            painter.setFont(fitted.font);
            const int h = QFontMetrics(fitted.font, painter.device()).height();
            for (const QString &line : fitted.lines) {
                painter.drawText(QRect(target.left() + margin, top, width, h), Qt::AlignCenter, line);
                top += h;
            }
        }
        const QRect area(target.left(), top, target.width(), target.bottom() - top);
        if (area.height() < 10)
            return false;
        bool drawn = false;
        {
            // The picture's buffers are many times what the window holds: they go back to
            // the system when the picture is drawn.
            const kxplatform::MappedLargeBlocks release;
            const QSize pixels = graphPixels(area.size(), painter.device()->logicalDpiY());
            const QSurface3DSeries::DrawFlags shown = m_series->drawMode();
            showMesh(pixels);
            const QImage graph = m_graph->renderToImage(0, pixels);
            m_series->setDrawMode(shown);
            if (!graph.isNull())
                painter.drawImage(area, graph);
            drawn = !graph.isNull();
        }
        return drawn;
    }

    bool print(QWidget *dialogParent) override
    {
        if (!m_box)
            return false;
        // The printer, its page and the picture go back to the system when printed.
        const kxplatform::MappedLargeBlocks release;
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        QPrintDialog dialog(&printer, dialogParent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        QPainter painter;
        if (!painter.begin(&printer))
            return false;
        const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
        const bool ok = paint(painter, QRect(QPoint(0, 0), page.size()));
        return painter.end() && ok;
    }

    int customiseDialog(QWidget *) override { return -1; }
    int saveDialog(QWidget *) override { return 0; }

private:
    void showMesh(const QSize &pixels)
    {
        if (!m_series || !m_content.surface)
            return;
        const QSurface3DSeries::DrawFlags mode = meshShown(*m_content.surface, pixels)
                                                     ? QSurface3DSeries::DrawSurfaceAndWireframe
                                                     : QSurface3DSeries::DrawSurface;
        if (m_series->drawMode() != mode)
            m_series->setDrawMode(mode);
    }

    // Pixels the graph is rendered with to fill size device pixels at dpi.
    static QSize graphPixels(const QSize &size, int dpi)
    {
        if (dpi <= kGraphDpi)
            return size;
        const double scale = double(kGraphDpi) / dpi;
        return QSize(std::max(1, int(std::lround(size.width() * scale))),
                     std::max(1, int(std::lround(size.height() * scale))));
    }

    ChartContent m_content;
    QPointer<QWidget> m_box;
    QLabel *m_title = nullptr;
    QLabel *m_subtitle = nullptr;
    Q3DSurface *m_graph = nullptr;
    QSurface3DSeries *m_series = nullptr;
    int m_dpi = 96;
};

} // namespace

std::unique_ptr<Chart> makeSurfaceChart()
{
    return std::make_unique<SurfaceChart>();
}

} // namespace kxchart
