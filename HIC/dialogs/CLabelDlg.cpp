#include "HIC/dialogs/CLabelDlg.h"

namespace hic {

CLabelDlg::CLabelDlg(QWidget *parent)
    : CPlotLabelDlg(QStringLiteral("Enter Lables for the Plot"),
                    {QStringLiteral("Plot Title"), QStringLiteral("SubTitle"), QStringLiteral("X Axis Label"),
                     QStringLiteral("Y Axis Label")},
                    parent)
{}

} // namespace hic
