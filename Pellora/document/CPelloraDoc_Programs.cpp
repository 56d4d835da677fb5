// Pellora's document: the Injury commands that start the criterion programs.

#include "Pellora/document/CPelloraDoc.h"

#include "Pellora/document/ProgramLauncher.h"

#include <algorithm>
#include <cctype>

namespace pellora {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

bool CPelloraDoc::StartSuiteProgram(const std::string &program, const std::vector<std::string> &args)
{
    if (m_batchRunning)
        return false;
    if (!m_ui)
        return false;
    std::string path = m_suiteDirectory;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += program;
    switch (CheckProgram(path)) {
    case ProgramCheck::Missing:
        m_ui->ShowMessage(path + " is not found.\n\rPlease set a correct directory from\n\r"
                                 "'Edit->Options->Directory for Brisca Apllications' ",
                          IPelloraUi::Icon::Exclamation);
        return false;
    case ProgramCheck::NotExecutable:
        m_ui->ShowMessage(path + " is not an executable program.", IPelloraUi::Icon::Exclamation);
        return false;
    case ProgramCheck::Ok:
        break;
    }
    std::string error;
    if (!m_ui->StartProgram(path, args, error)) {
        m_ui->ShowMessage("Failure to start " + path + ": " + error, IPelloraUi::Icon::Exclamation);
        return false;
    }
    return true;
}

bool CPelloraDoc::BranchCheck(std::vector<std::string> &args)
{
    if (m_batchRunning)
        return false;
    m_errors.clear();
    args.clear();
    const std::size_t count = m_selectedFiles.size();
    if (count == 1)
        return false;
    if (count != 3 || m_signals.size() != 3) {
        m_errors.push_back("Please select one or three signals.");
        ShowErrorList();
        return false;
    }
    if (!m_ui)
        return false;
    std::string note;
    if (m_requiredTypes.size() == 3)
        note = "Note: Types of X-, Y- & Z- branches are: " + m_requiredTypes[0] + ", " + m_requiredTypes[1] + " and " +
               m_requiredTypes[2] + ".";
    std::array<int, 3> order{0, 1, 2};
    const std::array<std::string, 3> names{m_selectedFiles[0]->GetFileName(), m_selectedFiles[1]->GetFileName(),
                                           m_selectedFiles[2]->GetFileName()};
    if (!m_ui->ShiftAxes(names, note, order))
        return false;
    std::array<int, 3> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    if (sorted != std::array<int, 3>{0, 1, 2})
        return false;
    const std::vector<CFilePtr> files = m_selectedFiles;
    const std::vector<kx::CNSignalPtr> signalList = m_signals;
    for (std::size_t k = 0; k < 3; ++k) {
        m_selectedFiles[k] = files[static_cast<std::size_t>(order[k])];
        m_signals[k] = signalList[static_cast<std::size_t>(order[k])];
    }

    std::array<bool, 3> present{false, false, false};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string &name = m_selectedFiles[k]->GetFileName();
        if (m_requiredTypes.size() == 3 && Lower(name).find(Lower(m_requiredTypes[k])) == std::string::npos) {
            m_errors.push_back("The type of " + name + " is not " + m_requiredTypes[k] + ".");
            m_errors.push_back("The X branch type is " + m_requiredTypes[0] + ".");
            m_errors.push_back("The Y branch type is " + m_requiredTypes[1] + ".");
            m_errors.push_back("The Z branch type is " + m_requiredTypes[2] + ".");
            ShowErrorList();
            args.clear();
            return false;
        }
        const std::string &direction = m_signals[k]->GetDirection();
        for (std::size_t axis = 0; axis < 3; ++axis) {
            if (direction.find("XYZ"[axis]) != std::string::npos) {
                present[axis] = true;
                break;
            }
        }
        args.push_back(m_selectedFiles[k]->GetPathName());
    }
    if (!present[0] && !present[1] && !present[2]) {
        m_errors.push_back("The direction (X, Y, or Z) of every signal is unknown.");
    } else {
        const char *branch[] = {"X", "Y", "Z"};
        for (std::size_t axis = 0; axis < 3; ++axis) {
            if (!present[axis])
                m_errors.push_back(std::string("Which signal is an ") + branch[axis] + "-branch is unknown.");
        }
    }
    ShowErrorList();
    return true;
}

void CPelloraDoc::OnInjuryQuillet()
{
    m_requiredTypes.clear();
    const std::string path = GetSingleSelectedPath();
    if (!path.empty())
        StartSuiteProgram(QuilletProgram, {path});
}

void CPelloraDoc::OnInjuryViscous()
{
    m_requiredTypes.clear();
    const std::string path = GetSingleSelectedPath();
    if (!path.empty())
        StartSuiteProgram(ViscousProgram, {path});
}

namespace {

template <typename Doc>
void RunOneOrThree(Doc &doc, const char *program)
{
    std::vector<std::string> args;
    if (doc.BranchCheck(args)) {
        doc.StartSuiteProgram(program, args);
        return;
    }
    const std::string path = doc.GetSingleSelectedPath();
    if (!path.empty())
        doc.StartSuiteProgram(program, {path});
}

} // namespace

void CPelloraDoc::OnInjuryHic()
{
    m_requiredTypes.clear();
    RunOneOrThree(*this, HicProgram);
}

void CPelloraDoc::OnInjuryClip3ms()
{
    m_requiredTypes.clear();
    RunOneOrThree(*this, Clip3msProgram);
}

void CPelloraDoc::OnInjuryNij()
{
    m_requiredTypes = {"fa", "ta", "fa"};
    std::vector<std::string> args;
    if (BranchCheck(args))
        StartSuiteProgram(NijProgram, args);
}

void CPelloraDoc::OnInjuryTibia()
{
    m_requiredTypes.clear();
    std::vector<std::string> args;
    if (BranchCheck(args))
        StartSuiteProgram(TibiaProgram, args);
}

} // namespace pellora
