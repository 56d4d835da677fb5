// The resample, truncate and filter-class prompts on the shared dialogs.

#include "Pellora/app/CPelloraUi.h"

#include "shared_ui/dialogs/CFilterClass.h"
#include "shared_ui/dialogs/CResampleDlg.h"
#include "shared_ui/dialogs/CTruncateDlg.h"

namespace pellora {

bool CPelloraUi::AskResample(CResampleValues &values)
{
    kxres::CResampleDlg dlg(Parent());
    dlg.SetTimeStep(values.step);
    dlg.SetNumberOfPoints(values.points);
    if (dlg.DoModal() != QDialog::Accepted)
        return false;
    values.step = dlg.GetTimeStep();
    values.points = dlg.GetNumberOfPoints();
    return true;
}

bool CPelloraUi::AskTruncate(CTruncateValues &values)
{
    kxres::CTruncateDlg dlg(Parent());
    dlg.SetMinTime(values.minTime, values.minSet);
    dlg.SetMaxTime(values.maxTime, values.maxSet);
    if (dlg.DoModal() != QDialog::Accepted)
        return false;
    values.minSet = dlg.IsMinSet();
    values.maxSet = dlg.IsMaxSet();
    values.minTime = dlg.GetMinTime();
    values.maxTime = dlg.GetMaxTime();
    return true;
}

bool CPelloraUi::AskFilterClass(const std::vector<kx::CNSignalPtr> &signalList, CFilterChoice &choice)
{
    kxres::CFilterClass dlg(Parent());
    if (dlg.DoModal(signalList, 0) != QDialog::Accepted)
        return false;
    choice.cutoffSelected = dlg.IsCutoffSelected();
    choice.cutoffFrequency = dlg.GetCutoffFrequency();
    choice.filterClass = dlg.GetFilterClass();
    return true;
}

} // namespace pellora
