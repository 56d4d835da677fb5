#pragma once

// "Select Time Step or Number of Points": Sorvelt's resampling dialog, the shared
// step-or-points dialog over the duration of the first curve.

#include "Sorvelt/document/ISorveltUi.h"
#include "shared_ui/dialogs/CStepOrPointsDlg.h"

namespace sorvelt {

class CResampleDlg : public kxres::CStepOrPointsDlg {
    Q_OBJECT
public:
    explicit CResampleDlg(QWidget *parent = nullptr);

    void SetValues(const CResampleValues &values);
    CResampleValues GetValues() const;
    // 0 time step, 1 number of points.
    void ChooseMode(int mode) { ChooseTimeStep(mode != 1); }
    int Mode() const { return IsTimeStepChosen() ? 0 : 1; }
};

} // namespace sorvelt
