#include "Pellora/document/CPelloraDoc.h"

#include "Pellora/document/FileListNames.h"
#include "platform/CSettings.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <set>

namespace pellora {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t MaxTitleLength = 254;
constexpr std::size_t MaxSubTitleLength = 46;
constexpr std::size_t MaxBuiltTitleLength = 240;

// Leading number of a text, as atof reads it, whatever the locale.
double ToNumber(const std::string &text)
{
    const char *begin = text.data();
    const char *end = begin + text.size();
    while (begin != end && (*begin == ' ' || *begin == '\t'))
        ++begin;
    if (begin != end && *begin == '+')
        ++begin;
    double value = 0.0;
    const auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() ? value : 0.0;
}

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

CPelloraDoc::CPelloraDoc(IPelloraUi *ui, const QString &settingsProgram, QObject *parent)
    : QObject(parent)
    , m_ui(ui)
    , m_settings(std::make_unique<kxplatform::CSettings>(settingsProgram))
{
    ReadSettings();
}

CPelloraDoc::~CPelloraDoc() = default;

std::string CPelloraDoc::DefaultSuiteDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath().toStdString();
    std::error_code ec;
    return fs::current_path(ec).string();
}

std::string CPelloraDoc::DefaultOutputDir()
{
    return QDir::homePath().toStdString();
}

void CPelloraDoc::ReadSettings()
{
    m_columnHeaders = m_settings->GetInt("ColumnHeaders", 1) != 0;
    m_lineStyle = m_settings->GetInt("LineStyle", 0);
    m_saveZoom = m_settings->GetInt("SaveZoom", 1) != 0;
    m_suiteDirectory = m_settings->GetString("Brisca", DefaultSuiteDirectory());

    m_marginTexts = CPageMarginValues{};
    const auto stored = [this](const char *key, std::string &text) {
        if (m_settings->Contains(key))
            text = m_settings->GetString(key);
    };
    stored("MarginLeft", m_marginTexts.left);
    stored("MarginRight", m_marginTexts.right);
    stored("MarginTop", m_marginTexts.top);
    stored("MarginBottom", m_marginTexts.bottom);
    m_marginTexts.unit = m_settings->GetInt("MarginUnit", m_marginTexts.unit);
    ConvertMargins();
}

void CPelloraDoc::ConvertMargins()
{
    const std::array<const std::string *, 4> texts{&m_marginTexts.left, &m_marginTexts.right, &m_marginTexts.top,
                                                   &m_marginTexts.bottom};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!texts[i]->empty())
            m_margins[i] = ToNumber(*texts[i]);
    }
}

std::string CPelloraDoc::GetOutputDir() const
{
    return m_settings->GetString("OutputDir", DefaultOutputDir());
}

void CPelloraDoc::SetOutputDir(const std::string &folder)
{
    m_settings->SetString("OutputDir", folder);
    m_settings->Sync();
}

bool CPelloraDoc::OnNewDocument()
{
    m_maxPointCount = 0;
    m_directory.clear();
    m_fileNames.clear();
    return true;
}

void CPelloraDoc::Reset()
{
    m_title.clear();
    m_subTitle.clear();
    m_yLabel.clear();
    m_xLabel.clear();
    m_signalLabels.clear();
    m_errors.clear();
    m_selectedFiles.clear();
    m_signals.clear();
    m_chartX.clear();
    m_chartY.clear();
    // No view may read the counts of arrays that are gone.
    m_signalCount = 0;
    m_maxPointCount = 0;
    m_failedPaths.clear();
}

void CPelloraDoc::UpdateAllViews(int hint)
{
    if (hint == HintFileList)
        SortFileNames();
    emit Updated(hint);
}

void CPelloraDoc::SetWindowText(const std::string &text)
{
    if (m_ui)
        m_ui->SetMainWindowText(text);
}

void CPelloraDoc::ShowErrorList()
{
    if (m_ui && !m_errors.empty())
        m_ui->ShowErrorList(m_errors);
}

