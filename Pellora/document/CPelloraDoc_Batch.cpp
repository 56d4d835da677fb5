// Pellora's document: the batch jobs that go through every listed file in turn.

#include "Pellora/document/CPelloraDoc.h"

#include "signal/CData.h"
#include "signal/LoadWarnings.h"

namespace pellora {

namespace {

// Clears a flag on every way out.
class FlagGuard {
public:
    explicit FlagGuard(bool &flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;

private:
    bool &m_flag;
};

} // namespace

std::string CPelloraDoc::FileError(const std::string &path, const std::string &text)
{
    // A text that names the file already keeps its words.
    if (path.empty() || text.find(path) != std::string::npos)
        return text;
    return path + ": " + text;
}

bool CPelloraDoc::LoadAsOnlyFile(const std::string &path)
{
    m_selectedFiles.clear();
    m_signals.clear();
    try {
        auto file = std::make_shared<kx::CFile>();
        file->SetPathName(path);
        kx::CNSignalPtr signal = LoadUdsSignal(*file);
        kx::AddLoadWarnings(m_errors, path, *signal);
        m_selectedFiles.push_back(std::move(file));
        m_signals.push_back(std::move(signal));
    } catch (const std::exception &e) {
        m_errors.push_back(FileError(path, e.what()));
        // No texts of the file shown before may stay with an empty chart.
        RebuildPlot();
        return false;
    }
    RebuildPlot();
    return true;
}

bool CPelloraDoc::MakeBatchPage(const std::string &path, kx::CNSignalPtr &signal, CPlotPicture &picture)
{
    try {
        kx::CFile file;
        file.SetPathName(path);
        signal = LoadUdsSignal(file);
    } catch (const std::exception &e) {
        m_errors.push_back(FileError(path, e.what()));
        return false;
    }
    kx::AddLoadWarnings(m_errors, path, *signal);
    const std::vector<kx::CNSignalPtr> one{signal};
    const CPlotData plot = MakePlotData(one);
    if (kx::CData::CountPoints(signal->GetNFP(), signal->GetNLP()) < 1 || plot.maxPointCount < 2) {
        m_errors.push_back(FileError(path, "holds too few points to plot; it is skipped."));
        return false;
    }
    picture.content = pellora::BuildPlotContent(plot, one, m_lineStyle, m_shortHeader, PadValue);
    return true;
}

CPelloraDoc::BatchResult CPelloraDoc::RunBatch(const std::string &title, const std::string &text, const BatchPage &page,
                                               bool reportAtEnd)
{
    BatchResult result;
    if (m_batchRunning || m_fileNames.empty() || !page)
        return result;
    result.ran = true;

    // The job's own list: whatever happens to the document's list meanwhile, each
    // page shows and is named after the file it was taken for.
    struct Entry {
        std::string name;
        std::string path;
    };
    std::vector<Entry> entries;
    entries.reserve(m_fileNames.size());
    for (const std::string &name : m_fileNames)
        entries.push_back({name, FullPathOf(name)});

    // With "Save Zoom Settings between Plots" every page keeps the zoom shown now.
    const std::optional<QRectF> zoom = m_saveZoom ? ShownPlotRange() : std::nullopt;
    m_errors.clear();
    m_batchCancel = false;
    {
        FlagGuard running(m_batchRunning);
        UpdateAllViews(UpdateHint::Commands);
        std::unique_ptr<kxres::IProgress> progress =
            m_ui ? m_ui->BeginProgress(title, text, static_cast<int>(entries.size())) : nullptr;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Entry &entry = entries[i];
            kx::CNSignalPtr signal;
            CPlotPicture picture;
            if (MakeBatchPage(entry.path, signal, picture)) {
                picture.zoom = zoom;
                if (page(CBatchPage{i, entry.path, entry.name, *signal, picture}))
                    ++result.pages;
            }
            const bool goOn = !progress || progress->Step(static_cast<int>(i) + 1, std::string());
            if (m_batchCancel || !goOn) {
                result.cancelled = true;
                break;
            }
        }
    }
    UpdateAllViews(UpdateHint::Commands);
    result.errors = std::move(m_errors);
    m_errors.clear();
    if (reportAtEnd) {
        ReportBatch(result);
        result.errors.clear();
    }
    return result;
}

void CPelloraDoc::ReportBatch(const BatchResult &result)
{
    if (!m_ui)
        return;
    if (result.cancelled)
        m_ui->ShowMessage("Printing Cancelled", IPelloraUi::Icon::Information);
    if (!result.errors.empty())
        m_ui->ShowErrorList(result.errors);
}

} // namespace pellora
