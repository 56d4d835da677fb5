#include "Mirvane/document/CMirvaneDoc.h"

#include "Mirvane/core/PlotFactory.h"
#include "Mirvane/core/SummaryText.h"
#include "platform/CSettings.h"
#include "shared_ui/kit/CommandGuard.h"
#include "shared_ui/kit/TextFileWriter.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace mirvane {

CMirvaneDoc::CMirvaneDoc(IMirvaneUi *ui, const QString &settingsProgram)
    : m_ui(ui)
    , m_settings(std::make_unique<kxplatform::CSettings>(settingsProgram))
    , m_plot(std::make_unique<CPlot>(PlotSummary))
{}

CMirvaneDoc::~CMirvaneDoc() = default;

void CMirvaneDoc::UpdateAllViews(UpdateHint hint)
{
    emit Updated(hint);
}

void CMirvaneDoc::Report(const std::string &text)
{
    if (m_ui)
        m_ui->ShowMessage(text, kxres::IKxUi::Icon::Exclamation);
}

void CMirvaneDoc::CopyData(const std::vector<int> &columnOrder)
{
    if (m_ui && HasSignals())
        m_ui->PutTextOnClipboard(CopyDataText(Records(), columnOrder));
}

void CMirvaneDoc::ShowErrors()
{
    if (!m_errors.empty() && m_ui)
        m_ui->ShowErrorList(m_errors);
}

std::string CMirvaneDoc::Folder(const char *key) const
{
    return m_settings->GetString(key, QDir::homePath().toStdString());
}

void CMirvaneDoc::StoreFolder(const char *key, const std::string &path)
{
    QString folder = QFileInfo(QString::fromStdString(path)).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    m_settings->SetString(key, folder.toStdString());
    m_settings->Sync();
}

void CMirvaneDoc::OnSelectFiles()
{
    kxres::Guarded([this](const QString &text) { Report(text.toStdString()); },
                   [this] {
                       if (!m_ui)
                           return;
                       CSelectFilesValues values;
                       values.files = m_chosenFiles;
                       values.referenceFile = m_referenceFile;
                       values.referenceKind = m_referenceKind;
                       values.filter = m_filter;
                       values.truncate = m_truncate;
                       if (!m_ui->SelectFiles(values))
                           return;
                       m_referenceFile = values.referenceFile;
                       m_chosenFiles = values.files;
                       m_referenceKind = values.referenceKind;
                       m_filter = values.filter;
                       m_truncate = values.truncate;

                       CRunOptions options;
                       options.files = values.files;
                       options.referenceFile = values.referenceFile;
                       options.referenceKind = values.referenceKind;
                       options.filter = values.filter;
                       options.filterClass = values.filterClass;
                       options.truncate = values.truncate;
                       options.minTime = values.minTime;
                       options.maxTime = values.maxTime;
                       Execute(options);
                   });
}

void CMirvaneDoc::Run(const std::vector<std::string> &files, int filterClass, double minTime, double maxTime)
{
    if (files.empty())
        return;
    kxres::Guarded([this](const QString &text) { Report(text.toStdString()); },
                   [&] {
                       CRunOptions options;
                       options.files = files;
                       options.filterClass = filterClass;
                       options.filter =
                           filterClass == 60 || filterClass == 180 || filterClass == 600 || filterClass == 1000;
                       options.truncate = minTime > 0.0 || maxTime > 0.0;
                       options.minTime = minTime;
                       options.maxTime = maxTime;
                       options.referenceKind = 1;
                       m_filter = options.filter;
                       m_truncate = options.truncate;
                       m_referenceKind = 1;
                       m_chosenFiles = files;
                       Execute(options);
                   });
}

void CMirvaneDoc::ClearResults()
{
    m_records.clear();
    m_reference = CSignal();
    m_loaded.clear();
    m_plotKinds.clear();
    m_seriesCount = 0;
    m_currentKind = 0;
    m_plot = std::make_unique<CPlot>(PlotSummary);
    m_series.clear();
    m_labels.clear();
    m_x.clear();
    m_y.clear();
    m_pointCount = 0;
    m_xTitle.clear();
    m_yTitle.clear();
}

void CMirvaneDoc::Execute(const CRunOptions &givenOptions)
{
    CRunOptions options = givenOptions;
    options.corridorSize = m_corridorSize;
    m_errors.clear();
    // The results shown belong to the files of this run: a failed run leaves none.
    ClearResults();
    CRunResult result;
    bool ok = false;
    {
        kxres::CUiWaitCursor wait(m_ui);
        try {
            ok = CComparisonRun::Execute(options, result, m_errors);
        } catch (...) {
            m_errors.push_back(kxres::CurrentExceptionText().toStdString());
        }
    }
    if (ok) {
        m_records = std::move(result.records);
        m_reference = std::move(result.reference);
        m_loaded = std::move(result.loaded);
        m_plotKinds = std::move(result.plotKinds);
        m_seriesCount = static_cast<int>(m_records.size());
        m_currentKind = PlotSummary;
        for (CSignal &record : m_records)
            for (const std::string &message : record.Signal().GetMessages())
                m_errors.push_back(record.GetFileName() + ": " + message);
    }
    UpdateAllViews(UpdateHint::Run);
    ShowErrors();
}

