// Pellora's document: UDS, ASCII and ImageExpress exports, Copy Data, hit-list saves
// and Create X-Y Signal.

#include "Pellora/document/CPelloraDoc.h"

#include "shared_ui/kit/FolderExport.h"
#include "shared_ui/kit/TextFileWriter.h"
#include "signal/CUDSFile.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace pellora {

namespace fs = std::filesystem;

namespace {

// "%f": fixed notation with six decimals, whatever the locale.
void AppendFixed(std::string &out, double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, 6);
    if (result.ec == std::errc())
        out.append(buffer, result.ptr);
    else
        out += "0.000000";
}

std::size_t SampleCount(const kx::CData &signal)
{
    return std::min(signal.GetX().size(), signal.GetY().size());
}

std::string FolderOf(const std::string &path)
{
    std::string folder = fs::path(path).parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

bool SameStep(double a, double b)
{
    return std::fabs(a - b) <= 1.0e-6 * std::max(std::fabs(a), std::fabs(b));
}

QString ToQ(const std::string &text)
{
    return QString::fromStdString(text);
}

// Text written to the writer in pieces of about this size.
constexpr std::size_t ChunkBytes = 1 << 20;

} // namespace

// ---- Save As UDS -------------------------------------------------------------

void CPelloraDoc::SaveSignalAsUds(const kx::CData &signal, const std::string &path)
{
    // The header travels through a sample-less copy, the samples straight into the
    // file: no point objects are made for them.
    kx::CData header;
    static_cast<kx::CDataFields &>(header) = signal;
    header.SetFileName(signal.GetFileName());
    header.SetPathName(signal.GetPathName());
    header.SetFileText(signal.GetFileText());
    header.SetStatus(signal.GetStatus());
    header.SetChestClip(signal.GetChestClip());
    header.SetWriteBigEndian(signal.GetWriteBigEndian());
    // The header alone cannot tell whether the times are the multiples of its step.
    if (!signal.HasTimeStep())
        header.SetDel(0.0);
    kx::CUDSFile file;
    header.ToUDSFile(file);
    std::vector<double> x(signal.GetX());
    x.resize(signal.GetY().size(), 0.0);
    file.SetSamples(std::move(x), signal.GetY());
    file.WriteFile(path);
}

void CPelloraDoc::OnSaveAsUds(const std::string &proposedName)
{
    if (m_batchRunning)
        return;
    if (m_signals.empty() || !m_ui)
        return;
    CSaveFileRequest request{"Save As UDS File", "Uds Data Files (*.uds)", "uds", GetOutputDir(), proposedName};
    if (request.proposedName.empty())
        request.proposedName = fs::path(ExportName(0)).stem().string();
    std::string path;
    if (!m_ui->ChooseSaveFile(request, path))
        return;
    try {
        SaveSignalAsUds(*m_signals.front(), path);
    } catch (const std::exception &e) {
        m_ui->ShowMessage(e.what(), IPelloraUi::Icon::Exclamation);
        return;
    } catch (...) {
        m_ui->ShowMessage("Failure to open the file.", IPelloraUi::Icon::Exclamation);
        return;
    }
    SetOutputDir(FolderOf(path));
    ListAgainAfterWriting(FolderOf(path));
}

// ---- folder exports ----------------------------------------------------------

bool CPelloraDoc::ChooseExportFolder(const std::string &title, std::string &folder)
{
    folder = GetOutputDir();
    if (!m_ui->ChooseFolder(title, folder))
        return false;
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        m_ui->ShowMessage("Invalid Path:\n" + folder, IPelloraUi::Icon::Exclamation);
        return false;
    }
    return true;
}

namespace {

std::string UdsFileNameFor(const std::string &fileName)
{
    return fs::path(fileName).stem().string() + ".uds";
}

} // namespace

