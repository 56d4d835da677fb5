#pragma once

// "Enter Lables for the Plot": the shared four-field label dialog with HIC's texts.

#include "shared_ui/dialogs/CPlotLabelDlg.h"

namespace hic {

class CLabelDlg : public kxres::CPlotLabelDlg {
    Q_OBJECT
public:
    explicit CLabelDlg(QWidget *parent = nullptr);
};

} // namespace hic
