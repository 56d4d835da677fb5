#pragma once

// Plots drawn off the screen, each by a chart of its own: images and print jobs.
// The on-screen plot is never touched.

#include "Pellora/document/IPelloraUi.h"
#include "Pellora/document/PlotContent.h"
#include "platform/chart/Chart.h"

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <memory>

class QPageLayout;
class QPainter;
class QPrinter;
class QWidget;

namespace pellora {

// A chart made by factory showing picture (its content, then its zoom); null when
// none could be made.
std::unique_ptr<kxchart::Chart> MakePlotChart(const kxchart::ChartFactory &factory, const CPlotPicture &picture);
// Writes picture as a JPEG of size pixels, or as the vector image (PDF) of a metafile
// of size metafile units. False when nothing could be written.
bool SavePlotPicture(const kxchart::ChartFactory &factory, const CPlotPicture &picture, PlotImageKind kind,
                     const QString &path, const QSize &size);

// One print or preview job on printer. Printing draws each page on the printer as
// it comes; a preview keeps the pages on disk as drawing commands and shows them at
// Finish, drawn again on every layout of the preview.
class CPlotPrintJob : public IPlotPages {
public:
    CPlotPrintJob(QPrinter &printer, bool preview, const std::array<double, 4> &margins, int unit,
                  kxchart::ChartFactory factory = kxchart::makeChart, QWidget *previewParent = nullptr);
    ~CPlotPrintJob() override;

    bool HasRoom() const override;
    bool AddPage(const CPlotPicture &picture) override;
    void Finish() override;

    int PageCount() const { return m_pages; }
    // Draws the kept preview pages on printer; the number drawn.
    int PaintPreviewPages(QPrinter &printer);

    // The program's page setup, landscape.
    static void PreparePrinter(QPrinter &printer);
    // Margins in device pixels beyond the printer's unprintable border, from the
    // document's margins (left, right, top, bottom; unit 0 inches, 1 centimetres).
    static QMargins PrintMargins(const std::array<double, 4> &margins, int unit, const QPageLayout &layout, int dpi);
    // The rectangle the plot is drawn into, in the painter's coordinates (origin at
    // the printable area's corner); empty when the margins leave no room.
    static QRect PrintTarget(const QPageLayout &layout, int dpi, const QMargins &margins);

private:
    struct Spool;
    QRect TargetOn(const QPrinter &printer) const;
    // Draws picture into target of a device of dpi; false when nothing was drawn.
    bool Draw(QPainter &painter, const CPlotPicture &picture, const QRect &target, int dpi) const;

    QPrinter &m_printer;
    bool m_preview;
    std::array<double, 4> m_margins;
    int m_unit;
    kxchart::ChartFactory m_factory;
    QWidget *m_previewParent;
    QRect m_target;
    int m_pages = 0;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<Spool> m_spool;
};

} // namespace pellora
