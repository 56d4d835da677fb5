// The outputs of the kept signals: UDS files, X-Y text files and the clipboard text.

#include "Quillet/document/CQuilletDoc.h"

#include "shared_ui/kit/ReplaceQuestion.h"
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

bool Exists(const std::string &path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

} // namespace

std::string CQuilletDoc::AsciiFileName(const std::string &signalFileName)
{
    std::string name = signalFileName;
    for (auto at = name.find(".uds"); at != std::string::npos; at = name.find(".uds"))
        name.erase(at, 4);
    for (char &c : name)
        if (c == '.')
            c = '_';
    return name + ".txt";
}

std::vector<std::string> CQuilletDoc::TargetPaths(const std::string &folder, bool ascii) const
{
    std::vector<std::string> paths;
    for (const kx::CNSignalPtr &signal : m_kept) {
        if (!signal->GetFileName().empty())
            paths.push_back(Joined(folder, ascii ? AsciiFileName(signal->GetFileName()) : signal->GetFileName()));
    }
    return paths;
}

bool CQuilletDoc::MayReplace(const std::vector<std::string> &targets)
{
    const std::vector<std::string> existing = kxres::ExistingFiles(targets);
    return existing.empty() || (m_ui && m_ui->AskYesNo(kxres::ReplaceFilesQuestion(existing)));
}

std::vector<std::string> CQuilletDoc::WriteUdsFiles(const std::string &folder, bool replaceExisting,
                                                    kxres::IProgress *progress)
{
    std::vector<std::string> failures;
    int done = 0;
    for (const kx::CNSignalPtr &signal : m_kept) {
        const std::string path = Joined(folder, signal->GetFileName());
        // Every file steps the progress, the ones kept or refused too.
        if (!IsFolder(folder) || signal->GetFileName().empty()) {
            failures.push_back("Invalid Path:\n" + path);
        } else if (replaceExisting || !Exists(path)) {
            try {
                kx::CNSignal copy(*signal);
                copy.SaveToUDSFile(path);
            } catch (const std::exception &e) {
                failures.push_back(std::string("Failure to open the file. ") + path + ": " + e.what());
            }
        }
        if (progress && !progress->Step(++done, {}))
            break;
    }
    return failures;
}

namespace {

// Writes the time and value columns of signal to target; a failure is added to failures.
void WriteAsciiFile(const std::string &folder, const std::string &target, const kx::CNSignal &signal,
                    std::vector<std::string> &failures)
{
    const QString path = QString::fromStdString(target);
    kxres::CTextFileWriter writer(path);
    if (!IsFolder(folder) || !writer.Open()) {
        failures.push_back("Failure to open: " + path.toStdString());
        return;
    }
    const std::vector<double> &x = signal.GetX();
    const std::vector<double> &y = signal.GetY();
    std::string text;
    for (std::size_t i = 0; i < y.size() && i < x.size(); ++i)
        text += Number(x[i]) + "\t" + Number(y[i]) + "\n";
    writer.Write(text);
    if (!writer.Commit())
        failures.push_back(writer.Error().toStdString());
}

} // namespace

std::vector<std::string> CQuilletDoc::WriteAsciiFiles(const std::string &folder, bool replaceExisting,
                                                      kxres::IProgress *progress)
{
    std::vector<std::string> failures;
    int done = 0;
    for (const kx::CNSignalPtr &signal : m_kept) {
        const std::string target = Joined(folder, AsciiFileName(signal->GetFileName()));
        if (replaceExisting || !Exists(target))
            WriteAsciiFile(folder, target, *signal, failures);
        if (progress && !progress->Step(++done, {}))
            break;
    }
    return failures;
}

void CQuilletDoc::SaveUds()
{
    if (!m_ui || m_kept.empty())
        return;
    std::string folder;
    if (!m_ui->ChooseFolder("Select a Folder: To Save UDS Data", folder))
        return;
    const bool replace = MayReplace(TargetPaths(folder, false));
    std::vector<std::string> failures;
    {
        const std::unique_ptr<kxres::IProgress> progress =
            m_ui->BeginProgress("Save Current UDS Files", {}, int(m_kept.size()));
        kxres::CUiWaitCursor wait(m_ui);
        failures = WriteUdsFiles(folder, replace, progress.get());
    }
    if (!failures.empty()) {
        m_messages.insert(m_messages.end(), failures.begin(), failures.end());
        m_ui->ShowErrorList(failures);
    }
}

void CQuilletDoc::SaveAscii()
{
    if (!m_ui || m_kept.empty())
        return;
    std::string folder;
    if (!m_ui->ChooseFolder("Select a Folder: To Save ASCII Data: X-Y Format", folder))
        return;
    const bool replace = MayReplace(TargetPaths(folder, true));
    std::vector<std::string> failures;
    {
        const std::unique_ptr<kxres::IProgress> progress =
            m_ui->BeginProgress("Saving Current ASCII Signal Data", {}, int(m_kept.size()));
        kxres::CUiWaitCursor wait(m_ui);
        failures = WriteAsciiFiles(folder, replace, progress.get());
    }
    if (!failures.empty()) {
        m_messages.insert(m_messages.end(), failures.begin(), failures.end());
        m_ui->ShowErrorList(failures);
    }
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
