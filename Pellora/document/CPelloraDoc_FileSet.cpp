// Pellora's document: the file set (folder, filter, hit lists, command line).

#include "Pellora/document/CPelloraDoc.h"

#include "Pellora/document/FileListNames.h"
#include "platform/CSettings.h"
#include "signal/HitList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <memory>
#include <set>

namespace pellora {

namespace fs = std::filesystem;

void CPelloraDoc::OnOpenDirectory()
{
    if (!m_ui)
        return;
    std::string directory = m_directory;
    if (m_ui->ChooseBrowseDirectory(directory) && !directory.empty())
        OpenDirectory(directory);
}

bool CPelloraDoc::OpenDirectory(const std::string &directory)
{
    // A batch job works through the list as it was: it changes only afterwards.
    if (m_batchRunning)
        return false;
    std::error_code ec;
    if (!fs::is_directory(directory, ec)) {
        if (m_ui)
            m_ui->ShowMessage("Directory, " + directory + ", does not Exist", IPelloraUi::Icon::Exclamation);
        return false;
    }
    if (m_ui)
        m_ui->BeginWaitCursor();
    m_directory = directory;
    m_listPattern = "*.*";
    m_hitList = false;
    m_hitListName.clear();
    Reset();
    m_fileNames = pellora::ListDirectory(m_directory, m_listPattern);
    if (m_ui)
        m_ui->EndWaitCursor();
    UpdateAllViews(UpdateHint::FileList);
    UpdateAllViews(UpdateHint::Plot);
    SetWindowText("Browsing " + m_directory);
    return true;
}

void CPelloraDoc::SortFileNames()
{
    pellora::SortFileNames(m_fileNames, m_settings->GetInt("Sort", 0) == 1);
}

bool CPelloraDoc::ApplyFilter(const std::string &pattern)
{
    if (m_batchRunning)
        return false;
    if (m_hitList || m_directory.empty())
        return false;
    std::vector<std::string> names = pellora::ListDirectory(m_directory, pattern);
    if (names.empty()) {
        if (m_ui)
            m_ui->ShowMessage("Error Processing Filter (" + pattern + ")", IPelloraUi::Icon::Exclamation);
        return false;
    }
    m_fileNames = std::move(names);
    m_listPattern = pattern;
    UpdateAllViews(UpdateHint::FileList);
    return true;
}

void CPelloraDoc::ListAgainAfterWriting(const std::string &folder)
{
    if (m_batchRunning || m_hitList || m_directory.empty())
        return;
    std::error_code ec;
    if (!fs::equivalent(folder, m_directory, ec))
        return;
    {
        CUiWaitCursor wait(m_ui);
        m_fileNames = pellora::ListDirectory(m_directory, m_listPattern);
    }
    UpdateAllViews(UpdateHint::FileList);
}

void CPelloraDoc::OnOpenHitlist()
{
    if (!m_ui)
        return;
    std::string path;
    const CSaveFileRequest request{"Select HitList File", "HitList File (*.*)", "", GetOutputDir(), ""};
    if (m_ui->ChooseOpenFile(request, path) && !path.empty())
        OpenHitList(path);
}

bool CPelloraDoc::OpenHitList(const std::string &path)
{
    if (m_batchRunning)
        return false;
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
    UpdateAllViews(UpdateHint::FileList);
    UpdateAllViews(UpdateHint::Plot);
    ShowErrorList();
    return ok;
}

bool CPelloraDoc::ReadHitList(const std::string &path)
{
    std::vector<std::string> lines;
    std::string error;
    const kx::HitListRead read = kx::ReadHitList(path, lines, error);
    if (read == kx::HitListRead::kNotOpened) {
        m_errors.push_back("Failure to open file: " + path + " for reading.");
        return false;
    }
    const std::string base = fs::path(pellora::AbsolutePath(path)).parent_path().string();
    std::set<std::string> listed(m_fileNames.begin(), m_fileNames.end());
    for (const std::string &line : lines) {
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
    if (read == kx::HitListRead::kRefused) {
        m_errors.push_back(error);
        return false;
    }
    return true;
}

bool CPelloraDoc::CommandLineBrowse(const std::vector<std::string> &names)
{
    if (m_batchRunning)
        return false;
    if (names.empty()) {
        m_errors.push_back("File name array empty.");
        return false;
    }
    m_errors.clear();
    std::set<std::string> listed(m_fileNames.begin(), m_fileNames.end());
    for (const std::string &file : ExpandCommandLine(names)) {
        if (listed.insert(file).second)
            m_fileNames.push_back(file);
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
        UpdateAllViews(UpdateHint::FileList);
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
    UpdateAllViews(UpdateHint::FileList);
    return EndLoad(ok);
}

std::vector<std::string> CPelloraDoc::ExpandCommandLine(const std::vector<std::string> &names)
{
    std::error_code ec;
    const std::string cwd = fs::current_path(ec).string();
    std::vector<std::string> files;
    for (const std::string &name : names) {
        const std::vector<std::string> found = pellora::ExpandFileLine(name, cwd);
        if (found.empty()) {
            const fs::path named = fs::path(name).is_absolute() ? fs::path(name) : fs::path(cwd) / name;
            if (fs::is_directory(named, ec))
                m_errors.push_back("File, " + name + ", is a folder, not a file");
            else
                m_errors.push_back("File, " + name + ", does not Exist");
        }
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

bool CPelloraDoc::AddCommandLine(const std::vector<std::string> &names, bool loadAtOnce)
{
    if (m_batchRunning || names.empty())
        return false;
    m_errors.clear();
    const std::vector<std::string> found = ExpandCommandLine(names);
    std::vector<std::string> errors = std::move(m_errors);
    m_errors.clear();
    if (!found.empty()) {
        AddFileNames(found);
        if (loadAtOnce) {
            // The named files become the selection and are plotted.
            SelectFiles(found);
            UpdateAllViews(UpdateHint::FileList);
        }
    }
    errors.insert(errors.end(), m_errors.begin(), m_errors.end());
    m_errors = std::move(errors);
    ShowErrorList();
    const bool ok = !found.empty() && m_errors.empty();
    m_errors.clear();
    return ok;
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
    if (m_batchRunning)
        return 0;
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
    UpdateAllViews(UpdateHint::FileList);
    return added;
}

std::size_t CPelloraDoc::AddDroppedPaths(const std::vector<std::string> &paths)
{
    if (m_batchRunning)
        return 0;
    std::error_code ec;
    if (paths.size() == 1 && fs::is_directory(paths.front(), ec)) {
        OpenDirectory(paths.front());
        return 0;
    }
    std::vector<std::string> files;
    std::vector<std::string> folders;
    for (const std::string &path : paths) {
        if (!path.empty() && fs::is_directory(path, ec))
            folders.push_back(FileError(path, "is a folder, not a file; drop it alone to browse it"));
        else
            files.push_back(path);
    }
    const std::size_t added = files.empty() ? 0 : AddFileNames(files);
    if (m_ui && !folders.empty())
        m_ui->ShowErrorList(folders);
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
    if (m_batchRunning)
        return false;
    if (path.empty())
        return false;
    SwitchToHitListMode();
    m_errors.clear();
    const bool ok = ReadHitList(path);
    if (ok)
        UpdateAllViews(UpdateHint::FileList);
    ShowErrorList();
    return ok;
}

namespace {

// Names are compared without regard to case.
std::string Folded(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::set<std::string> FoldedSet(const std::vector<std::string> &names)
{
    std::set<std::string> folded;
    for (const std::string &name : names)
        folded.insert(Folded(name));
    return folded;
}

} // namespace

void CPelloraDoc::RemoveFileNames(const std::vector<std::string> &names)
{
    const std::set<std::string> gone = FoldedSet(names);
    std::vector<std::string> kept;
    for (const std::string &name : m_fileNames) {
        if (!gone.count(Folded(name)))
            kept.push_back(name);
    }
    SetFileNames(std::move(kept));
}

void CPelloraDoc::KeepFileNames(const std::vector<std::string> &names)
{
    const std::set<std::string> keep = FoldedSet(names);
    std::vector<std::string> kept;
    for (const std::string &name : m_fileNames) {
        if (keep.count(Folded(name)))
            kept.push_back(name);
    }
    SetFileNames(std::move(kept));
}

void CPelloraDoc::SetFileNames(std::vector<std::string> names)
{
    if (m_batchRunning)
        return;
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
    UpdateAllViews(UpdateHint::FileList);
    if (dropped) {
        RebuildPlot();
        UpdateAllViews(UpdateHint::Plot);
    }
}

void CPelloraDoc::ClearHitList()
{
    if (m_batchRunning)
        return;
    m_fileNames.clear();
    m_selectedFiles.clear();
    m_signals.clear();
    BuildChartArrays();
    BuildPlotTexts();
    UpdateAllViews(UpdateHint::FileList);
    UpdateAllViews(UpdateHint::Plot);
}

void CPelloraDoc::OnEditHitList()
{
    if (!m_hitList || !m_ui)
        return;
    std::vector<std::string> names = m_fileNames;
    if (m_ui->EditHitList(names))
        SetFileNames(std::move(names));
}

} // namespace pellora
