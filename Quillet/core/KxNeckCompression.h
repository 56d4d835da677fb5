#pragma once
// Neck compression: minus the smallest Z force (CFC 1000).

#include <optional>
#include <string>

#include "Quillet/core/KxNeck208.h"

class KxNeckCompression : public KxNeck208 {
public:
    explicit KxNeckCompression(int outOfPosition = 0);

    bool SetCriticalValues() override;
    bool Compute(kx::CNSignal &signal);

    // Standard and advanced values of a size code.
    static std::optional<Limits> Row(const std::string &size, bool outOfPosition);
};