void CPelloraDoc::ExportTargetsIn(const std::string &folder, std::string (*fileNameFor)(const std::string &),
                                  std::vector<std::string> &paths, std::vector<std::string> &names) const
{
    for (std::size_t k = 0; k < m_signals.size(); ++k) {
        const std::string name = ExportName(k);
        // Named in messages by the file it came from; a combined signal by its own name.
        const bool fromFile = k < m_selectedFiles.size() && !m_signals[k]->GetPathName().empty();
        names.push_back(fromFile ? m_selectedFiles[k]->GetPathName() : name);
        paths.push_back(folder + fileNameFor(name));
    }
}

std::string CPelloraDoc::ExportName(std::size_t k) const
{
    // A signal's own name: a combined signal is not its first input's file.
    if (k < m_signals.size() && !m_signals[k]->GetFileName().empty())
        return m_signals[k]->GetFileName();
    return k < m_selectedFiles.size() ? m_selectedFiles[k]->GetFileName() : std::string();
}

void CPelloraDoc::OnSaveAllUds()
{
    if (m_batchRunning)
        return;
    if (m_signals.empty() || !m_ui)
        return;
    std::string folder;
    if (!ChooseExportFolder("Select a folder to save selected UDS files", folder))
        return;
    ExportToFolder(folder, UdsFileNameFor, [](const kx::CNSignal &signal, const std::string &path) {
        SaveSignalAsUds(signal, path);
        return std::string();
    });
}

void CPelloraDoc::ExportToFolder(const std::string &folder, std::string (*fileNameFor)(const std::string &),
                                 const std::function<std::string(const kx::CNSignal &, const std::string &)> &write)
{
    std::vector<std::string> paths;
    std::vector<std::string> names;
    ExportTargetsIn(folder, fileNameFor, paths, names);
    m_errors.clear();
    const std::vector<kxres::CExportTarget> targets = kxres::PlanFolderExport(paths, names, *m_ui, m_errors);
    bool failed = !m_errors.empty();
    {
        CUiWaitCursor wait(m_ui);
        const std::vector<std::string> failures = kxres::WriteFolderExport(
            targets, [&](const kxres::CExportTarget &target) { return write(*m_signals[target.item], target.path); });
        failed = failed || !failures.empty();
        m_errors.insert(m_errors.end(), failures.begin(), failures.end());
    }
    if (!failed)
        SetOutputDir(folder);
    if (std::any_of(targets.begin(), targets.end(), [](const kxres::CExportTarget &t) { return !t.keep; }))
        ListAgainAfterWriting(folder);
    ShowErrorList();
}

std::string CPelloraDoc::AsciiFileNameFor(const std::string &fileName)
{
    return kxres::AsciiExportName(fileName);
}

void CPelloraDoc::AppendAsciiLines(std::string &out, const kx::CData &signal)
{
    const std::vector<double> &x = signal.GetX();
    const std::vector<double> &y = signal.GetY();
    const std::size_t n = SampleCount(signal);
    out.reserve(out.size() + n * 24);
    for (std::size_t i = 0; i < n; ++i) {
        AppendFixed(out, x[i]);
        out += '\t';
        AppendFixed(out, y[i]);
        out += '\n';
    }
}

void CPelloraDoc::OnSaveAsAscii()
{
    if (m_batchRunning)
        return;
    if (m_signals.empty() || !m_ui)
        return;
    std::string folder;
    if (!ChooseExportFolder("Select a folder to save selected signals as X-Y Format ASCII Data", folder))
        return;
    std::string text;
    ExportToFolder(folder, AsciiFileNameFor, [&text](const kx::CNSignal &signal, const std::string &path) {
        text.clear();
        AppendAsciiLines(text, signal);
        QString error;
        return kxres::WriteTextFile(ToQ(path), text, &error) ? std::string() : error.toStdString();
    });
}

// ---- ImageExpress ------------------------------------------------------------

