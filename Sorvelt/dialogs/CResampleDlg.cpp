#include "Sorvelt/dialogs/CResampleDlg.h"

namespace sorvelt {

CResampleDlg::CResampleDlg(QWidget *parent)
    : CStepOrPointsDlg({QStringLiteral("Invalid Time Step Specified"), QStringLiteral("Invalid Number of Points")},
                       parent)
{}

void CResampleDlg::SetValues(const CResampleValues &values)
{
    SetStepOrPoints({values.step, values.points}, values.duration);
}

CResampleValues CResampleDlg::GetValues() const
{
    return {Duration(), StepOrPoints().step, StepOrPoints().points};
}

} // namespace sorvelt
