#include "Pellora/views/CPlotView.h"

#include "platform/chart/ChartRules.h"

#include "Pellora/app/CMainFrame.h"
#include "Pellora/dialogs/COutputImage.h"
#include "Pellora/document/CPelloraDoc.h"
#include "shared_ui/dialogs/CProgressWnd.h"
#include "Pellora/document/FileListNames.h"
#include "platform/CSettings.h"
#include "shared_ui/printing/PageSetup.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QResizeEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace pellora {

namespace {

constexpr int TableRows = 7;
constexpr int TableColumns = 4;

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

std::string Upper(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Number(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string Integer(long long value)
{
    return std::to_string(value);
}

// The parts of a subtitle: the signal labels are written each followed by a tab.
std::vector<std::string> SubtitleLines(const std::string &subtitle)
{
    std::vector<std::string> lines;
    std::string current;
    for (char c : subtitle) {
        if (c == '\t' || c == '\n' || c == '\r') {
            if (!pellora::Trim(current).empty())
                lines.push_back(pellora::Trim(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!pellora::Trim(current).empty())
        lines.push_back(pellora::Trim(current));
    return lines;
}

} // namespace

// Print Preview All: the pages are built once per job, kept on disk, and drawn from
// there one at a time on every layout of the preview.
struct CPlotView::PageSpool {
    QTemporaryDir folder;
    QSize size;
    int count = 0;

    QString PagePath(int index) const { return folder.filePath(QStringLiteral("page%1.pic").arg(index)); }
};

CPlotView::CPlotView(CPelloraDoc &doc, kxchart::ChartFactory factory, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_factory(std::move(factory))
{
    setObjectName(QStringLiteral("plotView"));
    setMinimumSize(200, 120);
    // Shares the splitter's room equally with the file list.
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHorizontalStretch(1);
    policy.setVerticalStretch(1);
    setSizePolicy(policy);
    m_shortHeader = m_doc.Settings().GetInt("ShortHeader", 1) != 0;
    connect(&m_doc, &CPelloraDoc::Updated, this, &CPlotView::OnUpdate);
}

CPlotView::~CPlotView()
{
    if (m_chart)
        m_chart->destroy();
}

bool CPlotView::HasChart() const
{
    return m_chart && m_chart->isCreated();
}

void CPlotView::OnUpdate(UpdateHint hint)
{
    if (hint != UpdateHint::FileList && hint != UpdateHint::Plot)
        return;
    // Nothing to plot: an empty pane, never the chart of data no longer selected.
    if (m_doc.GetMaxPointCount() < 2)
        ClearChart();
    else
        RebuildChart();
    // The frame enables the chart commands by what the view holds now.
    if (auto *frame = qobject_cast<CMainFrame *>(window()))
        frame->UpdateCommandUI();
}

void CPlotView::KeepZoom()
{
    QRectF range;
    if (m_chart && m_chart->zoomRange(range))
        m_zoom = range;
    else if (m_chart)
        m_zoom.reset();
}

void CPlotView::ClearChart()
{
    if (!m_chart)
        return;
    KeepZoom();
    m_chart->destroy();
    m_chart.reset();
    update();
}

bool CPlotView::RebuildChart()
{
    if (m_chart) {
        KeepZoom();
        m_chart->destroy();
        m_chart.reset();
    }
    if (!m_factory)
        return false;
    m_chart = m_factory();
    if (!m_chart)
        return false;
    ++m_builds;
    if (!m_chart->create(this, rect()))
        return false;
    if (QWidget *w = m_chart->widget())
        w->show();
    FillChart();
    // With "Save Zoom Settings between Plots" the user's zoom survives a new plot.
    if (m_doc.GetSaveZoom() && m_zoom)
        m_chart->setZoomRange(*m_zoom);
    m_chart->resetImage();
    update();
    return true;
}

void CPlotView::FillChart()
{
    if (!m_chart)
        return;
    m_chart->content() = BuildContent(m_doc, m_shortHeader);
    m_chart->reinitialise();
}

std::string CPlotView::DatabaseName(const kx::CNSignal &signal)
{
    // The test source names the database; a record without it counts as a vehicle
    // test when its first component is a vehicle.
    const std::string source = Upper(signal.GetTstSrc());
    if (source.find("BIO") != std::string::npos)
        return "BIOMECHANICS DB";
    if (source.find("VEH") != std::string::npos || Upper(pellora::Trim(signal.GetVehicle1ComponentType())) == "VE" ||
        !pellora::Trim(signal.GetVehicle1Make()).empty())
        return "VEHICLE DB";
    return "CD";
}

kxchart::HeaderTable CPlotView::BuildHeaderTable(const kx::CNSignal &signal)
{
    const std::string database = DatabaseName(signal);
    const bool vehicle = database == "VEHICLE DB";
    const bool biomechanics = database == "BIOMECHANICS DB";

    // The extremes' times come in milliseconds when X is in seconds.
    double yMin = 0.0, xAtMin = 0.0, yMax = 0.0, xAtMax = 0.0;
    if (!signal.GetYExtremes(yMin, xAtMin, yMax, xAtMax)) {
        yMin = signal.GetYMin();
        yMax = signal.GetYMax();
    }
    const std::string yMinText = "Y MIN = " + Number(yMin, 3) + " AT " + Number(xAtMin, 2) + " ms";
    const std::string yMaxText = "Y MAX = " + Number(yMax, 3) + " AT " + Number(xAtMax, 2) + " ms";
    const double speed = signal.GetVehicle1Speed() != 0.0 ? signal.GetVehicle1Speed() : signal.GetClsSpd();

    std::vector<std::string> cells;
    const auto add = [&cells](const std::string &label, const std::string &value) {
        cells.push_back(label + pellora::Trim(value));
    };
    add("File Name: ", signal.GetFileName());
    add("Database Name: ", database);
    add("Test Performer: ", signal.GetTstPrf());
    add("Reference: ", signal.GetTstRef());

    add("Config: ", signal.GetTstCfn());
    add("Speed: ", Number(speed, 1));
    if (!biomechanics) {
        add("Vehicle #: ", Integer(signal.GetVehicle1Number()));
        add("Year: ", Integer(signal.GetVehicle1Year()));
        add("Make: ", signal.GetVehicle1Make());
        add("Model: ", signal.GetVehicle1Model());
        add("Body: ", signal.GetVehicle1BodyType());
    }
    if (vehicle || biomechanics) {
        add("Occupant Location: ", signal.GetSenLoc());
        add("Occupant Type: ", signal.GetOccupant1Type());
        if (biomechanics) {
            add("Occupant Weight: ", Number(signal.GetOccupant1Weight(), 1));
            add("Occupant Sex: ", signal.GetOccupant1Sex());
            add("Size: ", signal.GetOccupant1Size());
        } else {
            add("Dummy Size: ", signal.GetOccupant1Size());
        }
        add("Restraint [1]: ", signal.GetOccupant1Restraint1());
        add("Restraint [2]: ", signal.GetOccupant1Restraint2());
    }
    add("Sensor Attachment: ", signal.GetSenAtt());
    add("Sensor Type: ", signal.GetSensorType());
    add("Axis: ", signal.GetAxis());
    add("Y-Axis Type: ", signal.GetYType());
    add("Status: ", signal.GetStatus());
    add("PreFilter CutOff: ", Number(signal.GetPreFil(), 1));
    if (vehicle || biomechanics) {
        add("HIC: ", Number(signal.GetHIC(), 1));
        add("Clip Chest: ", Number(signal.GetCLIP3M(), 1));
        add("AIS: ", signal.GetAIS());
    }
    cells.push_back(yMinText);
    cells.push_back(yMaxText);
    add("Comments: ", signal.GetDesc());

    kxchart::HeaderTable table;
    table.rows = TableRows;
    table.columns = TableColumns;
    table.fontFamily = QStringLiteral("Arial");
    const QString blank(32, QLatin1Char(' '));
    table.cells.assign(size_t(TableRows * TableColumns), blank);
    // The last cells (extremes and comments) close the table; the rest fill it in order.
    const size_t tail = 3;
    const size_t head = std::min(cells.size() - tail, table.cells.size() - tail);
    for (size_t i = 0; i < head; ++i)
        table.cells[i] = Q(cells[i]);
    for (size_t i = 0; i < tail; ++i)
        table.cells[table.cells.size() - tail + i] = Q(cells[cells.size() - tail + i]);
    return table;
}

kxchart::ChartContent CPlotView::BuildContent(const CPelloraDoc &doc, bool shortHeader)
{
    kxchart::ChartContent content;
    const auto &signalList = doc.GetSignals();
    const int points = std::max(0, doc.GetMaxPointCount());
    int curves = std::max(0, doc.GetSignalCount());
    const size_t held = std::min(doc.GetChartX().size(), doc.GetChartY().size());
    if (points > 0)
        curves = std::min(curves, int(held / size_t(points)));

    if (!shortHeader && signalList.size() == 1) {
        content.headerTable = BuildHeaderTable(*signalList.front());
    } else {
        content.title = Q(doc.GetTitle());
        const std::vector<std::string> lines = SubtitleLines(doc.GetSubTitle());
        if (lines.size() > 1) {
            for (const std::string &line : lines)
                content.subtitleLines << Q(line);
        } else {
            content.subtitle = lines.empty() ? QString() : Q(lines.front());
        }
    }

    content.curves = curves;
    content.points = curves > 0 ? points : 0;
    const size_t used = size_t(content.curves) * size_t(content.points);
    content.x.assign(doc.GetChartX().begin(), doc.GetChartX().begin() + std::ptrdiff_t(used));
    content.y.assign(doc.GetChartY().begin(), doc.GetChartY().begin() + std::ptrdiff_t(used));
    // The places beyond a shorter curve hold the pad value: never drawn.
    content.nullValue = CPelloraDoc::PadValue;

    const auto &labels = doc.GetSignalLabels();
    for (int c = 0; c < curves; ++c) {
        QString name;
        if (size_t(c) < labels.size() && !labels[size_t(c)].empty())
            name = Q(labels[size_t(c)]);
        else if (size_t(c) < signalList.size())
            name = Q(signalList[size_t(c)]->GetFileName());
        content.legend << name;
    }
    for (int c = 0; c < curves; ++c)
        content.lineStyles.push_back(kxchart::LineStyleCode(doc.GetLineStyle(), c));

    content.xLabel = Q(doc.GetXLabel());
    content.yLabel = Q(doc.GetYLabel());
    content.grid = true;
    return content;
}

// Printing.

QMargins CPlotView::PrintMargins(const std::array<double, 4> &margins, int unit, const QPageLayout &layout, int dpi)
{
    // The printer's unprintable border is what lies outside its paint rectangle.
    const QRectF full = layout.fullRect(QPageLayout::Inch);
    const QRectF paint = layout.paintRect(QPageLayout::Inch);
    const double border[4] = {paint.left() - full.left(), full.right() - paint.right(), paint.top() - full.top(),
                              full.bottom() - paint.bottom()};
    int result[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        double inches = margins[size_t(i)];
        if (unit == 1)
            inches /= 2.54;
        if (!std::isfinite(inches))
            inches = 0.0;
        result[i] = int(std::lround(std::max(0.0, inches - std::max(0.0, border[i])) * dpi));
    }
    return QMargins(result[0], result[2], result[1], result[3]);
}

QRect CPlotView::PrintTarget(const QPageLayout &layout, int dpi, const QMargins &margins)
{
    const QRect paint = layout.paintRectPixels(dpi);
    const QRect target(margins.left(), margins.top(), paint.width() - margins.left() - margins.right(),
                       paint.height() - margins.top() - margins.bottom());
    return target.width() > 0 && target.height() > 0 ? target : QRect();
}

QRect CPlotView::PageTarget(const QPrinter &printer)
{
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    return PrintTarget(layout, dpi, PrintMargins(m_doc.GetMargins(), m_doc.GetMarginUnit(), layout, dpi));
}

bool CPlotView::DrawPage(QPainter &painter, const QRect &target, int dpi)
{
    if (!HasChart())
        return false;
    // The chart lays itself out for the device's resolution and draws as lines and text.
    const int savedDpi = m_chart->exportResolution();
    m_chart->setExportResolution(dpi);
    const bool drawn = m_chart->paint(painter, target);
    m_chart->setExportResolution(savedDpi);
    return drawn;
}

int CPlotView::PrintPages(QPrinter &printer, bool allPlots)
{
    const QRect target = PageTarget(printer);
    if (target.isEmpty()) {
        Message("The page margins leave no room for the plot.");
        return 0;
    }
    const int dpi = printer.resolution();
    QPainter painter;
    int printed = 0;
    const auto page = [&]() {
        if (printed == 0 ? !painter.begin(&printer) : !printer.newPage())
            return false;
        if (!DrawPage(painter, target, dpi))
            return false;
        ++printed;
        return true;
    };
    if (!allPlots) {
        if (HasChart())
            page();
    } else {
        m_doc.RunBatch("Printing All Uds Plots", "Printing...",
                       [&](std::size_t, const std::string &path, const std::string &) {
                           if (page())
                               return true;
                           m_doc.AddError(CPelloraDoc::FileError(path, "could not be printed."));
                           return false;
                       });
    }
    if (painter.isActive())
        painter.end();
    return printed;
}

bool CPlotView::BuildPreviewPages(QPrinter &printer)
{
    m_spool.reset();
    const QRect target = PageTarget(printer);
    if (target.isEmpty()) {
        Message("The page margins leave no room for the plot.");
        return false;
    }
    auto spool = std::make_unique<PageSpool>();
    if (!spool->folder.isValid()) {
        Message("Failure to write file: " + spool->folder.path().toStdString());
        return false;
    }
    spool->size = target.size();
    const int dpi = printer.resolution();
    const CPelloraDoc::BatchResult result = m_doc.RunBatch(
        "Building the Print Preview", "Building pages...",
        [&](std::size_t, const std::string &path, const std::string &) {
            QPicture picture;
            QPainter painter(&picture);
            const bool drawn = DrawPage(painter, QRect(QPoint(0, 0), spool->size), dpi);
            painter.end();
            if (!drawn || !picture.save(spool->PagePath(spool->count))) {
                m_doc.AddError(CPelloraDoc::FileError(path, "could not be drawn for the preview."));
                return false;
            }
            ++spool->count;
            return true;
        });
    if (result.cancelled || spool->count == 0)
        return false;
    m_spool = std::move(spool);
    return true;
}

int CPlotView::PreviewPageCount() const
{
    return m_spool ? m_spool->count : 0;
}

int CPlotView::PaintPreviewPages(QPrinter &printer)
{
    if (!m_spool)
        return 0;
    const QRect target = PageTarget(printer);
    if (target.isEmpty())
        return 0;
    QPainter painter;
    int drawn = 0;
    for (int i = 0; i < m_spool->count; ++i) {
        QPicture picture;
        if (!picture.load(m_spool->PagePath(i)))
            continue;
        if (drawn == 0 ? !painter.begin(&printer) : !printer.newPage())
            break;
        // A page built for another paper size is scaled into this one.
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(double(target.width()) / m_spool->size.width(),
                      double(target.height()) / m_spool->size.height());
        // A picture plays itself scaled by the printer's resolution over its own.
        painter.scale(double(picture.logicalDpiX()) / printer.logicalDpiX(),
                      double(picture.logicalDpiY()) / printer.logicalDpiY());
        painter.drawPicture(0, 0, picture);
        painter.restore();
        ++drawn;
    }
    if (painter.isActive())
        painter.end();
    return drawn;
}

void CPlotView::PreparePrinter(QPrinter &printer)
{
    kxres::ApplyProgramPageSetup(printer);
    // Plots are printed landscape only.
    printer.setPageOrientation(QPageLayout::Landscape);
}

void CPlotView::RunPrint(bool realPrint, bool allPlots)
{
    m_realPrint = realPrint;
    m_allPlots = allPlots;
    if (allPlots && m_doc.GetFileNames().empty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    if (realPrint) {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        printer.setPageOrientation(QPageLayout::Landscape);
        PrintPages(printer, allPlots);
        return;
    }
    if (allPlots && !BuildPreviewPages(printer))
        return;
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, allPlots](QPrinter *p) {
        kxres::Guarded(this, [&] {
            // The preview's orientation buttons do not turn a plot portrait.
            p->setPageOrientation(QPageLayout::Landscape);
            if (allPlots)
                PaintPreviewPages(*p);
            else
                PrintPages(*p, false);
        });
    });
    preview.exec();
    m_spool.reset();
}

void CPlotView::PrintCurrentPlot()
{
    if (!HasChart()) {
        Message("Please select a curve from the upper pane.\n\rThen select 'Printing Current Plot' again.");
        return;
    }
    RunPrint(true, false);
}

void CPlotView::PrintAllPlots()
{
    RunPrint(true, true);
}

void CPlotView::PreviewCurrentPlot()
{
    if (!HasChart()) {
        Message("Please select a curve from the upper pane.\n\rThen select 'Printing Current Plot' again.");
        return;
    }
    RunPrint(false, false);
}

void CPlotView::PreviewAllPlots()
{
    RunPrint(false, true);
}

// Images.

QString CPlotView::SaveAllName(const QString &folder, const std::string &fileName, int number, ImageKind kind)
{
    const QFileInfo info(Q(fileName));
    const QString stem = info.completeBaseName();
    const QString extension = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.3d", number);
    const QString name = stem + extension + QStringLiteral("_") + QLatin1String(digits) +
                         (kind == ImageKind::Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".pdf"));
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}

bool CPlotView::SaveJpeg(const QString &path, const QSize &size)
{
    return HasChart() && m_chart->save(kxchart::ImageFormat::Jpeg, path, size);
}

bool CPlotView::SaveVector(const QString &path, const QSize &metafileSize)
{
    return HasChart() && m_chart->save(kxchart::ImageFormat::Vector, path, kxchart::VectorSize(metafileSize));
}

void CPlotView::CopyPlot()
{
    if (!HasChart())
        return;
    m_chart->copyPictureToClipboard();
}

void CPlotView::SaveAsJpeg()
{
    if (!HasChart())
        return;
    COutputImage dialog(m_doc.Settings(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString path = dialog.GetFileName();
    if (path.isEmpty())
        return;
    // A bare name goes to the output folder; a name without extension gets ".jpg".
    if (QFileInfo(path).isRelative())
        path = QDir(Q(m_doc.GetOutputDir())).filePath(path);
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".jpg");
    if (!SaveJpeg(path, QSize(dialog.GetWidth(), dialog.GetHeight())))
        Message("The image " + path.toStdString() + " could not be written.");
}

void CPlotView::SaveAsWmf()
{
    if (!HasChart())
        return;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save PDF as"), Q(m_doc.GetOutputDir()),
                                                QStringLiteral("PDF File(*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".pdf");
    if (!SaveVector(path, QSize(10000, 5000))) {
        Message("The image " + path.toStdString() + " could not be written.");
        return;
    }
    m_doc.SetOutputDir(QFileInfo(path).absolutePath().toStdString());
}

void CPlotView::SaveAllPlots(ImageKind kind, const QString &folder, int width, int height)
{
    const std::string title = std::string("Saving All Uds Plots As ") + (kind == ImageKind::Jpeg ? "jpg Files" : "pdf Files");
    m_doc.RunBatch(title, "Saving...", [&](std::size_t index, const std::string &path, const std::string &name) {
        if (!HasChart()) {
            m_doc.AddError(CPelloraDoc::FileError(path, "could not be plotted; no image saved."));
            return false;
        }
        // Named after the file of the job's own list that the chart now shows.
        const QString target = SaveAllName(folder, name, int(index) + 1, kind);
        const bool saved = kind == ImageKind::Jpeg ? SaveJpeg(target, QSize(width, height))
                                                   : SaveVector(target, QSize(width, height));
        if (!saved)
            m_doc.AddError("Failure to write file: " + target.toStdString());
        return saved;
    });
}

// Window.

void CPlotView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_chart)
        m_chart->setGeometry(rect());
}

void CPlotView::paintEvent(QPaintEvent *event)
{
    // Nothing is erased under a chart: it covers the whole view.
    if (HasChart() && m_chart->widget())
        return;
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
}

void CPlotView::Message(const std::string &text)
{
    if (IPelloraUi *ui = m_doc.Ui()) {
        ui->ShowMessage(text, IPelloraUi::Icon::Information);
        return;
    }
    QMessageBox::information(this, QStringLiteral("Pellora"), Q(text));
}

} // namespace pellora