bool CMirvaneDoc::SetPlot(int kind)
{
    bool result = false;
    kxres::Guarded([this](const QString &text) { Report(text.toStdString()); },
                   [&] {
                       if (kind < 1 || kind > 11) {
                           m_plot = std::make_unique<CPlot>(PlotSummary);
                           return;
                       }
                       // The new curves are made apart; a failure leaves the current plot as it was.
                       std::unique_ptr<CPlot> plot = MakePlot(kind);
                       std::vector<kx::CNSignal> series;
                       std::vector<std::string> labels;
                       plot->Fill(m_records, m_reference.Signal(), series, labels);
                       std::vector<double> x;
                       std::vector<double> y;
                       int points = 0;
                       if (kind != PlotSummary)
                           points = PackSeries(series, x, y);
                       std::string xTitle;
                       std::string yTitle;
                       plot->GetAxisTitles(xTitle, yTitle);

                       m_plot = std::move(plot);
                       m_currentKind = kind;
                       m_series = std::move(series);
                       m_labels = std::move(labels);
                       if (kind != PlotSummary) {
                           m_x = std::move(x);
                           m_y = std::move(y);
                           m_pointCount = points;
                           m_seriesCount = static_cast<int>(m_series.size());
                       }
                       m_xTitle = std::move(xTitle);
                       m_yTitle = std::move(yTitle);
                       result = true;
                   });
    if (result)
        UpdateAllViews(UpdateHint::Plot);
    return result;
}

void CMirvaneDoc::OnSaveUds()
{
    if (!m_ui || m_series.empty())
        return;
    std::string last;
    std::vector<std::string> errors;
    for (std::size_t s = 0; s < m_series.size(); ++s) {
        const std::string label = s < m_labels.size() ? m_labels[s] : std::string();
        std::string path;
        if (!m_ui->ChooseSaveFile(
                {"Save " + label + " as", "UDS Files (*.uds);;All Files (*)", "", Folder("UdsOutputDir"), ""}, path))
            continue;
        try {
            m_series[s].SaveToUDSFile(path);
            last = path;
        } catch (const std::exception &e) {
            errors.push_back(path + ": " + e.what());
        }
    }
    if (!last.empty())
        StoreFolder("UdsOutputDir", last);
    if (!errors.empty())
        m_ui->ShowErrorList(errors);
}

void CMirvaneDoc::OnSaveAscii()
{
    if (!m_ui || m_series.empty())
        return;
    std::string path;
    if (!m_ui->ChooseSaveFile(
            {"Save ASCII data As", "Text Files (*.txt);;All Files (*)", "", Folder("AsciiOutputDir"), ""}, path))
        return;
    QString error;
    if (!kxres::WriteTextFile(QString::fromStdString(path), AsciiText(m_series), &error)) {
        Report(error.toStdString());
        return;
    }
    StoreFolder("AsciiOutputDir", path);
}

void CMirvaneDoc::OnSaveHtml(const std::vector<int> &columnOrder)
{
    if (!m_ui || !HasSignals())
        return;
    std::string path;
    if (!m_ui->ChooseSaveFile({"Save Results to HTML File", "HTML Files (*.html);;HTML Files (*.htm);;All Files (*.*)",
                               "", Folder("UdsOutputDir"), ""},
                              path))
        return;
    QString error;
    if (!kxres::WriteTextFile(QString::fromStdString(path), HtmlSummary(m_records, columnOrder), &error)) {
        Report(error.toStdString());
        return;
    }
    StoreFolder("UdsOutputDir", path);
}

bool CMirvaneDoc::SaveChart(const std::string &title, const std::string &filter, const std::string &failure,
                            const std::function<bool(const std::string &path)> &write)
{
    if (!m_ui)
        return false;
    std::string path;
    if (!m_ui->ChooseSaveFile({title, filter, "", "", ""}, path))
        return false;
    if (write(path))
        return true;
    Report(failure);
    return false;
}

void CMirvaneDoc::TakeChartArrays(std::vector<double> &x, std::vector<double> &y)
{
    x = std::move(m_x);
    y = std::move(m_y);
    m_x.clear();
    m_y.clear();
}

void CMirvaneDoc::OnCriticalValues()
{
    if (!m_ui)
        return;
    CCriticalValues values = CriticalValues();
    if (!m_ui->EditCriticalValues(values))
        return;
    CriticalValues() = values;
    UpdateAllViews(UpdateHint::Plot);
}

void CMirvaneDoc::OnCorridorSize()
{
    if (!m_ui)
        return;
    double size = m_corridorSize;
    if (!m_ui->EditCorridorSize(size))
        return;
    m_corridorSize = size;
    UpdateAllViews(UpdateHint::Plot);
}

void CMirvaneDoc::ShowHeaders()
{
    if (m_ui && HasSignals())
        m_ui->ShowUdsHeader(m_loaded);
}

} // namespace mirvane