bool CPelloraDoc::IsInteger(const std::string &text)
{
    return pellora::IsInteger(text);
}

std::string CPelloraDoc::FullPathOf(const std::string &name) const
{
    return m_hitList ? name : pellora::JoinPath(m_directory, name);
}

// ---- file set -------------------------------------------------------------

void CPelloraDoc::OnOpenDirectory()
{
    if (!m_ui)
        return;
    std::string directory = m_directory;
    if (m_ui->ChooseBrowseDirectory(directory) && !directory.empty())
        OpenDirectory(directory);
}

void CPelloraDoc::OpenDirectory(const std::string &directory)
{
    if (m_ui)
        m_ui->BeginWaitCursor();
    m_directory = directory;
    m_hitList = false;
    m_hitListName.clear();
    Reset();
    m_fileNames = pellora::ListDirectory(m_directory);
    if (m_ui)
        m_ui->EndWaitCursor();
    UpdateAllViews(HintFileList);
    UpdateAllViews(HintPlot);
    SetWindowText("Browsing " + m_directory);
}

void CPelloraDoc::SortFileNames()
{
    pellora::SortFileNames(m_fileNames, m_settings->GetInt("Sort", 0) == 1);
}

bool CPelloraDoc::ApplyFilter(const std::string &pattern)
{
    if (m_hitList || m_directory.empty())
        return false;
    std::vector<std::string> names = pellora::ListDirectory(m_directory, pattern);
    if (names.empty()) {
        if (m_ui)
            m_ui->ShowMessage("Error Processing Filter (" + pattern + ")", IPelloraUi::Icon::Exclamation);
        return false;
    }
    m_fileNames = std::move(names);
    UpdateAllViews(HintFileList);
    return true;
}

void CPelloraDoc::OnOpenHitlist()
{
    if (!m_ui)
        return;
    std::string path;
    if (m_ui->ChooseOpenFile("Select HitList File", "HitList File (*.*)", GetOutputDir(), path) && !path.empty())
        OpenHitList(path);
}

bool CPelloraDoc::OpenHitList(const std::string &path)
{
    Reset();
    m_fileNames.clear();
    m_directory.clear();
    m_hitList = true;
    const bool ok = ReadHitList(path);
    if (ok) {
        const fs::path full(pellora::AbsolutePath(path));
        SetOutputDir(full.parent_path().string() + "/");
        m_hitListName = full.filename().string();
        SetWindowText("Browsing " + m_hitListName);
    }
    UpdateAllViews(HintFileList);
    UpdateAllViews(HintPlot);
    ShowErrorList();
    return ok;
}

bool CPelloraDoc::ReadHitList(const std::string &path)
{
    std::ifstream in(path);
    if (!in.is_open() || fs::is_directory(path)) {
        m_errors.push_back("Failure to open file: " + path + " for reading.");
        return false;
    }
    const std::string base = fs::path(pellora::AbsolutePath(path)).parent_path().string();
    std::set<std::string> listed(m_fileNames.begin(), m_fileNames.end());
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (pellora::Trim(line).empty())
            continue;
        bool matched = false;
        const std::vector<std::string> found = pellora::ExpandFileLine(line, base, &matched);
        if (!matched) {
            m_errors.push_back("Hitlist " + path + ", filename " + line + ", not found");
            continue;
        }
        for (const std::string &file : found) {
            if (listed.insert(file).second)
                m_fileNames.push_back(file);
        }
    }
    return true;
}

