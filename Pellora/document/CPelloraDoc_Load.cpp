// Pellora's document: loading the selected signals and building the plot data and texts.

#include "Pellora/document/CPelloraDoc.h"

#include "Pellora/document/FileListNames.h"
#include "platform/CSettings.h"
#include "signal/LoadWarnings.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <set>
#include <unordered_set>

namespace pellora {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t MaxBuiltTitleLength = 240;

// Fixed notation with the given decimals, whatever the locale.
std::string Fixed(double value, int decimals)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0");
}

std::string AxisLabel(const std::string &type, const std::string &units, const char *noType, const char *noUnits)
{
    return (type.empty() ? std::string(noType) : type) + " - " + (units.empty() ? std::string(noUnits) : units);
}

} // namespace

kx::CNSignalPtr CPelloraDoc::LoadUdsSignal(const kx::CFile &file)
{
    auto signal = std::make_shared<kx::CNSignal>();
    signal->LoadUDSFile(file.GetPathName());
    signal->SetFileName(file.GetFileName());
    signal->SetDirectory(file.GetDirectory());
    signal->SetPathName(file.GetPathName());
    // The criterion programs' branch check reads the direction.
    signal->SetDirection(signal->GetAxis());
    return signal;
}

CPelloraDoc::LoadResult CPelloraDoc::LoadFile(const kx::CFile &file)
{
    LoadResult result;
    std::string udsError;
    try {
        result.signal = LoadUdsSignal(file);
        kx::AddLoadWarnings(result.errors, file.GetPathName(), *result.signal);
        return result;
    } catch (const std::exception &e) {
        udsError = e.what();
    }
    try {
        auto signal = std::make_shared<kx::CNSignal>();
        signal->ReadPointsFile(file.GetDirectory(), file.GetFileName());
        result.signal = std::move(signal);
    } catch (const std::exception &e) {
        // Each text names the file; the same text from both readers is given once.
        const std::string path = file.GetPathName();
        result.errors.push_back(FileError(path, udsError));
        if (e.what() != udsError)
            result.errors.push_back(FileError(path, e.what()));
    }
    return result;
}

bool CPelloraDoc::LoadFiles(const std::vector<CFilePtr> &files)
{
    bool ok = true;
    m_cancelledLoad.clear();
    if (files.empty())
        return ok;
    // The other commands wait for the load; Cancel (or closing the window) stops it
    // after the current file.
    struct Busy {
        bool &flag;
        bool was;
        ~Busy() { flag = was; }
    } busy{m_batchRunning, m_batchRunning};
    m_batchRunning = true;
    m_batchCancel = false;
    const auto started = std::chrono::steady_clock::now();
    std::unique_ptr<kxres::IProgress> progress;
    std::size_t done = 0;
    for (const CFilePtr &file : files) {
        LoadResult result = LoadFile(*file);
        // A loaded file may still leave a warning to show.
        ok = ok && result.signal && result.errors.empty();
        m_errors.insert(m_errors.end(), result.errors.begin(), result.errors.end());
        if (result.signal) {
            m_selectedFiles.push_back(file);
            m_signals.push_back(std::move(result.signal));
        } else {
            m_failedPaths.insert(file->GetPathName());
        }
        if (++done == files.size())
            break;
        if (!progress && m_ui && LoadOutlastsDelay(started, done, files.size()))
            progress = m_ui->BeginProgress("Loading Files", "Loading...", static_cast<int>(files.size()));
        const bool goOn = !progress || progress->Step(static_cast<int>(done), std::string());
        if (!goOn || m_batchCancel)
            break;
    }
    if (done < files.size()) {
        m_cancelledLoad = "Loading cancelled: the " + std::to_string(m_signals.size()) +
                          " files loaded stay selected; the other " + std::to_string(files.size() - done) +
                          " were not loaded.";
        ok = false;
    }
    return ok;
}

bool CPelloraDoc::LoadOutlastsDelay(std::chrono::steady_clock::time_point started, std::size_t done,
                                    std::size_t total) const
{
    const auto elapsed = std::chrono::steady_clock::now() - started;
    if (elapsed >= m_progressDelay)
        return true;
    // Once a tenth of the delay has passed the pace so far tells the rest.
    if (done == 0 || elapsed < m_progressDelay / 10)
        return false;
    return elapsed * static_cast<double>(total) / static_cast<double>(done) >= m_progressDelay;
}

