#include "shared_ui/header/CUdsReport.h"

#include "shared_ui/printing/PageSetup.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QDate>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "shared_ui/printing/CPage.h"
#include "shared_ui/printing/CPrintRegion.h"
#include "shared_ui/printing/CPrintTable.h"
#include "shared_ui/printing/CViewPrintPreview.h"
#include "shared_ui/header/TextFunctions.h"

namespace {

constexpr int PageMode = CPage::MM_ANISOTROPIC;
constexpr int TextSize = 12;
constexpr int TitleSize = 15;
constexpr int RegionTextFlags = 0x200;
constexpr int RegionTitleFlags = 0x91;
constexpr int SmallestSize = 7;
constexpr double ItemGap = 0.05; // inches kept free before the next item of a row

// The text's size, made smaller when the text would not fit its width (logical units),
// so no value is cut off however wide the printer's font is.
int FitSize(CPage &page, const std::string &text, int flags, int size, int available)
{
    const std::string shown = text.substr(0, text.find_last_not_of(' ') + 1);
    while (size > SmallestSize && page.MeasureTextWidth(shown.c_str(), flags, size) > available) {
        --size;
    }
    return size;
}

// A table of the curve section: inches, fixed widths, across the form.
void SetUpCurveTable(TableDescription &table, int columns, int rows, double top)
{
    table.inInches = 1;
    table.autoWidth = 0;
    table.pointSize = TitleSize;
    table.columns = columns;
    table.rows = rows;
    table.top = top;
    table.left = 0.0;
    table.right = CUdsReport::FormWidth;
}

} // namespace

CUdsReport::CUdsReport() = default;

CUdsReport::~CUdsReport()
{
    // The preview draws through this report: it goes first.
    delete m_preview.data();
}

void CUdsReport::SetSignal(std::shared_ptr<kx::CNSignal> signal)
{
    m_signal = std::move(signal);
    InvalidatePages();
}

std::vector<double> CUdsReport::ChosenValues() const
{
    std::vector<double> values;
    if (!m_signal)
        return values;
    const std::string &form = m_signal->GetFileForm();
    const std::vector<double> &y = m_signal->GetY();
    if (form == "Y") {
        values = y;
    } else if (form == "X-Y") {
        // One point per Y sample; its x is the X sample of the same index.
        const std::vector<double> &x = m_signal->GetX();
        values.assign(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(std::min(x.size(), y.size())));
    }
    return values;
}

int CUdsReport::GetPageCount() const
{
    if (m_kind != FullReport || !m_signal)
        return 1;
    const std::size_t values = ChosenValues().size();
    const std::size_t perPage = static_cast<std::size_t>(m_rowsPerPage * m_valuesPerRow);
    return 1 + static_cast<int>((values + perPage - 1) / perPage);
}

std::shared_ptr<CUdsReport> CUdsReport::CloneForJob() const
{
    auto job = std::make_shared<CUdsReport>();
    job->m_kind = m_kind;
    if (m_signal)
        job->m_signal = std::make_shared<kx::CNSignal>(*m_signal);
    job->m_prompt = m_prompt;
    return job;
}

// ---- printing ------------------------------------------------------------------------------

CPrintInfo CUdsReport::FitForm(const CPrintInfo &info, QPaintDevice *device)
{
    CPrintInfo form = info;
    const double dpiX =
        info.m_logPixelsX > 0.0 ? info.m_logPixelsX : (device != nullptr ? device->logicalDpiX() : 96.0);
    const double dpiY =
        info.m_logPixelsY > 0.0 ? info.m_logPixelsY : (device != nullptr ? device->logicalDpiY() : 96.0);
    const QRect &area = info.m_rectDraw;
    const double scale = std::min({1.0, area.width() / dpiX / FormWidth, area.height() / dpiY / FormHeight});
    const int width = std::min(area.width(), static_cast<int>(std::ceil(FormWidth * dpiX * scale)));
    const int height = std::min(area.height(), static_cast<int>(std::ceil(FormHeight * dpiY * scale)));
    form.m_rectDraw = QRect(area.left() + (area.width() - width) / 2, area.top(), width, height);
    form.m_logPixelsX = dpiX * scale;
    form.m_logPixelsY = dpiY * scale;
    return form;
}

void CUdsReport::OnPrint(QPainter *dc, CPrintInfo *info)
{
    if (dc == nullptr || info == nullptr || !m_signal)
        return;
    if (m_kind != SpecReport && m_kind != FullReport)
        return;
    const CPrintInfo form = FitForm(*info, dc->device());
    CPage page(form, dc, PageMode);
    const int number = static_cast<int>(info->m_nCurPage);
    PrintPageHeader(page, m_kind, number);
    if (m_kind == SpecReport || number <= 1) {
        PrintSections(page);
    } else {
        page.SetLineSpacing(1.0);
        PrintDataPage(page, number);
    }
}

