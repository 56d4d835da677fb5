// Pellora's document: the plot's content, printing and images.

#include "Pellora/document/CPelloraDoc.h"

#include "platform/CSettings.h"
#include "shared_ui/kit/ReplaceQuestion.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <set>

namespace pellora {

namespace {

const char *const NoCurveText =
    "Please select a curve from the upper pane.\n\rThen select 'Printing Current Plot' again.";
const char *const NoRoomText = "The page margins leave no room for the plot.";

std::string ImageNotWritten(const std::string &path)
{
    return "The image " + path + " could not be written.";
}

// True when target may be written: it does not exist, the chooser already asked about
// it (chosen), or the user agrees to replace it.
bool MayWrite(IPelloraUi &ui, const std::string &target, const std::string &chosen = {})
{
    if (target == chosen || kxres::ExistingFiles({target}).empty())
        return true;
    return ui.AskYesNo(kxres::ReplaceFilesQuestion({target}));
}

} // namespace

void CPelloraDoc::OnMultiLineTitle()
{
    m_shortHeader = !m_shortHeader;
    m_settings->SetInt("ShortHeader", m_shortHeader ? 1 : 0);
    m_settings->Sync();
    UpdateAllViews(UpdateHint::Plot);
}

kxchart::ChartContent CPelloraDoc::BuildPlotContent() const
{
    return pellora::BuildPlotContent(m_plot, m_signals, m_lineStyle, m_shortHeader, PadValue);
}

std::optional<QRectF> CPelloraDoc::ShownPlotRange() const
{
    QRectF range;
    if (m_ui && m_ui->ShownPlotRange(range))
        return range;
    return std::nullopt;
}

bool CPelloraDoc::CanRunPlotJob() const
{
    return m_ui && !m_batchRunning;
}

// ---- printing ----------------------------------------------------------------

int CPelloraDoc::PrintPlotPages(IPlotPages &pages, bool allPlots, bool preview, BatchResult *deferred)
{
    if (!pages.HasRoom()) {
        if (m_ui)
            m_ui->ShowMessage(NoRoomText, IPelloraUi::Icon::Information);
        return 0;
    }
    if (!allPlots) {
        if (!HasPlot())
            return 0;
        return pages.AddPage(CPlotPicture{BuildPlotContent(), ShownPlotRange()}) ? 1 : 0;
    }
    const char *const title = preview ? "Building the Print Preview" : "Printing All Uds Plots";
    const char *const text = preview ? "Building pages..." : "Printing...";
    const char *const failure = preview ? "could not be drawn for the preview." : "could not be printed.";
    BatchResult result = RunBatch(
        title, text,
        [&](const CBatchPage &page) {
            if (pages.AddPage(page.picture))
                return true;
            m_errors.push_back(FileError(page.path, failure));
            return false;
        },
        deferred == nullptr);
    const int drawn = result.cancelled ? 0 : result.pages;
    if (deferred)
        *deferred = std::move(result);
    return drawn;
}

void CPelloraDoc::OnPrintPlots(bool allPlots, bool preview)
{
    if (!CanRunPlotJob())
        return;
    if (!allPlots && !HasPlot()) {
        m_ui->ShowMessage(NoCurveText, IPelloraUi::Icon::Information);
        return;
    }
    if (allPlots && m_fileNames.empty())
        return;
    std::unique_ptr<IPlotPages> pages = m_ui->BeginPlotPrint(preview, m_margins, GetMarginUnit());
    if (!pages)
        return;
    BatchResult job;
    const int drawn = PrintPlotPages(*pages, allPlots, preview, &job);
    // A preview's messages come before it shows; a print's once the printer is done.
    if (preview)
        ReportBatch(job);
    // A printer is done either way; a preview shows only when it has pages.
    if (!preview || drawn > 0)
        pages->Finish();
    if (!preview)
        ReportBatch(job);
}

// ---- images ------------------------------------------------------------------

std::string CPelloraDoc::SaveAllName(const std::string &folder, const std::string &fileName, int number,
                                     PlotImageKind kind)
{
    const QFileInfo info(QString::fromStdString(fileName));
    const QString stem = info.completeBaseName();
    const QString extension = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.3d", number);
    const QString name = stem + extension + QStringLiteral("_") + QLatin1String(digits) +
                         (kind == PlotImageKind::Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".pdf"));
    return (folder.empty() ? name : QDir(QString::fromStdString(folder)).filePath(name)).toStdString();
}