bool CPelloraDoc::CommandLineBrowse(const std::vector<std::string> &names)
{
    if (names.empty()) {
        m_errors.push_back("File name array empty.");
        return false;
    }
    m_errors.clear();
    std::error_code ec;
    const std::string cwd = fs::current_path(ec).string();
    std::set<std::string> listed(m_fileNames.begin(), m_fileNames.end());
    for (const std::string &name : names) {
        const std::vector<std::string> found = pellora::ExpandFileLine(name, cwd);
        if (found.empty())
            m_errors.push_back("File, " + name + ", does not Exist");
        for (const std::string &file : found) {
            if (listed.insert(file).second)
                m_fileNames.push_back(file);
        }
    }
    if (m_fileNames.empty()) {
        m_errors.push_back("File name array empty.");
        ShowErrorList();
        return false;
    }
    m_directory.clear();
    m_hitList = true;
    SetWindowText("Browsing Command Line arguments");
    if (!m_loadAtOnce) {
        UpdateAllViews(HintFileList);
        ShowErrorList();
        return true;
    }
    // The listed files become the selection, so the list shows them selected.
    std::vector<CFilePtr> files;
    for (const std::string &name : m_fileNames) {
        auto file = std::make_shared<kx::CFile>();
        try {
            file->SetPathName(name);
            files.push_back(file);
        } catch (const std::exception &e) {
            m_errors.push_back(e.what());
        }
    }
    m_selectedFiles.clear();
    m_signals.clear();
    bool ok = LoadFiles(files) && m_errors.empty();
    m_loadAtOnce = false;
    UpdateAllViews(HintFileList);
    return EndLoad(ok);
}

void CPelloraDoc::SwitchToHitListMode()
{
    if (m_hitList)
        return;
    for (std::string &name : m_fileNames)
        name = pellora::JoinPath(m_directory, name);
    m_directory.clear();
    m_hitList = true;
}

std::size_t CPelloraDoc::AddFileNames(const std::vector<std::string> &paths)
{
    if (paths.empty())
        return 0;
    SwitchToHitListMode();
    std::set<std::string> listed(m_fileNames.begin(), m_fileNames.end());
    std::size_t added = 0;
    for (const std::string &path : paths) {
        if (path.empty())
            continue;
        if (listed.insert(path).second) {
            m_fileNames.push_back(path);
            ++added;
        }
    }
    UpdateAllViews(HintFileList);
    return added;
}

bool CPelloraDoc::AddDataFile(const std::string &path)
{
    if (path.empty())
        return false;
    AddFileNames({path});
    return true;
}

bool CPelloraDoc::AddHitList(const std::string &path)
{
    if (path.empty())
        return false;
    SwitchToHitListMode();
    m_errors.clear();
    const bool ok = ReadHitList(path);
    if (ok)
        UpdateAllViews(HintFileList);
    ShowErrorList();
    return ok;
}

void CPelloraDoc::RemoveFileNames(const std::vector<std::string> &names)
{
    const std::set<std::string> gone(names.begin(), names.end());
    std::vector<std::string> kept;
    for (const std::string &name : m_fileNames) {
        if (!gone.count(name))
            kept.push_back(name);
    }
    SetFileNames(std::move(kept));
}

void CPelloraDoc::KeepFileNames(const std::vector<std::string> &names)
{
    const std::set<std::string> keep(names.begin(), names.end());
    std::vector<std::string> kept;
    for (const std::string &name : m_fileNames) {
        if (keep.count(name))
            kept.push_back(name);
    }
    SetFileNames(std::move(kept));
}

void CPelloraDoc::SetFileNames(std::vector<std::string> names)
{
    m_fileNames = std::move(names);
    // Selected files that are no longer listed are dropped with their signals.
    std::set<std::string> listed;
    for (const std::string &name : m_fileNames)
        listed.insert(pellora::AbsolutePath(FullPathOf(name)));
    bool dropped = false;
    for (std::size_t i = m_selectedFiles.size(); i-- > 0;) {
        if (!listed.count(m_selectedFiles[i]->GetPathName())) {
            m_selectedFiles.erase(m_selectedFiles.begin() + static_cast<std::ptrdiff_t>(i));
            if (i < m_signals.size())
                m_signals.erase(m_signals.begin() + static_cast<std::ptrdiff_t>(i));
            dropped = true;
        }
    }
    UpdateAllViews(HintFileList);
    if (dropped) {
        RebuildPlot();
        UpdateAllViews(HintPlot);
    }
}

