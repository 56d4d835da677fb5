#include "Quillet/app/CQuilletUi.h"

#include "Quillet/dialogs/CCondylleDlg.h"
#include "Quillet/dialogs/CDummySelectionDlg.h"
#include "Quillet/dialogs/CForceDlg.h"
#include "Quillet/dialogs/CNeckFileDlg.h"
#include "Quillet/dialogs/CQuilletConditions.h"

namespace quillet {

CQuilletUi::CQuilletUi(kxplatform::CSettings &settings, QWidget *parent)
    : CQtKxUi(parent, kxres::CQtUiStyle{QStringLiteral("Quillet"), false})
    , m_settings(settings)
{}

CQuilletUi::~CQuilletUi() = default;

bool CQuilletUi::ChooseNeckFile(CNeckFileChoice &choice)
{
    CNeckFileDlg dlg(Parent());
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
    CQuilletConditions dlg(Parent());
    dlg.SetOptions(options);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    options = dlg.GetOptions();
    return true;
}

bool CQuilletUi::SelectDummy(const NeckLoadCases &loadCases, CDummyChoice &choice)
{
    CDummySelectionDlg dlg(loadCases, Parent());
    dlg.SetChoice(choice);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    choice = dlg.GetChoice();
    return true;
}

bool CQuilletUi::EnterCondyleOffset(double &offset)
{
    CCondylleDlg dlg(Parent());
    dlg.SetOffset(offset);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    offset = dlg.GetOffset();
    return true;
}

bool CQuilletUi::ChooseForceFile(CForceChoice &choice)
{
    CForceDlg dlg(m_settings, Parent());
    dlg.SetChoice(choice);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    choice = dlg.GetChoice();
    return true;
}

} // namespace quillet
