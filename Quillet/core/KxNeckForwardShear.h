#pragma once
// Neck forward shear: the largest X force (CFC 1000).

#include "Quillet/core/KxNeck208.h"

class KxNeckForwardShear : public KxNeck208 {
public:
    explicit KxNeckForwardShear(int outOfPosition = 0);

    bool SetCriticalValues() override;
    bool Compute(kx::CNSignal &signal);
};