void CPelloraDoc::ClearHitList()
{
    m_fileNames.clear();
    m_selectedFiles.clear();
    m_signals.clear();
    BuildChartArrays();
    BuildPlotTexts();
    UpdateAllViews(HintFileList);
    UpdateAllViews(HintPlot);
}

void CPelloraDoc::OnEditHitList()
{
    if (!m_hitList || !m_ui)
        return;
    std::vector<std::string> names = m_fileNames;
    if (m_ui->EditHitList(names))
        SetFileNames(std::move(names));
}

// ---- loading ----------------------------------------------------------------

kx::CNSignalPtr CPelloraDoc::LoadUdsSignal(const kx::CFile &file)
{
    auto signal = std::make_shared<kx::CNSignal>();
    signal->LoadUDSFile(file.GetPathName());
    signal->SetFileName(file.GetFileName());
    signal->SetDirectory(file.GetDirectory());
    signal->SetPathName(file.GetPathName());
    return signal;
}

CPelloraDoc::LoadResult CPelloraDoc::LoadFile(const kx::CFile &file)
{
    LoadResult result;
    std::string udsError;
    try {
        result.signal = LoadUdsSignal(file);
        return result;
    } catch (const std::exception &e) {
        udsError = e.what();
    }
    try {
        auto signal = std::make_shared<kx::CNSignal>();
        signal->ReadPointsFile(file.GetDirectory(), file.GetFileName());
        result.signal = std::move(signal);
    } catch (const std::exception &e) {
        result.errors.push_back(udsError);
        result.errors.push_back(e.what());
    }
    return result;
}

bool CPelloraDoc::LoadFiles(const std::vector<CFilePtr> &files)
{
    bool ok = true;
    for (const CFilePtr &file : files) {
        LoadResult result = LoadFile(*file);
        if (result.signal) {
            m_selectedFiles.push_back(file);
            m_signals.push_back(std::move(result.signal));
        } else {
            ok = false;
            m_failedPaths.insert(file->GetPathName());
            m_errors.insert(m_errors.end(), result.errors.begin(), result.errors.end());
        }
    }
    return ok;
}

bool CPelloraDoc::SelectFiles(const std::vector<std::string> &paths)
{
    m_errors.clear();
    std::vector<std::string> wanted;
    for (const std::string &path : paths)
        wanted.push_back(pellora::AbsolutePath(path));

    // Files still selected keep their place and their signal.
    std::vector<CFilePtr> keptFiles;
    std::vector<kx::CNSignalPtr> keptSignals;
    std::set<std::string> held;
    for (std::size_t i = 0; i < m_selectedFiles.size(); ++i) {
        const std::string &path = m_selectedFiles[i]->GetPathName();
        if (std::find(wanted.begin(), wanted.end(), path) != wanted.end() && held.insert(path).second) {
            keptFiles.push_back(m_selectedFiles[i]);
            if (i < m_signals.size())
                keptSignals.push_back(m_signals[i]);
        }
    }
    // Failed files are tried again once they were deselected.
    std::set<std::string> stillFailed;
    for (const std::string &path : wanted) {
        if (m_failedPaths.count(path))
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
            m_errors.push_back(e.what());
        }
    }
    m_selectedFiles = std::move(keptFiles);
    m_signals = std::move(keptSignals);

    if (m_ui && !added.empty())
        m_ui->BeginWaitCursor();
    const bool ok = LoadFiles(added) && m_errors.empty();
    if (m_ui && !added.empty())
        m_ui->EndWaitCursor();
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
    UpdateAllViews(HintPlot);
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
    if (m_selectedFiles.empty())
        return false;
    m_errors.clear();
    m_failedPaths.clear();
    if (m_ui)
        m_ui->BeginWaitCursor();
    const bool ok = LoadSelectedFiles();
    if (m_ui)
        m_ui->EndWaitCursor();
    return ok;
}

