#include "platform/chart/RecordingChart.h"

#include <QImage>

namespace kxchart {

namespace {

std::string sizeText(const QSize &size)
{
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

const char *formatName(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Vector:
        return "vector";
    case ImageFormat::Bitmap:
        return "bitmap";
    case ImageFormat::Jpeg:
        return "jpeg";
    case ImageFormat::Png:
        return "png";
    }
    return "?";
}

} // namespace

void RecordingChart::record(std::string call)
{
    m_calls.push_back(std::move(call));
}

bool RecordingChart::create(QWidget *, const QRect &rect)
{
    m_created = true;
    m_rect = rect;
    m_content = ChartContent{};
    m_zoom.reset();
    record("create");
    return true;
}

void RecordingChart::destroy()
{
    if (m_created)
        record("destroy");
    m_created = false;
}

void RecordingChart::setGeometry(const QRect &rect)
{
    if (!m_created)
        return;
    m_rect = rect;
    record("resize " + sizeText(rect.size()));
}

void RecordingChart::reinitialise()
{
    if (!m_created)
        return;
    m_shown = m_content;
    m_zoom.reset();
    record("reinitialise");
}

void RecordingChart::resetImage()
{
    if (m_created)
        record("reset image");
}

void RecordingChart::resetZoom()
{
    m_zoom.reset();
    if (m_created)
        record("reset zoom");
}

bool RecordingChart::zoomRange(QRectF &range) const
{
    if (!m_created || !m_zoom)
        return false;
    range = *m_zoom;
    return true;
}

void RecordingChart::setZoomRange(const QRectF &range)
{
    if (!m_created)
        return;
    m_zoom = range;
    record("zoom " + std::to_string(range.left()) + ".." + std::to_string(range.right()) + " " +
           std::to_string(range.top()) + ".." + std::to_string(range.bottom()));
}

void RecordingChart::setExportResolution(int dpi)
{
    m_dpi = dpi;
}

bool RecordingChart::copyToClipboard(const QSize &size)
{
    if (!m_created)
        return false;
    record("copy " + sizeText(size));
    return true;
}

bool RecordingChart::copyPictureToClipboard()
{
    if (!m_created)
        return false;
    record("copy picture");
    return Chart::copyPictureToClipboard();
}

bool RecordingChart::save(ImageFormat format, const QString &path, const QSize &size)
{
    if (!m_created)
        return false;
    record(std::string("save ") + formatName(format) + " " + path.toStdString() + " " + sizeText(size));
    return saveResult;
}

QImage RecordingChart::render(const QSize &size)
{
    if (!m_created || size.isEmpty())
        return {};
    record("render " + sizeText(size));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool RecordingChart::paint(QPainter &, const QRect &target)
{
    if (!m_created)
        return false;
    record("paint " + std::to_string(target.x()) + "," + std::to_string(target.y()) + " " + sizeText(target.size()));
    return true;
}

bool RecordingChart::print(QWidget *)
{
    if (!m_created)
        return false;
    record("print");
    return true;
}

int RecordingChart::customiseDialog(QWidget *)
{
    if (!m_created)
        return -1;
    record("customise");
    return customiseResult;
}

int RecordingChart::saveDialog(QWidget *)
{
    if (!m_created)
        return 0;
    record("save dialog");
    return saveDialogResult;
}

} // namespace kxchart
