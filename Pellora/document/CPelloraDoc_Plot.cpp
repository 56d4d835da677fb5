// Pellora's document: the plot's content, printing and images.

#include "Pellora/document/CPelloraDoc.h"

#include "platform/CSettings.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace pellora {

namespace {

const char *const NoCurveText =
    "Please select a curve from the upper pane.\n\rThen select 'Printing Current Plot' again.";
const char *const NoRoomText = "The page margins leave no room for the plot.";

std::string ImageNotWritten(const std::string &path)
{
    return "The image " + path + " could not be written.";
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

int CPelloraDoc::PrintPlotPages(IPlotPages &pages, bool allPlots, bool preview)
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
    const BatchResult result = RunBatch(title, text, [&](const CBatchPage &page) {
        if (pages.AddPage(page.picture))
            return true;
        m_errors.push_back(FileError(page.path, failure));
        return false;
    });
    return result.cancelled ? 0 : result.pages;
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
    const int drawn = PrintPlotPages(*pages, allPlots, preview);
    // A printer is done either way; a preview shows only when it has pages.
    if (!preview || drawn > 0)
        pages->Finish();
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
    const std::string title =
        std::string("Saving All Uds Plots As ") + (kind == PlotImageKind::Jpeg ? "jpg Files" : "pdf Files");
    const BatchResult result = RunBatch(title, "Saving...", [&](const CBatchPage &page) {
        // Named after the file of the job's own list that the page shows.
        const std::string target = SaveAllName(folder, page.name, int(page.index) + 1, kind);
        const bool saved = m_ui->SavePlotImage(page.picture, kind, target, width, height);
        if (!saved)
            m_errors.push_back("Failure to write file: " + target);
        return saved;
    });
    if (result.pages > 0)
        ListAgainAfterWriting(folder);
}

} // namespace pellora
