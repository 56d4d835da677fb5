#pragma once

// Pellora's own time step or number of points dialog (the ImageExpress export): the
// shared step-or-points dialog with a single-precision step and one message.

#include "shared_ui/dialogs/CStepOrPointsDlg.h"

namespace pellora {

class CResampleDlg : public kxres::CStepOrPointsDlg {
    Q_OBJECT
public:
    explicit CResampleDlg(QWidget *parent = nullptr);

    // Values before the dialog opens; the duration is derived when it is not positive.
    void SetValues(float step, int points, double duration);
    float GetStep() const { return static_cast<float>(StepOrPoints().step); }
    int GetPoints() const { return StepOrPoints().points; }
    double GetDuration() const { return Duration(); }

protected:
    double HeldStep(double step) const override { return static_cast<double>(static_cast<float>(step)); }
};

} // namespace pellora