bool CPelloraDoc::SelectFiles(const std::vector<std::string> &paths)
{
    if (m_batchRunning)
        return false;
    m_errors.clear();
    std::vector<std::string> wanted;
    wanted.reserve(paths.size());
    for (const std::string &path : paths)
        wanted.push_back(pellora::AbsolutePath(path));
    const std::unordered_set<std::string> wantedSet(wanted.begin(), wanted.end());

    // Files still selected keep their place and their signal.
    std::vector<CFilePtr> keptFiles;
    std::vector<kx::CNSignalPtr> keptSignals;
    std::unordered_set<std::string> held;
    for (std::size_t i = 0; i < m_selectedFiles.size(); ++i) {
        const std::string &path = m_selectedFiles[i]->GetPathName();
        if (wantedSet.count(path) && held.insert(path).second) {
            keptFiles.push_back(m_selectedFiles[i]);
            if (i < m_signals.size())
                keptSignals.push_back(m_signals[i]);
        }
    }
    // Failed files are tried again once they were deselected.
    std::set<std::string> stillFailed;
    for (const std::string &path : m_failedPaths) {
        if (wantedSet.count(path))
            stillFailed.insert(path);
    }
    m_failedPaths = std::move(stillFailed);
    std::vector<CFilePtr> added;
    for (const std::string &path : wanted) {
        if (m_failedPaths.count(path) || !held.insert(path).second)
            continue;
        auto file = std::make_shared<kx::CFile>();
        try {
            file->SetPathName(path);
            added.push_back(std::move(file));
        } catch (const std::exception &e) {
            m_errors.push_back(FileError(path, e.what()));
        }
    }
    m_selectedFiles = std::move(keptFiles);
    m_signals = std::move(keptSignals);

    std::optional<CUiWaitCursor> wait;
    if (!added.empty())
        wait.emplace(m_ui);
    const bool ok = LoadFiles(added) && m_errors.empty();
    wait.reset();
    return EndLoad(ok);
}

bool CPelloraDoc::LoadSelectedFiles()
{
    if (m_selectedFiles.empty())
        return false;
    const std::vector<CFilePtr> files = std::move(m_selectedFiles);
    m_selectedFiles.clear();
    m_signals.clear();
    const bool ok = LoadFiles(files);
    return EndLoad(ok);
}

bool CPelloraDoc::EndLoad(bool ok)
{
    RebuildPlot();
    UpdateAllViews(UpdateHint::Plot);
    if (!m_cancelledLoad.empty()) {
        // The list shows what the cancelled load kept selected.
        UpdateAllViews(UpdateHint::FileList);
        if (m_ui)
            m_ui->ShowMessage(m_cancelledLoad, IPelloraUi::Icon::Information);
        m_cancelledLoad.clear();
    }
    if (!ok) {
        ShowErrorList();
        return false;
    }
    m_errors.clear();
    return true;
}

void CPelloraDoc::RebuildPlot()
{
    RecomputeMaxPointCount();
    BuildChartArrays();
    BuildPlotTexts();
}

bool CPelloraDoc::OnReload()
{
    if (m_selectedFiles.empty() || m_batchRunning)
        return false;
    m_errors.clear();
    m_failedPaths.clear();
    const CUiWaitCursor wait(m_ui);
    return LoadSelectedFiles();
}

bool CPelloraDoc::LoadFileByName(const std::string &name)
{
    return LoadAsOnlyFile(FullPathOf(name));
}

std::string CPelloraDoc::GetSingleSelectedPath() const
{
    if (m_selectedFiles.size() != 1)
        return {};
    return m_selectedFiles.front()->GetPathName();
}