bool CPelloraDoc::WriteImageExpress(const std::string &path, const std::vector<std::string> &names,
                                    const std::vector<kx::CNSignalPtr> &signalList, double step, std::string &error)
{
    kxres::CTextFileWriter writer(ToQ(path));
    if (!writer.Open()) {
        error = writer.Error().toStdString();
        return false;
    }
    std::string line;
    for (std::size_t k = 0; k < names.size(); ++k)
        line += (k ? "\t" : "") + names[k];
    line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
    std::string out = "; Generated by Pellora Save as ImageExpress\r\n; " + line + "\r\n";

    // Rows by point number on the common step: each signal only inside its own range.
    std::int64_t firstRow = 0;
    std::int64_t lastRow = -1;
    bool any = false;
    std::vector<std::int64_t> first(signalList.size());
    std::vector<std::int64_t> count(signalList.size());
    for (std::size_t k = 0; k < signalList.size(); ++k) {
        const kx::CNSignal &s = *signalList[k];
        count[k] = static_cast<std::int64_t>(s.GetY().size());
        first[k] = s.GetX().empty() ? 0 : static_cast<std::int64_t>(std::llround(s.GetX().front() / step));
        if (count[k] == 0)
            continue;
        const std::int64_t last = first[k] + count[k] - 1;
        firstRow = any ? std::min(firstRow, first[k]) : first[k];
        lastRow = any ? std::max(lastRow, last) : last;
        any = true;
    }
    out.reserve(ChunkBytes + 4096);
    for (std::int64_t row = firstRow; any && row <= lastRow; ++row) {
        AppendFixed(out, static_cast<double>(row) * step);
        for (std::size_t k = 0; k < signalList.size(); ++k) {
            out += '\t';
            const std::int64_t i = row - first[k];
            if (i >= 0 && i < count[k])
                AppendFixed(out, signalList[k]->GetY()[static_cast<std::size_t>(i)]);
        }
        out += "\r\n";
        if (out.size() >= ChunkBytes) {
            writer.Write(std::string_view(out));
            out.clear();
        }
    }
    writer.Write(std::string_view(out));
    if (!writer.Commit()) {
        error = writer.Error().toStdString();
        return false;
    }
    return true;
}

void CPelloraDoc::OnSaveAsImageExpress()
{
    if (m_batchRunning)
        return;
    if (m_signals.empty() || !m_ui)
        return;
    const CSaveFileRequest request{
        "Select File Name for ImageExpress data", "ImageExpress Data (*.txt)", "txt", GetOutputDir(), {}};
    std::string path;
    if (!m_ui->ChooseSaveFile(request, path))
        return;

    // The common step is the smallest positive step (held in single precision).
    float common = 0.0f;
    for (const kx::CNSignalPtr &signal : m_signals) {
        const float d = static_cast<float>(signal->GetDel());
        if (d > 0.0f && (!(common > 0.0f) || d < common))
            common = d;
    }
    double step = common;
    if (!(common > 0.0f)) {
        const kx::CNSignal &first = *m_signals.front();
        double chosen = 0.0;
        if (!m_ui->AskExportStep(first.GetXMax(), first.GetDel(),
                                 kx::CData::CountPoints(first.GetNFP(), first.GetNLP()), chosen))
            return;
        if (!(chosen > 0.0) || !std::isfinite(chosen))
            return;
        step = chosen;
    }

    m_errors.clear();
    auto wait = std::make_unique<CUiWaitCursor>(m_ui);
    // Copies on the common step; the held signals change only when all of this succeeds.
    std::vector<kx::CNSignalPtr> ready;
    bool changed = false;
    bool ok = true;
    for (const kx::CNSignalPtr &signal : m_signals) {
        auto copy = std::make_shared<kx::CNSignal>(*signal);
        if (!SameStep(copy->GetDel(), step)) {
            try {
                copy->Interpolate(step);
                copy->SetModified(true);
                changed = true;
            } catch (const std::exception &e) {
                m_errors.push_back(copy->GetFileName() + ": " + e.what());
                ok = false;
                break;
            }
        }
        ready.push_back(std::move(copy));
    }
    if (ok) {
        std::vector<std::string> names;
        for (std::size_t k = 0; k < ready.size(); ++k)
            names.push_back(k < m_selectedFiles.size() ? m_selectedFiles[k]->GetFileName() : ready[k]->GetFileName());
        std::string error;
        ok = WriteImageExpress(path, names, ready, step, error);
        if (!ok)
            m_errors.push_back(error);
    }
    wait.reset();
    if (ok) {
        SetOutputDir(FolderOf(path));
        if (changed) {
            m_signals = std::move(ready);
            Refresh(false);
        }
        ListAgainAfterWriting(FolderOf(path));
    }
    ShowErrorList();
}