bool CPelloraDoc::LoadFileByName(const std::string &name)
{
    m_selectedFiles.clear();
    m_signals.clear();
    const std::string path = FullPathOf(name);
    try {
        auto file = std::make_shared<kx::CFile>();
        file->SetPathName(path);
        kx::CNSignalPtr signal = LoadUdsSignal(*file);
        m_selectedFiles.push_back(std::move(file));
        m_signals.push_back(std::move(signal));
    } catch (const std::exception &e) {
        m_errors.push_back(e.what());
        // No texts of the file shown before may stay with an empty chart.
        RebuildPlot();
        return false;
    }
    RebuildPlot();
    return true;
}

std::string CPelloraDoc::GetSingleSelectedPath() const
{
    if (m_selectedFiles.size() != 1)
        return {};
    return m_selectedFiles.front()->GetPathName();
}

void CPelloraDoc::RecomputeMaxPointCount()
{
    int largest = 0;
    for (const kx::CNSignalPtr &signal : m_signals)
        largest = std::max(largest, static_cast<int>(kx::CData::CountPoints(signal->GetNFP(), signal->GetNLP())));
    m_maxPointCount = largest;
}

void CPelloraDoc::BuildChartArrays()
{
    m_signalCount = static_cast<int>(m_signals.size());
    std::size_t largest = 0;
    for (const kx::CNSignalPtr &signal : m_signals)
        largest = std::max(largest, signal->GetYCount());
    m_maxPointCount = static_cast<int>(largest);
    const std::size_t total = largest * m_signals.size();
    // Each value is written once: the curve, then the pad value up to the next curve.
    const auto pack = [&](std::vector<double> &out, auto values) {
        out.clear();
        if (total == 0) {
            out.shrink_to_fit();
            return;
        }
        out.reserve(total);
        for (const kx::CNSignalPtr &signal : m_signals) {
            const std::vector<double> &v = values(*signal);
            const std::size_t n = std::min(v.size(), largest);
            out.insert(out.end(), v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n));
            out.insert(out.end(), largest - n, PadValue);
        }
    };
    pack(m_chartX, [](const kx::CNSignal &s) -> const std::vector<double> & { return s.GetX(); });
    pack(m_chartY, [](const kx::CNSignal &s) -> const std::vector<double> & { return s.GetY(); });
}

void CPelloraDoc::BuildPlotTexts()
{
    m_signalLabels.clear();
    if (m_signals.empty()) {
        m_title.clear();
        m_subTitle.clear();
        m_yLabel.clear();
        m_xLabel.clear();
        return;
    }
    if (m_signals.size() == 1) {
        const kx::CNSignal &s = *m_signals.front();
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
        m_title = title.substr(0, MaxBuiltTitleLength);

        double yMin = 0.0, xMin = 0.0, yMax = 0.0, xMax = 0.0;
        if (!s.GetYExtremes(yMin, xMin, yMax, xMax)) {
            yMin = s.GetYMin();
            yMax = s.GetYMax();
        }
        m_subTitle = "Ymin " + Fixed(yMin, 3) + " @ " + Fixed(xMin, 2) + ", Ymax " + Fixed(yMax, 3) + " @ " +
                     Fixed(xMax, 2);
        m_yLabel = AxisLabel(s.GetYType(), s.GetYUnits(), "Unknown Y Type", "Unknown Y Units");
        m_xLabel = AxisLabel(s.GetXType(), s.GetXUnits(), "Unknown X Type", "Unknown X Units");
        return;
    }
    m_title.clear();
    m_subTitle.clear();
    const kx::CNSignal &first = *m_signals.front();
    m_yLabel = first.GetYUnits();
    m_xLabel = first.GetXUnits();
    for (const kx::CNSignalPtr &signal : m_signals) {
        if (signal->GetYUnits() != first.GetYUnits())
            m_yLabel = "Mixed Y Axis Units";
        if (signal->GetXUnits() != first.GetXUnits())
            m_xLabel = "Mixed X Axis Units";
        m_signalLabels.push_back(signal->GetFileName().empty() ? "Curve Number: " + std::to_string(signal->GetCurNo())
                                                               : signal->GetFileName());
    }
}

