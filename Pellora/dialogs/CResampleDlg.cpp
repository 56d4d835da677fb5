#include "Pellora/dialogs/CResampleDlg.h"

namespace pellora {

CResampleDlg::CResampleDlg(QWidget *parent)
    : CStepOrPointsDlg({QStringLiteral("Invalid Entry - Try Again"), QStringLiteral("Invalid Entry - Try Again")},
                       parent)
{}

void CResampleDlg::SetValues(float step, int points, double duration)
{
    if (step > 0.0f && points >= 2 && !(duration > 0.0))
        duration = (points - 1) * static_cast<double>(step);
    SetStepOrPoints({static_cast<double>(step), points}, duration);
}

} // namespace pellora