bool CUdsReport::AskPrinter(QPrinter &printer, QWidget *parent, const PrinterPrompt &prompt, bool userInterfaceJob)
{
    // Every job starts from the program's page setup.
    kxres::ApplyProgramPageSetup(printer);
    if (prompt)
        return prompt(printer);
    // The dialog may outlive its parent (the viewer may be closed meanwhile): it is guarded.
    QPointer<QPrintDialog> dialog = new QPrintDialog(&printer, parent);
    if (userInterfaceJob) {
        dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
    }
    const int result = dialog->exec();
    if (dialog.isNull())
        return false;
    delete dialog.data();
    return result == QDialog::Accepted;
}

bool CUdsReport::PrintDocument(QPrinter &printer)
{
    if (!m_signal)
        return false;
    printer.setDocName(QApplication::applicationDisplayName());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    CPrintInfo info;
    info.m_rectDraw = QRect(0, 0, printer.width(), printer.height());
    info.m_nCurPage = 1;
    InvalidatePages();
    OnPrint(&painter, &info);
    bool good = true;
    if (m_kind == FullReport) {
        for (int n = 2; n <= GetPageCount(); ++n) {
            if (!printer.newPage()) {
                good = false;
                break;
            }
            info.m_nCurPage = static_cast<unsigned>(n);
            OnPrint(&painter, &info);
        }
    }
    if (!good)
        printer.abort();
    painter.end();
    return good;
}

bool CUdsReport::Print(QWidget *parent)
{
    if (!m_signal)
        return false;
    // The job works on its own copies: nothing of this report is touched after the dialog.
    const std::shared_ptr<CUdsReport> job = CloneForJob();
    QPrinter printer(QPrinter::HighResolution);
    if (!AskPrinter(printer, parent, job->m_prompt, true))
        return false;
    return job->PrintDocument(printer);
}

void CUdsReport::StartPrintThread()
{
    if (!m_signal)
        return;
    const std::shared_ptr<CUdsReport> job = CloneForJob();
    QTimer::singleShot(0, QCoreApplication::instance(), [job] { PrintThreadProc(job); });
}

int CUdsReport::PrintThreadProc(const std::shared_ptr<CUdsReport> &job)
{
    if (!job)
        return 1;
    QPrinter printer(QPrinter::HighResolution);
    if (!AskPrinter(printer, QApplication::activeWindow(), job->m_prompt, false))
        return 1;
    job->PrintDocument(printer);
    return 0;
}

// ---- preview -------------------------------------------------------------------------------

QSize CUdsReport::PreviewNormalSize(const QSize &screen)
{
    const QSize least(800, 600);
    if (!screen.isValid())
        return least;
    return QSize(std::max(std::min(least.width(), screen.width()), screen.width() * 3 / 4),
                 std::max(std::min(least.height(), screen.height()), screen.height() * 3 / 4));
}

void CUdsReport::Preview(QWidget *owner)
{
    if (m_preview) {
        m_preview->raise();
        m_preview->activateWindow();
        m_preview->FocusNextPage();
        return;
    }
    auto *frame = new kxres::CViewPrintPreview(this, owner);
    m_preview = frame;
    frame->setWindowTitle(QStringLiteral("UDSDialog Print Preview"));
    // Restored from maximised, the window keeps a size a page can be read at.
    frame->resize(PreviewNormalSize(frame->screen() ? frame->screen()->availableGeometry().size() : QSize()));
    frame->showMaximized();
    frame->OnFilePrintPreview();
}

// ---- drawing -------------------------------------------------------------------------------

void CUdsReport::PrintPageHeader(CPage &page, int kind, int pageNumber)
{
    if (!m_signal)
        return;
    page.Print(0.5, 0.0, 0x81, 16, "%s", TestLine(*m_signal).c_str());
    const std::string title = ReportTitle(kind);
    if (!title.empty())
        page.Print(0.0, 0.0, 0x81, 16, "%s", title.c_str());
    page.Print(10.3, 0.0, 0x80, TextSize, "Page: %d", pageNumber);
    page.Print(10.3, 0.0, 0, TextSize, "Date: %s", TodayText().c_str());
}