// ---- Copy Data ---------------------------------------------------------------

std::string CPelloraDoc::CopyDataText() const
{
    std::string out;
    if (m_columnHeaders) {
        for (std::size_t k = 0; k < m_signals.size(); ++k) {
            const std::string path =
                k < m_selectedFiles.size() ? m_selectedFiles[k]->GetPathName() : m_signals[k]->GetPathName();
            out += (k ? "\t" : "") + path + "\t";
        }
        out += "\r\n";
    }
    std::size_t rows = 0;
    std::size_t total = 0;
    for (const kx::CNSignalPtr &signal : m_signals) {
        rows = std::max(rows, SampleCount(*signal));
        total += SampleCount(*signal);
    }
    out.reserve(out.size() + total * 24 + rows * (2 + m_signals.size() * 2));
    for (std::size_t i = 0; i < rows; ++i) {
        for (std::size_t k = 0; k < m_signals.size(); ++k) {
            const kx::CNSignal &s = *m_signals[k];
            if (k)
                out += '\t';
            if (i < SampleCount(s)) {
                AppendFixed(out, s.GetX()[i]);
                out += '\t';
                AppendFixed(out, s.GetY()[i]);
            } else {
                out += '\t';
            }
        }
        out += "\r\n";
    }
    return out;
}

void CPelloraDoc::OnCopyData()
{
    if (m_batchRunning)
        return;
    if (m_signals.empty() || !m_ui)
        return;
    bool ok = false;
    {
        CUiWaitCursor wait(m_ui);
        ok = m_ui->PutTextOnClipboard(CopyDataText());
    }
    if (!ok)
        m_ui->ShowMessage("Failure to put the data on the clipboard.", IPelloraUi::Icon::Exclamation);
}

// ---- hit lists ---------------------------------------------------------------

bool CPelloraDoc::WriteHitList(const std::vector<std::string> &lines)
{
    if (lines.empty() || !m_ui)
        return false;
    std::string path;
    bool append = false;
    if (!m_ui->ChooseHitListFile(GetOutputDir(), path, append))
        return false;
    std::string text;
    std::error_code ec;
    if (append && fs::is_regular_file(path, ec)) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream old;
        old << in.rdbuf();
        if (!in.good() && !in.eof()) {
            m_ui->ShowMessage("Failure to open file: " + path + " for reading.", IPelloraUi::Icon::Exclamation);
            return false;
        }
        text = old.str();
        if (!text.empty() && text.back() != '\n')
            text += '\n';
    }
    for (const std::string &line : lines)
        text += line + "\n";
    QString error;
    if (!kxres::WriteTextFile(ToQ(path), text, &error)) {
        m_ui->ShowMessage(error.toStdString(), IPelloraUi::Icon::Exclamation);
        return false;
    }
    SetOutputDir(FolderOf(path));
    ListAgainAfterWriting(FolderOf(path));
    return true;
}

void CPelloraDoc::OnSaveAsHitList()
{
    if (m_batchRunning)
        return;
    std::vector<std::string> lines;
    for (const std::string &name : m_fileNames)
        lines.push_back(FullPathOf(name));
    WriteHitList(lines);
}

