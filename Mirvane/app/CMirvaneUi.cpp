#include "Mirvane/app/CMirvaneUi.h"

#include "Mirvane/dialogs/CCorridorDlg.h"
#include "Mirvane/dialogs/CCriticalValuesDlg.h"
#include "Mirvane/dialogs/CSelectFiles.h"

namespace mirvane {

CMirvaneUi::CMirvaneUi(kxplatform::CSettings &settings, QWidget *parent)
    : CQtKxUi(parent, kxres::CQtUiStyle{QStringLiteral("Mirvane"), true})
    , m_settings(settings)
{}

bool CMirvaneUi::SelectFiles(CSelectFilesValues &values)
{
    CSelectFiles dlg(m_settings, Parent());
    dlg.SetValues(values);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = dlg.Values();
    return true;
}

bool CMirvaneUi::EditCriticalValues(CCriticalValues &values)
{
    kxres::CCriticalValuesDlg dlg(Parent());
    dlg.SetValues(values);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = dlg.Values();
    return true;
}

bool CMirvaneUi::EditCorridorSize(double &size)
{
    CCorridorDlg dlg(Parent());
    dlg.SetSize(size);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    size = dlg.Size();
    return true;
}

} // namespace mirvane