void CUdsReport::PrintSections(CPage &page)
{
    if (!m_signal)
        return;
    const std::vector<Section> sections = BuildSections(*m_signal);
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const Section &section = sections[s];
        CPrintRegion *region = page.CreateRegion(section.top, section.left, section.bottom, section.right);
        if (region != nullptr) {
            region->DrawBorder();
            region->PrintTitle(section.title.c_str(), TitleSize, RegionTitleFlags, 0);
        }
        const double width = section.right - section.left;
        double row = 0.0;
        for (const Line &line : section.lines) {
            page.SetLineSpacing(line.spacing);
            // An empty text takes one line of the regular size, so rows stay even when an item
            // had to be printed smaller.
            double next = page.Print(region, row, 0.0, RegionTextFlags, TextSize, "%s", "");
            for (std::size_t i = 0; i < line.items.size(); ++i) {
                const Item &item = line.items[i];
                const double end = i + 1 < line.items.size() ? line.items[i + 1].column - ItemGap : width - 0.02;
                const int size = FitSize(page, item.text, RegionTextFlags, TextSize,
                                         page.InchesToUnitsX(end) - page.InchesToUnitsX(item.column));
                next = std::max(next,
                                page.Print(region, row, item.column, RegionTextFlags, size, "%s", item.text.c_str()));
            }
            row = next;
        }
        if (section.spacingAfter > 0.0)
            page.SetLineSpacing(section.spacingAfter);
        // The curve tables follow the curve user data, the last region.
        if (s + 1 == sections.size())
            PrintCurveSection(page);
    }
}

void CUdsReport::PrintCurveSection(CPage &page)
{
    if (!m_signal)
        return;
    const auto cells = CurveTableCells(*m_signal);
    TableDescription curve;
    SetUpCurveTable(curve, 4, 7, 7.1);
    curve.column[0] = {3.3, CurveTableTitle(*m_signal)};
    curve.column[1] = {1.9, " "};
    curve.column[2] = {1.5, " "};
    curve.column[3] = {1.3, " "};
    if (page.CreateTable(&curve) != nullptr) {
        for (std::size_t r = 0; r < cells.size(); ++r) {
            for (std::size_t c = 0; c < cells[r].size(); ++c) {
                const int size = FitSize(page, cells[r][c], 0, TextSize, static_cast<int>(curve.column[c].width) - 6);
                page.PrintTableCell(&curve, static_cast<int>(r), static_cast<int>(c), size, 0, "%s",
                                    cells[r][c].c_str());
            }
        }
    }

    const auto lines = DescriptionCells(*m_signal);
    TableDescription description;
    SetUpCurveTable(description, 1, 3, curve.table ? curve.bottom : 7.1);
    description.column[0] = {6.0, " "};
    if (page.CreateTable(&description) != nullptr) {
        for (std::size_t r = 0; r < lines.size(); ++r) {
            const int size = FitSize(page, lines[r], 0, TextSize, static_cast<int>(description.column[0].width) - 6);
            page.PrintTableCell(&description, static_cast<int>(r), 0, size, 0, "%s", lines[r].c_str());
        }
    }
}

void CUdsReport::BuildPages()
{
    m_lineCount = 0;
    m_pages.clear();
    const std::vector<std::string> &texts = (m_signal && m_signal->GetFileForm() == "X-Y") ? m_xTexts : m_yTexts;
    std::size_t next = 0;
    const int pages = GetPageCount();
    for (int p = 0; p < pages; ++p) {
        std::vector<std::string> lines;
        for (int r = 0; r < m_rowsPerPage && next < texts.size(); ++r) {
            std::string line;
            for (int v = 0; v < m_valuesPerRow && next < texts.size(); ++v) {
                line += texts[next++];
                line += ':';
            }
            lines.push_back(line);
            ++m_lineCount;
        }
        m_pages.push_back(std::move(lines));
    }
}

void CUdsReport::PrintDataPage(CPage &page, int pageNumber)
{
    if (m_pagesBuilt) {
        PrintDataLines(page, pageNumber);
        return;
    }
    m_xTexts.clear();
    m_yTexts.clear();
    if (!m_signal)
        return;
    const std::vector<double> values = ChosenValues();
    std::vector<std::string> &texts = m_signal->GetFileForm() == "X-Y" ? m_xTexts : m_yTexts;
    texts.reserve(values.size());
    for (double v : values)
        texts.push_back(ValueText(v));
    BuildPages();
    m_pagesBuilt = true;
    PrintDataLines(page, pageNumber);
}

void CUdsReport::PrintDataLines(CPage &page, int pageNumber)
{
    static const double columns[5] = {0.5, 2.0, 3.5, 5.0, 6.5};
    const int index = pageNumber - 2;
    if (index < 0 || index >= static_cast<int>(m_pages.size()))
        return;
    const std::vector<std::string> &lines = m_pages[static_cast<std::size_t>(index)];
    page.SetLineSpacing(1.0);
    double row = 1.5;
    for (int i = 0; i < m_rowsPerPage; ++i) {
        if (index * m_rowsPerPage + i >= m_lineCount || i >= static_cast<int>(lines.size()))
            continue;
        const std::vector<std::string> fields = SplitLine(lines[static_cast<std::size_t>(i)]);
        double next = row;
        for (int f = 0; f < 5; ++f) {
            next = page.Print(row, columns[f], 0, TextSize, "%s", fields[static_cast<std::size_t>(f)].c_str());
        }
        row = next;
    }
}
