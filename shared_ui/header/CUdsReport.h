#pragma once
// The UDS header report of one signal: a one-page specification report, or a full report
// that adds the signal's values on further pages. Printed, previewed, or drawn page by page.

#include <QPointer>
#include <QSize>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shared_ui/printing/CViewPrintPreview.h"
#include "shared_ui/printing/IPageSource.h"
#include "signal/CNSignal.h"

class CPage;
class QPainter;
class QPaintDevice;
class QPrinter;
class QWidget;
struct CPrintInfo;

class CUdsReport : public IPageSource {
public:
    static constexpr int SpecReport = 0;
    static constexpr int FullReport = 1;
    // Printable form of the layout, inches; smaller pages scale it down.
    static constexpr double FormWidth = 8.0;
    static constexpr double FormHeight = 10.5;

    // Asks for the printer of a job; false cancels it. The default shows a print dialog.
    using PrinterPrompt = std::function<bool(QPrinter &printer)>;

    // One text of a framed section at a column (inches from the region's left edge).
    struct Item {
        double column = 0.0;
        std::string text;
    };
    // Texts that share one row; the line spacing is set before the row is printed.
    struct Line {
        double spacing = 1.0;
        std::vector<Item> items;
    };
    struct Section {
        std::string title;
        double top = 0.0;
        double left = 0.0;
        double bottom = 0.0;
        double right = 0.0;
        std::vector<Line> lines;
        double spacingAfter = 0.0; // 0: leave the spacing as it is
    };

    CUdsReport();
    ~CUdsReport() override;
    CUdsReport(const CUdsReport &) = delete;
    CUdsReport &operator=(const CUdsReport &) = delete;

    void SetKind(int kind)
    {
        m_kind = kind;
        InvalidatePages();
    }
    int GetKind() const { return m_kind; }
    void SetSignal(std::shared_ptr<kx::CNSignal> signal);
    const std::shared_ptr<kx::CNSignal> &GetSignal() const { return m_signal; }
    void BeginJob() override { InvalidatePages(); }
    int GetPageCount() const override;
    void OnPrint(QPainter *dc, CPrintInfo *info) override;

    // Size of the preview window when it is not maximised, on a screen of the given size.
    static QSize PreviewNormalSize(const QSize &screen);
    // Opens the preview window, or brings it forward when it is open.
    void Preview(QWidget *owner = nullptr);
    bool IsPreviewOpen() const { return !m_preview.isNull(); }
    kxres::CViewPrintPreview *GetPreviewWindow() const { return m_preview.data(); }

    // Print job on the calling (user-interface) thread; false when cancelled or failed.
    bool Print(QWidget *parent = nullptr);
    // The Print command: a job with its own copy of the kind and the signal, run from the
    // event loop, so it never depends on this report or the viewer staying open.
    void StartPrintThread();
    // Runs one such job: 1 when the user cancels, else 0.
    static int PrintThreadProc(const std::shared_ptr<CUdsReport> &job);
    // Prints every page on a printer that is already set up; false when the job failed.
    bool PrintDocument(QPrinter &printer);
    void SetPrinterPrompt(PrinterPrompt prompt) { m_prompt = std::move(prompt); }
    // An independent report with copies of the kind, the signal and the prompt.
    std::shared_ptr<CUdsReport> CloneForJob() const;

    // ---- layout ----
    static std::string ReportTitle(int kind);
    static std::string TestLine(const kx::CNSignal &signal);
    // "%d/%d/%d" month, day, year.
    static std::string DateText(int year, int month, int day);
    static std::string TodayText();
    // Value on a data page: fixed with 6 decimals, a leading blank when not negative.
    static std::string ValueText(double value);
    static std::vector<Section> BuildSections(kx::CNSignal &signal);
    static std::string CurveTableTitle(const kx::CNSignal &signal);
    // 7 rows of 4 cells.
    static std::vector<std::vector<std::string>> CurveTableCells(kx::CNSignal &signal);
    static std::vector<std::string> DescriptionCells(const kx::CNSignal &signal);
    // Up to five fields of a data line; missing fields are empty.
    static std::vector<std::string> SplitLine(const std::string &line);
    // Printing rectangle and resolution that fit the form on the device's page.
    static CPrintInfo FitForm(const CPrintInfo &info, QPaintDevice *device);

    // Values listed on the data pages: Y for FILEFORM "Y", X for "X-Y", none otherwise.
    std::vector<double> ChosenValues() const;
    void BuildPages();
    // Data pages are built once per job; a new job, signal or kind builds them again.
    void InvalidatePages() { m_pagesBuilt = false; }
    const std::vector<std::vector<std::string>> &GetDataPages() const { return m_pages; }
    int GetLineCount() const { return m_lineCount; }

    void PrintPageHeader(CPage &page, int kind, int pageNumber);
    void PrintSections(CPage &page);
    void PrintCurveSection(CPage &page);
    void PrintDataPage(CPage &page, int pageNumber);
    void PrintDataLines(CPage &page, int pageNumber);

private:
    static bool AskPrinter(QPrinter &printer, QWidget *parent, const PrinterPrompt &prompt, bool userInterfaceJob);

    std::shared_ptr<kx::CNSignal> m_signal;
    int m_rowsPerPage = 38;
    int m_lineCount = 0;
    int m_valuesPerRow = 5;
    std::vector<std::string> m_yTexts;
    std::vector<std::string> m_xTexts;
    std::vector<std::vector<std::string>> m_pages;
    int m_kind = SpecReport;
    bool m_pagesBuilt = false;
    QPointer<kxres::CViewPrintPreview> m_preview;
    PrinterPrompt m_prompt;
};
