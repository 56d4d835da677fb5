#include "HIC/app/CHICUi.h"

#include "HIC/dialogs/CLabelDlg.h"
#include "HIC/dialogs/COpenFiles.h"
#include "HIC/dialogs/CSurfaceParams.h"
#include "HIC/dialogs/CWindowSize.h"
#include "platform/CSettings.h"

namespace hic {

CHICUi::CHICUi(kxplatform::CSettings &settings, QWidget *parent)
    : CQtKxUi(parent, kxres::CQtUiStyle{QStringLiteral("HIC"), false})
    , m_settings(settings)
{}

bool CHICUi::OpenFiles(OpenFilesValues &values)
{
    COpenFiles dlg(values, m_settings, Parent());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = dlg.Values();
    return true;
}

bool CHICUi::EditLabels(PlotLabels &labels)
{
    CLabelDlg dlg(Parent());
    dlg.SetLabels(labels);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    labels = dlg.Labels();
    return true;
}

bool CHICUi::EditWindow(double &windowMs, double stepMs)
{
    CWindowSize dlg(windowMs, Parent());
    dlg.SetTimeStep(stepMs);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    windowMs = dlg.Window();
    return true;
}

bool CHICUi::EditSurfaceParams(SurfaceParams &params)
{
    CSurfaceParams dlg(params, Parent());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    params = dlg.Params();
    return true;
}

} // namespace hic
