#pragma once
// Neck rear shear: minus the smallest X force (CFC 1000).

#include "Quillet/core/KxNeck208.h"

class KxNeckRearShear : public KxNeck208 {
public:
    explicit KxNeckRearShear(int outOfPosition = 0);

    bool SetCriticalValues() override;
    bool Compute(kx::CNSignal &signal);
};
