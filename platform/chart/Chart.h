#pragma once

// The one chart interface of the suite. Programs describe a chart through its
// content, then reinitialise it; a chart that was never created ignores every command.

#include "platform/chart/content/ChartContent.h"
#include "platform/chart/content/ChartRules.h"

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace kxchart {

enum class ImageFormat { Vector, Bitmap, Jpeg, Png };

class Chart {
public:
    virtual ~Chart() = default;

    // Creates the chart window inside parent, filling rect. False when nothing was created.
    virtual bool create(QWidget *parent, const QRect &rect) = 0;
    virtual void destroy() = 0;
    virtual bool isCreated() const = 0;
    virtual QWidget *widget() const = 0;
    virtual void setGeometry(const QRect &rect) = 0;

    // Properties: change the content, then reinitialise to take them in.
    virtual ChartContent &content() = 0;
    virtual const ChartContent &content() const = 0;
    virtual void reinitialise() = 0;
    virtual void resetImage() = 0;
    virtual void resetZoom() = 0;
    // The axis ranges the user zoomed or dragged to (left() to right() along X,
    // top() to bottom() along Y); false while the axes show the automatic range.
    virtual bool zoomRange(QRectF &range) const
    {
        (void)range;
        return false;
    }
    // Shows these ranges in place of the automatic ones (after a reinitialise).
    virtual void setZoomRange(const QRectF &range) { (void)range; }

    // Resolution used for exports and printing, in dots per inch.
    virtual int exportResolution() const = 0;
    virtual void setExportResolution(int dpi) = 0;

    // Output. Sizes are in pixels at the export resolution.
    virtual bool copyToClipboard(const QSize &size) = 0;
    // The Copy command: the clipboard picture size drawn at the clipboard resolution;
    // the export resolution is left as it was.
    virtual bool copyPictureToClipboard()
    {
        const int saved = exportResolution();
        setExportResolution(ClipboardResolution());
        const bool copied = copyToClipboard(ClipboardImageSize());
        setExportResolution(saved);
        return copied;
    }
    virtual bool save(ImageFormat format, const QString &path, const QSize &size) = 0;
    virtual QImage render(const QSize &size) = 0;
    virtual bool paint(QPainter &painter, const QRect &target) = 0;
    virtual bool print(QWidget *dialogParent) = 0;

    // Our own dialogs: customise returns -1 on failure, save returns 0 on failure.
    virtual int customiseDialog(QWidget *parent) = 0;
    virtual int saveDialog(QWidget *parent) = 0;
};

using ChartFactory = std::function<std::unique_ptr<Chart>()>;

// The drawing chart (QCustomPlot behind it).
std::unique_ptr<Chart> makeChart();

// Texts the chart dialogs report failures with.
inline const char *const kCustomiseFailure = "Failure to customize the graph.";
inline const char *const kSaveFailure = "Failure to save the graph.";

} // namespace kxchart
