// Pellora's document: the batch jobs that go through every listed file in turn.

#include "Pellora/document/CPelloraDoc.h"

#include "signal/CData.h"
#include "signal/LoadWarnings.h"

namespace pellora {

namespace {

// Clears a flag on every way out.
class FlagGuard {
public:
    explicit FlagGuard(bool &flag) : m_flag(flag) { m_flag = true; }
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

CPelloraDoc::PlotState CPelloraDoc::SavePlotState() const
{
    return {m_title,     m_subTitle,      m_yLabel, m_xLabel, m_signalLabels,  m_selectedFiles,
            m_signals,   m_chartX,        m_chartY, m_signalCount, m_maxPointCount, m_failedPaths};
}

void CPelloraDoc::RestorePlotState(PlotState state)
{
    m_title = std::move(state.title);
    m_subTitle = std::move(state.subTitle);
    m_yLabel = std::move(state.yLabel);
    m_xLabel = std::move(state.xLabel);
    m_signalLabels = std::move(state.signalLabels);
    m_selectedFiles = std::move(state.selectedFiles);
    m_signals = std::move(state.signalList);
    m_chartX = std::move(state.chartX);
    m_chartY = std::move(state.chartY);
    m_signalCount = state.signalCount;
    m_maxPointCount = state.maxPointCount;
    m_failedPaths = std::move(state.failedPaths);
}

bool CPelloraDoc::LoadBatchFile(const std::string &path)
{
    m_selectedFiles.clear();
    m_signals.clear();
    try {
        auto file = std::make_shared<kx::CFile>();
        file->SetPathName(path);
        kx::CNSignalPtr signal = LoadUdsSignal(*file);
        kx::AddNaNSampleWarning(m_errors, path, *signal);
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

CPelloraDoc::BatchResult CPelloraDoc::RunBatch(const std::string &title, const std::string &text,
                                               const BatchPage &page)
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

    PlotState saved = SavePlotState();
    m_errors.clear();
    m_batchCancel = false;
    {
        FlagGuard running(m_batchRunning);
        std::unique_ptr<kxres::IProgress> progress =
            m_ui ? m_ui->BeginProgress(title, text, static_cast<int>(entries.size())) : nullptr;
        try {
            for (std::size_t i = 0; i < entries.size(); ++i) {
                const Entry &entry = entries[i];
                if (LoadBatchFile(entry.path)) {
                    const kx::CNSignal &signal = *m_signals.front();
                    if (kx::CData::CountPoints(signal.GetNFP(), signal.GetNLP()) < 1 || m_maxPointCount < 2) {
                        m_errors.push_back(FileError(entry.path, "holds too few points to plot; it is skipped."));
                    } else {
                        UpdateAllViews(UpdateHint::Plot);
                        if (page(i, entry.path, entry.name))
                            ++result.pages;
                    }
                }
                const bool goOn = !progress || progress->Step(static_cast<int>(i) + 1, std::string());
                if (m_batchCancel || !goOn) {
                    result.cancelled = true;
                    break;
                }
            }
        } catch (...) {
            RestorePlotState(std::move(saved));
            UpdateAllViews(UpdateHint::FileList);
            UpdateAllViews(UpdateHint::Plot);
            throw;
        }
    }
    RestorePlotState(std::move(saved));
    // The list shows the document's selection again, the plot its content.
    UpdateAllViews(UpdateHint::FileList);
    UpdateAllViews(UpdateHint::Plot);
    if (result.cancelled && m_ui)
        m_ui->ShowMessage("Printing Cancelled", IPelloraUi::Icon::Information);
    ShowErrorList();
    m_errors.clear();
    return result;
}

} // namespace pellora
