// The outputs of the kept signals: UDS files, X-Y text files and the clipboard text.

#include "Quillet/document/CQuilletDoc.h"

#include "shared_ui/kit/FolderExport.h"
#include "shared_ui/kit/TextFileWriter.h"

#include <charconv>
#include <filesystem>

namespace quillet {

namespace fs = std::filesystem;

namespace {

// Shortest text that reads back to the same double, whatever the user's locale.
std::string Number(double value)
{
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

std::string Joined(const std::string &folder, const std::string &name)
{
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

bool IsFolder(const std::string &folder)
{
    std::error_code ec;
    return !folder.empty() && fs::is_directory(folder, ec);
}

} // namespace

std::string CQuilletDoc::AsciiFileName(const std::string &signalFileName)
{
    return kxres::AsciiExportName(signalFileName);
}

namespace {

// Writes the time and value columns of signal to path; the failure text or "".
std::string WriteAsciiFile(const std::string &folder, const std::string &path, const kx::CNSignal &signal)
{
    kxres::CTextFileWriter writer(QString::fromStdString(path));
    if (!IsFolder(folder) || !writer.Open())
        return "Failure to open: " + path;
    const std::vector<double> &x = signal.GetX();
    const std::vector<double> &y = signal.GetY();
    std::string text;
    for (std::size_t i = 0; i < y.size() && i < x.size(); ++i)
        text += Number(x[i]) + "\t" + Number(y[i]) + "\n";
    writer.Write(text);
    return writer.Commit() ? std::string() : writer.Error().toStdString();
}

std::string WriteUdsFile(const std::string &folder, const std::string &path, const kx::CNSignal &signal)
{
    if (!IsFolder(folder) || signal.GetFileName().empty())
        return "Invalid Path:\n" + path;
    try {
        kx::CNSignal copy(signal);
        copy.SaveToUDSFile(path);
    } catch (const std::exception &e) {
        return std::string("Failure to open the file. ") + path + ": " + e.what();
    }
    return {};
}

} // namespace

void CQuilletDoc::SaveKept(const std::string &folder, const std::string &progressTitle, bool ascii)
{
    std::vector<std::string> paths;
    std::vector<std::string> names;
    for (const kx::CNSignalPtr &signal : m_kept) {
        names.push_back(signal->GetFileName());
        paths.push_back(Joined(folder, ascii ? AsciiFileName(names.back()) : names.back()));
    }
    std::vector<std::string> failures;
    const std::vector<kxres::CExportTarget> targets = kxres::PlanFolderExport(paths, names, *m_ui, failures);
    {
        const std::unique_ptr<kxres::IProgress> progress = m_ui->BeginProgress(progressTitle, {}, int(targets.size()));
        kxres::CUiWaitCursor wait(m_ui);
        const std::vector<std::string> written = kxres::WriteFolderExport(
            targets,
            [&](const kxres::CExportTarget &target) {
                const kx::CNSignal &signal = *m_kept[target.item];
                return ascii ? WriteAsciiFile(folder, target.path, signal) : WriteUdsFile(folder, target.path, signal);
            },
            progress.get());
        failures.insert(failures.end(), written.begin(), written.end());
    }
    if (!failures.empty()) {
        m_messages.insert(m_messages.end(), failures.begin(), failures.end());
        m_ui->ShowErrorList(failures);
    }
}

void CQuilletDoc::SaveUds()
{
    if (!m_ui || m_kept.empty())
        return;
    std::string folder;
    if (m_ui->ChooseFolder("Select a Folder: To Save UDS Data", folder))
        SaveKept(folder, "Save Current UDS Files", false);
}

void CQuilletDoc::SaveAscii()
{
    if (!m_ui || m_kept.empty())
        return;
    std::string folder;
    if (m_ui->ChooseFolder("Select a Folder: To Save ASCII Data: X-Y Format", folder))
        SaveKept(folder, "Saving Current ASCII Signal Data", true);
}

std::string CQuilletDoc::CopyDataText() const
{
    std::string text = "Curve Number: ";
    if (m_kept.empty()) {
        text += "\tNo Curve Data: \t\r\n";
        return text;
    }
    text += std::to_string(m_signal->GetCurNo()) + "\t\r\n";
    const std::vector<double> &x = m_signal->GetX();
    const std::vector<double> &y = m_signal->GetY();
    for (std::size_t i = 0; i < y.size() && i < x.size(); ++i)
        text += Number(x[i]) + "\t" + Number(y[i]) + "\r\n";
    return text;
}

void CQuilletDoc::CopyData()
{
    if (m_ui && !m_ui->PutTextOnClipboard(CopyDataText()))
        m_ui->ShowMessage("Cannot open clipboard.", kxres::IKxUi::Icon::Exclamation);
}

} // namespace quillet