// ---- labels, options, margins, header ------------------------------------------

bool CPelloraDoc::EditOneLabel(const std::string &caption, std::string &field)
{
    if (!m_ui)
        return false;
    std::string value = field;
    if (!m_ui->EditLabel(caption, "Enter Label", value))
        return false;
    field = value;
    return true;
}

void CPelloraDoc::OnLabelTitle()
{
    std::string value = m_title;
    if (!EditOneLabel("Title Label", value))
        return;
    value = pellora::Trim(value);
    m_title = value.substr(0, std::min(value.size(), MaxTitleLength));
    UpdateAllViews(HintPlot);
}

void CPelloraDoc::OnLabelSubTitle()
{
    std::string value = m_subTitle;
    if (!EditOneLabel("Sub Title Label", value))
        return;
    m_subTitle = value.substr(0, std::min(value.size(), MaxSubTitleLength));
    UpdateAllViews(HintPlot);
}

void CPelloraDoc::OnLabelXAxis()
{
    if (EditOneLabel("X Axis Label", m_xLabel))
        UpdateAllViews(HintPlot);
}

void CPelloraDoc::OnLabelYAxis()
{
    if (EditOneLabel("Y Axis Label", m_yLabel))
        UpdateAllViews(HintPlot);
}

void CPelloraDoc::OnSignalLabels()
{
    if (!m_ui || !CanEditSignalLabels())
        return;
    std::vector<std::string> labels = m_signalLabels;
    labels.resize(m_signals.size());
    if (!m_ui->EditSignalLabels(labels, m_signals, "FileNames", "Label"))
        return;
    m_signalLabels = labels;
    std::string subtitle;
    for (const std::string &label : m_signalLabels)
        subtitle += (label.empty() ? std::string("Filename: ") + "Error: Empty" : label) + "\t";
    m_subTitle = subtitle;
    UpdateAllViews(HintPlot);
}

void CPelloraDoc::OnOptions()
{
    if (!m_ui)
        return;
    CPlottingOptionValues options{m_columnHeaders, m_saveZoom, m_lineStyle, m_suiteDirectory};
    if (!m_ui->EditPlottingOptions(options))
        return;
    m_columnHeaders = options.columnHeaders;
    m_saveZoom = options.saveZoom;
    m_lineStyle = options.lineStyle;
    m_suiteDirectory = options.suiteDirectory;
    m_settings->SetString("Brisca", m_suiteDirectory);
    m_settings->SetInt("SaveZoom", m_saveZoom ? 1 : 0);
    m_settings->SetInt("ColumnHeaders", m_columnHeaders ? 1 : 0);
    m_settings->SetInt("LineStyle", m_lineStyle);
    m_settings->Sync();
    UpdateAllViews(HintPlot);
}

void CPelloraDoc::OnPageMarginSetup()
{
    if (!m_ui)
        return;
    CPageMarginValues margins = m_marginTexts;
    if (!m_ui->EditPageMargins(margins))
        return;
    m_marginTexts = margins;
    ConvertMargins();
    m_settings->SetString("MarginLeft", m_marginTexts.left);
    m_settings->SetString("MarginRight", m_marginTexts.right);
    m_settings->SetString("MarginTop", m_marginTexts.top);
    m_settings->SetString("MarginBottom", m_marginTexts.bottom);
    m_settings->SetInt("MarginUnit", m_marginTexts.unit);
    m_settings->Sync();
}

void CPelloraDoc::OnViewUdsHeader()
{
    if (m_ui && !m_signals.empty())
        m_ui->ShowUdsHeader(m_signals);
}

} // namespace pellora