QSize CPelloraDoc::JpegSizeFor(int index)
{
    switch (index) {
    case 0:
        return {320, 240};
    case 1:
        return {640, 480};
    case 3:
        return {1024, 780};
    default:
        return {800, 600};
    }
}

QSize CPelloraDoc::MetafileSizeFor(int index)
{
    switch (index) {
    case 0:
        return {10000, 5000};
    case 1:
        return {10000, 7500};
    default:
        return {10000, 10000};
    }
}

void CPelloraDoc::OnSaveAsJpeg()
{
    if (!CanRunPlotJob() || !HasPlot())
        return;
    std::string name;
    int width = 800;
    int height = 600;
    if (!m_ui->AskOutputImage(name, width, height) || name.empty())
        return;
    // A bare name goes to the output folder; a name without extension gets ".jpg".
    QString path = QString::fromStdString(name);
    if (QFileInfo(path).isRelative())
        path = QDir(QString::fromStdString(GetOutputDir())).filePath(path);
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".jpg");
    const std::string target = path.toStdString();
    if (!MayWrite(*m_ui, target))
        return;
    if (!m_ui->SavePlotImage(CPlotPicture{BuildPlotContent(), ShownPlotRange()}, PlotImageKind::Jpeg, target, width,
                             height)) {
        m_ui->ShowMessage(ImageNotWritten(target), IPelloraUi::Icon::Information);
        return;
    }
    ListAgainAfterWriting(QFileInfo(path).absolutePath().toStdString());
}

void CPelloraDoc::OnSaveAsWmf()
{
    if (!CanRunPlotJob() || !HasPlot())
        return;
    std::string chosen;
    if (!m_ui->ChooseSaveFile(CSaveFileRequest{"Save PDF as", "PDF File(*.pdf)", "", GetOutputDir(), ""}, chosen) ||
        chosen.empty())
        return;
    QString path = QString::fromStdString(chosen);
    if (QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".pdf");
    const std::string target = path.toStdString();
    if (!MayWrite(*m_ui, target, chosen))
        return;
    const QSize size = MetafileSizeFor(0);
    if (!m_ui->SavePlotImage(CPlotPicture{BuildPlotContent(), ShownPlotRange()}, PlotImageKind::Metafile, target,
                             size.width(), size.height())) {
        m_ui->ShowMessage(ImageNotWritten(target), IPelloraUi::Icon::Information);
        return;
    }
    const std::string folder = QFileInfo(path).absolutePath().toStdString();
    SetOutputDir(folder);
    ListAgainAfterWriting(folder);
}

void CPelloraDoc::OnSaveAllPlots(PlotImageKind kind)
{
    if (!CanRunPlotJob() || m_fileNames.empty())
        return;
    std::string folder;
    int sizeIndex = 0;
    if (!m_ui->AskSaveAllPlots(kind, folder, sizeIndex))
        return;
    const QSize size = kind == PlotImageKind::Jpeg ? JpegSizeFor(sizeIndex) : MetafileSizeFor(sizeIndex);
    SaveAllPlots(kind, folder, size.width(), size.height());
}

void CPelloraDoc::SaveAllPlots(PlotImageKind kind, const std::string &folder, int width, int height)
{
    if (!m_ui)
        return;
    if (m_batchRunning || m_fileNames.empty())
        return;
    // One question for all the images that would replace files of the folder; No keeps them.
    std::vector<std::string> targets;
    for (std::size_t i = 0; i < m_fileNames.size(); ++i)
        targets.push_back(SaveAllName(folder, m_fileNames[i], int(i) + 1, kind));
    std::set<std::string> kept;
    const std::vector<std::string> existing = kxres::ExistingFiles(targets);
    if (!existing.empty() && !m_ui->AskYesNo(kxres::ReplaceFilesQuestion(existing)))
        kept.insert(existing.begin(), existing.end());
    if (kept.size() == targets.size())
        return;
    const std::string title =
        std::string("Saving All Uds Plots As ") + (kind == PlotImageKind::Jpeg ? "jpg Files" : "pdf Files");
    const BatchResult result = RunBatch(title, "Saving...", [&](const CBatchPage &page) {
        // Named after the file of the job's own list that the page shows.
        const std::string target = SaveAllName(folder, page.name, int(page.index) + 1, kind);
        if (kept.count(target) != 0)
            return false;
        const bool saved = m_ui->SavePlotImage(page.picture, kind, target, width, height);
        if (!saved)
            m_errors.push_back("Failure to write file: " + target);
        return saved;
    });
    if (result.pages > 0)
        ListAgainAfterWriting(folder);
}

} // namespace pellora
