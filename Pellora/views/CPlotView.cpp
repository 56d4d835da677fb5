#include "Pellora/views/CPlotView.h"

#include "platform/chart/ChartRules.h"

#include "Pellora/app/CMainFrame.h"
#include "Pellora/dialogs/COutputImage.h"
#include "Pellora/document/CPelloraDoc.h"
#include "shared_ui/dialogs/CProgressWnd.h"
#include "Pellora/document/FileListNames.h"
#include "platform/CSettings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QResizeEvent>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace pellora {

namespace {

constexpr int TableRows = 7;
constexpr int TableColumns = 4;
// Resolution the printed chart is rendered at.
constexpr int PrintDpi = 300;

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

void CPlotView::OnUpdate(int hint)
{
    if (hint != CPelloraDoc::HintFileList && hint != CPelloraDoc::HintPlot)
        return;
    if (m_doc.GetMaxPointCount() < 2)
        return;
    RebuildChart();
    // The frame enables the chart commands by what the view holds now.
    if (auto *frame = qobject_cast<CMainFrame *>(window()))
        frame->UpdateCommandUI();
}

bool CPlotView::RebuildChart()
{
    if (m_chart) {
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

int CPlotView::PrintPages(QPrinter &printer, bool allPlots)
{
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect target = PrintTarget(layout, dpi, PrintMargins(m_doc.GetMargins(), m_doc.GetMarginUnit(), layout, dpi));
    if (target.isEmpty()) {
        Message("The page margins leave no room for the plot.");
        return 0;
    }

    const std::vector<std::string> names = m_doc.GetFileNames();
    const int pages = allPlots ? int(names.size()) : 1;
    // All-plots mode loads each file in turn; the current selection is put back after.
    const Snapshot saved = Save();
    if (allPlots)
        m_doc.ClearErrors();

    QPainter painter;
    int printed = 0;
    for (int page = 0; page < pages; ++page) {
        if (allPlots) {
            const std::string &name = names[size_t(page)];
            if (!m_doc.LoadFileByName(name))
                continue;
            if (m_doc.GetSignals().empty() || m_doc.GetSignals().front()->GetNumberOfPoints() < 1 ||
                m_doc.GetMaxPointCount() < 1) {
                m_doc.AddError("File " + m_doc.FullPathOf(name) + " holds no points; it is not printed.");
                continue;
            }
            if (!m_chart && !RebuildChart())
                break;
        }
        if (!HasChart())
            break;
        if (printed == 0) {
            if (!painter.begin(&printer))
                break;
        } else if (!printer.newPage()) {
            break;
        }
        const int savedDpi = m_chart->exportResolution();
        m_chart->setExportResolution(PrintDpi);
        FillChart();
        const QSize size(int(std::lround(double(target.width()) * PrintDpi / dpi)),
                         int(std::lround(double(target.height()) * PrintDpi / dpi)));
        const QImage image = m_chart->render(size);
        if (!image.isNull()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(target, image);
        }
        m_chart->setExportResolution(savedDpi);
        m_chart->resetImage();
        ++printed;
    }
    if (painter.isActive())
        painter.end();

    if (allPlots) {
        Restore(saved);
        m_doc.ShowErrorList();
    }
    return printed;
}

void CPlotView::RunPrint(bool realPrint, bool allPlots)
{
    m_realPrint = realPrint;
    m_allPlots = allPlots;
    if (allPlots && m_doc.GetFileNames().empty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (realPrint) {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        printer.setPageOrientation(QPageLayout::Landscape);
        PrintPages(printer, allPlots);
    } else {
        QPrintPreviewDialog preview(&printer, this);
        connect(&preview, &QPrintPreviewDialog::paintRequested, this,
                [this, allPlots](QPrinter *p) { PrintPages(*p, allPlots); });
        preview.exec();
    }
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
    const int saved = m_chart->exportResolution();
    m_chart->setExportResolution(kxchart::ClipboardResolution());
    m_chart->copyToClipboard(kxchart::ClipboardImageSize());
    m_chart->setExportResolution(saved);
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
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Metafile as"), Q(m_doc.GetOutputDir()),
                                                QStringLiteral("Windows Metafile(*.pdf)"));
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
    const std::vector<std::string> names = m_doc.GetFileNames();
    if (names.empty())
        return;
    const Snapshot saved = Save();
    m_doc.ClearErrors();

    auto *progress = new kxres::CProgressWnd(this);
    m_progress = progress;
    progress->SetTitle(QStringLiteral("Saving All Uds Plots As ") +
                       (kind == ImageKind::Jpeg ? QStringLiteral("jpg Files") : QStringLiteral("wmf Files")));
    progress->SetRange(0, int(names.size()));
    progress->SetStep(1);
    progress->SetText(QStringLiteral("Saving..."));
    progress->show();
    progress->PeekAndPump(12);

    bool cancelled = false;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string &name = names[i];
        const std::string path = m_doc.FullPathOf(name);
        // A file that cannot be plotted is skipped: the chart still shows the
        // previous file and must not be saved under this one's name.
        bool plotted = false;
        if (m_doc.LoadFileByName(name)) {
            if (m_doc.GetSignals().empty() || m_doc.GetSignals().front()->GetNumberOfPoints() < 1 ||
                m_doc.GetMaxPointCount() < 2) {
                m_doc.AddError("File " + path + " holds too few points to plot; no image saved.");
            } else {
                const int builds = m_builds;
                m_doc.UpdateAllViews(CPelloraDoc::HintPlot);
                plotted = (m_builds != builds || RebuildChart()) && HasChart();
                if (!plotted)
                    m_doc.AddError("File " + path + " could not be plotted; no image saved.");
            }
        }
        if (plotted) {
            const QString target = SaveAllName(folder, name, int(i) + 1, kind);
            const bool saved = kind == ImageKind::Jpeg ? SaveJpeg(target, QSize(width, height))
                                                       : SaveVector(target, QSize(width, height));
            if (!saved)
                m_doc.AddError("The image " + target.toStdString() + " could not be written.");
        }
        progress->PeekAndPump(12);
        progress->StepIt();
        if (progress->IsCancelled()) {
            cancelled = true;
            break;
        }
    }
    m_progress = nullptr;
    delete progress;
    if (cancelled)
        Message("Printing Cancelled");

    Restore(saved);
    m_doc.ShowErrorList();
}

CPlotView::Snapshot CPlotView::Save() const
{
    return {m_doc.GetSignals(), m_doc.GetSelectedFiles(), m_doc.GetTitle(), m_doc.GetSubTitle()};
}

void CPlotView::Restore(const Snapshot &saved)
{
    m_doc.Signals() = saved.signalList;
    m_doc.SelectedFiles() = saved.files;
    m_doc.RecomputeMaxPointCount();
    m_doc.BuildChartArrays();
    m_doc.BuildPlotTexts();
    m_doc.SetTitle(saved.title);
    m_doc.SetSubTitle(saved.subTitle);
    if (m_doc.GetMaxPointCount() < 2 && m_chart) {
        // Nothing of the former content can be plotted: no file's chart stays behind.
        m_chart->destroy();
        m_chart.reset();
        update();
    }
    m_doc.UpdateAllViews(CPelloraDoc::HintPlot);
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