void CPelloraDoc::OnSaveSelectedAsHitList()
{
    if (m_batchRunning)
        return;
    std::vector<std::string> lines;
    for (const CFilePtr &file : m_selectedFiles)
        lines.push_back(file->GetPathName());
    WriteHitList(lines);
}

// ---- Create X-Y Signal -------------------------------------------------------

void CPelloraDoc::OnCreateXYSignal()
{
    if (m_batchRunning)
        return;
    if (!m_ui)
        return;
    m_errors.clear();
    if (m_signals.size() != 2 || m_selectedFiles.size() != 2) {
        m_errors.push_back("Create an X-Y sigbal needs 2 Y signals only");
        ShowErrorList();
        return;
    }
    std::array<kx::CNSignalPtr, 2> copies{std::make_shared<kx::CNSignal>(*m_signals[0]),
                                          std::make_shared<kx::CNSignal>(*m_signals[1])};
    const std::array<std::string, 2> names{m_selectedFiles[0]->GetFileName(), m_selectedFiles[1]->GetFileName()};
    const auto fail = [this](const std::string &why) {
        if (!why.empty())
            m_errors.push_back(why);
        m_errors.push_back("Fail to create an X-Y sigbal.");
        ShowErrorList();
    };
    try {
        const auto resample = [&](std::size_t which, double step) {
            kx::CNSignal &s = *copies[which];
            s.Interpolate(step);
            if (s.GetNLP() - s.GetNFP() > 24999 &&
                !m_ui->AskOkCancel(names[which] +
                                   " is resampled to more than 25000 points.\nContinue the processing or not? "))
                return false;
            return true;
        };
        const double d0 = copies[0]->GetDel();
        const double d1 = copies[1]->GetDel();
        if (d0 - d1 > 1e-7 && !resample(0, d1))
            return fail({});
        if (d1 - d0 > 1e-7 && !resample(1, d0))
            return fail({});
        const std::int32_t first = std::max(copies[0]->GetNFP(), copies[1]->GetNFP());
        const std::int32_t last = std::min(copies[0]->GetNLP(), copies[1]->GetNLP());
        for (const kx::CNSignalPtr &s : copies) {
            if (s->GetNFP() != first || s->GetNLP() != last)
                s->TruncateByIndex(first, last);
        }
        int xIndex = 0;
        if (!m_ui->SelectXYAxes(names, {copies[0]->GetXUnits(), copies[1]->GetXUnits()}, xIndex))
            return fail({});
        xIndex = xIndex == 1 ? 1 : 0;
        const kx::CNSignal &x = *copies[static_cast<std::size_t>(xIndex)];
        kx::CNSignal &xy = *copies[static_cast<std::size_t>(1 - xIndex)];
        const std::size_t n = std::min(x.GetY().size(), xy.GetY().size());
        std::vector<double> xs(x.GetY().begin(), x.GetY().begin() + static_cast<std::ptrdiff_t>(n));
        std::vector<double> ys(xy.GetY().begin(), xy.GetY().begin() + static_cast<std::ptrdiff_t>(n));
        xy.SetDel(0.0);
        xy.SetXUnits(x.GetYUnits());
        xy.SetXType(x.GetYType());
        xy.SetFCut(100.0);
        xy.SetTstSrc("Computation");
        xy.SetStatus("COMPUTED");
        xy.SetAxis("UN");
        xy.SetSenAtt("UNKN");
        xy.SetXYData(xs, ys);
        xy.UpdateMinMax();
        xy.SetModified(true);

        const std::size_t keep = static_cast<std::size_t>(1 - xIndex);
        m_signals = {copies[keep]};
        m_selectedFiles = {m_selectedFiles[keep]};
    } catch (const std::exception &e) {
        return fail(e.what());
    }
    Refresh(false);
}

} // namespace pellora
