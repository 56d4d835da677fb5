#include "Quillet/app/CQuilletUi.h"

#include "Quillet/dialogs/CCondylleDlg.h"
#include "Quillet/dialogs/CDummySelectionDlg.h"
#include "Quillet/dialogs/CForceDlg.h"
#include "Quillet/dialogs/CNeckFileDlg.h"
#include "Quillet/dialogs/CQuilletConditions.h"
#include "shared_ui/dialogs/CProgressWnd.h"
#include "shared_ui/header/CUDSDialog.h"
#include "shared_ui/services/CBrowseForFolder.h"
#include "shared_ui/services/CErrorDialog.h"
#include "shared_ui/services/Clipboard.h"

#include "shared_ui/dialogs/MessageBox.h"

#include <QMessageBox>

namespace quillet {

namespace {

class FolderChooser : public CBrowseForFolder {
public:
    using CBrowseForFolder::CBrowseForFolder;
    ~FolderChooser() override = default;
};

} // namespace

CQuilletUi::CQuilletUi(kxplatform::CSettings &settings, QWidget *parent)
    : m_settings(settings)
    , m_parent(parent)
{
}

CQuilletUi::~CQuilletUi()
{
    delete m_progress.data();
}

void CQuilletUi::ShowErrorList(const std::vector<std::string> &messages)
{
    kxres::CErrorDialog dlg(m_parent);
    dlg.SetMessages(messages);
    dlg.exec();
}

void CQuilletUi::ShowMessage(const std::string &text)
{
    kxres::ShowMessageBox(m_parent, QStringLiteral("Quillet"), QString::fromStdString(text),
                          kxres::MessageIcon::Warning);
}

bool CQuilletUi::AskYesNo(const std::string &text)
{
    return QMessageBox::question(m_parent, QStringLiteral("Quillet"), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool CQuilletUi::ChooseNeckFile(CNeckFileChoice &choice)
{
    CNeckFileDlg dlg(m_parent);
    dlg.SetChoice(choice);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    const CNeckFileChoice chosen = dlg.GetChoice();
    if (chosen.path.empty())
        return false;
    choice = chosen;
    return true;
}

bool CQuilletUi::EditConditions(CNeckOptions &options)
{
    CQuilletConditions dlg(m_parent);
    dlg.SetOptions(options);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    options = dlg.GetOptions();
    return true;
}

bool CQuilletUi::SelectDummy(const NeckLoadCases &loadCases, CDummyChoice &choice)
{
    CDummySelectionDlg dlg(loadCases, m_parent);
    dlg.SetChoice(choice);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    choice = dlg.GetChoice();
    return true;
}

bool CQuilletUi::EnterCondyleOffset(double &offset)
{
    CCondylleDlg dlg(m_parent);
    dlg.SetOffset(offset);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    offset = dlg.GetOffset();
    return true;
}

bool CQuilletUi::ChooseForceFile(CForceChoice &choice)
{
    CForceDlg dlg(m_settings, m_parent);
    dlg.SetChoice(choice);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    choice = dlg.GetChoice();
    return true;
}

bool CQuilletUi::ChooseFolder(const std::string &title, std::string &folder)
{
    FolderChooser chooser(m_parent, QString(), QString::fromStdString(title));
    if (!chooser.SelectFolder())
        return false;
    folder = chooser.GetFolderPathString();
    return true;
}

void CQuilletUi::ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList)
{
    kxres::CUDSDialog dlg(m_parent);
    dlg.SetSignals(std::move(signalList));
    dlg.exec();
}

bool CQuilletUi::PutTextOnClipboard(const std::string &text)
{
    return kxres::PutTextOnClipboard(QString::fromStdString(text));
}

void CQuilletUi::SetMainWindowText(const std::string &text)
{
    if (QWidget *window = m_parent ? m_parent->window() : nullptr)
        window->setWindowTitle(QString::fromStdString(text));
}

void CQuilletUi::BeginProgress(const std::string &caption, int steps)
{
    EndProgress();
    auto *progress = new kxres::CProgressWnd(m_parent, QString::fromStdString(caption));
    progress->setAttribute(Qt::WA_DeleteOnClose);
    progress->SetRange(0, std::max(1, steps));
    progress->SetStep(1);
    progress->show();
    m_progress = progress;
}

bool CQuilletUi::StepProgress()
{
    if (!m_progress)
        return true;
    m_progress->StepIt();
    m_progress->PeekAndPump();
    return !m_progress->IsCancelled();
}

void CQuilletUi::EndProgress()
{
    if (m_progress)
        m_progress->close();
    m_progress = nullptr;
}

} // namespace quillet