namespace {

void RecomputeMaxPointCount(const std::vector<kx::CNSignalPtr> &signalList, CPlotData &plot)
{
    int largest = 0;
    for (const kx::CNSignalPtr &signal : signalList)
        largest = std::max(largest, static_cast<int>(kx::CData::CountPoints(signal->GetNFP(), signal->GetNLP())));
    plot.maxPointCount = largest;
}

void PackChartArrays(const std::vector<kx::CNSignalPtr> &signalList, CPlotData &plot)
{
    plot.signalCount = static_cast<int>(signalList.size());
    std::size_t largest = 0;
    for (const kx::CNSignalPtr &signal : signalList)
        largest = std::max(largest, signal->GetYCount());
    plot.maxPointCount = static_cast<int>(largest);
    const std::size_t total = largest * signalList.size();
    // Each value is written once: the curve, then the pad value up to the next curve.
    const auto pack = [&](std::vector<double> &out, auto values) {
        out.clear();
        if (total == 0) {
            out.shrink_to_fit();
            return;
        }
        out.reserve(total);
        for (const kx::CNSignalPtr &signal : signalList) {
            const std::vector<double> &v = values(*signal);
            const std::size_t n = std::min(v.size(), largest);
            out.insert(out.end(), v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n));
            out.insert(out.end(), largest - n, CPelloraDoc::PadValue);
        }
    };
    pack(plot.chartX, [](const kx::CNSignal &s) -> const std::vector<double> & { return s.GetX(); });
    pack(plot.chartY, [](const kx::CNSignal &s) -> const std::vector<double> & { return s.GetY(); });
}

void MakePlotTexts(const std::vector<kx::CNSignalPtr> &signalList, CPlotData &plot)
{
    plot.signalLabels.clear();
    if (signalList.empty()) {
        plot.title.clear();
        plot.subTitle.clear();
        plot.yLabel.clear();
        plot.xLabel.clear();
        return;
    }
    if (signalList.size() == 1) {
        const kx::CNSignal &s = *signalList.front();
        std::string title;
        if (s.GetTstNo() > 0)
            title = "Test: " + std::to_string(s.GetTstNo());
        if (s.GetCurNo() > 0) {
            if (!title.empty())
                title += " - ";
            title += "Curve Number: " + std::to_string(s.GetCurNo()) + " - " + s.GetSenAtt();
        }
        if (title.empty())
            title = "Current Plot";
        plot.title = title.substr(0, MaxBuiltTitleLength);

        double yMin = 0.0, xMin = 0.0, yMax = 0.0, xMax = 0.0;
        if (!s.GetYExtremes(yMin, xMin, yMax, xMax)) {
            yMin = s.GetYMin();
            yMax = s.GetYMax();
        }
        plot.subTitle =
            "Ymin " + Fixed(yMin, 3) + " @ " + Fixed(xMin, 2) + ", Ymax " + Fixed(yMax, 3) + " @ " + Fixed(xMax, 2);
        plot.yLabel = AxisLabel(s.GetYType(), s.GetYUnits(), "Unknown Y Type", "Unknown Y Units");
        plot.xLabel = AxisLabel(s.GetXType(), s.GetXUnits(), "Unknown X Type", "Unknown X Units");
        return;
    }
    plot.title.clear();
    plot.subTitle.clear();
    const kx::CNSignal &first = *signalList.front();
    plot.yLabel = first.GetYUnits();
    plot.xLabel = first.GetXUnits();
    for (const kx::CNSignalPtr &signal : signalList) {
        if (signal->GetYUnits() != first.GetYUnits())
            plot.yLabel = "Mixed Y Axis Units";
        if (signal->GetXUnits() != first.GetXUnits())
            plot.xLabel = "Mixed X Axis Units";
        plot.signalLabels.push_back(signal->GetFileName().empty()
                                        ? "Curve Number: " + std::to_string(signal->GetCurNo())
                                        : signal->GetFileName());
    }
}

} // namespace

void CPelloraDoc::RecomputeMaxPointCount()
{
    pellora::RecomputeMaxPointCount(m_signals, m_plot);
}

void CPelloraDoc::BuildChartArrays()
{
    PackChartArrays(m_signals, m_plot);
}

void CPelloraDoc::BuildPlotTexts()
{
    MakePlotTexts(m_signals, m_plot);
}

CPlotData CPelloraDoc::MakePlotData(const std::vector<kx::CNSignalPtr> &signalList)
{
    CPlotData plot;
    pellora::RecomputeMaxPointCount(signalList, plot);
    PackChartArrays(signalList, plot);
    MakePlotTexts(signalList, plot);
    return plot;
}

} // namespace pellora
