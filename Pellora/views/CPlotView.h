#pragma once

// The plot: the lower pane of the main window. Owns one chart that shows the
// document's current signals, prints it into the page margins, saves it as an
// image, copies it, and saves one image per listed file (Save All Plots).

#include "Pellora/document/UpdateHint.h"
#include "Pellora/views/IPlotPane.h"
#include "platform/chart/Chart.h"
#include "signal/CNSignal.h"
#include "signal/CFile.h"

#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QRectF>
#include <QWidget>

#include <array>
#include <optional>
#include <memory>
#include <string>
#include <vector>

class QPageLayout;
class QPainter;
class QPrinter;

namespace pellora {

class CPelloraDoc;

class CPlotView : public QWidget, public IPlotPane {
    Q_OBJECT
public:
    explicit CPlotView(CPelloraDoc &doc, kxchart::ChartFactory factory = kxchart::makeChart,
                       QWidget *parent = nullptr);
    ~CPlotView() override;

    CPelloraDoc &Document() const { return m_doc; }
    // The current chart, null before the first plot.
    kxchart::Chart *Chart() const { return m_chart.get(); }

    // Hints 1 (file list) and 2 (plot) rebuild the chart when the document holds
    // at least two points; other hints do nothing.
    void OnUpdate(pellora::UpdateHint hint);

    // IPlotPane.
    bool HasChart() const override;
    void PrintCurrentPlot() override;
    void PrintAllPlots() override;
    void PreviewCurrentPlot() override;
    void PreviewAllPlots() override;
    void CopyPlot() override;
    void SaveAsJpeg() override;
    void SaveAsWmf() override;
    void SaveAllPlots(ImageKind kind, const QString &folder, int width, int height) override;
    bool IsShortHeader() const override { return m_shortHeader; }
    void SetShortHeader(bool shortHeader) override { m_shortHeader = shortHeader; }

    // Saves the current chart; false without a chart or when the file cannot be written.
    bool SaveJpeg(const QString &path, const QSize &size);
    // The vector image (PDF) of the metafile commands; size in metafile units.
    bool SaveVector(const QString &path, const QSize &metafileSize);

    // Draws the plot on a printer: one page, or one page per listed file that can
    // be plotted (a batch job of the document). Returns the number of pages drawn.
    int PrintPages(QPrinter &printer, bool allPlots);
    // Print Preview All: builds one page per plottable listed file for printer's
    // page, once (a batch job); false when cancelled or nothing could be drawn.
    bool BuildPreviewPages(QPrinter &printer);
    int PreviewPageCount() const;
    // Draws the built pages on printer (each layout of the preview); the number drawn.
    int PaintPreviewPages(QPrinter &printer);
    // The program's page setup, landscape.
    static void PreparePrinter(QPrinter &printer);

    // What the chart shows for the document's current content.
    static kxchart::ChartContent BuildContent(const CPelloraDoc &doc, bool shortHeader);
    // The 7 x 4 header table of one signal.
    static kxchart::HeaderTable BuildHeaderTable(const kx::CNSignal &signal);
    // Text of the database-name cell: "VEHICLE DB", "BIOMECHANICS DB" or "CD".
    static std::string DatabaseName(const kx::CNSignal &signal);

    // Margins in device pixels beyond the printer's unprintable border, from the
    // document's margins (left, right, top, bottom; unit 0 inches, 1 centimetres).
    static QMargins PrintMargins(const std::array<double, 4> &margins, int unit, const QPageLayout &layout,
                                 int dpi);
    // The rectangle the plot is drawn into, in the painter's coordinates (origin at
    // the printable area's corner); empty when the margins leave no room.
    static QRect PrintTarget(const QPageLayout &layout, int dpi, const QMargins &margins);
    // folder + stem + extension + "_" + three-digit number + image extension.
    static QString SaveAllName(const QString &folder, const std::string &fileName, int number, ImageKind kind);

    QSize sizeHint() const override { return {800, 400}; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct PageSpool;
    // Destroys the chart, creates a new one and fills it from the document.
    bool RebuildChart();
    // Destroys the chart: the pane is empty.
    void ClearChart();
    // Remembers the user's zoom of the current chart.
    void KeepZoom();
    // Printable rectangle of printer's page within the document's margins.
    QRect PageTarget(const QPrinter &printer);
    // Draws the current chart into target of a device of dpi; false without a chart.
    bool DrawPage(QPainter &painter, const QRect &target, int dpi);
    void FillChart();
    void RunPrint(bool realPrint, bool allPlots);
    void Message(const std::string &text);

    CPelloraDoc &m_doc;
    kxchart::ChartFactory m_factory;
    std::unique_ptr<kxchart::Chart> m_chart;
    bool m_shortHeader = true;
    bool m_realPrint = false;
    bool m_allPlots = false;
    int m_builds = 0;
    std::optional<QRectF> m_zoom;
    std::unique_ptr<PageSpool> m_spool;
};

} // namespace pellora
